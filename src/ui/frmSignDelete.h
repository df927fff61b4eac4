// Deletes allowed graphic dimensions that no sign of the configuration
// dialog's list uses: several may be chosen; the settings file's [K4000]
// section is written anew and the dialog's size list filled again.
#pragma once

#include <QDialog>

#include "app/dimdialogs.h"

class QLabel;
class QListWidget;
class QPushButton;
class frmSignConfig;

class frmSignDelete : public QDialog {
    Q_OBJECT
public:
    explicit frmSignDelete(frmSignConfig* config);

    void Form_Load();
    void cmdDelete_Click();
    void cmdCancel_Click();
    void Form_Unload();

    QLabel* lblInstruction = nullptr;
    QListWidget* lstSigns = nullptr;
    QPushButton* cmdDelete = nullptr;
    QPushButton* cmdCancel = nullptr;

    // The dimensions, which of them are in use, and what is offered.
    kv::DimDeleteOffer Offer;

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    frmSignConfig* config_;
};
