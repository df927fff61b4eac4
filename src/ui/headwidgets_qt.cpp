#include "ui/headwidgets_qt.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QStyle>
#include <QStyleOptionFrame>

SignPicture::SignPicture(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

void SignPicture::SetBackColor(const QColor& c) {
    back_ = c;
    Cls();
}

void SignPicture::Cls() {
    if (!surface_.isNull()) surface_.fill(back_);
    update();
}

void SignPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (surface_.isNull()) p.fillRect(rect(), back_);
    else p.drawImage(0, 0, surface_);
}

void SignPicture::SetSize(int width, int height) {
    resize(width, height);
    SyncSurface();
}

void SignPicture::resizeEvent(QResizeEvent*) { SyncSurface(); }

void SignPicture::SyncSurface() {
    // A hidden widget gets its resize event only when shown; the size is
    // followed once, whichever comes first.
    if (surfaceFor_ == size()) return;
    surfaceFor_ = size();
    QImage next(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    next.fill(back_);
    if (!surface_.isNull()) {
        QPainter p(&next);
        p.drawImage(0, 0, surface_);
    }
    surface_ = next;
    emit Resized();
}

// The picture takes its own mouse events (the tools use both buttons): none
// of them moves the frame it stands in.
void SignPicture::mousePressEvent(QMouseEvent* e) { e->accept(); }
void SignPicture::mouseMoveEvent(QMouseEvent* e) { e->accept(); }
void SignPicture::mouseReleaseEvent(QMouseEvent* e) { e->accept(); }

SignAreaScroll::SignAreaScroll(QWidget* parent) : QScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    setWidgetResizable(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The window's background shows through.
    viewport()->setAutoFillBackground(false);
}

void SignAreaScroll::keyPressEvent(QKeyEvent* e) { e->ignore(); }

QColor SignFrame::ButtonFace() { return QPalette().color(QPalette::Button); }

SignFrame::SignFrame(QWidget* parent) : QWidget(parent), back_(ButtonFace()) {}

// The frame takes the mouse events that reach it (from its border, its label
// and its status bar): the window behind it does not see them.
void SignFrame::mousePressEvent(QMouseEvent* e) { e->accept(); }
void SignFrame::mouseMoveEvent(QMouseEvent* e) { e->accept(); }
void SignFrame::mouseReleaseEvent(QMouseEvent* e) { e->accept(); }

void SignFrame::SetBackColor(const QColor& c) {
    back_ = c;
    update();
}

void SignFrame::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), back_);
    // A sunken border two pixels wide.
    const QColor dark = palette().color(QPalette::Dark), shadow = palette().color(QPalette::Shadow);
    const QColor light = palette().color(QPalette::Light), mid = palette().color(QPalette::Midlight);
    const int r = width() - 1, b = height() - 1;
    p.setPen(dark);
    p.drawLine(0, 0, r, 0);
    p.drawLine(0, 0, 0, b);
    p.setPen(shadow);
    p.drawLine(1, 1, r - 1, 1);
    p.drawLine(1, 1, 1, b - 1);
    p.setPen(light);
    p.drawLine(0, b, r, b);
    p.drawLine(r, 0, r, b);
    p.setPen(mid);
    p.drawLine(1, b - 1, r - 1, b - 1);
    p.drawLine(r - 1, 1, r - 1, b - 1);
}

PanelStatusBar::PanelStatusBar(int panels, QWidget* parent) : QWidget(parent), panels_(panels) {
    QFont f = font();
    if (f.pointSizeF() > 0) f.setPointSizeF(f.pointSizeF() - 1);
    setFont(f);
}

void PanelStatusBar::SetPanelText(int panel, const QString& text) {
    if (panel < 1 || panel > PanelCount()) return;
    panels_[panel - 1].text = text;
    update();
}

QString PanelStatusBar::PanelText(int panel) const {
    return panel >= 1 && panel <= PanelCount() ? panels_[panel - 1].text : QString();
}

void PanelStatusBar::SetPanelWidth(int panel, int width) {
    if (panel < 1 || panel > PanelCount()) return;
    panels_[panel - 1].width = width;
    update();
}

int PanelStatusBar::PanelWidth(int panel) const {
    return panel >= 1 && panel <= PanelCount() ? panels_[panel - 1].width : 0;
}

void PanelStatusBar::SetPanelPicture(int panel, const QPixmap& picture) {
    if (panel < 1 || panel > PanelCount()) return;
    panels_[panel - 1].picture = picture;
    update();
}

QPixmap PanelStatusBar::PanelPicture(int panel) const {
    return panel >= 1 && panel <= PanelCount() ? panels_[panel - 1].picture : QPixmap();
}

int PanelStatusBar::WidthOf(int i) const {
    if (panels_[i].width >= 0) return panels_[i].width;
    int used = 0;
    for (const auto& p : panels_) used += p.width >= 0 ? p.width : 0;
    return std::max(0, width() - used);
}

int PanelStatusBar::PanelLeft(int panel) const {
    int x = 0;
    for (int i = 0; i < panel - 1 && i < PanelCount(); ++i) x += WidthOf(i);
    return x;
}

void PanelStatusBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Button));
    int x = 0;
    for (int i = 0; i < PanelCount(); ++i) {
        const int w = WidthOf(i);
        if (w > 0) {
            QRect r(x, 1, w - 1, height() - 2);
            p.setPen(palette().color(QPalette::Dark));
            p.drawLine(r.topLeft(), r.topRight());
            p.drawLine(r.topLeft(), r.bottomLeft());
            p.setPen(palette().color(QPalette::Light));
            p.drawLine(r.bottomLeft(), r.bottomRight());
            p.drawLine(r.topRight(), r.bottomRight());
            p.save();
            p.setClipRect(r.adjusted(1, 1, -1, -1));
            const auto& panel = panels_[i];
            int tx = r.left() + 1;
            if (!panel.picture.isNull()) {
                p.drawPixmap(tx, r.top() + (r.height() - panel.picture.height()) / 2, panel.picture);
                tx += panel.picture.width() + 1;
            }
            p.setPen(palette().color(QPalette::ButtonText));
            p.drawText(QRect(tx, r.top(), r.right() - tx, r.height()), Qt::AlignVCenter | Qt::AlignLeft, panel.text);
            p.restore();
        }
        x += w;
    }
}

void PanelStatusBar::mousePressEvent(QMouseEvent* e) {
    // Only the left button clicks a panel; the others reach the widget the
    // bar stands on (a sign's frame is dragged with the right button).
    if (e->button() != Qt::LeftButton) {
        e->ignore();
        return;
    }
    int x = 0;
    const int px = static_cast<int>(e->position().x());
    for (int i = 0; i < PanelCount(); ++i) {
        const int w = WidthOf(i);
        if (px >= x && px < x + w) {
            emit PanelClick(i + 1);
            return;
        }
        x += w;
    }
}

ImageControl::ImageControl(const QPixmap& picture, QWidget* parent) : QLabel(parent) {
    setPixmap(picture);
    setAlignment(Qt::AlignCenter);
    SetBorderStyle(0);
}

void ImageControl::SetBorderStyle(int style) {
    border_ = style;
    setFrameStyle(style == 1 ? (QFrame::Box | QFrame::Plain) : QFrame::NoFrame);
    setLineWidth(1);
}

void ImageControl::mousePressEvent(QMouseEvent* e) {
    emit MouseDown(e->button() == Qt::RightButton ? 2 : e->button() == Qt::MiddleButton ? 4 : 1);
}

void ImageControl::mouseReleaseEvent(QMouseEvent* e) {
    if (rect().contains(e->position().toPoint())) emit Click();
}
