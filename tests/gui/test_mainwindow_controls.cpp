// Every control of the main window is there under its name, and the load
// applies the window's options to them.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QGroupBox>
#include <QRadioButton>
#include <QTimer>
#include <QToolBar>

#include "gui/head_fixture.h"
#include "ui/headwidgets_qt.h"
#include "ui/qtbridge_qt.h"

using namespace kv;

TEST_F(HeadGui, EveryControlIsThereUnderItsName) {
    frmHead& h = Load();
    const char* single[] = {
        "tbToolBar",  "DestList",      "ExtraList",  "Label1",        "Label2",        "Label3",
        "Label4",     "SignCaption_lbl", "CurrNoTxt", "LineNo_lbl",  "LineNo_txt",    "AutoSign_lbl",
        "AutoSign_lbl2", "SaveAndNew", "SaveDestOrExtra", "Remove",  "cmdX",          "cmdMatrix16",
        "SizeFrame",  "size_lbl",      "LibBigger",  "LibSmaller",    "Ch_Check",      "Ch_Frame",
        "lblChTime",  "txtCurrChTime", "BlackOut_chk", "lblBlackOut", "K4000_pct",     "K2000_pct",
        "Curs_2000",  "CursorPicOld",  "InPic",      "TempPic",       "dotpic",        "picActive",
        "imgBox",     "imgLine",       "imgPoint",   "imgFill",       "imgCut",        "imgInvert",
        "imgMirrorHorizontally", "imgMirrorVertically", "imgRotateCW", "imgRotateCCW", "imgRefresh", "imgTrash",
        "imgUndo",    "imgCursorKors1", "imgCursorMove", "sb",
    };
    for (const char* name : single) EXPECT_NE(h.findChild<QWidget*>(name), nullptr) << name;

    struct Array {
        const char* name;
        int first, last;
    };
    const Array arrays[] = {
        {"TNo_op", 1, 20},      {"picBut", 1, 30},   {"PicSignFrame", 0, 2},       {"picSign", 0, 2},
        {"Cursor", 0, 2},       {"lblSignName", 0, 2}, {"SignSB", 0, 2},           {"cmdScale", 0, 2},
        {"imgSelectPointSize", 0, 3}, {"imgCursorPoint", 0, 3},
    };
    for (const Array& a : arrays) {
        EXPECT_EQ(h.findChildren<QWidget*>(a.name).size(), a.last - a.first + 1) << a.name;
        for (int i = a.first; i <= a.last; ++i) EXPECT_NE(FindControl(&h, a.name, i), nullptr) << a.name << i;
    }
    // Each picture set lives in its own frame.
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(FindControl(&h, "picSign", i)->parentWidget(), FindControl(&h, "PicSignFrame", i));
        EXPECT_EQ(FindControl(&h, "SignSB", i)->parentWidget(), FindControl(&h, "PicSignFrame", i));
        EXPECT_EQ(FindControl(&h, "cmdScale", i)->parentWidget(), FindControl(&h, "PicSignFrame", i));
    }
    for (int i = 1; i <= 20; ++i) EXPECT_EQ(FindControl(&h, "TNo_op", i)->parentWidget(), static_cast<QWidget*>(h.Ch_Frame));

    struct TimerSpec {
        const char* name;
        int interval;
        bool active;
    };
    const TimerSpec timers[] = {
        {"CursorTimer", 200, false}, {"ScreenTimer", 40000, true}, {"timAutoSave", 60050, true}, {"timFixGUI", 100, false}};
    for (const TimerSpec& t : timers) {
        auto* timer = h.findChild<QTimer*>(t.name);
        ASSERT_NE(timer, nullptr) << t.name;
        EXPECT_EQ(timer->interval(), t.interval) << t.name;
        EXPECT_EQ(timer->isActive(), t.active) << t.name;
    }
    const auto timSign = h.findChildren<QTimer*>("timSign");
    ASSERT_EQ(timSign.size(), 3);
    for (QTimer* t : timSign) {
        EXPECT_EQ(t->interval(), 250);
        EXPECT_FALSE(t->isActive());
    }
    for (const char* name : {"imlIcons", "ComCtrl", "CommonDialog1"}) EXPECT_NE(h.findChild<QObject*>(name), nullptr) << name;
}

