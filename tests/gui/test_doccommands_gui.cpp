// The File commands of the main window on a staged data folder: Open, Save
// and Save As (older versions too) with their file dialogs answered by the
// test, the recent files, the project on the command line, the save
// questions of New, Open, Exit and closing, auto-save and recovery.
#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QScrollBar>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDialog>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTimer>

#include <deque>
#include <sstream>

#include "data/headmode.h"
#include "files/txlformat.h"
#include "files/txlread.h"
#include "files/txlwrite.h"
#include "gui/elapse_qt.h"
#include "gui/head_fixture.h"
#include "platform/reset.h"
#include "support/fake_clock.h"
#include "ui/headwidgets_qt.h"
#include "ui/qtbridge_qt.h"
#include "app/entryload.h"
#include "app/listentries.h"

using namespace kv;

namespace {

class DocGui : public HeadGui {
protected:
    // A project of two graphic signs, three destinations (two pages on sign
    // 2) and two extra texts, written in version 5.
    void WriteProject(const std::string& path, const std::string& name = "FRONT") {
        using namespace std::string_literals;
        ClearSignConfigFlags();
        ClearSignTable();
        const std::string lines[] = {PadRight(name, 12) + "K4000    112x16    2 ", "SIDE        K4000    96x8      3 "};
        for (const std::string& line : lines) {
            ASSERT_TRUE(ParseSignDefinition(line));
            ASSERT_TRUE(SetSignConfig(line));
        }
        kv::DestList.Clear();
        kv::ExtraList.Clear();
        ClearLists();
        for (int n = 1; n <= 3; ++n) {
            const std::string t = "D" + std::to_string(n);
            gDestList[n].Text = "\xff" + name + "# " + t + "# p2\xff" "SIDE# " + t;
            gDestList[n].SignData = "\xff\x02\xd2\x01\xd3\x0a\xd4" "7"s + t + "\xb0\x05\xd2\x00\xd3\x0a\xd4" "7p2" "\xff\x03\xd2\x00\xd3\x07\xd4" "3"s + t;
            gDestList[n].Code = std::to_string(n) + "   ";
            AddListLine(static_cast<int16_t>(n), true);
        }
        for (int n = 1; n <= 2; ++n) {
            gExtraList[n].Text = "\xff" + name + "# X" + std::to_string(n);
            gExtraList[n].SignData = "\xff\x02\xd2\x00\xd3\x0a\xd4" "7X"s + std::to_string(n);
            AddListLine(static_cast<int16_t>(n), false);
        }
        gExtraPerSign = kTrue;
        gTxlVersion = kTxlStandardVersion;
        const int16_t backup = gBackupOn;
        gBackupOn = kFalse;
        ASSERT_TRUE(SaveTxlFile(path));
        gBackupOn = backup;
        Restart();
    }
    static std::string PadRight(const std::string& s, size_t n) { return s + std::string(n - s.size(), ' '); }

    // The window started, shown and activated; file dialogs answered from
    // `choices` (a cancel when none is left) and recorded.
    frmHead& Start() {
        ShowActivated();
        head->ChooseFile = [this](const frmHead::FileDialogRequest& r) {
            requests.push_back(r);
            if (choices.empty()) return frmHead::FileDialogChoice{};
            frmHead::FileDialogChoice c = choices.front();
            choices.pop_front();
            return c;
        };
        return *head;
    }
    static frmHead::FileDialogChoice Choose(const std::string& path, int filterIndex = 1) {
        return {false, path, filterIndex};
    }
    std::string Title() const { return head->windowTitle().toStdString(); }
    std::string Dump(const std::string& path) {
        const testutil::ProbeResult r = testutil::RunProbe({"txl-dump", path});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        return r.out;
    }

    std::deque<frmHead::FileDialogChoice> choices;
    std::vector<frmHead::FileDialogRequest> requests;
};

std::string Utf8Caption(const std::string& name) { return kv::Q(DocumentCaption(name)).toStdString(); }

}  // namespace

