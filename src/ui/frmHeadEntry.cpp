// Committing and removing entries on the main window: the store buttons,
// Remove, the page options and the change-time box, feeding a text into a
// sign, the invert command, and the window the commit talks to.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimer>

#include "app/commit.h"
#include "app/entryload.h"
#include "app/entrywindow.h"
#include "app/feedtext.h"
#include "app/invert.h"
#include "app/pagetimes.h"
#include "app/remove.h"
#include "app/textrows.h"
#include "data/records.h"
#include "engine/dotlayers.h"
#include "engine/editstate.h"
#include "ui/frmHead.h"
#include "ui/frmSave.h"
#include "ui/headwidgets_qt.h"
#include "ui/qtbridge_qt.h"
#include "platform/host.h"
#include "platform/vb.h"

using namespace kv;

namespace {

// The main window as the commit sees it.
class HeadEntryWindow : public QObject, public EntryWindow {
public:
    explicit HeadEntryWindow(frmHead* head) : QObject(head), h_(head) { SetEntryWindow(this); }
    ~HeadEntryWindow() override {
        if (&EntryPort() == this) SetEntryWindow(nullptr);
    }

    void ChangeAddress(int16_t k, bool recount, bool keep) override { h_->ChangeAddress(k, recount, keep); }
    std::string RouteNoBoxText() override { return B(h_->LineNo_txt->text()); }
    std::string CurrentNumberText() override { return B(h_->CurrNoTxt->text()); }
    void SetCurrentNumberText(const std::string& text) override { h_->CurrNoTxt->setText(Q(text)); }
    bool BlackOutChecked() override { return h_->BlackOut_chk->isChecked(); }
    void ShowChangeTime(int16_t seconds) override { h_->txtCurrChTime->setText(QString::number(seconds)); }

    bool ChangingTextsShown() override { return !h_->Ch_Frame->isHidden(); }
    void SetChangingTextsValue(bool checked) override {
        if (h_->Ch_Check->isChecked() == checked && h_->Ch_Frame->isHidden() != checked) return;
        h_->Ch_Check->setChecked(checked);
        h_->Ch_Check_Click();
    }
    void ShowPageOption(int16_t n, bool visible) override {
        if (QRadioButton* o = Option(n)) o->setVisible(visible);
    }
    void EnablePageOption(int16_t n, bool enabled) override {
        if (QRadioButton* o = Option(n)) o->setEnabled(enabled);
    }
    bool PageOptionSelected(int16_t n) override {
        const QRadioButton* o = Option(n);
        return o && o->isChecked();
    }
    void SelectPageOption(int16_t n) override {
        if (QRadioButton* o = Option(n)) o->setChecked(true);
    }

    int ListTopIndex(bool dest) override {
        const QListWidget* list = List(dest);
        const int row = list->indexAt(QPoint(2, 2)).row();
        return row < 0 ? 0 : row;
    }
    void SetListTopIndex(bool dest, int index) override {
        QListWidget* list = List(dest);
        if (QListWidgetItem* item = list->item(index)) list->scrollToItem(item, QAbstractItemView::PositionAtTop);
    }
    ListSelection ListSelectionOf(bool dest) override {
        const QListWidget* list = List(dest);
        ListSelection lines;
        lines.current = list->currentRow();
        for (int row = 0; row < list->count(); ++row)
            if (list->item(row)->isSelected()) lines.selected.push_back(row);
        return lines;
    }
    void RestoreListSelection(bool dest, const ListSelection& lines) override {
        QListWidget* list = List(dest);
        // The list's click handler is for the user's choice.
        const QSignalBlocker quiet(list);
        list->clearSelection();
        if (lines.current >= 0 && lines.current < list->count())
            list->setCurrentRow(lines.current, QItemSelectionModel::NoUpdate);
        for (int row : lines.selected)
            if (QListWidgetItem* item = list->item(row)) item->setSelected(true);
        list->viewport()->update();
    }
    void ShowListLine(bool dest, int index) override {
        QListWidget* list = List(dest);
        QListWidgetItem* item = list->item(index);
        if (!item) return;
        // The list's click handler is for the user's choice.
        const QSignalBlocker quiet(list);
        list->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
        list->scrollToItem(item, QAbstractItemView::PositionAtTop);
        list->viewport()->update();
    }
    void AdjustLists(int length) override { h_->AdjustLists(length); }

    void ShowSaveChoice() override {
        frmSave dialog(h_);
        dialog.exec();
        h_->activateWindow();
    }
    void FeedKey(int16_t& keyAscii) override { TypeFedCharacter(keyAscii); }

private:
    QRadioButton* Option(int16_t n) const { return n >= 1 && n <= kPageOptions ? h_->TNo_op[n] : nullptr; }
    QListWidget* List(bool dest) const { return dest ? h_->DestList : h_->ExtraList; }

