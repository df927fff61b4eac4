#include "ui/frmReplace.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

#include "app/replace.h"
#include "data/language.h"
#include "data/settings.h"
#include "ui/qtbridge_qt.h"

using namespace kv;

frmReplace::frmReplace(QWidget* parent) : QDialog(parent) {
    setObjectName("frmReplace");
    setModal(true);
    lblQuestion = new QLabel(this);
    lblQuestion->setObjectName("lblQuestion");
    lblQuestion->setWordWrap(true);
    lblQuestion->setGeometry(12, 12, 376, 48);
    struct Button {
        QPushButton*& button;
        const char* name;
        void (frmReplace::*click)();
    };
    const Button buttons[] = {{cmdYes, "cmdYes", &frmReplace::cmdYes_Click},
                              {cmdYesAll, "cmdYesAll", &frmReplace::cmdYesAll_Click},
                              {cmdNo, "cmdNo", &frmReplace::cmdNo_Click},
                              {cmdNoNone, "cmdNoNone", &frmReplace::cmdNoNone_Click}};
    int x = 12;
    for (const Button& b : buttons) {
        b.button = new QPushButton(this);
        b.button->setObjectName(b.name);
        b.button->setGeometry(x, 68, 88, 26);
        b.button->setAutoDefault(false);
        connect(b.button, &QPushButton::clicked, this, b.click);
        x += 94;
    }
    cmdYes->setDefault(true);
    resize(400, 106);
    Form_Load();
}

void frmReplace::Form_Load() {
    setWindowTitle(Q(LangText("S3000", "Replace existing appearance")));
    cmdYes->setText(Q(LangText("S3002", "&Yes")));
    cmdYesAll->setText(Q(LangText("S3003", "Yes &All")));
    cmdNo->setText(Q(LangText("S3004", "&No")));
    cmdNoNone->setText(Q(LangText("S3005", "N&o None")));
    RestoreFormPlacement(this);
}

void frmReplace::Answered(int32_t answer) {
    Answer = answer;
    if (gSaveWinPos) SaveFormPlacement(this);
    accept();
}

void frmReplace::cmdYes_Click() { Answered(kReplaceYes); }
void frmReplace::cmdYesAll_Click() { Answered(kReplaceYesToAll); }
void frmReplace::cmdNo_Click() { Answered(kReplaceNo); }
void frmReplace::cmdNoNone_Click() { Answered(kReplaceNoToAll); }

int32_t ShowReplaceQuestion(const std::string& question) {
    frmReplace dlg(QApplication::activeWindow());
    dlg.lblQuestion->setText(Q(question));
    QApplication::restoreOverrideCursor();
    dlg.exec();
    if (QWidget* behind = dlg.parentWidget()) behind->activateWindow();
    return dlg.Answer;
}
