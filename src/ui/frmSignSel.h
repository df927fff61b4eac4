// The shown-signs dialog: one check box per configured sign (graphic signs,
// then text signs in red, then route-number signs in blue), and while
// route-number texts per destination are on, a route-number box beside each
// graphic sign. OK lays the main window out for the ticked signs.
#pragma once

#include <QDialog>
#include <map>

#include "app/signsel.h"

class QCheckBox;
class QLabel;
class QPushButton;
class frmHead;

class frmSignSel : public QDialog {
    Q_OBJECT
public:
    // `head` is the main window whose sign pictures OK lays out.
    explicit frmSignSel(frmHead* head);

    // Builds the rows from the sign table.
    void Form_Load();
    // A ticked route-number box unticks its row's sign box.
    void Line_cbx_Click(int index);
    void Sign_cbx_Click(int index);
    void Ok_cmd_Click();

    // Sign_cbx(0) is the hidden template; 1..total the rows. Line_cbx(100 + i)
    // is the route-number box of graphic row i.
    std::map<int, QCheckBox*> Sign_cbx;
    std::map<int, QCheckBox*> Line_cbx;
    QLabel* AutoLine_lbl = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* Ok_cmd = nullptr;

    int16_t nK1000 = 0, nK2000 = 0, nK4000 = 0;
    int16_t Total() const { return static_cast<int16_t>(nK4000 + nK2000 + nK1000); }
    // Set once OK has laid the main window's sign pictures out again.
    bool RelaidOut = false;

    // Positions in pixels (the template box's top and height, the columns).
    static constexpr int kRowLeft = 64, kRouteNoLeft = 24, kTemplateTop = 32, kRowWidth = 150;
    static constexpr int kMinHeight = 1385 / 15;

protected:
    void showEvent(QShowEvent* e) override;

private:
    QCheckBox* NewBox(const QString& name, int index);
    // The main window's route-number box, in every outcome of OK.
    void ShowRouteNoBox(const kv::SignSelOutcome& out);
    // The keyboard goes back to the main window's editing picture.
    void FocusEditingPicture();

    frmHead* head_;
    kv::SignSelTexts texts_;
    int rowHeight_ = 19;
};
