#include "ui/frmCutPreferences.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "app/cutprefs.h"
#include "data/language.h"
#include "data/settings.h"
#include "ui/headwidgets_qt.h"
#include "ui/qtbridge_qt.h"

using namespace kv;

namespace {

// A picture of what a move does: the block (a 3 x 3 pattern with its unlit
// middle) moved two dots right over a lit target row. cutAll: the block's
// unlit dots cover the target; keepOld: the block stays at its place too.
QPixmap CutPicture(bool cutAll, bool keepOld, bool explainsCover) {
    constexpr int kDot = 6, kCols = 9, kRows = 5;
    QPixmap p(kCols * kDot + 2, kRows * kDot + 2);
    p.fill(Qt::black);
    QPainter g(&p);
    bool lit[kCols][kRows] = {};
    auto block = [&](int x0, int y0, bool opaque) {
        for (int x = 0; x < 3; ++x)
            for (int y = 0; y < 3; ++y) {
                const bool on = !(x == 1 && y == 1);
                if (on || opaque) lit[x0 + x][y0 + y] = on;
            }
    };
    // The target: a lit row through the place the block moves to.
    for (int x = 4; x < kCols; ++x) lit[x][2] = true;
    if (explainsCover) {
        block(5, 1, cutAll);
        if (keepOld) block(0, 1, true);
    } else {
        block(5, 1, true);
        if (keepOld) block(0, 1, true);
    }
    for (int x = 0; x < kCols; ++x)
        for (int y = 0; y < kRows; ++y)
            g.fillRect(1 + x * kDot, 1 + y * kDot, kDot - 1, kDot - 1, lit[x][y] ? QColor(255, 255, 0) : QColor(40, 40, 40));
    return p;
}

}  // namespace

frmCutPreferences::frmCutPreferences(QWidget* parent) : QDialog(parent) {
    setObjectName("frmCutPreferences");
    setModal(true);
    imgCutAll = new ImageControl(CutPicture(true, false, true), this);
    imgCutAll->setObjectName("imgCutAll");
    imgCutJustYellow = new ImageControl(CutPicture(false, false, true), this);
    imgCutJustYellow->setObjectName("imgCutJustYellow");
    imgCutKeepOld = new ImageControl(CutPicture(false, true, false), this);
    imgCutKeepOld->setObjectName("imgCutKeepOld");
    imgCutDeleteOld = new ImageControl(CutPicture(false, false, false), this);
    imgCutDeleteOld->setObjectName("imgCutDeleteOld");
    cmdDone = new QPushButton(this);
    cmdDone->setObjectName("cmdDone");
    cmdDone->setDefault(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(imgCutAll, 0, 0);
    grid->addWidget(imgCutJustYellow, 0, 1);
    grid->addWidget(imgCutKeepOld, 1, 0);
    grid->addWidget(imgCutDeleteOld, 1, 1);
    grid->addWidget(cmdDone, 2, 0, 1, 2, Qt::AlignRight);

    connect(imgCutAll, &ImageControl::Click, this, [this] { imgCutAll_Click(); });
    connect(imgCutJustYellow, &ImageControl::Click, this, [this] { imgCutJustYellow_Click(); });
    connect(imgCutKeepOld, &ImageControl::Click, this, [this] { imgCutKeepOld_Click(); });
    connect(imgCutDeleteOld, &ImageControl::Click, this, [this] { imgCutDeleteOld_Click(); });
    connect(cmdDone, &QPushButton::clicked, this, [this] { cmdDone_Click(); });
    Form_Load();
}

bool frmCutPreferences::Marked(const ImageControl* image) { return image->BorderStyle() == 1; }

void frmCutPreferences::Mark(ImageControl* on, ImageControl* off) {
    off->SetBorderStyle(0);
    on->SetBorderStyle(1);
}

void frmCutPreferences::Form_Load() {
    SetFormIcon(this, "Kivar32.ico", false);
    cmdDone->setText(Q(gTextS122));
    const int16_t mode = LoadCutMode();
    if (mode & kCutAll) Mark(imgCutAll, imgCutJustYellow);
    else Mark(imgCutJustYellow, imgCutAll);
    if (mode & kKeepOld) Mark(imgCutKeepOld, imgCutDeleteOld);
    else Mark(imgCutDeleteOld, imgCutKeepOld);
    RestoreFormPlacement(this);
}

void frmCutPreferences::imgCutAll_Click() { Mark(imgCutAll, imgCutJustYellow); }
void frmCutPreferences::imgCutJustYellow_Click() { Mark(imgCutJustYellow, imgCutAll); }
void frmCutPreferences::imgCutKeepOld_Click() { Mark(imgCutKeepOld, imgCutDeleteOld); }
void frmCutPreferences::imgCutDeleteOld_Click() { Mark(imgCutDeleteOld, imgCutKeepOld); }

void frmCutPreferences::cmdDone_Click() {
    StoreCutMode(Marked(imgCutAll), Marked(imgCutKeepOld));
    if (gSaveWinPos) SaveFormPlacement(this);
    accept();
}
