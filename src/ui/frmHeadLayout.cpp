// The main window's layout when its size changes, and the fit of each sign
// picture's frame, status bar and zoom button around its picture.
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "ui/frmHead.h"
#include "app/headlayout.h"
#include "engine/signpictures.h"
#include "ui/headwidgets_qt.h"
#include "ui/qtbridge_qt.h"

using namespace kv;

namespace {

// Between the right end of a label and the font frame.
constexpr int kLabelGap = 6;

Box BoxOf(const QWidget* w) { return {w->x(), w->y(), w->width(), w->height()}; }
void SetBox(QWidget* w, const Box& b) { w->setGeometry(b.left, b.top, b.width, b.height); }

}  // namespace

void frmHead::Form_Resize() {
    if (isMinimized()) return;
    const int w = ClientArea->width();
    // The toolbar spans the top of the client area.
    tbToolBar->setGeometry(0, 0, w, tbToolBar->height());

    const SignForLayout sign = CurrentSignForLayout();
    if (sign.address > 0 && sign.model == "K2000_1R")
        K2000_pct->resize(TextStripWidth(sign.width), K2000_pct->height());
    ArrangeSignArea();
    // The lists of shown signs reach to the font frame: the whole list
    // where the window has room for it.
    for (QLabel* l : {SignCaption_lbl, AutoSign_lbl})
        l->resize(std::max(0, SizeFrame->x() - kLabelGap - l->x()), l->height());
    AdjustLists();
    timFixGUI->start();

    if (!isMaximized() && !isFullScreen() && y() < 0) move(x(), 0);
}

int frmHead::PlaceToolImages(int top) {
    constexpr int kSize = 20, kGap = 2, kGroupGap = 8;
    int x = 5, lastButton = 0;
    for (const auto& [image, button] : ToolImageRow()) {
        // A separator of the toolbar between two buttons is a wider gap here.
        if (lastButton != 0) {
            bool separated = false;
            for (int b = lastButton + 1; b < button; ++b) separated = separated || tbButtons[b]->isSeparator();
            x += separated ? kGroupGap : kGap;
        }
        image->setGeometry(x, top, kSize, kSize);
        image->show();
        x += kSize;
        lastButton = button;
    }
    return top + kSize;
}

void frmHead::ArrangeSignArea() {
    // Not before every control of the window is built.
    if (arranging_ || !imgTrash) return;
    arranging_ = true;
    const int w = ClientArea->width(), h = ClientArea->height();
    const int y0 = SizeFrame->y() + SizeFrame->height() + 5;

    std::vector<SignFrame*> frames;
    std::vector<FrameSize> sizes;
    for (SignFrame* f : PicSignFrame)
        if (!f->isHidden()) {
            frames.push_back(f);
            sizes.push_back({f->width(), f->height()});
        }
    // The tool images stand above the frames of the graphic signs, outside
    // the area, so that no frame can cover them.
    int top = y0;
    if (frames.empty()) {
        for (const auto& [image, button] : ToolImageRow()) image->hide();
    } else {
        top = PlaceToolImages(y0) + 4;
    }

    // The rows, the strip below them, the start's editor picture; with a
    // scroll bar the rows are laid within the narrower view.
    const bool strip = !K2000_pct->isHidden(), editor = !K4000_pct->isHidden();
    FrameRows rows;
    Box stripBox;
    int contentWidth = 0, contentHeight = 0;
    auto lay = [&](int inner) {
        rows = PlaceSignFrames(sizes, inner);
        contentWidth = rows.width;
        contentHeight = rows.height;
        if (editor) {
            contentWidth = std::max(contentWidth, K4000_pct->x() + K4000_pct->width());
            contentHeight = std::max(contentHeight, K4000_pct->height() + 5);
        }
        if (strip) {
            stripBox = TextStripPlace(K2000_pct->width(), K2000_pct->height(), inner, K4000_pct->height(),
                                      frames.empty() ? 0 : rows.height);
            contentWidth = std::max(contentWidth, stripBox.left + stripBox.width);
            contentHeight = std::max(contentHeight, stripBox.top + stripBox.height + 5);
        }
    };
    lay(w);
    SignAreaPlace area = LayoutSignArea(h, top, contentHeight);
    int viewWidth = w;
    if (area.scrolls) {
        viewWidth = w - SignArea->verticalScrollBar()->sizeHint().width();
        lay(viewWidth);
        area = LayoutSignArea(h, top, contentHeight);
    }
    int barHeight = 0;
    if (contentWidth > viewWidth) {
        // The horizontal scroll bar takes room of its own below the rows.
        barHeight = SignArea->horizontalScrollBar()->sizeHint().height();
        area = LayoutSignArea(h, top, contentHeight + barHeight);
        if (area.scrolls && viewWidth == w) viewWidth = w - SignArea->verticalScrollBar()->sizeHint().width();
    }
    SignArea->setGeometry(0, top, w, area.height);
    // The content fills the view at least, so that a frame can be dragged
    // anywhere in it.
    SignAreaContent->resize(std::max(contentWidth, viewWidth), std::max(contentHeight, area.height - barHeight));
    for (size_t i = 0; i < frames.size(); ++i) frames[i]->move(rows.places[i].left, rows.places[i].top);
    if (strip) {
        K2000_pct->move(stripBox.left, stripBox.top);
        K2000_pct->raise();
    }
    if (editor) K4000_pct->move(K4000_pct->x(), 0);

    // The controls below the area and the lists follow it.
    HeadGeometry g;
    g.DestList = BoxOf(DestList);
    g.ExtraList = BoxOf(ExtraList);
    g.SizeFrame = BoxOf(SizeFrame);
    g.Remove = BoxOf(Remove);
    g.SaveDestOrExtra = BoxOf(SaveDestOrExtra);
    g.SaveAndNew = BoxOf(SaveAndNew);
    g.Ch_Frame = BoxOf(Ch_Frame);
    g.CurrNoTxt = BoxOf(CurrNoTxt);
    g.LineNo_txt = BoxOf(LineNo_txt);
    g.Label3 = BoxOf(Label3);
    g.LineNo_lbl = BoxOf(LineNo_lbl);
    g.Ch_Check = BoxOf(Ch_Check);
    g.BlackOut_chk = BoxOf(BlackOut_chk);
    g.lblBlackOut = BoxOf(lblBlackOut);
    g.cmdMatrix16 = BoxOf(cmdMatrix16);
    g.cmdX = BoxOf(cmdX);
    g.Label2 = BoxOf(Label2);
    LayoutHead(w, h, g, area.extra);
    const std::pair<QWidget*, const Box*> placed[] = {
        {DestList, &g.DestList},         {ExtraList, &g.ExtraList},     {SizeFrame, &g.SizeFrame},
        {Remove, &g.Remove},             {SaveDestOrExtra, &g.SaveDestOrExtra}, {SaveAndNew, &g.SaveAndNew},
        {Ch_Frame, &g.Ch_Frame},         {CurrNoTxt, &g.CurrNoTxt},     {Label3, &g.Label3},
        {LineNo_txt, &g.LineNo_txt},     {LineNo_lbl, &g.LineNo_lbl},   {Ch_Check, &g.Ch_Check},
        {BlackOut_chk, &g.BlackOut_chk}, {lblBlackOut, &g.lblBlackOut}, {cmdMatrix16, &g.cmdMatrix16},
        {cmdX, &g.cmdX},                 {Label2, &g.Label2},
    };
    for (const auto& [widget, box] : placed) SetBox(widget, *box);
    arranging_ = false;
}

