#include "ui/frmMBL.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "data/language.h"
#include "data/settings.h"
#include "engine/routenolayout.h"
#include "engine/routenumber.h"
#include "platform/host.h"
#include "ui/formcontrols_qt.h"
#include "ui/qtbridge_qt.h"

using namespace kv;

frmMBL::frmMBL(QWidget* parent) : QDialog(parent) {
    setObjectName("frmMBL");
    setModal(true);
    txtMBL = NewControl<QLineEdit>(this, "txtMBL", {8, 10, 120, 24});
    Frame1 = NewControl<QGroupBox>(this, "Frame1", {8, 42, 150, 72});
    LineLeft_op = NewControl<QRadioButton>(Frame1, "LineLeft_op", {10, 18, 130, 22});
    LineRight_op = NewControl<QRadioButton>(Frame1, "LineRight_op", {10, 42, 130, 22});
    auto* ends = new QButtonGroup(this);
    ends->addButton(LineLeft_op);
    ends->addButton(LineRight_op);
    SizeFrame = NewControl<QGroupBox>(this, "SizeFrame", {166, 42, 200, 72});
    size_lbl = NewControl<QLabel>(SizeFrame, "size_lbl", {10, 20, 180, 20});
    LibSmaller = NewControl<QPushButton>(SizeFrame, "LibSmaller", {10, 42, 28, 24});
    LibBigger = NewControl<QPushButton>(SizeFrame, "LibBigger", {42, 42, 28, 24});
    LibSmaller->setText("-");
    LibBigger->setText("+");
    cmdOK = NewControl<QPushButton>(this, "cmdOK", {178, 124, 90, 28});
    cmdCancel = NewControl<QPushButton>(this, "cmdCancel", {276, 124, 90, 28});
    cmdOK->setDefault(true);
    setFixedSize(374, 160);
    txtMBL->installEventFilter(this);
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(LibBigger, &QPushButton::clicked, this, [this] { LibBigger_Click(); });
    connect(LibSmaller, &QPushButton::clicked, this, [this] { LibSmaller_Click(); });
    Form_Load();
}

void frmMBL::Form_Load() {
    setWindowTitle(Q(LangText("S1300")));
    LineLeft_op->setText(Q(LangText("S1301")));
    LineRight_op->setText(Q(LangText("S1303")));
    SizeFrame->setTitle(Q(LangText("S54")));
    cmdCancel->setText(Q(gTextS2));
    cmdOK->setText(Q(gTextS1));
    LineLeft_op->setChecked(gRouteNoLeft != 0);
    LineRight_op->setChecked(gRouteNoLeft == 0);
    txtMBL->setText(Q(gMBLRouteNo));
    RestoreFormPlacement(this);
    if (RouteNoPlacementLocked()) {
        LineLeft_op->setEnabled(false);
        LineRight_op->setEnabled(false);
    }
    Font = OpenRouteNoDialog();
    size_lbl->setText(Q(Font.caption));
}

void frmMBL::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    activateWindow();
    txtMBL->setFocus();
}

bool frmMBL::eventFilter(QObject* watched, QEvent* e) {
    if (watched == txtMBL && e->type() == QEvent::FocusIn)
        QTimer::singleShot(0, txtMBL, [this] { txtMBL->selectAll(); });
    return QDialog::eventFilter(watched, e);
}

void frmMBL::StepRouteNoFont(int16_t direction) {
    if (!kv::StepRouteNoFont(Font, direction)) {
        Beep();
        return;
    }
    size_lbl->setText(Q(Font.caption));
}

void frmMBL::LibBigger_Click() { StepRouteNoFont(1); }
void frmMBL::LibSmaller_Click() { StepRouteNoFont(2); }

void frmMBL::cmdOK_Click() {
    std::string text = B(txtMBL->text());
    const bool placement = LineLeft_op->isEnabled() || LineRight_op->isEnabled();
    if (!AcceptRouteNoDialog(text, placement, LineLeft_op->isChecked(), Font)) {
        Beep();
        txtMBL->setText(Q(text));
        txtMBL->setFocus();
        return;
    }
    if (gSaveWinPos) SaveFormPlacement(this);
    accept();
}

void frmMBL::cmdCancel_Click() { reject(); }

void ShowRouteNumberDialog() {
    frmMBL dialog(QApplication::activeWindow());
    dialog.exec();
    if (QWidget* behind = dialog.parentWidget()) behind->activateWindow();
}
