// A new allowed dimension of the graphic sign model: width and height typed,
// checked, and added to the model's list in the settings file and to the
// configuration dialog's size list. The dialog stays open for more.
#pragma once

#include <QDialog>
#include <string>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class frmSignConfig;

class frmSignNew : public QDialog {
    Q_OBJECT
public:
    explicit frmSignNew(frmSignConfig* config);

    void Form_Load();
    // Captions, then the fields of the configuration dialog's current choice.
    void Form_Activate();
    // The fields of a model, filled from the configuration dialog's size list.
    void ShowDimensionFields(const std::string& model);
    void lstSignType_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

    QLabel* Label2 = nullptr;
    QLabel* lblSignType = nullptr;
    QListWidget* lstSignType = nullptr;
    QGroupBox* fraDimension = nullptr;
    QLabel* lblDimWidth = nullptr;
    QLabel* lblDimHeight = nullptr;
    QLineEdit* txtDimWidth = nullptr;
    QLineEdit* txtDimHeight = nullptr;
    QLabel* lblCharacter = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    frmSignConfig* config_;
};
