#include "ui/frmAbout1.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSysInfo>

#include "data/language.h"
#include "data/settings.h"
#include "data/startup.h"
#include "platform/host.h"
#include "ui/formcontrols_qt.h"
#include "ui/qtbridge_qt.h"
#include "ui/webpage_qt.h"

using namespace kv;

namespace {
constexpr int kWidth = 382, kTextLeft = 72, kTextWidth = 296, kButtonLeft = 286, kButtonWidth = 86, kButtonHeight = 24;
constexpr int kLineTop = 160, kLowerTop = 170;

QFrame* NewLine(QWidget* parent, int index, int top) {
    auto* line = NewControl<QFrame>(parent, "Line1", QRect(8, top + (index % 2), kWidth - 16, 1));
    line->setProperty("Index", index);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(index % 2 ? QFrame::Plain : QFrame::Sunken);
    return line;
}

void SetTextColour(QLabel* label, const QColor& c) {
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, c);
    label->setPalette(p);
}
}  // namespace

std::string SystemInfoText() {
    const QString text = QString("%1\r\nKernel: %2 %3\r\nProcessor: %4\r\nComputer: %5\r\nQt %6")
                             .arg(QSysInfo::prettyProductName(), QSysInfo::kernelType(), QSysInfo::kernelVersion(),
                                  QSysInfo::currentCpuArchitecture(), QSysInfo::machineHostName(), qVersion());
    return B(text);
}

int WindowsKeyCode(int qtKey) {
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) return qtKey;
    return qtKey == Qt::Key_Space ? 32 : 0;
}

frmAbout1::frmAbout1(QWidget* parent) : QDialog(parent) {
    setObjectName("frmAbout1");
    setWindowTitle("About MyApp");
    setMouseTracking(true);
    picIcon = NewControl<QLabel>(this, "picIcon", QRect(16, 16, 32, 32));
    lblTitle = NewControl<QLabel>(this, "lblTitle", QRect(kTextLeft, 12, kTextWidth, 24));
    QFont big = lblTitle->font();
    big.setPointSize(big.pointSize() + 4);
    big.setBold(true);
    lblTitle->setFont(big);
    lblVersion = NewControl<QLabel>(this, "lblVersion", QRect(kTextLeft, 38, kTextWidth, 16));
    lblWWW = NewControl<QLabel>(this, "lblWWW", QRect(kTextLeft, 56, kTextWidth, 16));
    lblWWW->setText(Q(kMakerWebAddress));
    lblWWW->setCursor(Qt::PointingHandCursor);
    lblWWW->setMouseTracking(true);
    lblWWW->installEventFilter(this);
    lblDescription = NewControl<QLabel>(this, "lblDescription", QRect(kTextLeft, 76, kTextWidth, 82));
    lblDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblRepAddress = NewControl<QLabel>(this, "lblRepAddress", QRect(kTextLeft, kLowerTop, kTextWidth, 96));
    lblRepAddress->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    for (int i = 0; i < 4; ++i) Line1[static_cast<size_t>(i)] = NewLine(this, i, kLineTop);
    lblDisclaimer = NewControl<QLabel>(this, "lblDisclaimer", QRect(16, kLowerTop, kButtonLeft - 24, 84));
    lblDisclaimer->setWordWrap(true);
    lblDisclaimer->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    cmdOK = NewControl<QPushButton>(this, "cmdOK", QRect(kButtonLeft, kLowerTop, kButtonWidth, kButtonHeight));
    cmdOK->setDefault(true);
    cmdSysInfo = NewControl<QPushButton>(this, "cmdSysInfo", QRect(kButtonLeft, kLowerTop + 32, kButtonWidth, kButtonHeight));
    cmdSysInfo->setText("&System Info...");
    for (QWidget* w : findChildren<QWidget*>()) w->setMouseTracking(true);
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdSysInfo, &QPushButton::clicked, this, [this] { cmdSysInfo_Click(); });
    Form_Load();
}

void frmAbout1::Form_Load() {
    RestoreFormPlacement(this);
    ShowTexts();
    setWindowTitle(Q(kApplicationTitle));
    lblTitle->setText(Q(kApplicationTitle));
    lblVersion->setText(QString("Version %1.%2.%3").arg(KIVAR_VERSION_MAJOR).arg(KIVAR_VERSION_MINOR).arg(KIVAR_VERSION_PATCH));
    SetFormIcon(this, "Kivar32.ico", false);
    picIcon->setPixmap(windowIcon().pixmap(32, 32));
}

void frmAbout1::ShowTexts() {
    const AboutTexts t = ReadAboutTexts();
    cmdOK->setText(Q(gTextS1));
    lblDisclaimer->setText(Q(t.disclaimer));
    lblDescription->setText(Q(t.description));
    // The lower part stands below the representative's block while it is shown.
    const int shift = (t.representative ? kRepShift : 0) - (tall_ ? kRepShift : 0);
    tall_ = t.representative;
    for (QWidget* w : std::initializer_list<QWidget*>{Line1[0], Line1[1], cmdSysInfo, cmdOK, lblDisclaimer})
        w->move(w->x(), w->y() + shift);
    lblRepAddress->setText(Q(t.repAddress));
    lblRepAddress->setVisible(t.representative);
    Line1[2]->setVisible(t.representative);
    Line1[3]->setVisible(t.representative);
    setFixedSize(kWidth, t.representative ? kTallHeight : kShortHeight);
}

void frmAbout1::cmdOK_Click() { accept(); }

void frmAbout1::cmdSysInfo_Click() { StartSysInfo(); }

void frmAbout1::StartSysInfo() { MsgBox(SystemInfoText(), vbInformation); }

void frmAbout1::Form_KeyDown(int keyCode, int shift) {
    const std::string greeting = KeySequence.KeyDown(keyCode, shift);
    if (!greeting.empty()) MsgBox(greeting, vbOKOnly);
}

void frmAbout1::lblWWW_Click() {
    if (!OpenWebPage(kMakerWebAddress)) MsgBox(std::string("Unable to show ") + kMakerWebAddress, vbOKOnly);
    SetBusy(false);
}

void frmAbout1::lblWWW_MouseMove() { SetTextColour(lblWWW, QColor(0, 0, 255)); }
void frmAbout1::Form_MouseMove() { SetTextColour(lblWWW, Qt::black); }

void frmAbout1::Form_Unload() {
    if (gSaveWinPos) SaveFormPlacement(this);
}

void frmAbout1::keyPressEvent(QKeyEvent* e) {
    const Qt::KeyboardModifiers m = e->modifiers();
    const int shift = (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0);
    if (const int code = WindowsKeyCode(e->key())) Form_KeyDown(code, shift);
    QDialog::keyPressEvent(e);
}

void frmAbout1::mouseMoveEvent(QMouseEvent* e) {
    Form_MouseMove();
    QDialog::mouseMoveEvent(e);
}

bool frmAbout1::eventFilter(QObject* watched, QEvent* e) {
    if (watched == lblWWW) {
        // The link's own moves do not reach the window.
        if (e->type() == QEvent::MouseMove || e->type() == QEvent::Enter) {
            lblWWW_MouseMove();
            return e->type() == QEvent::MouseMove;
        }
        if (e->type() == QEvent::MouseButtonRelease) {
            lblWWW_Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, e);
}

void frmAbout1::changeEvent(QEvent* e) {
    if (e->type() == QEvent::LanguageChange) ShowTexts();
    QDialog::changeEvent(e);
}

void frmAbout1::done(int result) {
    Form_Unload();
    QDialog::done(result);
}
