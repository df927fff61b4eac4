// The controls of the main window: menus, toolbar, lists, buttons, boxes,
// the sign picture sets, the hidden pictures and the timers. Captions given
// here are the design texts; activation replaces those the language file has.
#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSerialPort>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "ui/file_dialog_qt.h"
#include "ui/frmHead.h"
#include "app/entryload.h"
#include "app/headlayout.h"
#include "app/headtexts.h"
#include "ui/headwidgets_qt.h"
#include "ui/toolimages_qt.h"

using namespace kv;

namespace {

template <class W>
W* Place(W* w, const Box& b) {
    w->setGeometry(b.left, b.top, b.width, b.height);
    return w;
}

template <class W>
W* Named(W* w, const char* name, int index = -1) {
    w->setObjectName(QString::fromUtf8(name));
    if (index >= 0) w->setProperty("Index", index);
    return w;
}

}  // namespace

QAction* frmHead::AddMenuItem(QMenu* menu, const char* name, const char* caption) {
    QAction* a = menu->addAction(QString::fromUtf8(caption));
    a->setObjectName(QString::fromUtf8(name));
    menuItems_.insert(a->objectName(), a);
    return a;
}

QMenu* frmHead::AddSubMenu(QMenu* parent, const char* name, const char* caption) {
    QMenu* m = parent ? parent->addMenu(QString::fromUtf8(caption)) : menuBar()->addMenu(QString::fromUtf8(caption));
    m->setObjectName(QString::fromUtf8(name));
    m->menuAction()->setObjectName(QString::fromUtf8(name));
    menuItems_.insert(m->objectName(), m->menuAction());
    subMenus_.insert(m->objectName(), m);
    return m;
}

QAction* frmHead::MenuItem(const QString& name) const { return menuItems_.value(name, nullptr); }
QMenu* frmHead::SubMenu(const QString& name) const { return subMenus_.value(name, nullptr); }