TEST_F(DocGui, OpenSwitchListsSaveAndSaveAsAnOlderVersion) {
    const std::string project = dir.file("lines.txl");
    WriteProject(project);
    const std::string original = testutil::ReadFile(project);
    Option("ChooseFormat", 1);
    frmHead& h = Start();
    const std::string docs = gOpenSavePath;

    // Open: the dialog offers the project filter and "*.txl" in the document folder.
    choices = {Choose(project)};
    h.mnuÖppna_Click();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_FALSE(requests[0].save);
    EXPECT_EQ(requests[0].filter, kProjectFilter);
    EXPECT_EQ(requests[0].fileName, JoinPath(docs, "*.txl"));
    EXPECT_EQ(gDocumentPath, project);
    EXPECT_EQ(gOpenSavePath, dir.path());
    EXPECT_EQ(Title(), Utf8Caption(project));
    EXPECT_EQ(gDocumentModified, kFalse);
    ASSERT_EQ(h.DestList->count(), 3);
    ASSERT_EQ(h.ExtraList->count(), 2);
    EXPECT_EQ(gCurrentDest, 4);
    EXPECT_EQ(gCurrentExtra, 3);
    EXPECT_EQ(h.CurrNoTxt->text(), "4");
    EXPECT_EQ(gCurrentSign, 2);
    EXPECT_TRUE(h.PicSignFrame[0]->isVisible());
    EXPECT_FALSE(h.PicSignFrame[1]->isVisible());  // only the first sign is shown after Open
    EXPECT_TRUE(h.MenuItem("mnuArkivFile1")->isVisible());
    EXPECT_EQ(h.MenuItem("mnuArkivFile1")->text().toStdString(), "&1  " + project);

    // The extra texts and back.
    h.MenuItem("mnuTextExtratext")->trigger();
    EXPECT_EQ(gDestListActive, kFalse);
    EXPECT_TRUE(h.ExtraList->isVisible());
    EXPECT_FALSE(h.DestList->isVisible());
    EXPECT_FALSE(h.BlackOut_chk->isVisible());
    EXPECT_EQ(h.Label2->text().toStdString(), gTextS93);
    EXPECT_EQ(h.Label3->text().toStdString(), gTextS92);
    EXPECT_EQ(h.CurrNoTxt->maxLength(), 3);
    EXPECT_EQ(h.CurrNoTxt->text(), "3");
    EXPECT_TRUE(h.MenuItem("mnuTextExtratext")->isChecked());
    EXPECT_FALSE(h.MenuItem("mnuTextDesttext")->isChecked());
    EXPECT_FALSE(h.MenuItem("mnuToolsShowtime")->isEnabled());
    // A second click on the ticked item leaves it ticked.
    h.MenuItem("mnuTextExtratext")->trigger();
    EXPECT_TRUE(h.MenuItem("mnuTextExtratext")->isChecked());
    h.MenuItem("mnuTextDesttext")->trigger();
    EXPECT_EQ(gDestListActive, kTrue);
    EXPECT_TRUE(h.DestList->isVisible());
    EXPECT_TRUE(h.BlackOut_chk->isVisible());
    EXPECT_EQ(h.Label3->text().toStdString(), gTextS60);
    EXPECT_EQ(h.CurrNoTxt->maxLength(), 4);
    EXPECT_TRUE(h.MenuItem("mnuTextDesttext")->isChecked());
    EXPECT_TRUE(h.MenuItem("mnuToolsShowtime")->isEnabled());

    // Save writes in place (the old file kept as the backup), byte for byte
    // what was read.
    gDocumentModified = kTrue;
    h.mnuSpara_Click();
    EXPECT_EQ(requests.size(), 1u);
    EXPECT_EQ(gDocumentModified, kFalse);
    EXPECT_EQ(testutil::ReadFile(project), original);
    EXPECT_TRUE(FileExists(dir.file("lines.BAK")));

    // Save As offers the versions; "Kivar 1.31 " writes version 4.
    const std::string old = dir.file("old.txl");
    gDocumentModified = kTrue;
    choices = {Choose(old, 6)};
    h.mnuSparasom_Click();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_TRUE(requests[1].save);
    EXPECT_EQ(requests[1].filter, kVersionFilter);
    EXPECT_EQ(requests[1].fileName, project);
    EXPECT_EQ(gTxlVersion, 4);
    EXPECT_EQ(gDocumentPath, old);
    EXPECT_EQ(gDocumentModified, kFalse);
    EXPECT_EQ(Title(), Utf8Caption(old));
    const std::string oldDump = Dump(old);
    EXPECT_NE(oldDump.find("version: 4\n"), std::string::npos);
    EXPECT_EQ(h.MenuItem("mnuArkivFile2")->text().toStdString(), "&2  " + project);

    // Both files reopen and save again byte for byte; the records read the
    // same from both versions.
    for (const std::string& file : {project, old}) {
        SCOPED_TRACE(file);
        const std::string bytes = testutil::ReadFile(file);
        int n = 1;  // its recent-files entry
        while (n <= 4 && h.MenuItem(QString("mnuArkivFile%1").arg(n))->text().toStdString() != "&" + std::to_string(n) + "  " + file) ++n;
        ASSERT_LE(n, 4);
        h.MenuItem(QString("mnuArkivFile%1").arg(n))->trigger();
        EXPECT_EQ(gDocumentPath, file);
        ASSERT_EQ(h.DestList->count(), 3);
        const std::string again = dir.file("again.txl");
        choices = {Choose(again, 7)};  // "All files": the version stays
        h.mnuSparasom_Click();
        EXPECT_EQ(testutil::ReadFile(again), bytes);
    }
    auto records = [](const std::string& dump) {
        std::string out;
        std::istringstream in(dump);
        for (std::string line; std::getline(in, line);)
            if (line.rfind("  Text:", 0) == 0 || line.rfind("  SignData:", 0) == 0) out += line + "\n";
        return out;
    };
    EXPECT_EQ(records(oldDump), records(Dump(project)));
}

