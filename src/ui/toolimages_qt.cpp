#include "ui/toolimages_qt.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include "app/headtexts.h"

namespace {

constexpr int kSize = 16;

QPixmap Blank(int w = kSize, int h = kSize) {
    QPixmap p(w, h);
    p.fill(Qt::transparent);
    return p;
}

void Arrow(QPainter& p, QPointF tip, QPointF from) {
    QLineF l(tip, from);
    l.setLength(4);
    QLineF a = l, b = l;
    a.setAngle(l.angle() + 35);
    b.setAngle(l.angle() - 35);
    p.drawLine(a);
    p.drawLine(b);
}

void RoundArrow(QPainter& p, bool clockwise) {
    QRectF r(3, 3, 10, 10);
    p.setBrush(Qt::NoBrush);
    if (clockwise) {
        p.drawArc(r, 120 * 16, -300 * 16);
        Arrow(p, QPointF(5.5, 4.0), QPointF(8, 2.5));
    } else {
        p.drawArc(r, 60 * 16, 300 * 16);
        Arrow(p, QPointF(10.5, 4.0), QPointF(8, 2.5));
    }
}

void AlignLines(QPainter& p, int mode) {
    const int widths[4] = {12, 8, 12, 6};
    for (int i = 0; i < 4; ++i) {
        int w = widths[i];
        int x = mode == 0 ? 2 : mode == 1 ? (16 - w) / 2 : 14 - w;
        p.drawLine(x, 3 + i * 3, x + w, 3 + i * 3);
    }
}

}  // namespace

QPixmap KeyPicture(const QString& key) {
    QPixmap pix = Blank();
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QColor ink(20, 20, 20), blue(30, 80, 180), red(200, 40, 40), yellow(240, 200, 40), green(40, 150, 60);
    QPen pen(ink, 1.2);
    p.setPen(pen);

    if (key == "New") {
        QPolygonF page({{3.5, 1.5}, {9.5, 1.5}, {12.5, 4.5}, {12.5, 14.5}, {3.5, 14.5}});
        p.setBrush(Qt::white);
        p.drawPolygon(page);
        p.drawPolyline(QPolygonF({{9.5, 1.5}, {9.5, 4.5}, {12.5, 4.5}}));
    } else if (key == "Open") {
        p.setBrush(yellow);
        p.drawPolygon(QPolygonF({{1.5, 4.5}, {5.5, 4.5}, {6.5, 5.5}, {12.5, 5.5}, {12.5, 13.5}, {1.5, 13.5}}));
        p.setBrush(yellow.lighter(130));
        p.drawPolygon(QPolygonF({{3.5, 8.5}, {15.0, 8.5}, {12.5, 13.5}, {1.5, 13.5}}));
    } else if (key == "Save") {
        p.setBrush(blue);
        p.drawRect(QRectF(2.5, 2.5, 11, 11));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 2.5, 7, 4));
        p.drawRect(QRectF(4.5, 9.5, 7, 4));
    } else if (key == "TextMode") {
        QFont f("Sans Serif");
        f.setPixelSize(14);
        f.setBold(true);
        p.setFont(f);
        p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, "A");
    } else if (key == "GraphMode") {
        p.setPen(Qt::NoPen);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x) {
                bool lit = x == y || x + y == 3;
                p.setBrush(lit ? red : QColor(190, 190, 190));
                p.drawEllipse(QRectF(1.5 + x * 3.5, 1.5 + y * 3.5, 2.8, 2.8));
            }
    } else if (key == "Print") {
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(QColor(170, 170, 170));
        p.drawRect(QRectF(1.5, 6.5, 13, 6));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 10.5, 7, 4));
    } else if (key == "Left" || key == "Center" || key == "Right") {
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(ink, 1));
        AlignLines(p, key == "Left" ? 0 : key == "Center" ? 1 : 2);
    } else if (key == "Automatik") {
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(ink, 1));
        for (int i = 0; i < 4; ++i) p.drawLine(6, 2 + i * 4, 14, 2 + i * 4);
        p.setPen(QPen(red, 1.5));
        p.setRenderHint(QPainter::Antialiasing, true);
        p.drawLine(QPointF(1, 8), QPointF(5, 8));
        Arrow(p, QPointF(5, 8), QPointF(1, 8));
    } else if (key == "SpridMera" || key == "SpridMindre") {
        QFont f("Sans Serif");
        f.setPixelSize(9);
        f.setBold(true);
        p.setFont(f);
        p.drawText(QRect(0, 0, 16, 9), Qt::AlignCenter, "AB");
        p.setPen(QPen(blue, 1.2));
        p.drawLine(QPointF(2, 12.5), QPointF(14, 12.5));
        if (key == "SpridMera") {
            Arrow(p, QPointF(1.5, 12.5), QPointF(8, 12.5));
            Arrow(p, QPointF(14.5, 12.5), QPointF(8, 12.5));
        } else {
            Arrow(p, QPointF(7, 12.5), QPointF(1, 12.5));
            Arrow(p, QPointF(9, 12.5), QPointF(15, 12.5));
        }
    } else if (key == "InvText") {
        p.setBrush(ink);
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        QFont f("Sans Serif");
        f.setPixelSize(12);
        f.setBold(true);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, "T");
    } else if (key == "Point") {
        p.setPen(Qt::NoPen);
        p.setBrush(red);
        p.drawEllipse(QRectF(5.5, 5.5, 5, 5));
    } else if (key == "Line") {
        p.setPen(QPen(ink, 1.6));
        p.drawLine(QPointF(2.5, 13.5), QPointF(13.5, 2.5));
    } else if (key == "Rect") {
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(2.5, 3.5, 11, 9));
    } else if (key == "Sax") {
        QPen dash(ink, 1, Qt::DashLine);
        p.setPen(dash);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.setPen(QPen(ink, 1.2));
        p.drawEllipse(QRectF(4, 9, 3.5, 3.5));
        p.drawEllipse(QRectF(8.5, 9, 3.5, 3.5));
        p.drawLine(QPointF(6.5, 9.5), QPointF(10.5, 4));
        p.drawLine(QPointF(9.5, 9.5), QPointF(5.5, 4));
    } else if (key == "Fill") {
        p.setBrush(Qt::white);
        QPolygonF bucket({{3, 6}, {8, 1.5}, {13, 6}, {8, 10.5}});
        p.drawPolygon(bucket);
        p.setPen(Qt::NoPen);
        p.setBrush(blue);
        p.drawEllipse(QRectF(11, 9, 4, 6));
    } else if (key == "Refresh") {
        p.setPen(QPen(green, 1.6));
        RoundArrow(p, true);
    } else if (key == "Undo") {
        p.setPen(QPen(blue, 1.6));
        QPainterPath path(QPointF(4, 6));
        path.cubicTo(QPointF(9, 1.5), QPointF(15, 5), QPointF(12, 12));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
        Arrow(p, QPointF(3.5, 6.5), QPointF(8, 4));
    } else if (key.startsWith("Dot")) {
        int n = key.mid(3).toInt();
        double d = 1.5 + n * 2.0;
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawEllipse(QRectF(8 - d / 2, 8 - d / 2, d, d));
    } else if (key == "MirrorHor" || key == "MirrorVer") {
        bool hor = key == "MirrorHor";
        p.save();
        if (!hor) {
            p.translate(16, 0);
            p.rotate(90);
        }
        p.setBrush(blue);
        p.drawPolygon(QPolygonF({{1.5, 3.5}, {6.5, 8}, {1.5, 12.5}}));
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygonF({{14.5, 3.5}, {9.5, 8}, {14.5, 12.5}}));
        p.setPen(QPen(red, 1, Qt::DashLine));
        p.drawLine(QPointF(8, 1), QPointF(8, 15));
        p.restore();
    } else if (key == "InvGraph") {
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.setBrush(ink);
        p.drawPolygon(QPolygonF({{1.5, 1.5}, {14.5, 1.5}, {1.5, 14.5}}));
    } else if (key == "RotCW" || key == "RotCCW") {
        p.setPen(QPen(blue, 1.6));
        RoundArrow(p, key == "RotCW");
    } else if (key == "DeleteGraph") {
        p.setPen(QPen(red, 2));
        p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
        p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
    }
    return pix;
}

