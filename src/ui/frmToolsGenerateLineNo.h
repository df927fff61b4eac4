// Route-number generation and super copy: a master sign, the target signs,
// and OK, which runs the tool through every destination.
#pragma once

#include <QDialog>
#include <cstdint>
#include <vector>

#include "app/routetools.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class frmHead;

class frmToolsGenerateLineNo : public QDialog {
    Q_OBJECT
public:
    explicit frmToolsGenerateLineNo(frmHead* head);

    void Form_Load();
    // The sign lists of the mode (gSuperCopyMode).
    void InitSignLists();
    void cmdOK_Click();
    void cmdCancel_Click();

    QListWidget* lstSigns = nullptr;
    QComboBox* cboMasterSign = nullptr;
    QLabel* lblFrom = nullptr;
    QLabel* lblTo = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    // The address of each line of the two lists.
    std::vector<int16_t> TargetAddresses, MasterAddresses;

private:
    // OK only while a master sign is chosen.
    void EnableOk();
    frmHead* head_;
};