TEST_F(DocGui, SaveAsKeepsTheFormatWhileCodesAreOn) {
    Option("ChooseFormat", 1);
    frmHead& h = Start();
    gDestCodesOn = kTrue;
    gTxlVersion = 6;
    choices = {Choose(dir.file("coded.txl"), 3)};
    h.mnuSparasom_Click();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Fixed format!\r\n'Choose Format'-option disabled!");
    EXPECT_EQ(requests[0].filter, kProjectFilter);
    EXPECT_EQ(gTxlVersion, 6);
    EXPECT_NE(Dump(dir.file("coded.txl")).find("version: 6\n"), std::string::npos);

    // The toolbar's Save button is Save.
    gDocumentPath.clear();
    requests.clear();
    h.tbButtons[3]->trigger();
    EXPECT_EQ(requests.size(), 1u);

    // Save on an untitled project, on standard.ini or on S100 runs Save As.
    for (const std::string& name : {std::string(""), dir.file("standard.ini"), gTextS100}) {
        gDocumentPath = name;
        requests.clear();
        h.mnuSpara_Click();
        EXPECT_EQ(requests.size(), 1u) << name;
        EXPECT_TRUE(requests[0].save);
    }
}

TEST_F(DocGui, AFailedSaveKeepsTheProjectModifiedAndTheAutoSaveFile) {
    frmHead& h = Start();
    testutil::WriteFile(gAutoSaveFile, "x");
    gDocumentModified = kTrue;
    gDocumentPath = dir.file("missing/folder.txl");
    h.mnuSpara_Click();
    EXPECT_EQ(gDocumentModified, kTrue);
    EXPECT_TRUE(FileExists(gAutoSaveFile));
    EXPECT_FALSE(ui.messages.empty());  // the writer reports it
    // Save As to a place that cannot be written keeps name, version and caption.
    gDocumentPath = dir.file("named.txl");
    h.setWindowTitle(QString::fromStdString(Utf8Caption(gDocumentPath)));
    const int16_t version = gTxlVersion;
    Option("ChooseFormat", 1);
    choices = {Choose(dir.file("missing/other.txl"), 6)};
    h.mnuSparasom_Click();
    EXPECT_EQ(gDocumentPath, dir.file("named.txl"));
    EXPECT_EQ(gTxlVersion, version);
    EXPECT_EQ(Title(), Utf8Caption(dir.file("named.txl")));
    EXPECT_EQ(gDocumentModified, kTrue);
    EXPECT_TRUE(FileExists(gAutoSaveFile));
}

TEST_F(DocGui, ACancelledOpenChangesNothing) {
    const std::string project = dir.file("lines.txl");
    WriteProject(project);
    frmHead& h = Start();
    choices = {Choose(project)};
    h.mnuÖppna_Click();
    testutil::WriteFile(gAutoSaveFile, "x");
    gDocumentModified = kTrue;

    // No to the save question, OK to dropping the changes, then Cancel in the dialog.
    ui.answers = {vbNo, vbOK};
    h.mnuÖppna_Click();
    EXPECT_EQ(requests.size(), 2u);
    EXPECT_EQ(gDocumentModified, kTrue);
    EXPECT_TRUE(FileExists(gAutoSaveFile));
    EXPECT_EQ(gDocumentPath, project);
    EXPECT_EQ(h.DestList->count(), 3);
    // Cancel to the save question: no dialog.
    ui.answers = {vbCancel};
    h.mnuÖppna_Click();
    EXPECT_EQ(requests.size(), 2u);
    // Cancel to the question about the entry under edit: no dialog either.
    gDocumentModified = kFalse;
    TypeUnstoredEdit();
    ui.answers = {vbCancel};
    h.mnuÖppna_Click();
    EXPECT_EQ(requests.size(), 2u);
    EXPECT_TRUE(FileExists(gAutoSaveFile));
    TakeBackUnstoredEdit();

    // A file that cannot be read changes nothing: the project keeps its
    // name, its lines, its changes and its auto-save file; no recent entry.
    const std::string broken = dir.file("broken.txl");
    testutil::WriteFile(broken, "not a project");
    choices = {Choose(broken)};
    gDocumentModified = kTrue;
    ui.answers = {vbNo, vbOK};
    ui.messages.clear();
    h.mnuÖppna_Click();
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_EQ(ui.messages[2].text, Key("S35") + broken + " !");
    EXPECT_EQ(gDocumentPath, project);
    EXPECT_EQ(Title(), Utf8Caption(project));
    EXPECT_EQ(h.DestList->count(), 3);
    EXPECT_EQ(gDocumentModified, kTrue);
    EXPECT_TRUE(FileExists(gAutoSaveFile));
    EXPECT_EQ(gRecentFileCount, 1);
}

