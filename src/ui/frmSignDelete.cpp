#include "ui/frmSignDelete.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "data/language.h"
#include "data/settings.h"
#include "ui/frmSignConfig.h"
#include "ui/formcontrols_qt.h"
#include "ui/qtbridge_qt.h"

using namespace kv;

frmSignDelete::frmSignDelete(frmSignConfig* config) : QDialog(config), config_(config) {
    setObjectName("frmSignDelete");
    setModal(true);
    setFixedSize(280, 260);
    lblInstruction = NewControl<QLabel>(this, "lblInstruction", {8, 8, 264, 40});
    lblInstruction->setWordWrap(true);
    lstSigns = NewControl<QListWidget>(this, "lstSigns", {8, 52, 264, 160});
    lstSigns->setSelectionMode(QAbstractItemView::MultiSelection);
    cmdDelete = NewControl<QPushButton>(this, "cmdDelete", {84, 222, 90, 28});
    cmdCancel = NewControl<QPushButton>(this, "cmdCancel", {182, 222, 90, 28});
    connect(cmdDelete, &QPushButton::clicked, this, [this] { cmdDelete_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    Form_Load();
}

void frmSignDelete::Form_Load() {
    cmdCancel->setText(Q(gTextS2));
    cmdDelete->setText(Q(gTextS1));
    setWindowTitle(Q(LangText("S1690", "Delete signs")));
    lblInstruction->setText(Q(LangText("S1691", "Select sign/signs. Confirm deletion by pressing the 'OK'-button")));
    RestoreFormPlacement(this);
    std::vector<std::string> items;
    for (int i = 0; i < config_->k4000Size_clst->count(); ++i)
        items.push_back(B(config_->k4000Size_clst->item(i)->text()));
    Offer = BuildDimDeleteOffer(config_->Config.Lines(), items);
    for (const std::string& d : Offer.offered) lstSigns->addItem(Q(d));
}

void frmSignDelete::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    activateWindow();
}

void frmSignDelete::cmdDelete_Click() {
    std::vector<bool> selected;
    for (int i = 0; i < lstSigns->count(); ++i) selected.push_back(lstSigns->item(i)->isSelected());
    if (DeleteOfferedDims(Offer, selected)) config_->InitSignCombo("K4000", config_->k4000Size_clst);
    Form_Unload();
    accept();
}

void frmSignDelete::cmdCancel_Click() {
    Form_Unload();
    reject();
}

void frmSignDelete::Form_Unload() {
    if (gSaveWinPos) SaveFormPlacement(this);
}

void frmSignDelete::closeEvent(QCloseEvent* e) {
    Form_Unload();
    QDialog::closeEvent(e);
}