TEST_F(HeadGui, MenusAndToolbar) {
    frmHead& h = Load();
    const char* items[] = {
        "mnuArkiv", "mnuNytt", "mnu\xC3\x96ppna", "mnuSpara", "mnuSparasom", "mnuArkivImport", "mnuArkivImportFil2Dest",
        "mnuArkivImportEnBild", "mnuArkivImportBilder", "mnuArkivExport", "mnuArkivExportDest2Fil", "mnuSkrivut",
        "mnuSkrivutTillskrivare", "mnuSkrivutTillfil", "mnuSkrivutTillskrivareBilder", "mnuSkrivutAktuellSkylt",
        "mnuArkivFilesSep", "mnuArkivFile1", "mnuArkivFile2", "mnuArkivFile3", "mnuArkivFile4", "mnuAvsluta",
        "mnuRedigera", "Cut_e", "Paste_e", "Del_e", "cutALL_E", "Im_e", "Export_e", "Import_e", "Std_grf",
        "l_e", "auto_e", "ShowLineNo_e", "ExpandMore_e", "ExpandLess_e", "mnuLayoutInvertera", "T_e", "Font_e",
        "Show_e", "Insert_LineNo_e", "tx_e", "mnuTextDesttext", "mnuTextExtratext", "\xC3\xB6_e", "mnuTransferToFile",
        "mnuTransferIntelHex", "mnuTransferToTDOrLoader", "mnuTransferFileToTDOrLoader", "Transferfile_e", "mnuTools",
        "mnuToolsShowtime", "mnuToolsGenerateLineNo", "mnuToolsGenerateMBL", "mnuToolsSuperCopy",
        "mnuToolsOnePic2Graph", "mnuToolsPics2Graph", "mnuToolsFile2Dest", "mnuAlternativ", "Signconfig_e",
        "Signs_e", "Ln_e", "User_e", "mnuInst\xC3\xA4llningar", "h_e", "About_e", "mnuAbout", "A", "b",
    };
    for (const char* name : items) {
        auto* a = h.findChild<QAction*>(QString::fromUtf8(name));
        EXPECT_NE(a, nullptr) << name;
        EXPECT_EQ(h.MenuItem(QString::fromUtf8(name)), a) << name;
    }
    // The recent files stay hidden until there are some; the destination list is ticked.
    EXPECT_FALSE(h.MenuItem("mnuArkivFile1")->isVisible());
    EXPECT_TRUE(h.MenuItem("mnuTextDesttext")->isChecked());
    EXPECT_EQ(h.MenuItem("A")->property("Index").toInt(), 0);

    // 38 buttons, separators counted; every other button has its picture.
    ASSERT_EQ(h.tbToolBar->actions().size(), 38);
    EXPECT_EQ(h.findChild<ImageList*>("imlIcons")->Count(), 30);
    const int separators[] = {4, 7, 9, 13, 15, 19, 27, 32};
    for (int i = 1; i <= 38; ++i) {
        QAction* b = h.tbToolBar->actions()[i - 1];
        EXPECT_EQ(b, h.tbButtons[i]);
        EXPECT_EQ(b->property("Index").toInt(), i);
        const bool separator = std::find(std::begin(separators), std::end(separators), i) != std::end(separators);
        EXPECT_EQ(b->isSeparator(), separator) << i;
        EXPECT_EQ(b->icon().isNull(), separator) << i;
    }
    EXPECT_EQ(h.tbButtons[14]->objectName(), "Automatik");
    EXPECT_EQ(h.tbButtons[23]->objectName(), "Sax");
    for (int i : {28, 33, 38}) EXPECT_FALSE(h.tbButtons[i]->isEnabled()) << i;
    // Buttons of one group exclude each other.
    h.tbButtons[22]->trigger();
    h.tbButtons[24]->trigger();
    EXPECT_FALSE(h.tbButtons[22]->isChecked());
    EXPECT_TRUE(h.tbButtons[24]->isChecked());
}

