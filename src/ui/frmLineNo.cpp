#include "ui/frmLineNo.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "app/routenobox.h"
#include "data/language.h"
#include "data/settings.h"
#include "engine/editorview.h"
#include "engine/routenolayout.h"
#include "engine/routenumber.h"
#include "engine/signview.h"
#include "data/records.h"
#include "data/signtable.h"
#include "platform/ports.h"
#include "platform/host.h"
#include "platform/vb.h"
#include "ui/formcontrols_qt.h"
#include "ui/qtbridge_qt.h"

using namespace kv;

frmLineNo::frmLineNo(QWidget* parent) : QDialog(parent) {
    setObjectName("frmLineNo");
    setModal(true);
    Label4 = NewControl<QLabel>(this, "Label4", {8, 6, 360, 18});
    Frame1 = NewControl<QGroupBox>(this, "Frame1", {8, 26, 180, 96});
    LineLeft_op = NewControl<QRadioButton>(Frame1, "LineLeft_op", {10, 18, 160, 22});
    lblLeft = NewControl<QLabel>(Frame1, "lblLeft", {10, 44, 160, 18});
    txtStartPos = NewControl<QLineEdit>(Frame1, "txtStartPos", {10, 64, 60, 24});
    Frame2 = NewControl<QGroupBox>(this, "Frame2", {196, 26, 180, 96});
    LineRight_op = NewControl<QRadioButton>(Frame2, "LineRight_op", {10, 18, 160, 22});
    lblRight = NewControl<QLabel>(Frame2, "lblRight", {10, 44, 160, 18});
    txtEndPos = NewControl<QLineEdit>(Frame2, "txtEndPos", {10, 64, 60, 24});
    Frame3 = NewControl<QGroupBox>(this, "Frame3", {8, 130, 368, 86});
    Label1 = NewControl<QLabel>(Frame3, "Label1", {10, 22, 200, 20});
    NoOfLineNos = NewControl<QComboBox>(Frame3, "NoOfLineNos", {220, 20, 60, 24});
    Label2 = NewControl<QLabel>(Frame3, "Label2", {10, 54, 200, 20});
    LineNoToShow_txt = NewControl<QLineEdit>(Frame3, "LineNoToShow_txt", {220, 52, 80, 24});
    cmdOK = NewControl<QPushButton>(this, "cmdOK", {190, 226, 90, 28});
    cmdCancel = NewControl<QPushButton>(this, "cmdCancel", {286, 226, 90, 28});
    cmdOK->setDefault(true);
    setFixedSize(384, 262);

    ends_ = new QButtonGroup(this);
    ends_->addButton(LineLeft_op);
    ends_->addButton(LineRight_op);
    txtStartPos->installEventFilter(this);
    txtEndPos->installEventFilter(this);
    lblLeft->setBuddy(txtStartPos);
    lblRight->setBuddy(txtEndPos);
    Label1->setBuddy(NoOfLineNos);
    Label2->setBuddy(LineNoToShow_txt);

    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(LineLeft_op, &QRadioButton::clicked, this, [this] { LineLeft_op_Click(); });
    connect(LineRight_op, &QRadioButton::clicked, this, [this] { LineRight_op_Click(); });
    connect(NoOfLineNos, &QComboBox::activated, this, [this] { NoOfLineNos_Click(); });
    connect(txtStartPos, &QLineEdit::textChanged, this, [this] { txtStartPos_Change(); });
    Form_Load();
}

void frmLineNo::Form_Load() {
    setWindowTitle(Q(LangText("S1300")));
    LineLeft_op->setText(Q(LangText("S1301")));
    lblLeft->setText(Q(LangText("S1302")));
    LineRight_op->setText(Q(LangText("S1303")));
    lblRight->setText(Q(LangText("S1304")));
    Label4->setText(Q(LangText("S1305")));
    Frame3->setTitle(Q(LangText("S1400")));
    Label1->setText(Q(LangText("S1401")));
    Label2->setText(Q(LangText("S1402")));
    cmdOK->setText(Q(gTextS1));
    cmdCancel->setText(Q(gTextS2));

    const bool left = gRouteNoLeft != 0;
    LineLeft_op->setChecked(left);
    LineRight_op->setChecked(!left);
    txtStartPos->setEnabled(left);
    txtEndPos->setEnabled(!left);
    (left ? txtStartPos : txtEndPos)->setText(QString::number(gRouteNoPos));
    (left ? txtEndPos : txtStartPos)->setText("0");

    // A count the list does not offer (a project saved under a longer route
    // number) shows as the nearest count offered.
    const int16_t count = ClampLineNoCount(gLineNoFieldCount);
    for (int16_t i = 1; i <= OfferedLineNoCounts(); ++i) NoOfLineNos->addItem(QString::number(i));
    NoOfLineNos->setCurrentIndex(count - 1);
    LineNoToShow_txt->setText(Q(ShownRouteNoSample(count)));
    RestoreFormPlacement(this);

    if (RouteNoPlacementLocked())
        for (QWidget* w : {static_cast<QWidget*>(LineLeft_op), static_cast<QWidget*>(LineRight_op),
                           static_cast<QWidget*>(txtStartPos), static_cast<QWidget*>(txtEndPos)})
            w->setEnabled(false);
}

void frmLineNo::LineLeft_op_Click() {
    txtStartPos->setEnabled(true);
    txtEndPos->setEnabled(false);
}

void frmLineNo::LineRight_op_Click() {
    txtStartPos->setEnabled(false);
    txtEndPos->setEnabled(true);
}

void frmLineNo::NoOfLineNos_Click() {
    LineNoToShow_txt->setText(Q(ShownRouteNoSample(static_cast<int16_t>(NoOfLineNos->currentIndex() + 1))));
}

void frmLineNo::txtStartPos_Change() {
    if (txtStartPos->text().isEmpty()) txtStartPos->setText("0");
}

void frmLineNo::cmdOK_Click() {
    RouteNoLayoutChoice c;
    c.count = static_cast<int16_t>(NoOfLineNos->currentIndex() + 1);
    c.left = LineLeft_op->isChecked();
    c.startPos = B(txtStartPos->text());
    c.endPos = B(txtEndPos->text());
    c.sample = B(LineNoToShow_txt->text());
    ApplyRouteNoLayout(c);
    if (gSaveWinPos) SaveFormPlacement(this);
    accept();
    // The signs show what they hold with the area at its new place.
    ShowSignsWithNewRouteNoLayout();
}

void frmLineNo::cmdCancel_Click() { reject(); }

bool frmLineNo::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::KeyPress && (watched == txtStartPos || watched == txtEndPos)) {
        auto* box = static_cast<QLineEdit*>(watched);
        const auto* key = static_cast<QKeyEvent*>(e);
        if (key->key() == Qt::Key_Backspace) return false;
        const QString text = key->text();
        // Keys that type nothing (arrows, Tab, Delete) keep their work.
        if (text.isEmpty() || !text.at(0).isPrint()) return false;
        const QChar c = text.at(0);
        if (c >= '0' && c <= '9' && (box->text().size() < 3 || box->hasSelectedText())) return false;
        Beep();
        return true;
    }
    return QDialog::eventFilter(watched, e);
}
