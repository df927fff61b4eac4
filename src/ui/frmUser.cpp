#include "ui/frmUser.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "app/userinfo.h"
#include "data/language.h"
#include "data/settings.h"
#include "ui/qtbridge_qt.h"

using namespace kv;

namespace {

template <class W>
W* Named(W* w, const char* name) {
    w->setObjectName(name);
    return w;
}

}  // namespace

frmUser::frmUser(QWidget* parent) : QDialog(parent) {
    setObjectName("frmUser");
    setModal(true);
    const char* labels[] = {"lblCompany", "lblDate", "lblResponsible", "lblOthers"};
    const char* boxes[] = {"txtCompany", "txtDate", "txtResponsible", "txtOthers"};
    QLabel** l[] = {&lblCompany, &lblDate, &lblResponsible, &lblOthers};
    QLineEdit** t[] = {&txtCompany, &txtDate, &txtResponsible, &txtOthers};
    for (int i = 0; i < 4; ++i) {
        *l[i] = Named(new QLabel(this), labels[i]);
        (*l[i])->setGeometry(8, 12 + i * 30, 100, 22);
        *t[i] = Named(new QLineEdit(this), boxes[i]);
        (*t[i])->setGeometry(112, 12 + i * 30, 260, 22);
        (*l[i])->setBuddy(*t[i]);
        (*t[i])->installEventFilter(this);
    }
    cmdOK = Named(new QPushButton(this), "cmdOK");
    cmdOK->setGeometry(192, 136, 86, 26);
    cmdOK->setDefault(true);
    cmdCancel = Named(new QPushButton(this), "cmdCancel");
    cmdCancel->setGeometry(286, 136, 86, 26);
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    setFixedSize(382, 172);
    Form_Load();
}

void frmUser::Form_Load() { RestoreFormPlacement(this); }

void frmUser::Form_Activate() {
    setWindowTitle(Q(LangText("S1900")));
    lblCompany->setText(Q(LangText("S1904")));
    lblDate->setText(Q(LangText("S1902")));
    lblResponsible->setText(Q(LangText("S1903")));
    lblOthers->setText(Q(LangText("S1901")));
    cmdOK->setText(Q(gTextS1));
    cmdCancel->setText(Q(gTextS2));
    // The boxes are filled once: typing not yet stored is never replaced.
    if (filled_) return;
    filled_ = true;
    const UserInfoTexts u = CurrentUserInfo();
    txtCompany->setText(Q(u.company));
    txtDate->setText(Q(u.date));
    txtResponsible->setText(Q(u.responsible));
    txtOthers->setText(Q(u.others));
    txtCompany->setFocus();
}

void frmUser::showEvent(QShowEvent* e) {
    Form_Activate();
    QDialog::showEvent(e);
}

void frmUser::cmdOK_Click() {
    StoreUserInfo({B(txtCompany->text()), B(txtDate->text()), B(txtResponsible->text()), B(txtOthers->text())});
    accept();
}

void frmUser::cmdCancel_Click() { reject(); }

void frmUser::Form_Unload() {
    if (gSaveWinPos) SaveFormPlacement(this);
}

void frmUser::HideForm() { hide(); }

void frmUser::done(int result) {
    Form_Unload();
    QDialog::done(result);
}

bool frmUser::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::FocusIn)
        if (auto* box = qobject_cast<QLineEdit*>(watched)) QTimer::singleShot(0, box, [box] { box->selectAll(); });
    return QDialog::eventFilter(watched, e);
}