TEST_F(DocGui, AProjectOnTheCommandLineOpensWithoutADialog) {
    const std::string project = dir.file("Cmd Line.TXL");
    WriteProject(project, "REAR");
    commandLine = {"-x", " \"" + project + "\" "};
    frmHead& h = Start();
    EXPECT_TRUE(requests.empty());
    EXPECT_EQ(gDocumentPath, project);
    EXPECT_EQ(Title(), Utf8Caption(project));
    EXPECT_EQ(h.DestList->count(), 3);
    EXPECT_EQ(h.SignCaption_lbl->text(), " REAR");
    EXPECT_TRUE(h.PicSignFrame[0]->isVisible());
    EXPECT_EQ(h.bOpenWithoutDialog, false);
}

// kfiles.txt beside the program, and the paths the File menu shows.
std::vector<std::string> RecentMenu(frmHead& h) {
    std::vector<std::string> paths;
    for (int n = 1; n <= 4; ++n)
        if (QAction* a = h.MenuItem(QString("mnuArkivFile%1").arg(n)); a->isVisible())
            paths.push_back(a->text().toStdString().substr(4));
    return paths;
}

TEST_F(DocGui, AProjectOnTheCommandLineGoesFirstInTheRecentFiles) {
    const std::string project = dir.file("cmd.txl");
    WriteProject(project);
    const std::string kfiles = dir.file("kfiles.txt");
    const std::vector<std::string> older = {"/p/a.txl", "/p/b.txl", "/p/c.txl"};
    testutil::WriteFile(kfiles, "/p/a.txl\r\n/p/b.txl\r\n/p/c.txl\r\n");
    commandLine = {project};
    frmHead& h = Start();
    ASSERT_EQ(gDocumentPath, project);
    const std::vector<std::string> expected = {project, "/p/a.txl", "/p/b.txl", "/p/c.txl"};
    EXPECT_EQ(RecentMenu(h), expected);
    EXPECT_EQ(testutil::ReadFile(kfiles), project + "\r\n/p/a.txl\r\n/p/b.txl\r\n/p/c.txl\r\n");

    // Listed already (in other letters): it moves to the top, nothing is lost.
    head.reset();
    testutil::WriteFile(kfiles, "/p/a.txl\r\n" + UCase(project) + "\r\n/p/b.txl\r\n/p/c.txl\r\n");
    Restart();
    commandLine = {project};
    frmHead& again = Start();
    EXPECT_EQ(RecentMenu(again), (std::vector<std::string>{UCase(project), "/p/a.txl", "/p/b.txl", "/p/c.txl"}));

    // A project that cannot be read leaves the list as it was.
    head.reset();
    testutil::WriteFile(kfiles, "/p/a.txl\r\n");
    Restart();
    commandLine = {dir.file("gone.txl")};
    frmHead& gone = Start();
    EXPECT_EQ(RecentMenu(gone), std::vector<std::string>{"/p/a.txl"});
    EXPECT_EQ(testutil::ReadFile(kfiles), "/p/a.txl\r\n");
}