void frmHead::BuildMenus() {
    QMenu* file = AddSubMenu(nullptr, "mnuArkiv", "&File");
    AddMenuItem(file, "mnuNytt", "&New");
    AddMenuItem(file, "mnuÖppna", "&Open...");
    AddMenuItem(file, "mnuSpara", "&Save");
    AddMenuItem(file, "mnuSparasom", "Save &as...");
    file->addSeparator();
    QMenu* import = AddSubMenu(file, "mnuArkivImport", "&Import");
    AddMenuItem(import, "mnuArkivImportFil2Dest", "&Destination list...");
    AddMenuItem(import, "mnuArkivImportEnBild", "&Single bitmap...");
    AddMenuItem(import, "mnuArkivImportBilder", "&Multi bitmaps...");
    QMenu* exportMenu = AddSubMenu(file, "mnuArkivExport", "&Export");
    AddMenuItem(exportMenu, "mnuArkivExportDest2Fil", "&Destination list...");
    file->addSeparator();
    QMenu* print = AddSubMenu(file, "mnuSkrivut", "&Print");
    AddMenuItem(print, "mnuSkrivutTillskrivare", "To &printer");
    AddMenuItem(print, "mnuSkrivutTillfil", "To &file...");
    AddMenuItem(print, "mnuSkrivutTillskrivareBilder", "Sign as bitmap");
    AddMenuItem(print, "mnuSkrivutAktuellSkylt", "Current Sign");
    // The recent files stand under their own separator, hidden until listed.
    QAction* filesSep = file->addSeparator();
    filesSep->setObjectName("mnuArkivFilesSep");
    filesSep->setVisible(false);
    menuItems_.insert(filesSep->objectName(), filesSep);
    for (int n = 1; n <= 4; ++n) {
        const std::string name = "mnuArkivFile" + std::to_string(n);
        QAction* a = AddMenuItem(file, name.c_str(), ("&" + std::to_string(n)).c_str());
        a->setVisible(false);
    }
    file->addSeparator();
    AddMenuItem(file, "mnuAvsluta", "E&xit");

    QMenu* edit = AddSubMenu(nullptr, "mnuRedigera", "&Edit");
    AddMenuItem(edit, "Cut_e", "&Copy");
    AddMenuItem(edit, "Paste_e", "&Paste");
    AddMenuItem(edit, "Del_e", "&Remove");
    AddMenuItem(edit, "cutALL_E", "Delete &all");
    edit->addSeparator();
    QMenu* graphic = AddSubMenu(edit, "Im_e", "&Graphic");
    AddMenuItem(graphic, "Export_e", "&Export graphic...")->setEnabled(false);
    AddMenuItem(graphic, "Import_e", "&Import graphic...")->setEnabled(false);
    AddMenuItem(graphic, "Std_grf", "&Symbols...");

    QMenu* layout = AddSubMenu(nullptr, "l_e", "&Layout");
    AddMenuItem(layout, "auto_e", "&Automatic layout")->setCheckable(true);
    AddMenuItem(layout, "ShowLineNo_e", "Show &route number")->setCheckable(true);
    layout->addSeparator();
    AddMenuItem(layout, "ExpandMore_e", "Expand &more");
    AddMenuItem(layout, "ExpandLess_e", "Expand &less");
    AddMenuItem(layout, "mnuLayoutInvertera", "Invert");
    layout->addSeparator();
    QMenu* textLayout = AddSubMenu(layout, "T_e", "Te&xt layout");
    AddMenuItem(textLayout, "Font_e", "&Font...");
    AddMenuItem(textLayout, "Show_e", "Show &characters...");
    AddMenuItem(textLayout, "Insert_LineNo_e", "Insert route number &placeholder...");

    QMenu* lists = AddSubMenu(nullptr, "tx_e", "&Text");
    // The tick is the window's own (property "Ticked"): a click does not
    // move it, the switch does.
    QAction* dest = AddMenuItem(lists, "mnuTextDesttext", "&Destination texts");
    dest->setCheckable(true);
    dest->setChecked(true);
    dest->setProperty("Ticked", true);
    QAction* extra = AddMenuItem(lists, "mnuTextExtratext", "&Extra texts");
    extra->setCheckable(true);
    extra->setProperty("Ticked", false);

    QMenu* transfer = AddSubMenu(nullptr, "ö_e", "Tr&ansfer");
    AddMenuItem(transfer, "mnuTransferToFile", "To &file...");
    AddMenuItem(transfer, "mnuTransferIntelHex", "IntelHe&x...");
    AddMenuItem(transfer, "mnuTransferToTDOrLoader", "&Project to Kivar-T...");
    AddMenuItem(transfer, "mnuTransferFileToTDOrLoader", "F&ile to Kivar-T...");
    transfer->addSeparator();
    AddMenuItem(transfer, "Transferfile_e", "&Out-file options...");

    QMenu* tools = AddSubMenu(nullptr, "mnuTools", "&Tools");
    AddMenuItem(tools, "mnuToolsShowtime", "&Sign simulation...");
    AddMenuItem(tools, "mnuToolsGenerateLineNo", "&Generate RouteNo...");
    AddMenuItem(tools, "mnuToolsGenerateMBL", "&Programmed route numbers...");
    AddMenuItem(tools, "mnuToolsSuperCopy", "&Copy texts between signs...");
    tools->addSeparator();
    AddMenuItem(tools, "mnuToolsOnePic2Graph", "Convert &one picture...");
    AddMenuItem(tools, "mnuToolsPics2Graph", "Convert se&veral pictures...");
    AddMenuItem(tools, "mnuToolsFile2Dest", "&Text file to list...");

    QMenu* options = AddSubMenu(nullptr, "mnuAlternativ", "&Options");
    AddMenuItem(options, "Signconfig_e", "Sign &configuration...");
    AddMenuItem(options, "Signs_e", "&Shown signs...");
    AddMenuItem(options, "Ln_e", "&Route number layout...");
    AddMenuItem(options, "User_e", "&User information...");
    options->addSeparator();
    AddMenuItem(options, "mnuInställningar", "&Preferences...");

    QMenu* help = AddSubMenu(nullptr, "h_e", "&Help");
    AddMenuItem(help, "About_e", "&About Kivar...");
    // Items that the window keeps without offering them.
    AddMenuItem(help, "mnuAbout", "About")->setVisible(false);
    QAction* a = AddMenuItem(help, "A", "A");
    a->setProperty("Index", 0);
    a->setVisible(false);
    AddMenuItem(help, "b", "b")->setVisible(false);

    const std::pair<const char*, void (frmHead::*)()> handlers[] = {
        {"mnuNytt", &frmHead::mnuNytt_Click},
        {"mnuÖppna", &frmHead::mnuÖppna_Click},
        {"mnuSpara", &frmHead::mnuSpara_Click},
        {"mnuSparasom", &frmHead::mnuSparasom_Click},
        {"mnuAvsluta", &frmHead::mnuAvsluta_Click},
        {"mnuTextDesttext", &frmHead::mnuTextDesttext_Click},
        {"mnuTextExtratext", &frmHead::mnuTextExtratext_Click},
        {"Signs_e", &frmHead::Signs_e_Click},
        {"mnuTransferToFile", &frmHead::mnuTransferToFile_Click},
        {"mnuTransferIntelHex", &frmHead::mnuTransferIntelHex_Click},
        {"mnuTransferToTDOrLoader", &frmHead::mnuTransferToTDOrLoader_Click},
        {"mnuTransferFileToTDOrLoader", &frmHead::mnuTransferFileToTDOrLoader_Click},
        {"Transferfile_e", &frmHead::Transferfile_e_Click},
        {"mnuToolsShowtime", &frmHead::mnuToolsShowtime_Click},
        {"Signconfig_e", &frmHead::Signconfig_e_Click},
        {"mnuSkrivutTillskrivare", &frmHead::mnuSkrivutTillskrivare_Click},
        {"mnuSkrivutTillfil", &frmHead::mnuSkrivutTillfil_Click},
        {"mnuSkrivutTillskrivareBilder", &frmHead::mnuSkrivutTillskrivareBilder_Click},
        {"mnuSkrivutAktuellSkylt", &frmHead::mnuSkrivutAktuellSkylt_Click},
        {"mnuArkivExportDest2Fil", &frmHead::mnuArkivExportDest2Fil_Click},
        {"User_e", &frmHead::User_e_Click},
        {"mnuArkivImportEnBild", &frmHead::mnuArkivImportEnBild_Click},
        {"mnuToolsOnePic2Graph", &frmHead::mnuToolsOnePic2Graph_Click},
        {"mnuArkivImportBilder", &frmHead::mnuArkivImportBilder_Click},
        {"mnuToolsPics2Graph", &frmHead::mnuToolsPics2Graph_Click},
    };
    for (const auto& [name, handler] : handlers) {
        QAction* a = MenuItem(QString::fromUtf8(name));
        connect(a, &QAction::triggered, this, [this, a, handler] {
            // A checkable item keeps the tick the handler gives it.
            if (a->isCheckable()) a->setChecked(a->property("Ticked").toBool());
            (this->*handler)();
        });
    }
    for (int n = 1; n <= 4; ++n)
        connect(MenuItem(QString("mnuArkivFile%1").arg(n)), &QAction::triggered, this, [this, n] { mnuArkivFile_Click(n); });
}

