// The converter window: an out-file chosen by name is converted into an
// Intel HEX file of the same name beside it.
#pragma once

#include <QDialog>

class QFileDialog;
class QLineEdit;
class QPushButton;

class frmFileConv : public QDialog {
    Q_OBJECT
public:
    explicit frmFileConv(QWidget* parent = nullptr);

    // Chooses an out-file in a file dialog; its path goes into FileName.
    void Browse_Click();
    // Converts "<name>.out" into "<name>.hex" for the name in FileName.
    void Start_Click();

    QLineEdit* FileName = nullptr;
    QPushButton* Browse = nullptr;
    QPushButton* Start = nullptr;
    QFileDialog* Dialog = nullptr;
};
