#include "ui/frmInitLanguage.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "data/startup.h"
#include "ui/qtbridge_qt.h"

using namespace kv;

frmInitLanguage::frmInitLanguage(QWidget* parent) : QDialog(parent) {
    setObjectName("frmInitLanguage");
    setWindowTitle("Language / Sprache");
    lbl1 = new QLabel("Please select the language that you would like to use in Kivar.", this);
    lbl1->setObjectName("lbl1");
    lbl2 = new QLabel(QString::fromUtf8("Bitte w\u00e4hlen Sie die Sprache, die Sie in Kivar verwenden m\u00f6chten."), this);
    lbl2->setObjectName("lbl2");
    cboLanguage = new QComboBox(this);
    cboLanguage->setObjectName("cboLanguage");
    cmdOK = new QPushButton("OK", this);
    cmdOK->setObjectName("cmdOK");
    cmdOK->setDefault(true);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(lbl1);
    lay->addWidget(lbl2);
    lay->addWidget(cboLanguage);
    lay->addWidget(cmdOK, 0, Qt::AlignRight);
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    Form_Load();
}

void frmInitLanguage::Form_Load() {
    SetFormIcon(this, "Kivar32.ico", false);
    for (const auto& name : LoadLanguageList()) cboLanguage->addItem(Q(name));
    if (cboLanguage->count() > 0) cboLanguage->setCurrentIndex(0);
    cmdOK->setEnabled(cboLanguage->count() > 0);
}

void frmInitLanguage::cmdOK_Click() {
    // With no language offered there is nothing to store.
    if (cboLanguage->currentIndex() < 0) return;
    StoreLanguageChoice(B(cboLanguage->currentText()));
    accept();
}
