// The files a user keeps, through the real file dialog and the menus, read
// back from the disk after each step: zeros where a project stood (what a
// power loss leaves) are never taken for a project, a name that differs from
// another file's only in letter case is a file of its own, a second program
// started from the same folder leaves the first one's auto-save alone, a
// project another program saved meanwhile is not overwritten unasked, and a
// text import never asks once per character.
#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>

#include "app/commit.h"
#include "gui/dialog_typing.h"
#include "gui/elapse_qt.h"
#include "gui/head_fixture.h"
#include "platform/filelock.h"
#include "platform/safefile.h"
#include "support/fake_clock.h"
#include "ui/qtbridge_qt.h"

using namespace kv;
using namespace dialogtyping;

namespace {

class FilesGui : public HeadGui {
protected:
    // A project of the fixtures copied into the folder, under `as`.
    std::string Fixture(const std::string& name, const std::string& as = "") {
        const std::string path = dir.file(as.empty() ? name : as);
        testutil::WriteFile(path, testutil::ReadFile(std::string(KIVAR_FIXTURE_DIR) + "/projects/" + name));
        return path;
    }
    // File > Open, the name typed into the dialog.
    void OpenTyped(const std::string& name) {
        gOpenSavePath = dir.path();
        OnFileDialog([name](QFileDialog* d) { TypeNameAndEnter(d, Q(name)); });
        head->MenuItem("mnuÖppna")->trigger();
    }
    // File > Save As, the name typed into the dialog.
    void SaveAsTyped(const std::string& name) {
        OnFileDialog([name](QFileDialog* d) { TypeNameAndEnter(d, Q(name)); });
        head->MenuItem("mnuSparasom")->trigger();
    }
    void Save() { head->MenuItem("mnuSpara")->trigger(); }
    // The open project changed as a user changes it: its first destination
    // loaded and stored again.
    void Change() {
        DoubleClickRow(head->DestList, 0);
        QApplication::processEvents();
        QTest::mouseClick(head->SaveDestOrExtra, Qt::LeftButton);
        QApplication::processEvents();
        ASSERT_EQ(gDocumentModified, kTrue);
    }
    // The destinations a project file stores, 1 and up, as txl-dump shows
    // them (destination 0, the default one, is made anew at every start).
    static std::string Destinations(const std::string& path) {
        std::string out;
        for (const auto& [n, d] : testtxl::ReadBack(path))
            if (n > 0) out += std::to_string(n) + ": " + d.text + " | " + d.data + "\n";
        return out;
    }
    // A file of exactly that name (FileExists finds any letter case).
    static bool Exists(const std::string& path) { return std::filesystem::exists(std::filesystem::u8path(path)); }
    std::vector<std::string> Messages() const {
        std::vector<std::string> texts;
        for (const RecordedMessage& m : ui.messages) texts.push_back(m.text);
        return texts;
    }
};

std::string Zeros(size_t n) { return std::string(n, '\0'); }

}  // namespace

// The auto-save file made of 4096 NUL bytes, and a project half followed by
// NUL bytes: neither is a project. The start keeps the zeros aside and opens
// the project as last saved, so that Save writes that project; Open of the
// other leaves the open project as it was.
TEST_F(FilesGui, ZerosWhereAProjectStoodAreNeverTakenForOne) {
    const std::string project = Fixture("threesigns.txl");
    const std::string saved = testutil::ReadFile(project);
    const std::string destinations = Destinations(project);
    ASSERT_NE(destinations, "");
    const std::string autoSave = dir.file("kivar.txl");
    testutil::WriteFile(autoSave, Zeros(4096));
    IniSetValue(gSettingsFile, "AutoSave", "FileName", project);
    ui.messages.clear();
    frmHead& h = ShowActivated();
    ASSERT_EQ(Messages().size(), 2u);
    EXPECT_EQ(ui.messages[0].text, Key("S35") + autoSave + " !");
    EXPECT_EQ(ui.messages[1].text, autoSave + ":\rThe auto-save file could not be read. It is kept as " +
                                       dir.file("kivar-damaged.txl") +
                                       ", and the project is opened as it was last saved: " + project);
    EXPECT_EQ(testutil::ReadFile(dir.file("kivar-damaged.txl")), Zeros(4096));
    EXPECT_FALSE(FileExists(autoSave));
    EXPECT_EQ(gDocumentPath, project);
    EXPECT_EQ(h.DestList->count(), 2);

    // Save, twice: the project and its backup hold the project as saved.
    Save();
    Save();
    EXPECT_EQ(Destinations(project), destinations);
    EXPECT_EQ(Destinations(dir.file("threesigns.BAK")), destinations);

    // Half the project, then NUL bytes to its length; and a gigabyte of
    // them: each is reported, and nothing of the open project changes.
    testutil::WriteFile(dir.file("half.txl"), saved.substr(0, saved.size() / 2) + Zeros(saved.size() - saved.size() / 2));
    testutil::WriteFile(dir.file("big.txl"), "");
    const bool big = ::truncate(dir.file("big.txl").c_str(), off_t{1} << 30) == 0;
    for (const char* name : {"half.txl", "big.txl"}) {
        SCOPED_TRACE(name);
        if (std::string(name) == "big.txl" && !big) continue;
        ui.messages.clear();
        OpenTyped(name);
        EXPECT_EQ(Messages(), std::vector<std::string>{Key("S35") + dir.file(name) + " !"});
        EXPECT_EQ(gDocumentPath, project);
        EXPECT_EQ(h.DestList->count(), 2);
        Save();
        EXPECT_EQ(Destinations(project), destinations);
    }
}