QPixmap ToolbarPicture(int n) {
    int k = 0;
    for (const auto& b : kv::ToolbarButtons()) {
        if (b.style == kv::ToolbarButton::Separator) continue;
        if (++k == n) return KeyPicture(QString::fromLatin1(b.key));
    }
    return Blank();
}

QPixmap PointCursorPicture(int penSize) {
    QPixmap pix = Blank(32, 32);
    QPainter p(&pix);
    int d = 1 + 2 * penSize;
    p.fillRect(QRect(16 - d / 2, 16 - d / 2, d, d), Qt::black);
    p.setPen(Qt::white);
    p.drawRect(QRect(16 - d / 2 - 1, 16 - d / 2 - 1, d + 1, d + 1));
    return pix;
}

QPixmap CrossCursorPicture() {
    QPixmap pix = Blank(32, 32);
    QPainter p(&pix);
    p.setPen(Qt::white);
    p.drawLine(15, 4, 15, 28);
    p.drawLine(17, 4, 17, 28);
    p.drawLine(4, 15, 28, 15);
    p.drawLine(4, 17, 28, 17);
    p.setPen(Qt::black);
    p.drawLine(16, 4, 16, 28);
    p.drawLine(4, 16, 28, 16);
    return pix;
}

QPixmap MoveCursorPicture() {
    QPixmap pix = Blank(32, 32);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(Qt::black, 1.5));
    p.drawLine(QPointF(16, 5), QPointF(16, 27));
    p.drawLine(QPointF(5, 16), QPointF(27, 16));
    Arrow(p, QPointF(16, 5), QPointF(16, 16));
    Arrow(p, QPointF(16, 27), QPointF(16, 16));
    Arrow(p, QPointF(5, 16), QPointF(16, 16));
    Arrow(p, QPointF(27, 16), QPointF(16, 16));
    return pix;
}

QPixmap ActiveMarkerPicture() {
    QPixmap pix = Blank(13, 13);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(0, 90, 0), 1));
    p.setBrush(QColor(40, 200, 60));
    p.drawEllipse(QRectF(1.5, 1.5, 10, 10));
    return pix;
}

QPixmap InactiveMarkerPicture() {
    QPixmap pix = Blank(13, 13);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(110, 110, 110), 1));
    p.setBrush(QColor(200, 200, 200));
    p.drawEllipse(QRectF(1.5, 1.5, 10, 10));
    return pix;
}

QPixmap ZoomPicture() {
    QPixmap pix = Blank(13, 13);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(Qt::black, 1.3));
    p.setBrush(QColor(220, 235, 255));
    p.drawEllipse(QRectF(1.5, 1.5, 7, 7));
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(QPointF(8, 8), QPointF(12, 12));
    return pix;
}
