// The splash window shown for a second at start.
#pragma once

#include <QDialog>

class QLabel;
class QTimer;
class QFrame;

class frmSplash : public QDialog {
    Q_OBJECT
public:
    explicit frmSplash(QWidget* parent = nullptr);
    void Form_Load();
    void Timer1_Timer();
    void Frame1_Click();
    static QString VersionText();

    QLabel* imgLogo;
    QLabel* lblProductName;
    QLabel* lblVersion;
    QFrame* Frame1;
    QTimer* Timer1;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;
};