// Save As a name that differs from a file of the folder only in letter case
// writes a file of that very name; the other file stays as it was, and both
// stay in the recent files.
TEST_F(FilesGui, SaveAsANameThatDiffersOnlyInLetterCaseMakesAFileOfItsOwn) {
    const std::string other = Fixture("threesigns.txl", "route.txl");
    const std::string otherBytes = testutil::ReadFile(other);
    const std::string lines = Fixture("lines.txl");
    const std::string linesDestinations = Destinations(lines);
    frmHead& h = ShowActivated();
    OpenTyped("route.txl");
    ASSERT_EQ(gDocumentPath, other);
    OpenTyped("lines.txl");
    ASSERT_EQ(gDocumentPath, lines);
    ASSERT_EQ(h.DestList->count(), 2);
    ASSERT_EQ(SignInfoOf(5).Name, "REAR");

    // The dialog asks nothing: no file has that name.
    SaveAsTyped("Route.TXL");
    const std::string mine = dir.file("Route.TXL");
    EXPECT_EQ(gDocumentPath, mine);
    EXPECT_EQ(testutil::ReadFile(other), otherBytes);
    EXPECT_EQ(Destinations(mine), linesDestinations);
    EXPECT_FALSE(Exists(dir.file("Route.BAK")));
    Change();
    Save();
    EXPECT_EQ(testutil::ReadFile(other), otherBytes);
    EXPECT_EQ(Destinations(dir.file("Route.BAK")), linesDestinations);
    EXPECT_FALSE(Exists(dir.file("route.BAK")));
    EXPECT_EQ(h.MenuItem("mnuArkivFile1")->text().toStdString(), "&1  " + mine);
    EXPECT_EQ(h.MenuItem("mnuArkivFile2")->text().toStdString(), "&2  " + lines);
    EXPECT_EQ(h.MenuItem("mnuArkivFile3")->text().toStdString(), "&3  " + other);

    // Each name opens its own project.
    OpenTyped("route.txl");
    EXPECT_EQ(gDocumentPath, other);
    EXPECT_EQ(h.DestList->count(), 2);
    EXPECT_EQ(SignInfoOf(4).Name, "REAR");
    OpenTyped("Route.TXL");
    EXPECT_EQ(gDocumentPath, mine);
    EXPECT_EQ(SignInfoOf(5).Name, "REAR");
}

// A name outside the code page (Łódź.txl) goes from the dialog to the file
// and back: it is saved, listed in the recent files, and opened by that
// entry, also after a new start that reads the list again.
TEST_F(FilesGui, ANameOutsideTheCodePageIsSavedListedAndOpened) {
    Fixture("lines.txl");
    frmHead& h = ShowActivated();
    OpenTyped("lines.txl");
    const QString name = QString::fromUtf8("\xC5\x81\xC3\xB3" "d\xC5\xBA.txl");  // Łódź.txl
    SaveAsTyped(BPath(name));
    const std::string onDisk = dir.path() + "/" + name.toStdString();
    ASSERT_TRUE(std::filesystem::exists(std::filesystem::u8path(onDisk)));
    EXPECT_EQ(Destinations(BPath(QString::fromStdString(onDisk))), Destinations(dir.file("lines.txl")));
    EXPECT_EQ(h.windowTitle(), Q(kMsgTitle) + " <" + QString::fromStdString(dir.path()) + "/" + name + ">");
    EXPECT_EQ(h.MenuItem("mnuArkivFile1")->text(), "&1  " + QString::fromStdString(dir.path()) + "/" + name);

    head.reset();
    Restart();
    frmHead& again = ShowActivated();
    ASSERT_EQ(again.MenuItem("mnuArkivFile1")->text(), "&1  " + QString::fromStdString(dir.path()) + "/" + name);
    ui.messages.clear();
    again.MenuItem("mnuArkivFile1")->trigger();
    EXPECT_EQ(Messages(), std::vector<std::string>{});
    EXPECT_EQ(again.DestList->count(), 2);
    EXPECT_EQ(Q(gDocumentPath), QString::fromStdString(dir.path()) + "/" + name);
}

