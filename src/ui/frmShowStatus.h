// A small window with a start-up status text.
#pragma once

#include <QDialog>

class QLabel;

class frmShowStatus : public QDialog {
    Q_OBJECT
public:
    explicit frmShowStatus(QWidget* parent = nullptr);
    void Form_Load();
    QLabel* lblStatus[2];
};
