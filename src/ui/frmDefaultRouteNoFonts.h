// The start font and the route-number font of each sign height 7 to 32:
// choose a height, then a font in each list; OK saves the changed heights
// into the settings file and the dialog stays open for more.
#pragma once

#include <QDialog>

#include "app/defaultfonts.h"

class QComboBox;
class QLabel;
class QPushButton;

class frmDefaultRouteNoFonts : public QDialog {
    Q_OBJECT
public:
    explicit frmDefaultRouteNoFonts(QWidget* parent);

    void Form_Load();
    // The chosen height's pair shows in the two font lists.
    void cboFontHeght_Click();
    void cboDefaultStartFont_Click();
    void cboDefaultRouteNoFont_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

    QLabel* lblHeight = nullptr;
    QLabel* lblInfo = nullptr;
    QLabel* lblStart = nullptr;
    QLabel* lblRoute = nullptr;
    QComboBox* cboFontHeght = nullptr;
    QComboBox* cboDefaultStartFont = nullptr;
    QComboBox* cboDefaultRouteNoFont = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    // The working copies the lists change.
    kv::DefaultFontsWork Work;

protected:
    void done(int result) override;

private:
    int ShownHeight() const;
    bool showing_ = false;
};