void frmHead::BuildToolbar() {
    tbToolBar = Named(new QToolBar(ClientArea), "tbToolBar");
    tbToolBar->setMovable(false);
    tbToolBar->setFloatable(false);
    tbToolBar->setIconSize(QSize(16, 16));
    tbToolBar->setGeometry(0, 0, 641, 26);
    imlIcons = new ImageList(this);
    imlIcons->setObjectName("imlIcons");

    QActionGroup* group = nullptr;
    for (const ToolbarButton& b : ToolbarButtons()) {
        QAction* a;
        if (b.style == ToolbarButton::Separator) {
            a = tbToolBar->addSeparator();
            group = nullptr;
        } else {
            // The button shows its picture; its text is the design tooltip.
            a = tbToolBar->addAction(QString::fromLatin1(b.designTip));
            a->setObjectName(QString::fromLatin1(b.key));
            if (b.style == ToolbarButton::Group) {
                if (!group) {
                    group = new QActionGroup(tbToolBar);
                    group->setExclusive(true);
                }
                a->setCheckable(true);
                group->addAction(a);
            } else {
                group = nullptr;
                a->setCheckable(b.style == ToolbarButton::Check);
            }
            a->setEnabled(b.enabledAtStart);
            a->setChecked(b.pressedAtStart);
            connect(a, &QAction::triggered, this, [this, a] { tbToolBar_ButtonClick(a); });
        }
        a->setProperty("Index", b.index);
        a->setProperty("Key", QString::fromLatin1(b.key));
        a->setProperty("Style", static_cast<int>(b.style));
        tbButtons[b.index] = a;
    }
    for (int n = 1; n <= 30; ++n) {
        picBut[n] = Named(new ImageControl(ToolbarPicture(n), ClientArea), "picBut", n);
        picBut[n]->hide();
    }
}