// An auto-save file that cannot be read: the program says so, keeps it as
// kivar-damaged.txl and opens the project as it was last saved, unmodified;
// a Save then writes that project, not an empty one.
TEST_F(DocGui, ADamagedAutoSaveFileOpensTheProjectAsLastSaved) {
    const std::string project = dir.file("work.txl");
    WriteProject(project);
    const std::string autoSave = dir.file("kivar.txl"), aside = dir.file("kivar-damaged.txl");
    const std::string damaged = testutil::ReadFile(project).substr(0, 300);
    testutil::WriteFile(autoSave, damaged);
    IniSetValue(gSettingsFile, "AutoSave", "FileName", project);
    frmHead& h = Start();
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].text, Key("S35") + autoSave + " !");
    EXPECT_EQ(ui.messages[1].text, autoSave + ":\rThe auto-save file could not be read. It is kept as " + aside +
                                       ", and the project is opened as it was last saved: " + project);
    EXPECT_EQ(gDocumentPath, project);
    EXPECT_EQ(Title(), Utf8Caption(project));
    EXPECT_EQ(h.DestList->count(), 3);
    EXPECT_EQ(h.ExtraList->count(), 2);
    EXPECT_EQ(gDocumentModified, kFalse);
    EXPECT_FALSE(FileExists(autoSave));
    EXPECT_EQ(testutil::ReadFile(aside), damaged);
    // No notice of a restored project.
    Elapse(h.CursorTimer);
    Elapse(h.CursorTimer);
    EXPECT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(gAutoSaveNoticePending, kFalse);
    gDocumentModified = kTrue;
    h.mnuSpara_Click();
    const std::string dump = Dump(project);
    EXPECT_NE(dump.find("destinations: 4\n"), std::string::npos);  // destination 0 and the three
    EXPECT_NE(dump.find("destination 3:"), std::string::npos);
    EXPECT_NE(dump.find("extra texts: 2\n"), std::string::npos);

    // The next start reads it no more.
    head.reset();
    Restart();
    ui.messages.clear();
    Start();
    EXPECT_TRUE(ui.messages.empty()) << ui.messages[0].text;
    EXPECT_EQ(gDocumentPath, "");

    // An untitled project's auto-save file of random bytes beside the kept
    // one: kept under the next free name; the template opens untitled.
    head.reset();
    testutil::WriteFile(autoSave, "\x93\x01\xff\x7f garbage \x00\x00\x05");
    IniSetValue(gSettingsFile, "AutoSave", "FileName", "");
    Restart();
    ui.messages.clear();
    frmHead& next = Start();
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].text, autoSave + ":\rThe auto-save file could not be read. It is kept as " +
                                       dir.file("kivar-damaged-2.txl") + ", and a new project is opened.");
    EXPECT_EQ(Title(), Utf8Caption(""));
    EXPECT_EQ(gDocumentModified, kFalse);
    EXPECT_EQ(next.DestList->count(), 0);
    EXPECT_EQ(testutil::ReadFile(aside), damaged);

    // The project itself gone too: its own message, then the template.
    head.reset();
    testutil::WriteFile(autoSave, damaged);
    IniSetValue(gSettingsFile, "AutoSave", "FileName", dir.file("gone.txl"));
    Restart();
    ui.messages.clear();
    Start();
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_EQ(ui.messages[2].text, dir.file("gone.txl") + ":\rError # 53: File not found (No such file or directory)");
    EXPECT_EQ(gDocumentPath, "");
    EXPECT_EQ(gDocumentModified, kFalse);
}

TEST_F(DocGui, ARecoveredProjectIsSavedUnderItsOwnNameBeforeTheCommandLineOne) {
    // An abnormal end left the auto-save file of /…/mine.txl; the command
    // line names another project. Saving first writes mine.txl, not the other.
    const std::string mine = dir.file("mine.txl"), other = dir.file("other.txl");
    WriteProject(other, "OTHER");
    WriteProject(dir.file("kivar.txl"), "MINE");
    IniSetValue(gSettingsFile, "AutoSave", "FileName", mine);
    commandLine = {other};
    ui.answers = {vbYes};
    frmHead& h = Start();
    ASSERT_TRUE(FileExists(mine));
    EXPECT_NE(testutil::ReadFile(mine).find("MINE"), std::string::npos);
    EXPECT_EQ(testutil::ReadFile(other).find("MINE"), std::string::npos);
    EXPECT_EQ(gDocumentPath, other);
    EXPECT_EQ(h.SignCaption_lbl->text(), " OTHER");
}

TEST_F(DocGui, AutoSaveRecoveryAndNew) {
    IniSetValue(gSettingsFile, "AutoSave", "Time", 300);
    FakeClock clock;
    {
        frmHead& h = Start();
        ASSERT_TRUE(h.ActiveFormIsMain());
        EXPECT_EQ(h.timAutoSave->interval(), 60050);
        EXPECT_FALSE(FileExists(gAutoSaveFile));
        // Nothing changed: nothing is written when the interval is over.
        clock.Advance(301);
        Elapse(h.timAutoSave);
        EXPECT_FALSE(FileExists(gAutoSaveFile));
        // A change appears in the auto-save file at the first tick after
        // the interval (strictly more than 300 seconds) is over again.
        gDocumentPath = dir.file("work.txl");
        gDocumentModified = kTrue;
        gDestList[5].Text = "\xff" "FRONT# AUTO";
        gDestList[5].SignData = "\xff\x02" "a";
        AddListLine(5, true);
        clock.Advance(300);
        Elapse(h.timAutoSave);
        EXPECT_FALSE(FileExists(gAutoSaveFile));
        clock.Advance(1);
        Elapse(h.timAutoSave);
        EXPECT_TRUE(FileExists(gAutoSaveFile));
        EXPECT_EQ(IniGetValue(gSettingsFile, "AutoSave", "FileName"), dir.file("work.txl"));
        EXPECT_EQ(gDocumentModified, kTrue);
        // The program ends without closing (a crash): the file stays.
    }
    head.reset();
    Restart();
    ui.messages.clear();
    frmHead& h = Start();
    EXPECT_EQ(gDocumentModified, kTrue);
    EXPECT_EQ(gDocumentPath, dir.file("work.txl"));
    EXPECT_EQ(Title(), Utf8Caption(dir.file("work.txl")));
    ASSERT_EQ(h.DestList->count(), 1);
    EXPECT_TRUE(h.DestList->item(0)->text().contains("AUTO"));
    // The cursor timer's first tick shows the notice, once (on a slow
    // machine that tick may already have come while the window came up).
    EXPECT_EQ(h.CursorTimer->interval(), 200);
    Elapse(h.CursorTimer);
    Elapse(h.CursorTimer);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, Key("S124") + "\r" + Key("S125") + "\r" + Key("S126"));

    // New: the changes dropped on request, the auto-save file deleted.
    ui.answers = {vbNo, vbOK};
    h.mnuNytt_Click();
    EXPECT_FALSE(FileExists(gAutoSaveFile));
    EXPECT_EQ(gDocumentModified, kFalse);
    EXPECT_EQ(gDocumentPath, "");
    EXPECT_EQ(Title(), Utf8Caption(""));
    EXPECT_EQ(h.DestList->count(), 0);
    EXPECT_EQ(gCurrentDest, 1);
    EXPECT_FALSE(gDestList[0].SignData.empty());  // the default destination
    EXPECT_TRUE(gDestList[5].Text.empty());
}

