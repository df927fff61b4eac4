// A main window started on a staged copy of the shipped data folder.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <map>
#include <memory>
#include <stdexcept>

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "data/charmap.h"
#include "data/destcodes.h"
#include "data/destlist.h"
#include "files/document.h"
#include "files/outoptions.h"
#include "files/recentfiles.h"
#include "app/doccommands.h"
#include "data/fontlist.h"
#include "data/ini.h"
#include "data/language.h"
#include "data/records.h"
#include "data/signtable.h"
#include "data/startup.h"
#include "engine/dotlayers.h"
#include "engine/editstate.h"
#include "engine/fontlib.h"
#include "engine/graphictools.h"
#include "engine/routenumber.h"
#include "engine/textedit.h"
#include "engine/textstrip.h"
#include "app/docsettings.h"
#include "app/entryload.h"
#include "app/shownsigns.h"
#include "app/signcontrols.h"
#include "platform/reset.h"
#include "ui/application_qt.h"
#include "ui/frmHead.h"
#include "ui/frmSignSel.h"
#include "ui/headwidgets_qt.h"
#include "ui/unbuiltmenus_qt.h"
#include "app/headstate.h"
#include "data/settings.h"
#include "platform/paths.h"
#include "platform/vb.h"
#include "support/fake_ui.h"
#include "support/testutil.h"
#include "support/txldump.h"
#include "gui/gui_helpers.h"
#include "gui/wait_qt.h"

// The end of the program, as the tests see it.
struct ProgramEnded : std::runtime_error {
    int code;
    explicit ProgramEnded(int c) : std::runtime_error("program ended"), code(c) {}
};