    frmHead* h_;
};

// Events the controls have no signal for: focus and Enter of the two boxes,
// the double click of a page option, the click on the blackout label.
class EntryEvents : public QObject {
public:
    explicit EntryEvents(frmHead* head) : QObject(head), h_(head) {}
    bool eventFilter(QObject* watched, QEvent* e) override {
        // While the window is destroyed, its controls still send events (focus
        // out, hide); the window is no frmHead any more then.
        if (!qobject_cast<frmHead*>(parent())) return false;
        const QEvent::Type t = e->type();
        if (watched == h_->txtCurrChTime) {
            if (t == QEvent::FocusOut) h_->txtCurrChTime_LostFocus();
        } else if (watched == h_->LineNo_txt) {
            if (t == QEvent::FocusIn) h_->LineNo_txt_GotFocus();
            else if (t == QEvent::FocusOut) h_->LineNo_txt_LostFocus();
            else if (t == QEvent::KeyPress) {
                const int key = static_cast<QKeyEvent*>(e)->key();
                if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                    h_->LineNo_txt_KeyPress(13);
                    return true;
                }
            }
        } else if (watched == h_->lblBlackOut) {
            if (t == QEvent::MouseButtonRelease) h_->lblBlackOut_Click();
        } else if (t == QEvent::MouseButtonDblClick && watched->objectName() == QLatin1String("TNo_op")) {
            h_->TNo_op_DblClick(watched->property("Index").toInt());
            return true;
        }
        return false;
    }

private:
    frmHead* h_;
};

bool gCheckingChangeTime = false;
bool gFilteringChangeTime = false;

}  // namespace

void frmHead::ConnectEntryControls() {
    new HeadEntryWindow(this);
    auto* events = new EntryEvents(this);
    connect(SaveDestOrExtra, &QPushButton::clicked, this, &frmHead::SaveDestOrExtra_Click);
    connect(SaveAndNew, &QPushButton::clicked, this, &frmHead::SaveAndNew_Click);
    connect(Remove, &QPushButton::clicked, this, &frmHead::Remove_Click);
    for (int i = 1; i <= kPageOptions; ++i) {
        connect(TNo_op[i], &QRadioButton::clicked, this, [this, i] { TNo_op_Click(i); });
        TNo_op[i]->installEventFilter(events);
    }
    connect(txtCurrChTime, &QLineEdit::textChanged, this, &frmHead::txtCurrChTime_Change);
    connect(LineNo_txt, &QLineEdit::textChanged, this, &frmHead::LineNo_txt_Change);
    connect(BlackOut_chk, &QCheckBox::clicked, this, &frmHead::BlackOut_chk_Click);
    connect(Ch_Check, &QCheckBox::clicked, this, &frmHead::Ch_Check_Click);
    for (QWidget* w : {static_cast<QWidget*>(txtCurrChTime), static_cast<QWidget*>(LineNo_txt),
                       static_cast<QWidget*>(lblBlackOut)})
        w->installEventFilter(events);

    const std::pair<const char*, void (frmHead::*)()> items[] = {
        {"ShowLineNo_e", &frmHead::ShowLineNo_e_Click},   {"Insert_LineNo_e", &frmHead::Insert_LineNo_e_Click},
        {"ExpandMore_e", &frmHead::ExpandMore_e_Click},   {"ExpandLess_e", &frmHead::ExpandLess_e_Click},
        {"mnuLayoutInvertera", &frmHead::InvertTextToGraph},
    };
    for (const auto& [name, handler] : items)
        connect(MenuItem(QString::fromUtf8(name)), &QAction::triggered, this, [this, handler] { (this->*handler)(); });
}

// ------------------------------------------------------------------ the store buttons and Remove

void frmHead::SaveDestOrExtra_Click() { kv::SaveDestOrExtra(); }
void frmHead::SaveAndNew_Click() { kv::SaveAndNew(); }
void frmHead::Remove_Click() { RemoveEntry(); }

// ------------------------------------------------------------------ pages and change time

void frmHead::TNo_op_Click(int index) { PageOptionClicked(static_cast<int16_t>(index)); }

void frmHead::TNo_op_DblClick(int index) {
    // The first click chose the page; the double click loads the entry in
    // hand again on it, into every shown sign, as the click shows it.
    if (gCurrentPage != index) return;
    bKeepCurrentNumber = true;
    if (gDestListActive) DestList_DblClick();
    else ExtraList_DblClick();
    // A load that did not run keeps no number for the next one.
    bKeepCurrentNumber = false;
}

void frmHead::txtCurrChTime_Change() {
    if (gFilteringChangeTime) return;
    int beeps = 0;
    const QString digits = Q(ChangeTimeDigits(B(txtCurrChTime->text()), beeps));
    for (int i = 0; i < beeps; ++i) Beep();
    if (digits == txtCurrChTime->text()) return;
    gFilteringChangeTime = true;
    txtCurrChTime->setText(digits);
    gFilteringChangeTime = false;
}

void frmHead::txtCurrChTime_LostFocus() {
    // The message box that a refusal shows takes the focus once more.
    if (gCheckingChangeTime) return;
    gCheckingChangeTime = true;
    if (const auto restored = ChangeTimeLeft(B(txtCurrChTime->text()))) txtCurrChTime->setText(Q(*restored));
    gCheckingChangeTime = false;
}

// ------------------------------------------------------------------ feeding, inverting, centring

void frmHead::SkrivTextISkylt(const std::string& text, int16_t unused, int16_t& sign) {
    kv::SkrivTextISkylt(text, unused, sign);
}

void frmHead::InvertTextToGraph() { kv::InvertTextToGraph(); }

void frmHead::RedrawTextSigns() { kv::RedrawTextSigns(); }

void frmHead::FocusSignPicture() { RefreshCurrentSignPicture(); }

void frmHead::FocusStrip() { K2000_pct->setFocus(); }

void frmHead::ScreenTimer_Timer() {
    if (ScreenTimerTick() && gCursorPicture) gCursorPicture->hide();
}