void frmHead::BuildClientControls() {
    const HeadGeometry g = DesignedHeadGeometry();

    Label1 = Place(Named(new QLabel("Shown signs:", ClientArea), "Label1"), {8, 32, 84, 15});
    SignCaption_lbl = Place(Named(new QLabel(ClientArea), "SignCaption_lbl"), {94, 32, 300, 15});
    AutoSign_lbl2 = Place(Named(new QLabel("Route number shown automatically on:", ClientArea), "AutoSign_lbl2"),
                          {8, 47, 240, 15});
    AutoSign_lbl = Place(Named(new QLabel(ClientArea), "AutoSign_lbl"), {250, 47, 250, 15});
    Label4 = Place(Named(new QLabel("Signs:", ClientArea), "Label4"), {8, 47, 60, 15});
    // The caption of Label4 heads the window's status bar; the label itself
    // is not shown.
    Label4->hide();
    AutoSign_lbl->hide();
    AutoSign_lbl2->hide();

    SizeFrame = Place(Named(new QGroupBox("Font", ClientArea), "SizeFrame"), g.SizeFrame);
    size_lbl = Place(Named(new QLabel(SizeFrame), "size_lbl"), {6, 14, 96, 15});
    // The captions carry no access-key mark (an underline under a sign
    // reads as part of it); Alt with the sign steps the font all the same.
    LibSmaller = Place(Named(new QPushButton("-", SizeFrame), "LibSmaller"), {104, 12, 22, 19});
    LibBigger = Place(Named(new QPushButton("+", SizeFrame), "LibBigger"), {128, 12, 22, 19});
    for (QPushButton* b : {LibSmaller, LibBigger}) {
        auto* shortcut = new QShortcut(QKeySequence(Qt::ALT | (b == LibBigger ? Qt::Key_Plus : Qt::Key_Minus)), this);
        connect(shortcut, &QShortcut::activated, b, [b] {
            if (b->isVisible() && b->isEnabled()) b->click();
        });
    }

    // The sign area below the font frame; the layout gives it its place.
    SignArea = Named(new SignAreaScroll(ClientArea), "SignArea");
    SignAreaContent = Named(new QWidget, "SignAreaContent");
    SignAreaContent->setMouseTracking(true);
    SignAreaContent->installEventFilter(this);
    SignArea->setWidget(SignAreaContent);
    SignArea->setGeometry(0, g.SizeFrame.top + g.SizeFrame.height + 5, 641, 116);

    K2000_pct = Place(Named(new SignPicture(SignAreaContent), "K2000_pct"), {92, 0, 17, 25});
    // Characters in amber-yellow on black, the separators in grey.
    K2000_pct->SetBackColor(Qt::black);
    K2000_pct->SetForeColor(QColor(128, 128, 128));
    K2000_pct->hide();
    Curs_2000 = Place(Named(new QWidget(K2000_pct), "Curs_2000"), {0, 0, 5, 25});
    Curs_2000->setAutoFillBackground(true);
    Curs_2000->setStyleSheet("background: black;");
    Curs_2000->hide();

    Ch_Check = Place(Named(new QCheckBox("Changing texts", ClientArea), "Ch_Check"), g.Ch_Check);
    BlackOut_chk = Place(Named(new QCheckBox(ClientArea), "BlackOut_chk"), g.BlackOut_chk);
    lblBlackOut = Place(Named(new QLabel("Blackout", ClientArea), "lblBlackOut"), g.lblBlackOut);
    cmdMatrix16 = Place(Named(new QPushButton("Send", ClientArea), "cmdMatrix16"), g.cmdMatrix16);
    cmdMatrix16->setToolTip("Send the destination to the sign");
    cmdX = Place(Named(new QPushButton("Auto", ClientArea), "cmdX"), g.cmdX);
    cmdX->hide();

    Ch_Frame = Place(Named(new QGroupBox("Texts", ClientArea), "Ch_Frame"), g.Ch_Frame);
    for (int i = 1; i <= 20; ++i) TNo_op[i] = Named(new QRadioButton(QString::number(i), Ch_Frame), "TNo_op", i);
    TNo_op[1]->setChecked(true);
    lblChTime = Named(new QLabel("Change time:", Ch_Frame), "lblChTime");
    txtCurrChTime = Place(Named(new QLineEdit(Ch_Frame), "txtCurrChTime"), {0, 0, 40, 19});
    LayoutChangingTexts();
    Ch_Frame->hide();

    SaveAndNew = Place(Named(new QPushButton("Save and &new", ClientArea), "SaveAndNew"), g.SaveAndNew);
    SaveDestOrExtra = Place(Named(new QPushButton("&Save", ClientArea), "SaveDestOrExtra"), g.SaveDestOrExtra);
    Remove = Place(Named(new QPushButton("&Remove", ClientArea), "Remove"), g.Remove);

    Label3 = Place(Named(new QLabel("Destination no.:", ClientArea), "Label3"), g.Label3);
    Label3->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    CurrNoTxt = Place(Named(new QLineEdit(ClientArea), "CurrNoTxt"), g.CurrNoTxt);
    CurrNoTxt->setMaxLength(4);
    LineNo_lbl = Place(Named(new QLabel("Route number:", ClientArea), "LineNo_lbl"), g.LineNo_lbl);
    LineNo_lbl->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    LineNo_txt = Place(Named(new QLineEdit(ClientArea), "LineNo_txt"), g.LineNo_txt);
    LineNo_txt->setMaxLength(3);
    LineNo_lbl->hide();
    LineNo_txt->hide();

    Label2 = Place(Named(new QLabel("Destinations", ClientArea), "Label2"), g.Label2);
    QFont listFont("Monospace");
    listFont.setStyleHint(QFont::TypeWriter);
    listFont.setPointSize(font().pointSize() > 0 ? font().pointSize() + 1 : 9);
    DestList = Place(Named(new QListWidget(ClientArea), "DestList"), g.DestList);
    ExtraList = Place(Named(new QListWidget(ClientArea), "ExtraList"), g.ExtraList);
    for (QListWidget* list : {DestList, ExtraList}) {
        list->setFont(listFont);
        list->setSelectionMode(QAbstractItemView::ExtendedSelection);
        list->installEventFilter(this);
    }
    ExtraList->hide();
    // A click follows the selected line: moved to by the keys or by code, or
    // pressed with the mouse (the list makes the line current before it
    // selects it). A line the list only made current on getting the focus is
    // not chosen.
    for (QListWidget* list : {DestList, ExtraList}) {
        auto click = [this, list] { list == DestList ? DestList_Click() : ExtraList_Click(); };
        connect(list, &QListWidget::currentRowChanged, this, [list, click](int row) {
            if (row >= 0 && list->item(row)->isSelected()) click();
        });
        connect(list, &QListWidget::pressed, this, [list, click](const QModelIndex& index) {
            if (index.row() == list->currentRow() && list->item(index.row())->isSelected()) click();
        });
    }
    // The double click's load starts from what the list named before its
    // first press.
    connect(DestList, &QListWidget::itemDoubleClicked, this, [this] {
        gListChoiceAtPress = listChoiceAtPress_;
        DestList_DblClick();
    });
    connect(ExtraList, &QListWidget::itemDoubleClicked, this, [this] {
        gListChoiceAtPress = listChoiceAtPress_;
        ExtraList_DblClick();
    });
    for (QListWidget* list : {DestList, ExtraList}) list->viewport()->installEventFilter(this);
    CurrNoTxt->installEventFilter(this);
    connect(cmdX, &QPushButton::clicked, this, &frmHead::cmdX_Click);
    connect(cmdMatrix16, &QPushButton::clicked, this, &frmHead::cmdMatrix16_Click);

    // Panel 1 names the shown signs, panel 2 the current font.
    sb = Named(new PanelStatusBar(2, this), "sb");
    sb->SetPanelWidth(1, -1);
    sb->SetPanelWidth(2, 260);
    sb->setMinimumHeight(20);
    auto* bar = new QStatusBar(this);
    bar->setSizeGripEnabled(true);
    bar->addWidget(sb, 1);
    setStatusBar(bar);

    ComCtrl = Named(new QSerialPort(this), "ComCtrl");
    ComCtrl->setBaudRate(4800);
    ComCtrl->setDataBits(QSerialPort::Data8);
    CommonDialog1 = NewFileDialog(this, "CommonDialog1");
}