// A second program started from the folder of a running one (which holds
// its auto-save file) neither recovers that file nor writes or deletes it,
// also once the first has ended abnormally; the next start recovers it.
TEST_F(FilesGui, ASecondProgramLeavesTheFirstOnesAutoSaveAlone) {
    const std::string first = Fixture("lines.txl");
    Fixture("threesigns.txl");
    const std::string autoSave = dir.file("kivar.txl");
    // The first program: its lock held, its changes auto-saved.
    FileLock running;
    ASSERT_EQ(running.Take(autoSave + ".lock"), FileLock::Taken::Yes);
    const std::string itsChanges = testutil::ReadFile(first);
    testutil::WriteFile(autoSave, itsChanges);
    IniSetValue(gSettingsFile, "AutoSave", "FileName", first);
    IniSetValue(gSettingsFile, "AutoSave", "Time", 0);
    FakeClock clock;

    ui.messages.clear();
    frmHead& h = ShowActivated();
    EXPECT_EQ(Messages(), std::vector<std::string>{});
    EXPECT_EQ(gDocumentPath, "");
    EXPECT_EQ(gDocumentModified, kFalse);
    EXPECT_EQ(testutil::ReadFile(autoSave), itsChanges);

    // Its own project, changed: the auto-save writes nothing there, and
    // Save deletes nothing there.
    OpenTyped("threesigns.txl");
    Change();
    clock.Advance(1);
    Elapse(h.timAutoSave);
    EXPECT_EQ(testutil::ReadFile(autoSave), itsChanges);
    EXPECT_EQ(IniGetValue(gSettingsFile, "AutoSave", "FileName"), first);
    Save();
    EXPECT_EQ(testutil::ReadFile(autoSave), itsChanges);

    // The first program ends abnormally: its auto-save file stays for the
    // next start, and this one still leaves it alone, to its end.
    running.Release();
    Change();
    clock.Advance(1);
    Elapse(h.timAutoSave);
    EXPECT_EQ(testutil::ReadFile(autoSave), itsChanges);
    ui.answers = {vbNo, vbOK};  // the changes not saved, and dropped
    h.close();
    EXPECT_EQ(testutil::ReadFile(autoSave), itsChanges);

    // The next start recovers it.
    head.reset();
    Restart();
    ui.messages.clear();
    ShowActivated();
    EXPECT_EQ(gDocumentPath, first);
    EXPECT_EQ(gDocumentModified, kTrue);
}

// Once the first program has ended in order (its auto-save file gone), the
// second one keeps its own auto-save there.
TEST_F(FilesGui, TheAutoSaveIsTakenOverWhenTheFirstProgramHasEnded) {
    Fixture("lines.txl");
    const std::string autoSave = dir.file("kivar.txl");
    FileLock running;
    ASSERT_EQ(running.Take(autoSave + ".lock"), FileLock::Taken::Yes);
    IniSetValue(gSettingsFile, "AutoSave", "Time", 0);
    FakeClock clock;
    frmHead& h = ShowActivated();
    OpenTyped("lines.txl");
    Change();
    clock.Advance(1);
    Elapse(h.timAutoSave);
    EXPECT_FALSE(FileExists(autoSave));

    running.Release();
    clock.Advance(1);
    Elapse(h.timAutoSave);
    ASSERT_TRUE(FileExists(autoSave));
    EXPECT_EQ(Destinations(autoSave), Destinations(dir.file("lines.txl")));
    EXPECT_EQ(IniGetValue(gSettingsFile, "AutoSave", "FileName"), dir.file("lines.txl"));
    // Now the first program's place is this one's: another start leaves it.
    FileLock third;
    EXPECT_EQ(third.Take(autoSave + ".lock"), FileLock::Taken::Elsewhere);
}

