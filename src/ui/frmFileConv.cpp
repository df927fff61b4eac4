#include "ui/frmFileConv.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>

#include "files/intelhex.h"
#include "ui/file_dialog_qt.h"
#include "ui/qtbridge_qt.h"

using namespace kv;

frmFileConv::frmFileConv(QWidget* parent) : QDialog(parent) {
    setObjectName("frmFileConv");
    setWindowTitle("Out-file to Intel HEX");
    FileName = new QLineEdit(this);
    FileName->setObjectName("FileName");
    FileName->setGeometry(8, 12, 300, 22);
    Browse = new QPushButton("Browse...", this);
    Browse->setObjectName("Browse");
    Browse->setGeometry(316, 11, 80, 24);
    Start = new QPushButton("Start", this);
    Start->setObjectName("Start");
    Start->setGeometry(316, 44, 80, 24);
    Dialog = NewFileDialog(this, "Dialog");
    Dialog->setNameFilter("Orvalde out files (*.out)");
    setFixedSize(404, 76);
    connect(Browse, &QPushButton::clicked, this, [this] { Browse_Click(); });
    connect(Start, &QPushButton::clicked, this, [this] { Start_Click(); });
}

void frmFileConv::Browse_Click() {
    FileDialogAsk ask;
    ask.filterIndex = 0;
    if (const FileDialogAnswer answer = RunFileDialog(Dialog, this, ask); answer.accepted) FileName->setText(answer.path);
}

void frmFileConv::Start_Click() { FileConvStart(BPath(FileName->text())); }