void frmHead::BuildSignPictureSets() {
    for (int i = 0; i < 3; ++i) {
        PicSignFrame[i] = Named(new SignFrame(SignAreaContent), "PicSignFrame", i);
        PicSignFrame[i]->setGeometry(95 + i * 10, i * 10, 451, 103);
        // The name label lies under the picture, as designed.
        lblSignName[i] = Place(Named(new QLabel(PicSignFrame[i]), "lblSignName", i), {4, 4, 101, 13});
        picSign[i] = Named(new SignPicture(PicSignFrame[i]), "picSign", i);
        // Lit dots in amber-yellow on black.
        picSign[i]->SetForeColor(QColor(255, 255, 0));
        Cursor[i] = Place(Named(new QWidget(picSign[i]), "Cursor", i), {0, 0, 3, 16});
        Cursor[i]->setAutoFillBackground(true);
        Cursor[i]->setStyleSheet("background: white;");
        Cursor[i]->hide();
        SignSB[i] = Named(new PanelStatusBar(5, PicSignFrame[i]), "SignSB", i);
        SignSB[i]->setGeometry(2, 73, 397, 23);
        cmdScale[i] = Named(new QToolButton(PicSignFrame[i]), "cmdScale", i);
        cmdScale[i]->setIcon(QIcon(ZoomPicture()));
        cmdScale[i]->setIconSize(QSize(13, 13));
        cmdScale[i]->resize(23, 17);
        cmdScale[i]->setToolTip("Zoom");
        timSign[i] = Named(new QTimer(this), "timSign", i);
        timSign[i]->setInterval(250);
        connect(timSign[i], &QTimer::timeout, this, [this, i] { timSign_Timer(i); });
        connect(picSign[i], &SignPicture::Resized, this, [this, i] { picSign_Resize(i); });
        connect(SignSB[i], &PanelStatusBar::PanelClick, this, [this, i](int panel) { SignSB_PanelClick(i, panel); });
        connect(cmdScale[i], &QToolButton::clicked, this, [this, i] { cmdScale_Click(i); });
        for (QWidget* w : std::initializer_list<QWidget*>{PicSignFrame[i], picSign[i]}) {
            w->installEventFilter(this);
            w->setMouseTracking(true);
        }
        picSign[i]->resize(315, 71);
        // The frame is dragged by its border and its status bar, which show
        // it with their pointer; the picture and the zoom button keep theirs.
        PicSignFrame[i]->setCursor(Qt::SizeAllCursor);
        SignSB[i]->setCursor(Qt::SizeAllCursor);
        picSign[i]->setCursor(Qt::ArrowCursor);
        cmdScale[i]->setCursor(Qt::ArrowCursor);
        if (i > 0) PicSignFrame[i]->hide();
    }
    picActive = Named(new ImageControl(ActiveMarkerPicture(), ClientArea), "picActive");
    picActive->hide();
    picInactive = Named(new ImageControl(InactiveMarkerPicture(), ClientArea), "picInactive");
    picInactive->hide();
}