// Two programs on one project: a Save over the file that the other saved
// since this one opened it asks first, naming the file; No keeps the other's
// project on disk (also when the save question of New led there), Yes
// writes this one's.
TEST_F(FilesGui, ASaveOverAProjectAnotherProgramSavedAsksFirst) {
    const std::string project = Fixture("lines.txl");
    const std::string ours = Destinations(project);
    const std::string theirs = testutil::ReadFile(std::string(KIVAR_FIXTURE_DIR) + "/projects/threesigns.txl");
    frmHead& h = ShowActivated();
    OpenTyped("lines.txl");
    Change();
    // The other program saves as this one does.
    ASSERT_TRUE(SafeWriteFile(project, theirs));

    const std::string question = project + ":\rThe file has changed on disk since this program opened or last saved it "
                                           "(another program may have saved it). Save over it?";
    ui.messages.clear();
    ui.answers = {vbNo};
    Save();
    EXPECT_EQ(Messages(), std::vector<std::string>{question});
    EXPECT_EQ(testutil::ReadFile(project), theirs);
    EXPECT_EQ(gDocumentModified, kTrue);

    // New: save the changes, yes; over the other's, no: New stops.
    ui.messages.clear();
    ui.answers = {vbYes, vbNo};
    h.MenuItem("mnuNytt")->trigger();
    ASSERT_EQ(Messages().size(), 2u);
    EXPECT_EQ(ui.messages[1].text, question);
    EXPECT_EQ(testutil::ReadFile(project), theirs);
    EXPECT_EQ(gDocumentPath, project);
    EXPECT_EQ(h.DestList->count(), 2);

    ui.messages.clear();
    ui.answers = {vbYes};
    Save();
    EXPECT_EQ(Messages(), std::vector<std::string>{question});
    EXPECT_EQ(Destinations(project), ours);
    EXPECT_EQ(testutil::ReadFile(dir.file("lines.BAK")), theirs);
    EXPECT_EQ(gDocumentModified, kFalse);
    // What this program wrote last is no change.
    ui.messages.clear();
    Change();
    Save();
    EXPECT_EQ(Messages(), std::vector<std::string>{});
}

// A text import of rows longer than the sign is wide (one of them of two
// megabytes): no box per character, the rows are cut at the sign's width,
// and one report after the run names them with what was left out; the
// project saved holds each row as far as it fits.
TEST_F(FilesGui, ATextImportCutsLongRowsAndReportsThemOnce) {
    const std::string project = Fixture("lines.txl");
    std::string alphabet;
    for (char c = 'A'; c <= 'Z'; ++c) alphabet += c;
    const std::string row40 = alphabet + alphabet.substr(0, 14);
    std::string huge;
    while (huge.size() < 2 * 1024 * 1024) huge += alphabet;
    testutil::WriteFile(dir.file("rows.txt"), "7\t" + row40 + "\r\n8\t" + huge + "\r\n9\tSHORT\r\n");
    frmHead& h = ShowActivated();
    OpenTyped("lines.txl");

    ui.messages.clear();
    OnFileDialog([](QFileDialog* d) { TypeNameAndEnter(d, "rows.txt"); });
    h.MenuItem("mnuArkivImportFil2Dest")->trigger();
    ASSERT_EQ(ui.messages.size(), 1u) << ui.messages[0].text;
    const std::string report = ui.messages[0].text;
    EXPECT_EQ(ui.messages[0].style, vbExclamation);

    // What the sign took of each row, as saved.
    Save();
    const std::map<int, testtxl::Stored> stored = testtxl::ReadBack(project);
    auto front = [&](int n) {
        const std::string text = stored.at(n).text;
        const size_t start = text.find("# ") + 2;
        return text.substr(start, text.find('\xFF', start) - start);
    };
    const std::string kept = front(7);
    ASSERT_FALSE(kept.empty());
    ASSERT_LT(kept.size(), row40.size());
    EXPECT_EQ(row40.substr(0, kept.size()), kept);
    EXPECT_EQ(front(8), kept);
    EXPECT_EQ(front(9), "SHORT");
    // Loaded into the sign, the row stored fits its width.
    OpenDest(7);
    EXPECT_GE(kv::Row(kv::gStartRow).FreeWidth, 0);
    EXPECT_EQ(kv::Row(kv::gStartRow).CellCount, static_cast<int16_t>(kept.size()));
    EXPECT_EQ(report, "Characters the sign could not take were left out of these rows:\r\n\r\n"
                      "7\t" + row40 + "\t(left out: " + row40.substr(kept.size()) + ")\r\n"
                      "8\t" + huge.substr(0, 98) + "...\t(left out: " + huge.substr(kept.size(), 100) + "...)\r\n");
}