TEST_F(HeadGui, LoadAppliesTheWindowsOptions) {
    Option("MaxNoOfChangingTexts", 12);
    Option("MaxLineNumbers", 4);
    Option("AutoCreateTextButtonVisible", 1);
    Option("UseStandardMousePointer", "Y");
    frmHead& h = Load();
    // The shipped data folder starts without a message: settings, fonts, language.
    for (const auto& m : ui.messages) ADD_FAILURE() << m.text;
    EXPECT_EQ(gSeparator, "\xFF");
    // Extra texts per sign are on at load; the template project turns them off.
    EXPECT_EQ(gExtraPerSign, kFalse);
    EXPECT_EQ(gAllowedCodeChars[1], " 0123456789AbCdEFHL");
    for (int i = 1; i <= 20; ++i) EXPECT_EQ(h.TNo_op[i]->isHidden(), i > 12) << i;
    EXPECT_EQ(h.LineNo_txt->maxLength(), 4);
    EXPECT_FALSE(h.cmdX->isHidden());
    EXPECT_TRUE(h.UseStandardMousePointer);
    EXPECT_EQ(gStartUp, kTrue);
    EXPECT_EQ(gAutoSaveFile, dir.path() + "/kivar.txl");
    EXPECT_EQ(gEditPicture, h.K4000_pct);
    EXPECT_EQ(gCursorPicture, h.CursorPicOld);
    EXPECT_EQ(h.TextModeButtons.front(), 9);
    EXPECT_EQ(h.TextModeButtons.size(), 13u);
    EXPECT_EQ(h.GraphModeButtons.front(), 19);
    EXPECT_EQ(h.GraphModeButtons.size(), 8u);

    head.reset();
    Option("MaxNoOfChangingTexts", 0);
    Option("MaxLineNumbers", 5);
    Option("AutoCreateTextButtonVisible", 0);
    frmHead& again = Load();
    for (int i = 1; i <= 20; ++i) EXPECT_EQ(again.TNo_op[i]->isHidden(), i > 8) << i;
    EXPECT_EQ(again.LineNo_txt->maxLength(), 3);
    EXPECT_TRUE(again.cmdX->isHidden());
}

TEST_F(HeadGui, RouteNumberControlsFollowTheSwitch) {
    frmHead& h = LoadAndActivate();
    EXPECT_FALSE(h.LineNo_txt->isVisibleTo(h.ClientArea));
    WindowPort().ShowRouteNumberControls(true);
    for (QWidget* w : std::initializer_list<QWidget*>{h.LineNo_txt, h.LineNo_lbl, h.AutoSign_lbl, h.AutoSign_lbl2})
        EXPECT_TRUE(w->isVisibleTo(h.ClientArea)) << w->objectName().toStdString();
    EXPECT_EQ(h.LineNo_lbl->text(), Q(gTextS57));
    WindowPort().ShowRouteNumberControls(false);
    EXPECT_FALSE(h.LineNo_lbl->isVisibleTo(h.ClientArea));
    EXPECT_FALSE(h.AutoSign_lbl2->isVisibleTo(h.ClientArea));
}

TEST_F(HeadGui, LoadWorksOutTheFreeWidthOfTheEditorsRow) {
    // With the route-number area shown the row keeps the area and a dot of
    // gap free of text.
    Option("ShowLineNO", 1);
    Load();
    ASSERT_NE(gShowLineNo, 0);
    ASSERT_TRUE(IsSignAddress(gCurrentSign));
    ASSERT_TRUE(IsRowIndex(gCurrentRow));
    const int16_t loaded = Row(gCurrentRow).FreeWidth;
    EXPECT_EQ(loaded, 5 * SignInfoOf(gCurrentSign).Width - gRouteNoAreaWidth - 5);
    RecalcRowWidths();
    EXPECT_EQ(Row(gCurrentRow).FreeWidth, loaded);
}
