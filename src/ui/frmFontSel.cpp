#include "ui/frmFontSel.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "data/fontlist.h"
#include "data/language.h"
#include "data/settings.h"
#include "platform/host.h"
#include "ui/formcontrols_qt.h"
#include "ui/qtbridge_qt.h"

using namespace kv;

namespace {
// The designed list width (2500 twips); a longer line widens list and window.
constexpr int kListWidth = 2500 / kTwipsPerPixel;
constexpr int kMargin = 8, kButtonWidth = 80, kButtonHeight = 24, kListHeight = 200, kHeadingHeight = 48;
}  // namespace

frmFontSel::frmFontSel(QWidget* parent) : QDialog(parent) {
    setObjectName("frmFontSel");
    setModal(true);
    lblFontLadder = NewControl<QLabel>(this, "lblFontLadder", QRect(kMargin, kMargin, kListWidth, kHeadingHeight));
    lblFontLadder->setWordWrap(true);
    lblFontLadder->hide();
    lblTemp = NewControl<QLabel>(this, "lblTemp", QRect(0, 0, 10, 10));
    lblTemp->hide();
    FontPick_lst = NewControl<QListWidget>(this, "FontPick_lst", QRect(kMargin, kMargin, kListWidth, kListHeight));
    // The marks line up in a font of one width.
    QFont fixed("Monospace");
    fixed.setStyleHint(QFont::TypeWriter);
    FontPick_lst->setFont(fixed);
    lblTemp->setFont(fixed);
    OKFontPick_cmd = NewControl<QPushButton>(this, "OKFontPick_cmd", QRect(0, 0, kButtonWidth, kButtonHeight));
    OKFontPick_cmd->setDefault(true);
    CancelFontPick_cmd = NewControl<QPushButton>(this, "CancelFontPick_cmd", QRect(0, 0, kButtonWidth, kButtonHeight));
    connect(FontPick_lst, &QListWidget::itemDoubleClicked, this, [this] { FontPick_lst_DblClick(); });
    connect(OKFontPick_cmd, &QPushButton::clicked, this, [this] { OKFontPick_cmd_Click(); });
    connect(CancelFontPick_cmd, &QPushButton::clicked, this, [this] { CancelFontPick_cmd_Click(); });
    Form_Load();
}

void frmFontSel::Form_Load() {
    OKFontPick_cmd->setText(Q(gTextS1));
    CancelFontPick_cmd->setText(Q(gTextS2));
    ListMode = FontListInListMode();
    snapshot_ = TakeFontListSnapshot();
    RestoreFormPlacement(this);

    int widest = kListWidth;
    for (int i = 1; i <= gFontCount && i < static_cast<int>(gFontList.size()); ++i) {
        const QString line = Q(FontSelLine(i));
        FontPick_lst->addItem(line);
        lblTemp->setText(line);
        widest = std::max(widest, lblTemp->sizeHint().width() + 2 * FontPick_lst->frameWidth() + 24);
    }
    if (gFontListIndex >= 1 && gFontListIndex <= FontPick_lst->count()) FontPick_lst->setCurrentRow(gFontListIndex - 1);

    int top = kMargin;
    if (ListMode) {
        setWindowTitle(Q(LangText("S2234")));
        lblFontLadder->setText(Q(LangText("S2500")));
        const int heading = std::max(kHeadingHeight, lblFontLadder->heightForWidth(widest));
        lblFontLadder->setGeometry(kMargin, kMargin, widest, heading);
        lblFontLadder->show();
        top += heading + 4;
    } else {
        // The caption of the main window's font frame.
        setWindowTitle(Q(RemoveString(LangText("S54", "Font"), "&")));
    }
    FontPick_lst->setGeometry(kMargin, top, widest, kListHeight);
    const int buttons = top + kListHeight + kMargin;
    OKFontPick_cmd->move(kMargin + widest - 2 * kButtonWidth - kMargin, buttons);
    CancelFontPick_cmd->move(kMargin + widest - kButtonWidth, buttons);
    setFixedSize(widest + 2 * kMargin, buttons + kButtonHeight + kMargin);
}

void frmFontSel::FontPick_lst_DblClick() {
    const int row = FontPick_lst->currentRow();
    if (row < 0) return;
    if (ListMode) {
        if (!ToggleFontMark(row + 1)) {
            Beep();
            return;
        }
        FontPick_lst->item(row)->setText(Q(FontSelLine(row + 1)));
        FontPick_lst->setCurrentRow(row);
        return;
    }
    PickFont(row + 1);
    accept();
}

void frmFontSel::OKFontPick_cmd_Click() {
    const int row = FontPick_lst->currentRow();
    if (ListMode) {
        if (!AcceptFontMarks()) return;
    } else if (row >= 0) {
        PickFont(row + 1);
    }
    if (gSaveWinPos) SaveFormPlacement(this);
    accept();
}

void frmFontSel::CancelFontPick_cmd_Click() { reject(); }

void frmFontSel::reject() {
    RestoreFontList(snapshot_);
    QDialog::reject();
}