void frmHead::BuildHiddenPictures() {
    K4000_pct = Named(new SignPicture(SignAreaContent), "K4000_pct");
    K4000_pct->setGeometry(95, 0, 315, 71);
    K4000_pct->hide();
    CursorPicOld = Place(Named(new QWidget(ClientArea), "CursorPicOld"), {0, 0, 3, 16});
    CursorPicOld->hide();
    for (SignPicture** p : {&InPic, &TempPic, &dotpic}) {
        *p = new SignPicture(ClientArea);
        (*p)->hide();
    }
    Named(InPic, "InPic")->resize(400, 200);
    Named(TempPic, "TempPic")->resize(400, 200);
    Named(dotpic, "dotpic")->resize(16, 16);
    dotpic->SetForeColor(QColor(255, 255, 0));
    dotpic->SetBackColor(Qt::black);

    // The graphic tool images; the toolbar offers the same tools.
    struct Img {
        ImageControl** control;
        const char* name;
        const char* key;
    };
    const Img images[] = {
        {&imgBox, "imgBox", "Rect"},
        {&imgLine, "imgLine", "Line"},
        {&imgPoint, "imgPoint", "Point"},
        {&imgFill, "imgFill", "Fill"},
        {&imgCut, "imgCut", "Sax"},
        {&imgInvert, "imgInvert", "InvGraph"},
        {&imgMirrorHorizontally, "imgMirrorHorizontally", "MirrorHor"},
        {&imgMirrorVertically, "imgMirrorVertically", "MirrorVer"},
        {&imgRotateCW, "imgRotateCW", "RotCW"},
        {&imgRotateCCW, "imgRotateCCW", "RotCCW"},
        {&imgRefresh, "imgRefresh", "Refresh"},
        {&imgTrash, "imgTrash", "DeleteGraph"},
        {&imgUndo, "imgUndo", "Undo"},
    };
    for (const Img& im : images) {
        *im.control = Named(new ImageControl(KeyPicture(im.key), ClientArea), im.name);
        (*im.control)->hide();
    }
    imgUndo->setEnabled(false);
    for (int i = 0; i < 4; ++i) {
        imgSelectPointSize[i] =
            Named(new ImageControl(KeyPicture("Dot" + QString::number(i + 1)), ClientArea), "imgSelectPointSize", i);
        imgSelectPointSize[i]->hide();
        imgCursorPoint[i] = Named(new ImageControl(PointCursorPicture(i), ClientArea), "imgCursorPoint", i);
        imgCursorPoint[i]->hide();
    }
    imgCursorKors1 = Named(new ImageControl(CrossCursorPicture(), ClientArea), "imgCursorKors1");
    imgCursorKors1->hide();
    imgCursorMove = Named(new ImageControl(MoveCursorPicture(), ClientArea), "imgCursorMove");
    imgCursorMove->hide();
}

void frmHead::BuildTimers() {
    CursorTimer = Named(new QTimer(this), "CursorTimer");
    CursorTimer->setInterval(200);
    ScreenTimer = Named(new QTimer(this), "ScreenTimer");
    ScreenTimer->setInterval(40000);
    timAutoSave = Named(new QTimer(this), "timAutoSave");
    timAutoSave->setInterval(60050);
    timFixGUI = Named(new QTimer(this), "timFixGUI");
    timFixGUI->setInterval(100);
    connect(CursorTimer, &QTimer::timeout, this, &frmHead::CursorTimer_Timer);
    connect(ScreenTimer, &QTimer::timeout, this, &frmHead::ScreenTimer_Timer);
    connect(timAutoSave, &QTimer::timeout, this, &frmHead::timAutoSave_Timer);
    connect(timFixGUI, &QTimer::timeout, this, &frmHead::timFixGUI_Timer);
    ScreenTimer->start();
    timAutoSave->start();
}
