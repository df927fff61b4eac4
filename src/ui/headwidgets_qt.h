// Small widgets of the main window: the sign picture surface, the frame
// around it, the status bar with panels, image controls and the image list.
#pragma once

#include <QColor>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QList>
#include <QPixmap>
#include <QScrollArea>
#include <QWidget>

// A picture box: a surface of its own size that code paints into. The sign
// pictures, the editor and strip pictures and the scratch pictures are these.
class SignPicture : public QWidget {
    Q_OBJECT
public:
    explicit SignPicture(QWidget* parent = nullptr);
    // The surface; it follows the widget's size and starts filled with the
    // back colour.
    QImage& Surface() { return surface_; }
    void SetBackColor(const QColor& c);
    QColor BackColor() const { return back_; }
    // The colour of what code draws with colour -1 (the lit dots).
    void SetForeColor(const QColor& c) { fore_ = c; }
    QColor ForeColor() const { return fore_; }
    // Line style of the outlines drawn on the picture: 0 solid, 3 dash-dot.
    void SetDrawStyle(int style) { drawStyle_ = style; }
    int DrawStyle() const { return drawStyle_; }
    // Clears the surface to the back colour and repaints.
    void Cls();
    // Sets the size at once, also while the picture is hidden: the surface
    // follows and Resized is emitted when the size changed.
    void SetSize(int width, int height);

signals:
    void Resized();

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;

private:
    void SyncSurface();
    QImage surface_;
    QSize surfaceFor_{-1, -1};
    QColor back_{Qt::black};
    QColor fore_{Qt::white};
    int drawStyle_ = 0;
};

// The frame of a sign picture: a sunken border around the picture and its
// status bar. Its back colour blinks while the frame is dragged.
class SignFrame : public QWidget {
    Q_OBJECT
public:
    explicit SignFrame(QWidget* parent = nullptr);
    void SetBackColor(const QColor& c);
    QColor BackColor() const { return back_; }
    // The system's button-face colour.
    static QColor ButtonFace();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;

private:
    QColor back_;
};

// The sign area of the main window: the frames of the sign pictures stand in
// its content, which scrolls when they need more room than the window has.
// It takes neither the focus nor keys: the keys typed on a sign picture go
// on to the window as if the area were not there.
class SignAreaScroll : public QScrollArea {
    Q_OBJECT
public:
    explicit SignAreaScroll(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* e) override;
};

// A status bar of numbered panels (from 1), each with a width, a text and a
// picture. A panel of width -1 takes the room the others leave.
class PanelStatusBar : public QWidget {
    Q_OBJECT
public:
    explicit PanelStatusBar(int panels, QWidget* parent = nullptr);
    int PanelCount() const { return static_cast<int>(panels_.size()); }
    void SetPanelText(int panel, const QString& text);
    QString PanelText(int panel) const;
    void SetPanelWidth(int panel, int width);
    int PanelWidth(int panel) const;
    void SetPanelPicture(int panel, const QPixmap& picture);
    QPixmap PanelPicture(int panel) const;
    // Left edge of a panel in the bar's pixels.
    int PanelLeft(int panel) const;

signals:
    void PanelClick(int panel);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;

private:
    struct Panel {
        int width = 0;
        QString text;
        QPixmap picture;
    };
    std::vector<Panel> panels_;
    int WidthOf(int i) const;
};

// An image control: shows a picture, may carry a single border, reports clicks.
class ImageControl : public QLabel {
    Q_OBJECT
public:
    explicit ImageControl(const QPixmap& picture, QWidget* parent = nullptr);
    // 0 none, 1 fixed single.
    void SetBorderStyle(int style);
    int BorderStyle() const { return border_; }

signals:
    void Click();
    void MouseDown(int button);

protected:
    void mousePressEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;

private:
    int border_ = 0;
};

// An image list: numbered pictures (from 1) that a toolbar takes its button
// images from.
class ImageList : public QObject {
    Q_OBJECT
public:
    explicit ImageList(QObject* parent = nullptr) : QObject(parent) {}
    void Clear() { images_.clear(); }
    void Add(const QPixmap& p) { images_.push_back(p); }
    int Count() const { return static_cast<int>(images_.size()); }
    QPixmap Image(int n) const { return n >= 1 && n <= Count() ? images_[n - 1] : QPixmap(); }

private:
    QList<QPixmap> images_;
};
