// An error the core raises inside a real handler reaches the one catch of
// the program's QApplication: the modified project goes to the auto-save
// file first, the error is shown, and the window and the project stay as
// they were. A missing settings file ends the program after the same steps.
#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QMessageBox>
#include <QTimer>
#include <QToolBar>
#include <QWidget>

#include "app/handlererror.h"
#include "data/destlist.h"
#include "data/records.h"
#include "files/document.h"
#include "files/txlread.h"
#include "files/txlwrite.h"
#include "gui/head_fixture.h"
#include "gui/unwind_qt.h"
#include "platform/error.h"
#include "platform/paths.h"
#include "platform/safefile.h"
#include "platform/vb.h"
#include "ui/application_qt.h"
#include "ui/qtbridge_qt.h"

using namespace kv;

namespace {

class ErrorsGui : public HeadGui {
protected:
    // The window with a modified project named work.txl, its file on disk.
    frmHead& StartModified() {
        frmHead& h = ShowActivated();
        gDocumentPath = dir.file("work.txl");
        testutil::WriteFile(gDocumentPath, "the file as last saved");
        gDestList[5].Text = "\xff" "FRONT# FIVE";
        gDestList[5].SignData = "\xff\x02" "5";
        AddListLine(5, true);
        gDocumentModified = kTrue;
        return h;
    }
    // A click on a toolbar button, as the user makes it.
    void ClickToolbar(const char* key) {
        for (QAction* a : head->tbToolBar->actions()) {
            if (a->property("Key").toString() != key) continue;
            QWidget* button = head->tbToolBar->widgetForAction(a);
            ASSERT_TRUE(button && button->isVisible()) << key;
            QTest::mouseClick(button, Qt::LeftButton);
            return;
        }
        FAIL() << "no toolbar button " << key;
    }
};

TEST_F(ErrorsGui, AnErrorInAHandlerIsShownAndTheProjectStays) {
    frmHead& h = StartModified();
    const std::string project = BuildTxlFile(gTxlVersion);
    const int lines = h.DestList->count();
    RemoveFile(gAutoSaveFile);
    // Writing the project file fails inside the writer.
    SetSafeWriteFault([](SafeWriteStage s, const std::string& path) {
        if (s == SafeWriteStage::Write && BaseName(path) == "work.txl")
            throw Error(FileMessage(path, "the disk went away"), vbCritical);
        return false;
    });
    ui.messages.clear();
    {
        const QtUnwindLeftovers unwinding;
        ClickToolbar("Save");
    }

    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, dir.file("work.txl") + ":\rthe disk went away");
    EXPECT_EQ(ui.messages[0].style, vbCritical);
    EXPECT_TRUE(h.isVisible());
    // The project as it was, still modified, its file untouched.
    EXPECT_EQ(BuildTxlFile(gTxlVersion), project);
    EXPECT_EQ(gDocumentPath, dir.file("work.txl"));
    EXPECT_EQ(gDocumentModified, kTrue);
    EXPECT_EQ(h.DestList->count(), lines);
    EXPECT_EQ(testutil::ReadFile(dir.file("work.txl")), "the file as last saved");
    EXPECT_TRUE(ListDir(dir.path(), "*.kvtmp").empty());
    // Written before the message: the auto-save file holds the project.
    EXPECT_EQ(testutil::ReadFile(gAutoSaveFile), project);
    EXPECT_EQ(IniGetValue(gSettingsFile, "AutoSave", "FileName"), dir.file("work.txl"));

    // The window goes on: the next save, once the writer works, saves.
    SetSafeWriteFault(nullptr);
    ui.messages.clear();
    ClickToolbar("Save");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(testutil::ReadFile(dir.file("work.txl")), project);
    EXPECT_EQ(gDocumentModified, kFalse);
}

TEST_F(ErrorsGui, WithoutItsSettingsFileTheProgramEndsAfterTheAutoSave) {
    frmHead& h = StartModified();
    gDocumentPath.clear();  // untitled: Save runs Save As
    const std::string project = BuildTxlFile(gTxlVersion);
    RemoveFile(gAutoSaveFile);
    // Save As reads [Generell] ChooseFormat from the settings file.
    RemoveFile(gSettingsFile);
    ui.messages.clear();
    {
        const QtUnwindLeftovers unwinding;
        EXPECT_THROW(ClickToolbar("Save"), ProgramEnded);
    }
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, gSettingsFile + " not found!");
    EXPECT_EQ(ui.messages[0].style, vbCritical);
    EXPECT_EQ(testutil::ReadFile(gAutoSaveFile), project);
    EXPECT_FALSE(FileExists(gSettingsFile));

    // Any other missing file is shown and the program goes on.
    ui.messages.clear();
    HandleError(FileNotFound(dir.file("other.kcm")));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, dir.file("other.kcm") + " not found!");
    EXPECT_TRUE(h.isVisible());
}

}  // namespace

namespace {

// The message box the program shows for `text`, answered with its escape
// button once it is open: its text, its details and its height.
struct ShownBox {
    QString text, details;
    int height = 0;
};
ShownBox ShowBox(const std::string& text) {
    ShownBox shown;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return;
        poll.stop();
        shown = {box->text(), box->detailedText(), box->height()};
        box->reject();
    });
    poll.start();
    MsgBox(text, vbOKCancel);
    return shown;
}

}  // namespace

TEST_F(ErrorsGui, AMessageOfManyLinesOrAVeryLongOneShowsItsStartAndTheWholeInItsDetails) {
    InstallQtUiHost();
    std::string many = "Bad rows i file:\r\n\r\n";
    for (int i = 1; i <= 200; ++i) many += "row " + std::to_string(i) + "\r\n";
    const ShownBox a = ShowBox(many);
    EXPECT_LE(a.text.count('\n'), 31);
    EXPECT_TRUE(a.text.startsWith("Bad rows i file:\n\nrow 1\n"));
    EXPECT_TRUE(a.text.endsWith("\n..."));
    EXPECT_EQ(a.details, Q(many).replace("\r\n", "\n"));
    EXPECT_LT(a.height, 1000);

    const std::string line(2'000'000, 'x');
    const ShownBox b = ShowBox("Bad rows i file:\r\n\r\n" + line + "\r\n");
    EXPECT_LE(b.text.size(), 3004);
    EXPECT_EQ(b.details.size(), static_cast<qsizetype>(line.size() + 19));

    // A short message is shown whole, without details.
    const ShownBox c = ShowBox("Bad rows i file:\r\n\r\nrow 1\r\n");
    EXPECT_EQ(c.text, "Bad rows i file:\n\nrow 1\n");
    EXPECT_TRUE(c.details.isEmpty());
    SetUiHost(&ui);
}
