// The main window's layout when its size changes, and the fit of each sign
// picture's frame, status bar and zoom button around its picture.
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "ui/frmHead.h"
#include "app/headlayout.h"
#include "ui/headwidgets_qt.h"
#include "ui/qtbridge_qt.h"

using namespace kv;

namespace {

Box BoxOf(const QWidget* w) { return {w->x(), w->y(), w->width(), w->height()}; }
void SetBox(QWidget* w, const Box& b) { w->setGeometry(b.left, b.top, b.width, b.height); }

}  // namespace

void frmHead::Form_Resize() {
    if (isMinimized()) return;
    const int w = ClientArea->width(), h = ClientArea->height();
    // The toolbar spans the top of the client area.
    tbToolBar->setGeometry(0, 0, w, tbToolBar->height());

    const SignForLayout sign = CurrentSignForLayout();
    if (sign.address > 0) {
        if (sign.model == "K2000_1R") K2000_pct->resize(TextStripWidth(sign.width), K2000_pct->height());
        if (sign.model == "K2000_1R" || sign.model == "K2000_2R") PlaceTextStrip();
    }

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
    LayoutHead(w, h, g);
    SetBox(DestList, g.DestList);
    SetBox(ExtraList, g.ExtraList);
    AdjustLists();
    SetBox(SizeFrame, g.SizeFrame);
    timFixGUI->start();
    SetBox(Remove, g.Remove);
    SetBox(SaveDestOrExtra, g.SaveDestOrExtra);
    SetBox(SaveAndNew, g.SaveAndNew);
    SetBox(Ch_Frame, g.Ch_Frame);
    SetBox(CurrNoTxt, g.CurrNoTxt);
    SetBox(Label3, g.Label3);
    SetBox(LineNo_txt, g.LineNo_txt);
    SetBox(LineNo_lbl, g.LineNo_lbl);

    if (!isMaximized() && !isFullScreen() && y() < 0) move(x(), 0);
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
}
