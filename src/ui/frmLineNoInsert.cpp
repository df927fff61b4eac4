#include "ui/frmLineNoInsert.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/routenobox.h"
#include "app/routenoinsert.h"
#include "data/language.h"
#include "data/settings.h"
#include "engine/routenumber.h"
#include "platform/vb.h"
#include "ui/formcontrols_qt.h"
#include "ui/qtbridge_qt.h"

using namespace kv;

frmLineNoInsert::frmLineNoInsert(QWidget* parent) : QDialog(parent) {
    setObjectName("frmLineNoInsert");
    setModal(true);
    Label2 = NewControl<QLabel>(this, "Label2", {8, 10, 300, 20});
    NoLineToInsNos = NewControl<QComboBox>(this, "NoLineToInsNos", {8, 34, 80, 24});
    NoLineToInsNos->setEditable(true);
    NoLineToInsNos->setInsertPolicy(QComboBox::NoInsert);
    Label2->setBuddy(NoLineToInsNos);
    NoLineToInsNos->lineEdit()->installEventFilter(this);
    OK_btn = NewControl<QPushButton>(this, "OK_btn", {120, 70, 90, 28});
    Cancel_btn = NewControl<QPushButton>(this, "Cancel_btn", {218, 70, 90, 28});
    OK_btn->setDefault(true);
    connect(OK_btn, &QPushButton::clicked, this, [this] { OK_btn_Click(); });
    connect(Cancel_btn, &QPushButton::clicked, this, [this] { Cancel_btn_Click(); });
    setFixedSize(316, 106);
    Form_Load();
}

void frmLineNoInsert::Form_Load() {
    setWindowTitle(Q(LangText("S1200")));
    Label2->setText(Q(LangText("S1201")));
    Cancel_btn->setText(Q(gTextS2));
    OK_btn->setText(Q(gTextS1));
    for (int16_t i = 1; i <= gLineNoFieldCount; ++i) NoLineToInsNos->addItem(QString::number(i));
    NoLineToInsNos->setCurrentIndex(LineNoInsertSelection() - 1);
}

void frmLineNoInsert::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    Form_Activate();
    activateWindow();
    NoLineToInsNos->setFocus();
}

bool frmLineNoInsert::eventFilter(QObject* watched, QEvent* e) {
    if (watched == NoLineToInsNos->lineEdit() && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            OK_btn_Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, e);
}

void frmLineNoInsert::Form_Activate() { RestoreFormPlacement(this); }

void frmLineNoInsert::OK_btn_Click() {
    const LineNoInsertAnswer a = AcceptLineNoInsert(B(NoLineToInsNos->currentText()));
    if (a.refused) {
        NoLineToInsNos->setEditText(Q(a.boxText));
        NoLineToInsNos->setFocus();
        return;
    }
    if (gSaveWinPos) SaveFormPlacement(this);
    accept();
    gLineNoInsertPending = kFalse;
}

void frmLineNoInsert::Cancel_btn_Click() { reject(); }

void ShowLineNoInsertDialog(QWidget* parent) {
    frmLineNoInsert dialog(parent);
    dialog.exec();
}
