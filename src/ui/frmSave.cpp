#include "ui/frmSave.h"

#include <QHBoxLayout>
#include <QPushButton>

#include "app/commit.h"
#include "data/language.h"
#include "data/settings.h"
#include "ui/qtbridge_qt.h"

using namespace kv;

frmSave::frmSave(QWidget* parent) : QDialog(parent) {
    setObjectName("frmSave");
    auto* lay = new QHBoxLayout(this);
    const std::pair<QPushButton**, const char*> buttons[] = {{&cmdReplace, "cmdReplace"},
                                                             {&cmdInsertBefore, "cmdInsertBefore"},
                                                             {&cmdInsertAfter, "cmdInsertAfter"},
                                                             {&cmdCancel, "cmdCancel"}};
    for (auto [button, name] : buttons) {
        *button = new QPushButton(this);
        (*button)->setObjectName(name);
        (*button)->setAutoDefault(false);
        lay->addWidget(*button);
    }
    cmdReplace->setDefault(true);
    connect(cmdReplace, &QPushButton::clicked, this, [this] { cmdReplace_Click(); });
    connect(cmdInsertBefore, &QPushButton::clicked, this, [this] { cmdInsertBefore_Click(); });
    connect(cmdInsertAfter, &QPushButton::clicked, this, [this] { cmdInsertAfter_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    Form_Load();
}

void frmSave::Form_Load() {
    setWindowTitle(Q(RemoveString(gTextS6, "&")));
    cmdReplace->setText(Q(gTextS26));
    cmdInsertBefore->setText(Q(gTextS119));
    cmdInsertAfter->setText(Q(gTextS120));
    cmdCancel->setText(Q(gTextS2));
    cmdInsertAfter->setEnabled(InsertAfterOffered());
    SetFormIcon(this, "Kivar32.ico", false);
    RestoreFormPlacement(this);
}

void frmSave::cmdReplace_Click() {
    gSaveChoice = 1;
    CloseForm();
}

void frmSave::cmdInsertBefore_Click() {
    gSaveChoice = 2;
    CloseForm();
}

void frmSave::cmdInsertAfter_Click() {
    gSaveChoice = 3;
    CloseForm();
}

void frmSave::cmdCancel_Click() {
    gSaveChoice = 0;
    CloseForm();
}

void frmSave::CloseForm() {
    if (gSaveWinPos) SaveFormPlacement(this);
    accept();
}