std::vector<std::pair<ImageControl*, int>> frmHead::ToolImageRow() const {
    // In the order of the toolbar's buttons that they work like.
    return {{imgPoint, 20},
            {imgLine, 21},
            {imgBox, 22},
            {imgCut, 23},
            {imgFill, 24},
            {imgRefresh, 25},
            {imgUndo, 26},
            {imgSelectPointSize[0], 28},
            {imgSelectPointSize[1], 29},
            {imgSelectPointSize[2], 30},
            {imgSelectPointSize[3], 31},
            {imgMirrorHorizontally, 33},
            {imgMirrorVertically, 34},
            {imgInvert, 35},
            {imgRotateCW, 36},
            {imgRotateCCW, 37},
            {imgTrash, 38}};
}

void frmHead::timFixGUI_Timer() {
    SizeFrame->raise();
    timFixGUI->stop();
}

void frmHead::picSign_Resize(int index) {
    SignFrame* frame = PicSignFrame[index];
    SignPicture* pic = picSign[index];
    // The panels show the current sign; without one they stay empty.
    const SignForLayout sign = CurrentSignForLayout();
    const bool any = sign.address > 0;
    const QString name = any ? Q(sign.name) : QString();
    const QString size = any ? Q(SignSizeText(sign.width, sign.height)) : QString();
    const QString address = any ? Q(SignAddressText(sign.address)) : QString();
    const QFontMetrics onFrame(frame->font()), onWindow(font());
    const SignFrameGeometry f =
        LayoutSignFrame(pic->width(), pic->height(), onFrame.horizontalAdvance(name), onFrame.horizontalAdvance(size),
                        onWindow.horizontalAdvance(address), cmdScale[index]->width(), cmdScale[index]->height(),
                        lblSignName[index]->width(), lblSignName[index]->height());
    frame->resize(f.frameWidth, f.frameHeight);
    pic->move(f.picture.left, f.picture.top);
    lblSignName[index]->move(f.label.left, f.label.top);
    PanelStatusBar* bar = SignSB[index];
    SetBox(bar, f.statusBar);
    bar->SetPanelText(1, name);
    bar->SetPanelText(2, size);
    bar->SetPanelText(3, address);
    for (int p = 1; p <= 5; ++p) bar->SetPanelWidth(p, f.panelWidths[p - 1]);
    bar->SetPanelPicture(4, picActive->pixmap());
    SetBox(cmdScale[index], f.zoomButton);
    cmdScale[index]->raise();
    // A frame of another size: the rows are laid again.
    if (!frame->isHidden()) ArrangeSignArea();
}
