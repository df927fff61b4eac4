#include "ui/frmShowStatus.h"

#include <QLabel>
#include <QVBoxLayout>

#include "ui/qtbridge_qt.h"

using namespace kv;

frmShowStatus::frmShowStatus(QWidget* parent) : QDialog(parent) {
    setObjectName("frmShowStatus");
    auto* lay = new QVBoxLayout(this);
    for (int i = 0; i < 2; ++i) {
        lblStatus[i] = new QLabel(this);
        lblStatus[i]->setObjectName("lblStatus");
        lblStatus[i]->setProperty("Index", i);
        lay->addWidget(lblStatus[i]);
    }
    Form_Load();
}

void frmShowStatus::Form_Load() {
    SetFormIcon(this, "Kivar32.ico", false);
    lblStatus[0]->setText("Initierar....");
    lblStatus[1]->setText(QString());
}
