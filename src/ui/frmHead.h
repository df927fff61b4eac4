// The main window: menus, toolbar, the destination and extra-text lists, up to
// three sign pictures with their frames and status bars, the buttons and
// boxes around them, and the timers.
//
// Files: frmHead.cpp (construction, services, stubs of later procedures),
// frmHeadControls.cpp (the controls and menus), frmHeadLoad.cpp (load),
// frmHeadTexts.cpp (activation texts), frmHeadLayout.cpp (resize layout),
// frmHeadRouting.cpp (keyboard and mouse routing), frmHeadDocument.cpp (the
// start of a document), frmHeadSigns.cpp (the sign pictures and their
// painting), frmHeadSignControls.cpp (the window by the current sign's
// model), frmHeadActive.cpp (the active sign, frame drag, the pictures'
// mouse events), frmHeadTools.cpp (toolbar, edit commands, editor controls),
// frmHeadRouteTools.cpp (the route-number tools and the zoom buttons).
#pragma once

#include <QHash>
#include <QColor>
#include <QMainWindow>
#include <array>
#include <functional>
#include <optional>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "app/entryload.h"
#include "app/headtexts.h"
#include "platform/ports.h"

class QAction;
class QActionGroup;
class QCheckBox;
class QFileDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QRadioButton;
class QSerialPort;
class QTimer;
class QToolBar;
class QToolButton;
class ImageControl;
namespace kv {
struct StripLayout;
}
class ImageList;
class PanelStatusBar;
class frmPrefOUTFile;
class frmShowTime;
class SignAreaScroll;
class SignFrame;
class SignPicture;