TEST_F(DocGui, TheAutoSaveWaitsWhileADialogIsOpen) {
    IniSetValue(gSettingsFile, "AutoSave", "Time", 0);
    frmHead& h = Start();
    gDocumentModified = kTrue;
    bool sawFile = true;
    QTimer::singleShot(0, [&] {
        h.timAutoSave_Timer();
        sawFile = FileExists(gAutoSaveFile);
        QApplication::activeModalWidget()->close();
    });
    QDialog dialog(&h);
    dialog.setModal(true);
    dialog.exec();
    EXPECT_FALSE(sawFile);
}

TEST_F(DocGui, ExitAndClosingAskTheSameQuestions) {
    frmHead& h = Start();
    testutil::WriteFile(gAutoSaveFile, "x");
    gOpenSavePath = dir.file("docs");
    TypeUnstoredEdit();
    gDocumentModified = kTrue;

    // Closing: Cancel to the entry question keeps the window.
    ui.answers = {vbCancel};
    EXPECT_FALSE(h.close());
    EXPECT_TRUE(h.isVisible());
    // OK, then Cancel to the save question: still open.
    ui.answers = {vbOK, vbCancel};
    EXPECT_FALSE(h.close());
    EXPECT_EQ(ui.messages.size(), 3u);
    EXPECT_TRUE(FileExists(gAutoSaveFile));
    // Exit with the same answers stays too.
    ui.answers = {vbCancel};
    h.mnuAvsluta_Click();
    EXPECT_TRUE(h.isVisible());

    // OK, No, OK: the session ends; the document folder is stored.
    ui.answers = {vbOK, vbNo, vbOK};
    EXPECT_THROW(h.mnuAvsluta_Click(), ProgramEnded);
    EXPECT_FALSE(FileExists(gAutoSaveFile));
    EXPECT_EQ(IniGetValue(gSettingsFile, "Generell", "OpenSavePath"), dir.file("docs"));

    testutil::WriteFile(gAutoSaveFile, "x");
    ui.answers = {vbOK, vbNo, vbOK};
    EXPECT_TRUE(h.close());
    EXPECT_FALSE(FileExists(gAutoSaveFile));
}

TEST_F(DocGui, TheSignFramesStatusBarNamesTheSignOfTheProjectOpened) {
    // Two projects whose first sign has the size of the template's.
    const std::string front = dir.file("front.txl"), back = dir.file("back.txl");
    WriteProject(front);
    WriteProject(back, "BACK");
    frmHead& h = Start();
    ASSERT_EQ(h.SignSB[0]->PanelText(1).toStdString(), "FRONT");
    choices = {Choose(back)};
    h.mnuÖppna_Click();
    EXPECT_EQ(h.SignSB[0]->PanelText(1).toStdString(), "BACK");
    EXPECT_EQ(h.SignSB[0]->PanelText(2).toStdString(), "112x16 ");
    // New goes back to the template's sign.
    h.mnuNytt_Click();
    EXPECT_EQ(h.SignSB[0]->PanelText(1).toStdString(), "FRONT");
    choices = {Choose(back)};
    h.mnuÖppna_Click();
    EXPECT_EQ(h.SignSB[0]->PanelText(1).toStdString(), "BACK");
}

// ------------------------------------------------------------------ the lists

