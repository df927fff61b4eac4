#include "ui/frmSignScale.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>

#include "app/signscale.h"
#include "data/language.h"
#include "data/settings.h"
#include "ui/formcontrols_qt.h"
#include "ui/qtbridge_qt.h"

using namespace kv;

namespace {

// The sample of the current sign at a zoom, framed in the look's colour.
QPixmap Sample(int16_t zoom, const QColor& frame) {
    QImage img(frmSignScale::kSampleWidth, frmSignScale::kSampleHeight, QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    ForEachSampleRect(zoom, [&](int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
        p.fillRect(QRect(QPoint(x1 + 3, y1 + 3), QPoint(x2 + 3, y2 + 3)), QColor(255, 255, 0));
    });
    QPen pen(frame);
    pen.setWidth(3);
    p.setPen(pen);
    p.drawRect(QRect(1, 1, img.width() - 3, img.height() - 3));
    return QPixmap::fromImage(img);
}

}  // namespace

frmSignScale::frmSignScale(QWidget* parent) : QDialog(parent) {
    setObjectName("frmSignScale");
    setModal(true);
    const int gap = 8;
    for (int i = 1; i <= 4; ++i) {
        const QRect place(gap, gap + (i - 1) * (kSampleHeight + gap), kSampleWidth + 6, kSampleHeight + 6);
        cmdScale[i] = NewControl<QToolButton>(this, "cmdScale", place);
        cmdScale[i]->setProperty("Index", i);
        cmdScale[i]->setIconSize(QSize(kSampleWidth, kSampleHeight));
        connect(cmdScale[i], &QToolButton::clicked, this, [this, i] { cmdScale_Click(i); });
        picSelected[i] = NewControl<QLabel>(this, "picSelected", place);
        picUnSelected[i] = NewControl<QLabel>(this, "picUnSelected", place);
        for (QLabel* store : {picSelected[i], picUnSelected[i]}) {
            store->setProperty("Index", i);
            store->hide();
        }
    }
    const int right = 2 * gap + kSampleWidth + 6;
    cmdOK = NewControl<QPushButton>(this, "cmdOK", {right, gap, 90, 28});
    cmdCancel = NewControl<QPushButton>(this, "cmdCancel", {right, gap + 36, 90, 28});
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    setFixedSize(right + 90 + gap, gap + 4 * (kSampleHeight + gap) + 6);
    Form_Load();
}

void frmSignScale::Form_Load() {
    cmdOK->setText(Q(gTextS1));
    cmdCancel->setText(Q(gTextS2));
    setWindowTitle(Q(LangText("S2600")));
    for (int16_t i = 1; i <= 4; ++i) {
        picSelected[i]->setPixmap(Sample(i, QColor(255, 0, 0)));
        picUnSelected[i]->setPixmap(Sample(i, QColor(128, 128, 128)));
    }
    ChosenZoom = SignScaleStart();
    ShowLooks(ChosenZoom);
    RestoreFormPlacement(this);
}

void frmSignScale::ShowLooks(int chosen) {
    for (int i = 1; i <= 4; ++i) {
        const QLabel* look = i == chosen ? picSelected[i] : picUnSelected[i];
        cmdScale[i]->setIcon(QIcon(look->pixmap()));
        cmdScale[i]->setProperty("Chosen", i == chosen);
    }
}

void frmSignScale::cmdScale_Click(int index) {
    ShowLooks(index);
    ChosenZoom = static_cast<int16_t>(index);
}

void frmSignScale::cmdOK_Click() {
    ApplySignScale(ChosenZoom);
    accept();
}

void frmSignScale::cmdCancel_Click() { reject(); }

void frmSignScale::done(int result) {
    if (gSaveWinPos) SaveFormPlacement(this);
    QDialog::done(result);
}