class frmHead : public QMainWindow,
                public kv::SignCanvas,
                public kv::EditorCanvas,
                public kv::StripCanvas,
                public kv::CommandState,
                public kv::DocumentWindow,
                public kv::ListWindow,
                public kv::SignWindow,
                public kv::EditorControls {
    Q_OBJECT
public:
    explicit frmHead(QWidget* parent = nullptr);
    ~frmHead() override;

    // ---------------------------------------------------------- load, activation, layout
    // The rest of the start: folders and options, the font library, the
    // toolbar, the language texts, the start document, the command line.
    void Form_Load();
    // Every caption, menu text and tooltip; the first time also the starting
    // state of the editing controls.
    void Form_Activate();
    // Makes sure activation runs even where the window system does not report it.
    void EnsureActivated();
    // Places the lists, record buttons, number group and text-sign strip.
    void Form_Resize();
    void timFixGUI_Timer();
    // Fits the frame, status bar and zoom button of sign picture set `index`.
    void picSign_Resize(int index);

    // ---------------------------------------------------------- services to the core
    void ShowRouteNumberControls(bool on) override;
    void SetMainCaption(const std::string& caption) override;
    void ShowRecentFileEntry(int n, const std::string& caption, bool visible) override;
    void ShowRecentFilesSeparator(bool visible) override;
    void SetSignPixel(int32_t x, int32_t y) override;
    void ClearSignPixel(int32_t x, int32_t y) override;
    void ClearSignPictureColor(int32_t colour) override;
    void EnableUndoImage(bool on) override;
    // The character strip of the text signs.
    void ClearStripPlace(int32_t x, int32_t y) override;
    void DrawStripChar(int32_t x, int32_t y, int16_t charCode) override;
    void RefreshStrip() override;
    // The editor picture, while the editor paints itself.
    void ClearEditorPicture() override;
    void RefreshEditorPicture() override;
    void ClearEditorRect(int32_t x, int32_t y, int32_t w, int32_t h) override;
    void CopyEditorRect(int32_t x, int32_t y, int32_t w, int32_t h, int32_t toX, int32_t toY) override;
    void PaintEditorGlyph(const std::string& fontId, int16_t charCode, int32_t x, int32_t y) override;
    // After the editor's reset: the current sign's picture starts afresh.
    void SelectK4000Graphic(int16_t k) override;
    // Menu items by name, the toolbar buttons' pressed state, the cut tools,
    // the changing-texts box, the window's page and the route-number box, as
    // the page loader and the editor slots set them.
    void EnableMenuItem(const std::string& name, bool enabled) override;
    void CheckMenuItem(const std::string& name, bool checked) override;
    int16_t ToolbarButtonValue(int16_t index) override;
    void SetToolbarButtonValue(int16_t index, int16_t value) override;
    void ResetCutTools() override;
    bool ChangingTextsChecked() override;
    void SetChangingTextsChecked(bool checked) override;
    void SetWindowPage(int16_t page) override;
    void SetRouteNoBoxText(const std::string& text) override;
    std::string MainCaption() override;
    void SetSaveButtonCaption(const std::string& caption) override;
    void ShowFontLabel(const std::string& entry) override;
    void ShowFontStatus(const std::string& entry) override;
    kv::FileDialogChoice FileDialog(const kv::FileDialogRequest& request) override;
    bool MenuItemChecked(const std::string& name) override;
    std::string MenuItemCaption(const std::string& name) override;
    // The lists and the boxes of the current entry.
    std::string FocusedControl() override;
    int SelectedListRow(bool destinations) override;
    void SelectListRow(bool destinations, int row) override;
    void ShowList(bool destinations) override;
    bool ListShown(bool destinations) override;
    void SetListExtent(bool destinations, int32_t extent) override;
    void SetListCaptions(const std::string& numberCaption, const std::string& listCaption) override;
    void SetNumberBoxMaxLength(int length) override;
    void ShowBlackoutBox(bool shown) override;
    void SetBlackoutChecked(bool checked) override;
    void ShowRouteNumberBox(bool shown) override;
    void ShowPageFrame() override;
    void ResetActivePicture() override;
    bool ToolbarButtonEnabled(int16_t index) override;
    void EnableToolbarButton(int16_t index, bool on) override;
    // The controls around the editor (frmHeadTools.cpp).
    void SetEditPointer(int16_t pointer, int16_t pen) override;
    void SetDrawStyle(int16_t style) override;
    void MarkToolImage(int16_t tool) override;
    void MarkPenImage(int16_t pen) override;
    bool CursorTimerEnabled() override;
    void EnableCursorTimer(bool on) override;
    bool CursorPictureShown() override;
    void ShowCursorPicture(bool on) override;
    void PlaceCursorPicture(int32_t left, int32_t top, int32_t width, int32_t height) override;
    bool StripCursorShown() override;
    void ShowStripCursor(bool on) override;
    void PlaceStripCursor(int32_t left, int32_t top, int32_t width, int32_t height) override;
    void SetCursorTimerInterval(int32_t ms) override;
    bool SignPictureHasFocus() override;
    void ShowFontStepButtons(bool on) override;
    // The separators of a text sign's strip, in the strip's foreground colour.
    void DrawStripSeparators(const kv::StripLayout& layout);
    // The colour of the characters on the strip.
    QColor StripTextColour{255, 255, 0};

    // ---------------------------------------------------------- the graphic sign pictures
    // Gives the shown graphic signs their picture sets (at most three) and,
    // with resize, places the frames and resets the zooms. More shown
    // graphic signs than pictures are reported once (S150).
    void LayoutSignPictures(bool resize, bool large) override;
    // A new choice of shown signs laid out: large pictures, then again after
    // the pending events; the choice is reported once at most.
    void LayoutChosenSigns();
    // Places the sign's frame, optionally resetting its zoom.
    void SizeSignPicture(int16_t sign, bool resetZoom, bool large);
    // Sizes the sign's picture to its dot grid.
    void SelectSign(int16_t sign) override;
    void ResetPictureControls();
    // Clears the graphics of the visible pictures before an entry is loaded
    // (only the current sign's with currentOnly).
    void SelectK4000Graphic(bool currentOnly) override;
    // Renders (unless keepTextLayer) and paints the current sign; with
    // toPrinter the dots go to the print target instead.
    void ShowSign(bool keepTextLayer, bool toPrinter);
    // The current sign's lit dots on its picture.
    void PaintSign(bool toPrinter) override;
    // One dot, 1-based, in a colour (0xBBGGRR; -1 the picture's foreground).
    void DrawDot(SignPicture* picture, int32_t col, int32_t row, int32_t zoom, int32_t colour);
    void DrawDotOnSign(int32_t col, int32_t row, int32_t zoom, int32_t colour);
    // Outlines on the current sign's picture between corners in fifths of a
    // dot: a rectangle (box) or a line; drawn again in black they vanish.
    void ClearSignPicture(int32_t colour, bool box);
    void ClearSignRect(int32_t colour, int32_t x1, int32_t y1, int32_t x2, int32_t y2, bool box) override;
    void ClearSignRectColor(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t colour);
    void ClearSignPictureBlack();
    void ClearSignPictureRed();
    void ClearSignPictureNoRefresh();
    // Picture pixels of the selection corners, or of given corners.
    void CalcPixelGrid(int32_t& x1, int32_t& y1, int32_t& x2, int32_t& y2) const;
    void CalcPixelRect(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t& x1, int32_t& y1, int32_t& x2,
                       int32_t& y2) const;
    // Draw style of the current sign's picture: 0 solid, 3 dash-dot.
    void RefreshSignPicture(int16_t style);
    // Keyboard focus to the current sign's picture; in text mode the cursor
    // timer runs.
    void RefreshCurrentSignPicture();
    // picSign of the current sign's graphic index; null without one.
    SignPicture* CurrentSignPicture() const;

    // ---------------------------------------------------------- the main window by sign model
    // Arranges the window for the sign's model, sets the captions of the
    // shown signs and makes the sign current.
    void UpdateSignControls(int16_t address) override;
    // Enters and leaves the text-sign line mode.
    void UpdateToolbarState() override;
    void UpdateToolbarState2() override;
    // Lays out the sign area: the frames of the shown graphic signs in rows
    // within the window's width, the tool images above them, the character
    // strip of a current text sign below them. The area takes the height
    // they need (it scrolls beyond the room the window has) and the
    // controls and lists below it move down. Runs at every resize and
    // whenever the frames or the strip change (shown signs, a sign's size,
    // the zoom).
    void ArrangeSignArea();
    // The invert command is offered only while a graphic sign is current.
    void EnableK4000Controls();
    // Options/Shown signs: the shown-signs dialog, then the active sign
    // afresh.
    void Signs_e_Click();
    // Options/Sign configuration: the configuration dialog, then (unless it
    // was cancelled) the shown-signs dialog.
    void Signconfig_e_Click();

    // ---------------------------------------------------------- the active sign
    // Makes the sign of picture set `index` the active sign.
    void ChangeAddress(int16_t index, bool recount, bool keep);
    // The pages of a sign in the current record (-1: the current sign);
    // raises the offered page options when there are more.
    int16_t NumberOfChangingTexts(int16_t sign);
    // Enables the page options 1..count and selects one; count -1 adds one.
    void UpdateNoOfTextsOption(int16_t count, int16_t selected);
    // A mouse position on picture `index` in fifths of a dot.
    void PictureHit(int index, float& x, float& y) const;

    // ---------------------------------------------------------- keyboard and mouse routing
    // KeyCode and Shift as the window system numbers them (37 left, 1 Shift,
    // 2 Ctrl, 4 Alt). KeyAscii may be changed or set to 0 to drop the key.
    void Form_KeyDown(int16_t keyCode, int16_t shift);
    void Form_KeyPress(int16_t& keyAscii);
    // Button 1 left, 2 right; X, Y in client pixels.
    void Form_MouseDown(int16_t button, int16_t shift, float x, float y);
    void Form_MouseMove(int16_t button, int16_t shift, float x, float y);
    // The screen's mouse pointer: 0 default, 11 hourglass, 15 size all.
    static int ScreenMousePointer();
    static void SetScreenMousePointer(int pointer);

    // ---------------------------------------------------------- the document
    void LoadFontLibraryStep();  // the font library from gFontPath
    // The start values of the project data: the section separator, the code
    // characters read at load (AllowedCodeChars), extra texts per sign, the
    // sign configuration's cancel flag.
    void SetDataStartValues();
    // Out-file defaults, the document settings, then the project of an
    // abnormal end (the auto-save file, at start only) or the template
    // project; the first listed sign becomes current.
    void InitDocument();
    void ReadLibFile();
    void InitRecentFiles();
    // The list boxes follow the lines of the project's two lists (off: no
    // longer).
    void MirrorListModels(bool on);
    // Once after a start from the auto-save file, the notice about it.
    void CursorTimer_Timer();

    // ---------------------------------------------------------- handlers of the sign pictures
    void picSign_Click(int index);
    bool StripKeepsTheKeys();
    void picSign_GotFocus(int index);
    void picSign_LostFocus(int index);
    void picSign_MouseDown(int index, int16_t button, int16_t shift, float x, float y);
    void picSign_MouseMove(int index, int16_t button, int16_t shift, float x, float y);
    void picSign_MouseUp(int index, int16_t button, int16_t shift, float x, float y);
    void PicSignFrame_Click(int index);
    void PicSignFrame_GotFocus(int index);
    void PicSignFrame_MouseDown(int index, int16_t button, int16_t shift, float x, float y);
    void PicSignFrame_MouseMove(int index, int16_t button, int16_t shift, float x, float y);
    void PicSignFrame_MouseUp(int index, int16_t button, int16_t shift, float x, float y);
    void SignSB_PanelClick(int index, int panel);
    void timSign_Timer(int index);

    // ---------------------------------------------------------- committing and removing entries
    // (frmHeadEntry.cpp) The store buttons, Remove, the page options and the
    // change-time box; the commit itself is kv::Save.
    void SaveDestOrExtra_Click();
    void SaveAndNew_Click();
    void Remove_Click();
    void TNo_op_Click(int index);
    // The page's content is loaded: the current sign's of a destination,
    // every sign's of an extra text.
    void TNo_op_DblClick(int index);
    void txtCurrChTime_Change();
    void txtCurrChTime_LostFocus();
    // Writes a text into a sign as typed and commits it as Save and new does.
    void SkrivTextISkylt(const std::string& text, int16_t unused, int16_t& sign);
    void InvertTextToGraph();
    void RedrawTextSigns();
    void FocusSignPicture() override;
    void FocusStrip() override;
    // (frmHeadRouteNo.cpp) The route-number box, the route-number commands,
    // the blackout and changing-texts check boxes and the character spacing.
    void LineNo_txt_Change();
    void LineNo_txt_GotFocus();
    void LineNo_txt_KeyPress(int16_t keyAscii);
    void LineNo_txt_LostFocus();
    void ShowLineNo_e_Click();
    void Insert_LineNo_e_Click();
    // The dialog that inserts a route-number field (frmLineNoInsert), when
    // there is one.
    std::function<void()> LineNoInsertDialog;
    // (frmHeadRouteTools.cpp) After generation, the window set up again for
    // the current sign.
    void ShowSignsAgain();
    void KeepActiveMarkerOnActiveSign();
    void lblBlackOut_Click();
    void BlackOut_chk_Click();
    void Ch_Check_Click();
    void ExpandLess_e_Click();
    void ExpandMore_e_Click();

    // ---------------------------------------------------------- procedures filled in by later steps
    // Each is called where the start and the handlers need it and does
    // nothing yet.
    void SetAlignment(int16_t alignment, bool noToolbar, bool redraw, bool flag4);
    void ShowAlignment() override;
    void ScreenTimer_Timer();
    void tbToolBar_ButtonClick(QAction* button);

    // ---------------------------------------------------------- editing (frmHeadTools.cpp)
    // The right button opens the cut mode choice; the pointer over the
    // toolbar pauses the cursor.
    void tbToolBar_MouseDown(int16_t button);
    void tbToolBar_MouseMove();
    void Cut_e_Click();
    void Paste_e_Click();
    void Del_e_Click();
    void cutALL_E_Click();
    void auto_e_Click();
    void Export_e_Click();
    void Import_e_Click();
    void LibBigger_Click();
    void LibSmaller_Click();
    void Curs_2000_Click();
    // The graphic tool images (the toolbar offers the same tools): each
    // presses its toolbar button.
    void imgCut_MouseDown(int16_t button);
    void imgSelectPointSize_Click(int index);
    // Clicks toolbar button `index` as the mouse would, when it is usable.
    void PressToolbarButton(int index);
    // The cut mode choice, modal.
    void ShowCutPreferences();

    // ---------------------------------------------------------- the File commands
    // Record 0, the default destination, rebuilt from the sign table.
    void InitDefaultDestination();
    // 6 = go on, 2 = stop (the project is saved first when the user wants).
    int16_t QuerySaveDocument();
    void mnuNytt_Click();
    void mnuÖppna_Click();
    void mnuSpara_Click();
    void mnuSparasom_Click();
    void mnuAvsluta_Click();
    // Recent file n (1..4) of the File menu.
    void mnuArkivFile_Click(int n);
    // Whether the window may close (the questions of Exit); closing then ends
    // the session as Exit does.
    bool Form_QueryUnload();
    void timAutoSave_Timer();
    // The horizontal extent of the visible list: -1 forgets the lengths, no
    // argument measures the list's lines, a length counts when it is longer.
    void AdjustLists(std::optional<int> length = std::nullopt);
    // The main window is the program's active form.
    bool ActiveFormIsMain() const;

    // ---------------------------------------------------------- printing (frmHeadPrint.cpp)
    void mnuSkrivutTillskrivare_Click();
    void mnuSkrivutTillfil_Click();
    void mnuSkrivutTillskrivareBilder_Click();
    void mnuSkrivutAktuellSkylt_Click();
    void mnuArkivExportDest2Fil_Click();
    void User_e_Click();

    // Every file choice of the window goes through ChooseFile; tests replace it.
    using FileDialogRequest = kv::FileDialogRequest;
    using FileDialogChoice = kv::FileDialogChoice;
    std::function<FileDialogChoice(const FileDialogRequest&)> ChooseFile;
    FileDialogChoice ShowFileDialog(const FileDialogRequest& request);
    // An input box (prompt, title, proposed text): the answer, "" when
    // cancelled. Tests replace it.
    std::function<std::string(const std::string&, const std::string&, const std::string&)> InputPrompt;
    std::string ShowInputBox(const std::string& prompt, const std::string& title, const std::string& value);

    // ---------------------------------------------------------- preferences, fonts, About
    // (frmHeadDialogs.cpp) The preferences (not modal), the font selection
    // in pick mode, the font browser, the About window (About_e not modal).
    void mnuInställningar_Click();
    void Font_e_Click();
    void Show_e_Click();
    void About_e_Click();
    void mnuAbout_Click();
    // A press on a font-step button (1 left, 2 right): any button but the
    // left opens the font selection.
    void LibBigger_MouseDown(int16_t button);
    void LibSmaller_MouseDown(int16_t button);
    // The font selection, then the editor and the sign painted again.
    void PickFontDialog();

    // ---------------------------------------------------------- the Transfer commands
    // (frmHeadTransfer.cpp) the out-file to a file, to Intel HEX, to the
    // transfer program; an out-file to the transfer program; the out-file
    // options; sending the current destination; the sign simulation.
    void mnuTransferToFile_Click();
    void mnuTransferIntelHex_Click();
    void mnuTransferToTDOrLoader_Click();
    void mnuTransferFileToTDOrLoader_Click();
    void Transferfile_e_Click();
    void cmdMatrix16_Click();
    void mnuToolsShowtime_Click();
    // The simulation has ended: the window back, the signs, page and shown
    // flags as they were, the current entry opened again.
    void EndShowtime();
    // (frmHeadPic2Graph.cpp) the bitmap import of one picture or a batch.
    void mnuArkivImportEnBild_Click();
    void mnuToolsOnePic2Graph_Click();
    void mnuArkivImportBilder_Click();
    void mnuToolsPics2Graph_Click();
    void ShowPic2Graph(bool single);
    // The out-file options dialog once loaded, and the running simulation.
    frmPrefOUTFile* PrefOUTFile = nullptr;
    frmShowTime* ShowTime = nullptr;

    // ---------------------------------------------------------- menus to other windows
    // (frmHeadMenus.cpp) The text import of the active list (File and Tools
    // menus); the copy and paste of whole entries in the lists; the menus
    // and the zoom buttons that open the windows of other parts; the menu
    // items held disabled while their command is not built.
    void mnuArkivImportFil2Dest_Click();
    void mnuToolsFile2Dest_Click();
    // The list parts of Edit/Copy and Edit/Paste: true when a list had the
    // focus and took the command.
    bool CopyListRecords();
    bool PasteListRecords();
    void CopyDestRecords();
    void CopyExtraRecords();
    void PasteDestRecords();
    void PasteExtraRecords();
    // Drops an extra-text copy buffer that no longer fits the project.
    void CheckCopyBuffer();
    void Ln_e_Click();
    void mnuToolsGenerateLineNo_Click();
    void mnuToolsSuperCopy_Click();
    void mnuToolsGenerateMBL_Click();
    void Std_grf_Click();
    void A_Click(int index);
    void b_Click();
    // The zoom button of sign picture set `index`: the zoom dialog for the
    // active picture; pressed on another, the two frames flash.
    void cmdScale_Click(int index);
    // The windows of other parts that these commands open; one left empty
    // is not there yet (its menu items are held disabled).
    struct OtherWindows {
        std::function<void()> LineNoLayout;    // frmLineNo, modal
        std::function<void()> GenerateLineNo;  // frmToolsGenerateLineNo, modal; reads gSuperCopyMode
        std::function<void()> SignScale;       // frmSignScale, modal, for the current sign
    } Windows;

    // ---------------------------------------------------------- the lists
    void mnuTextDesttext_Click();
    void mnuTextExtratext_Click();
    void DestList_Click();
    // Loads the selected destination into the sign pictures.
    void DestList_DblClick();
    void DestList_KeyPress(int16_t keyAscii);
    void ExtraList_Click();
    void ExtraList_DblClick();
    void ExtraList_KeyPress(int16_t keyAscii);
    void CurrNoTxt_GotFocus();
    void CurrNoTxt_LostFocus();
    // Fills the destination table with numbered test entries.
    void cmdX_Click();

    // ---------------------------------------------------------- controls
    QWidget* ClientArea = nullptr;  // the client area; every position is relative to it
    PanelStatusBar* sb = nullptr;   // the window's status bar under the client area

    // Menus: every item by its name (submenus by their item's name too).
    QAction* MenuItem(const QString& name) const;
    QMenu* SubMenu(const QString& name) const;
    QList<QAction*> MenuItems() const { return menuItems_.values(); }

    QToolBar* tbToolBar = nullptr;
    std::array<QAction*, 39> tbButtons{};  // 1..38, separators included
    ImageList* imlIcons = nullptr;
    std::array<ImageControl*, 31> picBut{};  // 1..30: the toolbar's pictures

    QListWidget* DestList = nullptr;
    QListWidget* ExtraList = nullptr;
    QLabel* Label1 = nullptr;  // "Shown signs:"
    QLabel* SignCaption_lbl = nullptr;
    QLabel* Label2 = nullptr;  // caption of the list
    QLabel* Label3 = nullptr;  // caption of the number box
    QLabel* Label4 = nullptr;  // "Signs:", the status bar's prefix
    QLineEdit* CurrNoTxt = nullptr;
    QLabel* LineNo_lbl = nullptr;
    QLineEdit* LineNo_txt = nullptr;
    QLabel* AutoSign_lbl = nullptr;
    QLabel* AutoSign_lbl2 = nullptr;
    QPushButton* SaveAndNew = nullptr;
    QPushButton* SaveDestOrExtra = nullptr;
    QPushButton* Remove = nullptr;
    QPushButton* cmdX = nullptr;
    QPushButton* cmdMatrix16 = nullptr;
    QGroupBox* SizeFrame = nullptr;
    QLabel* size_lbl = nullptr;
    QPushButton* LibBigger = nullptr;
    QPushButton* LibSmaller = nullptr;
    QCheckBox* Ch_Check = nullptr;
    QGroupBox* Ch_Frame = nullptr;
    std::array<QRadioButton*, 21> TNo_op{};  // 1..20
    QLabel* lblChTime = nullptr;
    QLineEdit* txtCurrChTime = nullptr;
    QCheckBox* BlackOut_chk = nullptr;
    QLabel* lblBlackOut = nullptr;

    // The sign area and its content, in which the sign pictures stand.
    SignAreaScroll* SignArea = nullptr;
    QWidget* SignAreaContent = nullptr;
    // Sign picture sets 0..2.
    std::array<SignFrame*, 3> PicSignFrame{};
    std::array<SignPicture*, 3> picSign{};
    std::array<QWidget*, 3> Cursor{};
    std::array<QLabel*, 3> lblSignName{};
    std::array<PanelStatusBar*, 3> SignSB{};
    std::array<QToolButton*, 3> cmdScale{};
    std::array<QTimer*, 3> timSign{};
    ImageControl* picActive = nullptr;
    ImageControl* picInactive = nullptr;

    SignPicture* K4000_pct = nullptr;  // the editor's picture of a graphic sign
    SignPicture* K2000_pct = nullptr;  // the character strip of a text sign
    QWidget* Curs_2000 = nullptr;      // the strip's cursor
    QWidget* CursorPicOld = nullptr;   // the text cursor until a sign is active
    SignPicture* InPic = nullptr;      // scratch pictures of the glyph drawing
    SignPicture* TempPic = nullptr;
    SignPicture* dotpic = nullptr;     // dot sample

    // Graphic tool images (the toolbar carries the same tools and shows them).
    ImageControl *imgBox = nullptr, *imgLine = nullptr, *imgPoint = nullptr, *imgFill = nullptr, *imgCut = nullptr;
    ImageControl *imgInvert = nullptr, *imgMirrorHorizontally = nullptr, *imgMirrorVertically = nullptr;
    ImageControl *imgRotateCW = nullptr, *imgRotateCCW = nullptr, *imgRefresh = nullptr, *imgTrash = nullptr;
    ImageControl* imgUndo = nullptr;
    std::array<ImageControl*, 4> imgSelectPointSize{};
    std::array<ImageControl*, 4> imgCursorPoint{};
    // The shown tool images in their row, each with the toolbar button it
    // works like (its index).
    std::vector<std::pair<ImageControl*, int>> ToolImageRow() const;
    ImageControl* imgCursorKors1 = nullptr;
    ImageControl* imgCursorMove = nullptr;

    QTimer* CursorTimer = nullptr;
    QTimer* ScreenTimer = nullptr;
    QTimer* timAutoSave = nullptr;
    QTimer* timFixGUI = nullptr;
    QSerialPort* ComCtrl = nullptr;
    QFileDialog* CommonDialog1 = nullptr;

    // ---------------------------------------------------------- form-level state
    bool bOpenWithoutDialog = false;
    // The project Open reads without a dialog (the command line, a recent file).
    std::string OpenWithoutDialogPath;
    // The program's arguments (without its own name), Windows-1252; the load
    // opens the project they name.
    std::vector<std::string> CommandLineArgs;
    // Save As offers the older format versions ([Generell] ChooseFormat "1").
    bool ChooseFormat = false;
    bool CheckingCurrentNumber = false;
    // The page the window shows for the active sign (the editor slots set it).
    int16_t WindowPage = 1;
    bool bWritingRouteNumber = false;
    bool LineNoBusy = false;
    int16_t ActivePictureIndex = -1;
    std::array<long, 4> FrameDragStartX{}, FrameDragStartY{};
    bool BlinkOn = false;
    // Set around the active-marker click's change of sign.
    bool KeepGraphicOnPanelClick = false;
    // What the list named when the mouse last pressed on it, for the double
    // click that may follow, and when that press came.
    kv::ListChoice listChoiceAtPress_;
    quint64 listPressTime_ = 0;
    // The sign's zoom x 100 + address when its picture was last fitted.
    std::array<int16_t, 17> ShowSignZoomMemo{};
    bool UseStandardMousePointer = false;
    // Texts kept from the last activation for later messages and dialogs.
    kv::HeadTexts KeptTexts;
    // The toolbar buttons of each editing mode.
    std::vector<int> TextModeButtons, GraphModeButtons;
    // The allowed characters of the code positions read at load.
    std::array<std::string, 4> AllowedCodeChars;

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    // The program starter and the serial line the core uses.
    void InstallTransferPorts();
    // Opens entry n of the active list as a double click on its list does.
    void OpenEntryAsDoubleClick(int16_t n);
    // The committing controls' signals and the port the commit talks to.
    void ConnectEntryControls();
    // The menu items and presses that open the preferences, font and About windows.
    void ConnectDialogCommands();
    // The windows of the route-number tools, the zoom and the fonts per sign
    // height, handed to the commands that open them.
    void ConnectRouteTools();
    // Exit's work before the program ends: the auto-save file deleted, the
    // window placement and the document folder stored.
    void EndDocumentSession();
    // The menu commands of frmHeadMenus.cpp connected, the items not built held disabled.
    void ConnectMenuCommands();
    void ImportTextList();
    // The name the text import's dialog proposed last.
    std::string ImportFileName;
    void BuildMenus();
    void BuildToolbar();
    void BuildClientControls();
    void BuildSignPictureSets();
    void BuildHiddenPictures();
    void BuildTimers();
    // The edit menu, the font step buttons, the tool images, the toolbar's
    // mouse and the text-sign strip reach their handlers.
    void ConnectEditingControls();
    bool EditingEvent(QObject* watched, QEvent* e);
    QAction* AddMenuItem(QMenu* menu, const char* name, const char* caption);
    QMenu* AddSubMenu(QMenu* parent, const char* name, const char* caption);
    void LoadToolbarImages();
    // Sets the caption of the control or menu item of that name.
    void SetControlCaption(const QString& name, const QString& text);
    // Places the page options and the change time in Ch_Frame and fits the
    // frame to them.
    void LayoutChangingTexts();
    // The current sign as the layout needs it (address 0 when none).
    struct SignForLayout {
        int address = 0;
        std::string model, name;
        int width = 0, height = 0;
    };
    SignForLayout CurrentSignForLayout() const;
    // Program state that the data core owns; start values until it lands.
    bool DestListActiveNow() const;
    bool InsertModeOn() const;
    int TxlVersionNow() const;
    bool AutoModeOn() const;
    bool ShowLineNoOn() const;
    bool AreaSelectedNow() const;

    // Sees every key of the application first; passes this window's on.
    class KeyPreview;
    bool PreviewKey(QObject* watched, QEvent* e);
    KeyPreview* keyPreview_ = nullptr;

    QHash<QString, QAction*> menuItems_;
    QHash<QString, QMenu*> subMenus_;
    bool activatedOnce_ = false;
    bool resending_ = false;
    bool arranging_ = false;
    // The layouts meanwhile report no excess of graphic signs.
    bool quietMaxSigns_ = false;
    // An undo copy is there to go back to (the undo image's own condition).
    bool undoAvailable_ = false;
    // Places the tool images in their row from (5, top); their bottom.
    int PlaceToolImages(int top);
};

// The one main window of the program (null before Main creates it).
extern frmHead* gfrmHead;
// The picture the editor draws on and the text cursor of the active sign.
extern SignPicture* gEditPicture;
extern QWidget* gCursorPicture;