TEST_F(DocGui, ListClicksTheEnterKeyAndTheLoadGuard) {
    const std::string project = dir.file("lines.txl");
    WriteProject(project);
    frmHead& h = Start();
    choices = {Choose(project)};
    h.mnuÖppna_Click();
    ASSERT_EQ(h.DestList->count(), 3);
    EXPECT_EQ(gCurrentDest, 4);

    // Getting the focus chooses no line.
    h.DestList->setFocus();
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), h.DestList);
    EXPECT_EQ(gCurrentDest, 4);
    // Keys move the selection; each line moved to is chosen.
    QTest::keyClick(h.DestList, Qt::Key_Down);
    EXPECT_EQ(h.DestList->currentRow(), 0);
    EXPECT_EQ(gCurrentDest, 1);
    EXPECT_EQ(h.CurrNoTxt->text(), "1");
    EXPECT_EQ(kv::nPrevDest, 4);
    QTest::keyClick(h.DestList, Qt::Key_Down);
    EXPECT_EQ(gCurrentDest, 2);

    // Enter loads the destination: the page options, the number box.
    QTest::keyClick(h.DestList, Qt::Key_Return);
    EXPECT_EQ(gCurrentDest, 2);
    EXPECT_EQ(kv::nPrevDest, 2);
    EXPECT_EQ(gCurrentPage, 1);
    EXPECT_EQ(h.CurrNoTxt->text(), "2   ");
    EXPECT_EQ(gChangeTime, 5);
    EXPECT_EQ(h.txtCurrChTime->text(), "5");
    EXPECT_TRUE(h.Ch_Frame->isVisible());  // two pages on the sign
    EXPECT_TRUE(h.TNo_op[2]->isEnabled());
    EXPECT_FALSE(h.TNo_op[3]->isEnabled());
    EXPECT_EQ(gTextModified, kFalse);

    // Uncommitted edits: Cancel keeps everything; the selection has moved
    // with the arrow key, which chose its line before Enter.
    TypeUnstoredEdit();
    h.DestList->setFocus();
    ui.answers = {vbCancel};
    QTest::keyClick(h.DestList, Qt::Key_Down);
    QTest::keyClick(h.DestList, Qt::Key_Return);
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ(ui.messages.back().text, gTextS105 + "\r" + gTextS106 + "\r" + gTextS107);
    EXPECT_TRUE(UnstoredEdits());
    EXPECT_EQ(h.CurrNoTxt->text(), "3");
    TakeBackUnstoredEdit();
    h.DestList->setFocus();

    // A load asked for while a button has the focus loads nothing; in insert
    // mode the number box shows the current number again.
    gInsertMode = kTrue;
    const int16_t previous = kv::nPrevDest;
    h.SaveDestOrExtra->setFocus();
    h.CurrNoTxt->setText("xx");
    h.DestList_DblClick();
    EXPECT_EQ(h.CurrNoTxt->text(), "3");
    EXPECT_EQ(kv::nPrevDest, previous);
    gInsertMode = kFalse;
}

TEST_F(DocGui, ExtraTextNumbersComeFromTheFirstFourCharacters) {
    frmHead& h = Start();
    gExtraList[12].Text = "5 buses";
    gExtraList[12].SignData = "x";
    AddListLine(12, false);
    h.mnuTextExtratext_Click();
    ASSERT_EQ(h.ExtraList->count(), 1);
    EXPECT_EQ(h.ExtraList->item(0)->text(), "  12   5 buses");
    for (int16_t perSign : {kTrue, kFalse}) {
        gExtraPerSign = perSign;
        gCurrentExtra = 1;
        h.ExtraList->setCurrentRow(-1);
        h.ExtraList->setCurrentRow(0);
        EXPECT_EQ(gCurrentExtra, 12);
        EXPECT_EQ(h.CurrNoTxt->text(), "12");
    }
    gExtraPerSign = kTrue;
    // A click that a commit caused is skipped once.
    kv::SkipExtraListClick = true;
    gCurrentExtra = 1;
    h.ExtraList->setCurrentRow(-1);
    h.ExtraList->setCurrentRow(0);
    EXPECT_EQ(gCurrentExtra, 1);
    EXPECT_FALSE(kv::SkipExtraListClick);
}

TEST_F(DocGui, TheCurrentNumberBoxChecksWhatIsTyped) {
    frmHead& h = Start();
    h.CurrNoTxt->setText(" 12 ");
    h.CurrNoTxt->setFocus();
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), h.CurrNoTxt);
    EXPECT_EQ(h.CurrNoTxt->text(), "12");
    EXPECT_EQ(h.CurrNoTxt->selectedText(), "12");
    // Not a number: the message, and the box keeps the focus.
    h.CurrNoTxt->setText("abc");
    h.DestList->setFocus();
    QApplication::processEvents();
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ(ui.messages.back().text, gTextS98);
    EXPECT_EQ(QApplication::focusWidget(), h.CurrNoTxt);
    h.CurrNoTxt->setText("7");
    h.DestList->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(gCurrentDest, 7);
    EXPECT_EQ(QApplication::focusWidget(), h.DestList);
}

