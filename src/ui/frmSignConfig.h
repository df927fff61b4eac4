// The sign configuration dialog: the configured signs as sign lines, and the
// name, model, dimension and address of the sign being added or changed.
// OK renames and readdresses the signs in the project and rebuilds the sign
// table; Cancel (and the close box) leaves the project as it was.
#pragma once

#include <QDialog>
#include <array>
#include <string>

#include "app/signconfig.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class frmSignConfig : public QDialog {
    Q_OBJECT
public:
    explicit frmSignConfig(QWidget* parent = nullptr);

    // The model's dimensions from the settings file into its list (the
    // first selected); the dimension table grows by them.
    void InitSignCombo(const std::string& model, QListWidget* list);
    // A dimension (display form) added to the model's list in the settings file.
    bool AddSignDim(const std::string& dimension, const std::string& model);
    void ChangeSignName(const std::string& oldName, const std::string& newName);
    void ChangeSignAddress(int16_t oldAddress, int16_t newAddress);
    // The dimension list of a model (null for another name).
    QListWidget* SizeList(const std::string& model) const;

    void Form_Load();
    void Sign_lst_Click();
    void SignType_clst_Click();
    void k4000Size_clst_Click();
    void SignAddress_clst_Click();
    void cboDefaultRouteNoFont_Click();
    void SignName_tbx_GotFocus();
    // keyAscii 0 drops the key.
    void SignName_tbx_KeyPress(int16_t& keyAscii);
    void AddSign_Click();
    void ChangeSign_Click();
    void RemoveSign_Click();
    void cmdNewSignDimension_Click();
    void cmdDeleteSigns_Click();
    void Ok_cmd_Click();
    void cmdCancel_Click();

    // The close box and Escape act as Cancel.
    void reject() override;
    void done(int result) override;

    QListWidget* Sign_lst = nullptr;
    QLineEdit* SignName_tbx = nullptr;
    QListWidget* SignAddress_clst = nullptr;
    QListWidget* SignType_clst = nullptr;
    QListWidget* k4000Size_clst = nullptr;
    QListWidget* k1000Size_clst = nullptr;
    QListWidget* K2000_1RSize_clst = nullptr;
    QListWidget* K2000_2RSize_clst = nullptr;
    QComboBox* cboDefaultRouteNoFont = nullptr;
    QPushButton *AddSign = nullptr, *ChangeSign = nullptr, *RemoveSign = nullptr;
    QPushButton *cmdNewSignDimension = nullptr, *cmdDeleteSigns = nullptr;
    QPushButton *Ok_cmd = nullptr, *cmdCancel = nullptr;
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr, *Label5 = nullptr,
           *Label6 = nullptr;

    // The lines being edited, their as-loaded forms and the rules.
    kv::SignConfig Config;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void BuildControls();
    // The edit fields show a sign line.
    void ShowLine(const std::string& line);
    kv::SignFields EditFields() const;
    // Sign_lst as the list of lines, `select` selected (its click runs).
    void ShowLines(int select);
    // Selects a row the way a click does: the row's handler runs even when
    // the row was selected already.
    void SelectRow(QListWidget* list, int row);
    void SelectSize(QListWidget* list, const std::string& dimension);
    // Only the model's dimension list is shown.
    void ShowSizeList(const std::string& model);
    void ClearSelection();
    std::string Model() const;
    int16_t Address() const;

    bool okRunning_ = false;
    bool sizeClick_ = false;
    int rememberedAddress_ = 0;
    std::array<std::string, 15> routeNoFonts_;
};
