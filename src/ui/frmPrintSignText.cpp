#include "ui/frmPrintSignText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/qtbridge_qt.h"

using namespace kv;

namespace {

// Design positions in twips, shown at 15 twips a pixel.
constexpr int Px(int twips) { return twips / 15; }

template <class W>
W* Named(W* w, const char* name) {
    w->setObjectName(name);
    return w;
}

QCheckBox* Check(QWidget* parent, const char* name, int top) {
    auto* c = Named(new QCheckBox(parent), name);
    c->setGeometry(Px(2400), Px(top), Px(3000), Px(300));
    return c;
}

}  // namespace

frmPrintSignText::frmPrintSignText(QWidget* parent) : QDialog(parent) {
    setObjectName("frmPrintSignText");
    setWindowTitle("Text");
    setModal(true);
    txtSignText = Named(new QLineEdit(this), "txtSignText");
    txtSignText->setGeometry(Px(120), Px(180), Px(5532), Px(312));
    fraSignText = Named(new QGroupBox(" Text - preferences ", this), "fraSignText");
    fraSignText->setGeometry(Px(120), Px(780), Px(5532), Px(1932));
    lblFontSize = Named(new QLabel("Fontsize", fraSignText), "lblFontSize");
    lblFontSize->setGeometry(Px(240), Px(360), Px(1800), Px(300));
    cboFontSize = Named(new QComboBox(fraSignText), "cboFontSize");
    cboFontSize->setGeometry(Px(240), Px(700), Px(1200), Px(330));
    chkSignTextBold = Check(fraSignText, "chkSignTextBold", 300);
    chkSignTextBold->setText("Bold");
    chkSignTextItalic = Check(fraSignText, "chkSignTextItalic", 660);
    chkSignTextItalic->setText("Italic");
    chkSignTextUnderlined = Check(fraSignText, "chkSignTextUnderlined", 1020);
    chkSignTextUnderlined->setText("Underlined");
    chkCenterText = Check(fraSignText, "chkCenterText", 1380);
    chkCenterText->setText("Text centered");
    cmdDone = Named(new QPushButton("Done", this), "cmdDone");
    cmdDone->setDefault(true);
    connect(cmdDone, &QPushButton::clicked, this, [this] { cmdDone_Click(); });
    Form_Load();
}

void frmPrintSignText::Form_Load() {
    for (int size : {8, 9, 10, 11, 12, 14, 16, 18, 24}) cboFontSize->addItem(QString::number(size));
    cboFontSize->setCurrentIndex(-1);
}

void frmPrintSignText::Form_Activate() {
    fraSignText->setVisible(printerOutput_);
    const int doneTop = printerOutput_ ? 2820 : 600;
    cmdDone->setGeometry(Px(2100), Px(doneTop), Px(1455), Px(435));
    setFixedSize(Px(5892), Px(doneTop + 435 + 180));
}

void frmPrintSignText::showEvent(QShowEvent* e) {
    Form_Activate();
    QDialog::showEvent(e);
}

void frmPrintSignText::cmdDone_Click() { accept(); }

void frmPrintSignText::SetFields(const PrintTextFields& f, bool printerOutput) {
    printerOutput_ = printerOutput;
    setWindowTitle(Q(f.caption));
    fraSignText->setTitle(Q(f.frameText));
    chkSignTextUnderlined->setText(Q(f.underlinedText));
    chkSignTextBold->setText(Q(f.boldText));
    chkSignTextItalic->setText(Q(f.italicText));
    lblFontSize->setText(Q(f.sizeLabel));
    chkCenterText->setText(Q(f.centerText));
    cmdDone->setText(Q(f.doneText));
    txtSignText->setText(Q(f.text));
    cboFontSize->setCurrentIndex(cboFontSize->findText(Q(f.sizeText)));
    chkSignTextBold->setChecked(f.bold == 1);
    chkSignTextItalic->setChecked(f.italic == 1);
    chkSignTextUnderlined->setChecked(f.underlined == 1);
    chkCenterText->setChecked(f.centred == 1);
}

void frmPrintSignText::TakeFields(PrintTextFields& f) const {
    f.text = B(txtSignText->text());
    f.sizeText = B(cboFontSize->currentText());
    f.bold = chkSignTextBold->isChecked() ? 1 : 0;
    f.italic = chkSignTextItalic->isChecked() ? 1 : 0;
    f.underlined = chkSignTextUnderlined->isChecked() ? 1 : 0;
    f.centred = chkCenterText->isChecked() ? 1 : 0;
}