TEST_F(DocGui, AutoCreateMakesNumberedTestEntries) {
    frmHead& h = Start();
    // Five fonts of the library whose list entries end in "1".
    gFontList = {"", "i Route 08", "3 x 1", "4 x 1", "5 x 1", "6 x 1", "7 x 1"};
    gFontCount = 6;
    std::vector<std::string> prompts;
    std::deque<std::string> answers = {"3", "12"};
    h.InputPrompt = [&](const std::string& prompt, const std::string& title, const std::string& value) {
        prompts.push_back(prompt + "|" + title + "|" + value);
        std::string a = answers.front();
        answers.pop_front();
        return a;
    };
    h.cmdX_Click();
    ASSERT_EQ(prompts.size(), 2u);
    EXPECT_EQ(prompts[0], std::string(kAutoCreateCountPrompt) + "|Snabb|99");
    EXPECT_EQ(prompts[1], std::string(kAutoCreateStartPrompt) + "|Snabb|1");
    ASSERT_EQ(h.DestList->count(), 3);
    EXPECT_EQ(h.DestList->item(2)->text(), "  14   0014 auto...");
    EXPECT_NE(gDestList[13].SignData.find("\xd4i0013"), std::string::npos);

    // With every destination 1..N used the repeat is offered.
    ResetAllState(ResetScope::Project);
    for (int n = 1; n <= 2; ++n) {
        gDestList[n].Text = "T" + std::to_string(n);
        gDestList[n].SignData = "x";
        AddListLine(static_cast<int16_t>(n), true);
    }
    ui.answers = {vbYes};
    answers = {"5"};
    prompts.clear();
    h.cmdX_Click();
    EXPECT_EQ(ui.messages.back().title, "Snabb");
    EXPECT_EQ(prompts.at(0), std::string(kAutoCreateTotalPrompt) + "|Snabb|99");
    EXPECT_EQ(h.DestList->count(), 5);
    EXPECT_EQ(gDestList[5].Text, "T1");

    // Without its fonts the command refuses.
    gFontList = {"", "i Route 08"};
    gFontCount = 1;
    prompts.clear();
    h.cmdX_Click();
    EXPECT_TRUE(prompts.empty());
    EXPECT_EQ(h.DestList->count(), 5);
}

TEST_F(DocGui, ExtraTextsWithoutSignSectionsShowOneSign) {
    frmHead& h = Start();
    struct Case {
        std::vector<std::pair<int, const char*>> signs;
        int16_t expected;
    };
    const Case cases[] = {
        {{{3, "K1000"}}, 16},
        {{{4, "K2000_1R"}, {6, "K2000_2R"}}, 4},
        {{{4, "K2000_1R"}, {9, "K4000"}, {11, "K4000"}}, 9},
    };
    for (const Case& c : cases) {
        h.mnuTextDesttext_Click();
        for (int a = 2; a <= 16; ++a) SignInfoOf(a).Model.clear();
        for (auto [a, model] : c.signs) Sign(a, model, 16, 8, true);
        gExtraPerSign = kFalse;
        h.mnuTextExtratext_Click();
        EXPECT_EQ(gCurrentSign, c.expected);
        EXPECT_TRUE(SignInfoOf(c.expected).Shown);
        for (auto [a, model] : c.signs)
            if (a != c.expected) {
                EXPECT_FALSE(SignInfoOf(a).Shown) << a;
            }
        EXPECT_FALSE(h.MenuItem("Signconfig_e")->isEnabled());
        EXPECT_FALSE(h.MenuItem("Signs_e")->isEnabled());
        EXPECT_EQ(gTextSignActive != 0, Left(SignInfoOf(c.expected).Model, 2) == "K2");
    }
    h.mnuTextDesttext_Click();
    EXPECT_TRUE(h.MenuItem("Signconfig_e")->isEnabled());
}

// A large project: every line has one size, as wide as the longest line, so
// the box scrolls sideways to the end of the longest one.
TEST_F(DocGui, ALargeProjectsListScrollsToItsLongestLine) {
    const std::string project = dir.file("large.txl");
    const testutil::ProbeResult g =
        testutil::RunProbe({"gen-project", project, "--dest", "3000", "--extra", "20", "--signs", "3", "--pages", "2"});
    ASSERT_EQ(g.exitCode, 0) << g.err;
    commandLine = {project};
    frmHead& h = Start();
    h.DestList->doItemsLayout();
    QApplication::processEvents();
    ASSERT_EQ(h.DestList->count(), 2999);  // destinations 1..2999; 0 is the default destination
    int longest = 0;
    for (int i = 0; i < h.DestList->count(); ++i) longest = std::max<int>(longest, h.DestList->item(i)->text().size());
    const QFontMetrics fm(h.DestList->font());
    const int needed = longest * fm.horizontalAdvance(QLatin1Char('W'));
    QScrollBar* bar = h.DestList->horizontalScrollBar();
    EXPECT_GE(bar->maximum() + h.DestList->viewport()->width(), needed);
}
