// The main window's load: the rest of the program's start.
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QIcon>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolBar>

#include "data/charmap.h"
#include "data/language.h"
#include "engine/editorview.h"
#include "engine/editstate.h"
#include "engine/pageload.h"
#include "data/startup.h"
#include "app/doccommands.h"
#include "ui/frmHead.h"
#include "app/headstate.h"
#include "app/headtexts.h"
#include "ui/headwidgets_qt.h"
#include "data/settings.h"
#include "platform/paths.h"
#include "ui/qtbridge_qt.h"
#include "platform/vb.h"

using namespace kv;

void frmHead::Form_Load() {
    gEditPicture = K4000_pct;
    gCursorPicture = CursorPicOld;
    // The editor places and measures cells; the dots come from the sign
    // rendering. Fonts tell the editor their height and the window their
    // name as they load.
    gNoEditorPaint = kTrue;
    InstallEditorFontHooks();
    InstallPageEditorHooks();

    // Folders, the settings file and the window's options; the font library
    // loads once the fonts folder is settled.
    MainFormSettings s = ReadMainSettings([this] { LoadFontLibraryStep(); });
    cmdX->setVisible(s.autoCreateButtonVisible);
    UseStandardMousePointer = s.useStandardMousePointer;
    AllowedCodeChars = s.allowedCodeChars;
    LineNo_txt->setMaxLength(gMaxLineNumbers);
    for (int n = 1; n <= 20; ++n) TNo_op[n]->setVisible(n <= gNumberOfChangingTexts);

    RestoreFormPlacement(this);

    LoadToolbarImages();
    // The buttons that each editing mode offers: 9..21 in text mode, 19..26
    // in graphic mode.
    TextModeButtons.clear();
    GraphModeButtons.clear();
    for (int i = 9; i <= 21; ++i) TextModeButtons.push_back(i);
    for (int i = 19; i <= 26; ++i) GraphModeButtons.push_back(i);

    gStartUp = kTrue;
    SetDataStartValues();
    LoadLanguageTexts();
    ReportMissingSettingsSections();
    setWindowTitle(Q(MainWindowCaption()));
    gAutoSaveFile = AutoSaveFileOf(ProgramFolder());

    InitDocument();
    gCurrentPictureIndex = 0;
    SetAlignment(1, false, true, true);
    gLastAutoSaveTime = MonotonicSeconds();
    kv::RecalcRowWidths();

    // The recent files are read before a project named on the command line
    // opens: it goes first in the list, and the others stay.
    InitRecentFiles();
    const std::string project = ProjectFromCommandLine(CommandLineArgs);
    if (!project.empty()) {
        bOpenWithoutDialog = true;
        OpenWithoutDialogPath = project;
        mnuÖppna_Click();
    }

    std::string icon = FindIconFile("Kivar32.ico");
    if (!icon.empty()) SetMainWindowIcon(Q(icon));
    SetFormIcon(this, "Kivar32.ico", false);
}

// The font list entry in the font label and in the status bar.
void frmHead::ShowFontLabel(const std::string& entry) { size_lbl->setText(Q(entry)); }
void frmHead::ShowFontStatus(const std::string& entry) { sb->SetPanelText(2, SizeFrame->title() + ": " + Q(entry)); }

void frmHead::LoadToolbarImages() {
    imlIcons->Clear();
    for (int n = 1; n <= 30; ++n) imlIcons->Add(picBut[n]->pixmap());
    int next = 0;
    for (int i = 1; i <= 38; ++i) {
        QAction* b = tbButtons[i];
        if (b->property("Style").toInt() == ToolbarButton::Separator) continue;
        b->setIcon(QIcon(imlIcons->Image(++next)));
    }
}
