// The print options: which of the project's signs are printed (page
// "Select signs"), in which order and over which destination numbers
// ("Order"), and in which of two layouts ("Choose Result": all signs side by
// side, or one sign after another, the chosen sketch framed by a blinking
// frame). Done checks the choice (a beep and nothing stored when two signs
// share an order or the range is out of bounds) and leaves it in Answer; the
// close box cancels the listing.
#pragma once

#include <QDialog>
#include <array>
#include <map>

#include "platform/printtarget.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;
class QWidget;

// A sketch of the printed pages of one layout; clicked or space chooses it.
class LayoutSketch : public QWidget {
    Q_OBJECT
public:
    LayoutSketch(int layout, QWidget* parent);
    int BorderStyle = 0;  // 1 while it has the focus
signals:
    void Chosen();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    int layout_;
};

class frmPrintOptions : public QDialog {
    Q_OBJECT
public:
    explicit frmPrintOptions(QWidget* parent = nullptr);

    // Rows, texts, order lists and range from the request.
    void ShowPrintOptions(const kv::PrintOptionsRequest& request);
    void optWhat_Click(int index);
    void chkSignWanted_Click(int index);
    void picMode1_Click();
    void picMode2_Click();
    void timSelctedMode_Timer();
    void cmdDone_Click();

    std::array<QRadioButton*, 3> optWhat{};
    QWidget* picSigns = nullptr;
    QWidget* picOrder = nullptr;
    QWidget* picResult = nullptr;
    QLabel* lblPrintOptionSelectSigns = nullptr;
    QLabel* lblPrintOptionOrder = nullptr;
    QLabel* lblPrintOptionResult = nullptr;
    std::map<int, QCheckBox*> chkSignWanted;
    std::map<int, QLabel*> lblSignName;
    std::map<int, QComboBox*> cboSignOrder;
    QLabel* lblDestNo = nullptr;
    QLineEdit* txtFrom = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* txtTom = nullptr;
    QLabel* lblFrom = nullptr;
    QLabel* lblTom = nullptr;
    LayoutSketch* picMode1 = nullptr;
    LayoutSketch* picMode2 = nullptr;
    std::array<QFrame*, 4> lineSelect{};
    QTimer* timSelctedMode = nullptr;
    QPushButton* cmdDone = nullptr;

    // What Done left (closed stays true after the close box).
    kv::PrintOptionsAnswer Answer;

protected:
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void ChooseLayout(LayoutSketch* chosen, LayoutSketch* other);
    int Rows() const { return static_cast<int>(chkSignWanted.size()); }
};
