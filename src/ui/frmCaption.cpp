#include "ui/frmCaption.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

#include "data/language.h"
#include "data/settings.h"
#include "ui/qtbridge_qt.h"

using namespace kv;

frmCaption::frmCaption(QWidget* parent) : QDialog(parent) {
    setObjectName("frmCaption");
    Cap_txt = new QLineEdit(this);
    Cap_txt->setObjectName("Cap_txt");
    Cap_txt->setMinimumWidth(240);
    Command1 = new QPushButton(this);
    Command1->setObjectName("Command1");
    Command1->setDefault(true);
    auto* lay = new QHBoxLayout(this);
    lay->addWidget(Cap_txt);
    lay->addWidget(Command1);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    Form_Load();
}

void frmCaption::Form_Load() {
    SetFormIcon(this, "Kivar32.ico", false);
    RestoreFormPlacement(this);
}

void frmCaption::Form_Activate() {
    setWindowTitle(Q(gTextS45));
    Command1->setText(Q(gTextS1));
}

void frmCaption::showEvent(QShowEvent* e) {
    Form_Activate();
    QDialog::showEvent(e);
}

// Hides the window; the caller reads Cap_txt and then unloads it.
void frmCaption::Command1_Click() { accept(); }

void frmCaption::Form_Unload() {
    if (gSaveWinPos) SaveFormPlacement(this);
}

void frmCaption::closeEvent(QCloseEvent* e) {
    Form_Unload();
    QDialog::closeEvent(e);
}
