#include "ui/frmSplash.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>
#include <QVBoxLayout>

#include "data/startup.h"
#include "ui/qtbridge_qt.h"
#include "platform/vb.h"

using namespace kv;

frmSplash::frmSplash(QWidget* parent) : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName("frmSplash");
    setAttribute(Qt::WA_DeleteOnClose, false);
    Frame1 = new QFrame(this);
    Frame1->setObjectName("Frame1");
    Frame1->setFrameShape(QFrame::Box);
    Frame1->setLineWidth(2);
    Frame1->installEventFilter(this);
    imgLogo = new QLabel(Frame1);
    imgLogo->setObjectName("imgLogo");
    lblProductName = new QLabel(Frame1);
    lblProductName->setObjectName("lblProductName");
    QFont big = lblProductName->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    lblProductName->setFont(big);
    lblVersion = new QLabel(Frame1);
    lblVersion->setObjectName("lblVersion");
    const char* further[] = {"Destination sign editor", "Destinations, extra texts and route numbers",
                             "for dot-matrix signs", "", "", ""};
    auto* text = new QVBoxLayout;
    text->addWidget(lblProductName);
    text->addWidget(lblVersion);
    for (int i = 0; i < 6; ++i) {
        if (!*further[i]) continue;
        auto* l = new QLabel(QString::fromLatin1(further[i]), Frame1);
        l->setObjectName(QString("lblInfo%1").arg(i + 1));
        text->addWidget(l);
    }
    auto* row = new QHBoxLayout(Frame1);
    row->addWidget(imgLogo, 0, Qt::AlignTop);
    row->addSpacing(16);
    row->addLayout(text);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(Frame1);
    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    Form_Load();
    Timer1->start();
}

QString frmSplash::VersionText() {
    return QString("Version %1.%2.%3").arg(KIVAR_VERSION_MAJOR).arg(KIVAR_VERSION_MINOR).arg(KIVAR_VERSION_PATCH);
}

void frmSplash::Form_Load() {
    lblVersion->setText(VersionText());
    lblProductName->setText(Q("Kivar32\xAE"));
    QIcon icon = windowIcon();
    std::string file = FindIconFile("Kivar32.ico");
    if (!file.empty()) icon = QIcon(Q(file));
    imgLogo->setPixmap(icon.pixmap(32, 32));
}

void frmSplash::Timer1_Timer() {
    Timer1->stop();
    SplashActive = kFalse;
    done(QDialog::Accepted);
}

void frmSplash::Frame1_Click() { done(QDialog::Accepted); }

void frmSplash::keyPressEvent(QKeyEvent*) { done(QDialog::Accepted); }

bool frmSplash::eventFilter(QObject* o, QEvent* e) {
    if (o == Frame1 && e->type() == QEvent::MouseButtonRelease) {
        Frame1_Click();
        return true;
    }
    return QDialog::eventFilter(o, e);
}