class HeadGui : public ::testing::Test {
protected:
    void SetUp() override {
        kv::ResetAllState();
        kv::SetProgramEnd([](int code) { throw ProgramEnded(code); });
        oldCwd = kv::CurrentDir();
        testutil::StageDataFolder(dir.path());
        ReadStart();
    }
    void TearDown() override {
        // The pointer leaves no widget under it for the next case's window
        // (a toolbar under the pointer stops the cursor timer).
        QCursor::setPos(-1000, -1000);
        QApplication::processEvents();
        head.reset();
        kv::SetCurrentDir(oldCwd);
        kv::ResetAllState();
    }
    // The program folder and the start settings of the staged folder.
    void ReadStart() {
        kv::SetProgramFolder(dir.path());
        kv::ReadStartSettings([] { kv::StoreLanguageChoice("English"); });
    }
    // Everything back to its start and the start settings read again: the
    // program starting anew on the same folders.
    void Restart() {
        kv::ResetAllState();
        ReadStart();
    }
    // Configures a sign slot before the window loads.
    static void Sign(int address, const std::string& model, int width, int height, bool shown, int zoom = 1,
                     const std::string& name = "") {
        kv::SignInfo& s = kv::SignInfoOf(address);
        s.Model = model;
        s.Width = static_cast<int16_t>(width);
        s.Height = static_cast<int16_t>(height);
        s.Shown = kv::VbBool(shown);
        s.Zoom = zoom;
        s.DotSize = kv::DotSizeOfZoom(zoom);
        s.Name = name.empty() ? "S" + std::to_string(address) : name;
    }
    // Sets a [Generell] option of the staged settings before the window loads.
    void Option(const std::string& key, const kv::IniValue& value) {
        kv::IniSetValue(kv::gSettingsFile, "Generell", key, value);
    }
    frmHead& Load() {
        head = std::make_unique<frmHead>();
        // The test program's own arguments name no project.
        head->CommandLineArgs = commandLine;
        head->Form_Load();
        return *head;
    }
    frmHead& LoadAndActivate() {
        Load();
        head->EnsureActivated();
        return *head;
    }
    // Loaded, activated and shown at 1024 x 768 as the active window.
    frmHead& ShowActivated() {
        LoadAndActivate();
        head->resize(1024, 768);
        head->show();
        EXPECT_TRUE(waitqt::Shown(head.get()));
        head->activateWindow();
        QApplication::processEvents();
        return *head;
    }
    // Loaded, shown at 1024 x 768 and then activated.
    frmHead& ShowLoaded() {
        Load();
        head->resize(1024, 768);
        head->show();
        EXPECT_TRUE(waitqt::Shown(head.get()));
        QApplication::processEvents();
        head->EnsureActivated();
        QApplication::processEvents();
        return *head;
    }
    // The status bars of the first two frames: only the active sign's shows
    // the active marker.
    ::testing::AssertionResult OnlyTheActiveSignIsMarked() {
        const QImage active = head->picActive->pixmap().toImage();
        for (int k : {0, 1})
            if ((head->SignSB[k]->PanelPicture(4).toImage() == active) != (k == head->ActivePictureIndex))
                return ::testing::AssertionFailure() << "frame " << k << ", active " << head->ActivePictureIndex;
        return ::testing::AssertionSuccess();
    }
    // The program started afresh with `path` on its command line, shown.
    frmHead& ShowOpenedOnCommandLine(const std::string& path) {
        Restart();
        commandLine = {path};
        return ShowLoaded();
    }
    // A menu item held disabled because its command is not built yet: what
    // enables it otherwise cannot be seen on it.
    static bool Unbuilt(const std::string& name) {
        for (const UnbuiltMenuItem& item : UnbuiltMenuItems())
            if (name == item.name) return true;
        return false;
    }
    // A double click on the line of destination `number`, which loads it.
    void OpenDest(int number) {
        const int row = kv::FindListIndexByNumber(kv::DestList, static_cast<int16_t>(number));
        ASSERT_GE(row, 0) << number;
        DoubleClickRow(head->DestList, row);
        QApplication::processEvents();
        ASSERT_EQ(kv::gCurrentDest, number);
    }
    // The Signs command with exactly the given rows of its dialog ticked
    // (counted from 1 in the dialog's order), then OK.
    void ShowSignRows(std::initializer_list<int> rows) {
        WhenShown<frmSignSel> dialog([rows](frmSignSel& d) {
            for (int i = 1; i <= d.Total(); ++i)
                SetChecked(d.Sign_cbx.at(i), std::find(rows.begin(), rows.end(), i) != rows.end());
            QTest::mouseClick(d.Ok_cmd, Qt::LeftButton);
        });
        head->MenuItem("Signs_e")->trigger();
        ASSERT_TRUE(dialog.seen);
        QApplication::processEvents();
    }
    // File > Save, then what the saved project file stores per destination.
    std::map<int, testtxl::Stored> SaveAndReadBack(const std::string& path) {
        head->MenuItem("mnuSpara")->trigger();
        EXPECT_EQ(kv::gDocumentModified, kv::kFalse);
        return testtxl::ReadBack(path);
    }
    // An edit that no Save stored: a key typed on the active sign picture;
    // and the edit dropped again by loading the entry anew (the set-up of
    // the next step, not a step under test).
    void TypeUnstoredEdit() {
        ASSERT_GE(head->ActivePictureIndex, 0);
        QWidget* picture = head->picSign[head->ActivePictureIndex];
        picture->setFocus();
        QTest::keyClick(picture, Qt::Key_End);
        QTest::keyClicks(picture, "Q");
        QApplication::processEvents();
        ASSERT_TRUE(kv::UnstoredEdits());
    }
    void TakeBackUnstoredEdit() {
        kv::ReloadCurrentEntry();
        QApplication::processEvents();
        ASSERT_FALSE(kv::UnstoredEdits());
    }
    // A key of the language file, read on its own.
    std::string Key(const std::string& key) {
        return kv::IniGetValue(kv::gLanguageFile, kv::gLanguage, key, kv::kIniOpenClose);
    }

    testutil::TempDir dir;
    std::vector<std::string> commandLine;
    std::string oldCwd;
    FakeUi ui;
    std::unique_ptr<frmHead> head;
};
