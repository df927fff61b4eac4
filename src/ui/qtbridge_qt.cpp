#include "ui/qtbridge_qt.h"

#include <algorithm>

#include <QApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QIcon>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSpacerItem>
#include <QWidget>

#include "data/language.h"
#include "data/startup.h"
#include "platform/cp1252.h"
#include "platform/host.h"
#include "ui/frmMBL.h"
#include "ui/frmReplace.h"
#include "ui/progress_qt.h"

namespace kv {

QString Q(const std::string& s) { return QString::fromUtf8(Utf8From1252(s)); }

int TitleRoomWidth(const QWidget& window, const QString& title) {
    // The title bar's font is the window manager's: taken bold and a fifth
    // wider than the window's, with room for its icon and three buttons.
    QFont f = window.font();
    f.setBold(true);
    return QFontMetrics(f).horizontalAdvance(title) * 6 / 5 + 140;
}
std::string B(const QString& s) { return Cp1252FromUtf8(s.toStdString()); }
std::string BPath(const QString& s) { return Cp1252PathFromUtf8(s.toStdString()); }

namespace {

QIcon& MainIcon() {
    static QIcon icon;
    return icon;
}

// A box never grows past the screen: of a text of many lines, or a very
// long one, it shows the start, and the whole text scrolls under the box's
// "Show Details...".
void ShowLongText(QMessageBox& box, const QString& text) {
    constexpr int kShownLines = 30;
    constexpr int kShownChars = 3000;
    int cut = -1;
    for (int lines = 0; lines < kShownLines; ++lines) {
        cut = text.indexOf('\n', cut + 1);
        if (cut < 0) break;
    }
    if (cut < 0 || cut == text.size() - 1) cut = static_cast<int>(text.size());
    cut = std::min(cut, kShownChars);
    if (cut >= text.size()) {
        box.setText(text);
        return;
    }
    box.setText(text.left(cut) + "\n...");
    box.setDetailedText(text);
}

class QtUiHost : public UiHost {
public:
    int MessageBox(const std::string& text, int style, const std::string& title) override {
        QMessageBox box(QApplication::activeWindow());
        box.setWindowTitle(Q(title));
        // Line breaks come as CR, CR LF or LF.
        QString t = Q(text);
        t.replace("\r\n", "\n").replace('\r', '\n');
        // A NUL byte (from a damaged file) would end the text the box shows.
        t.replace(QChar(0), QChar(0x2400));
        ShowLongText(box, t);
        switch (style & 0x70) {
            case vbCritical: box.setIcon(QMessageBox::Critical); break;
            case vbQuestion: box.setIcon(QMessageBox::Question); break;
            case vbExclamation: box.setIcon(QMessageBox::Warning); break;
            case vbInformation: box.setIcon(QMessageBox::Information); break;
            default: break;
        }
        struct B2 { QMessageBox::StandardButton b; int code; };
        std::vector<B2> buttons;
        switch (style & 7) {
            case vbOKCancel: buttons = {{QMessageBox::Ok, vbOK}, {QMessageBox::Cancel, vbCancel}}; break;
            case vbAbortRetryIgnore:
                buttons = {{QMessageBox::Abort, vbAbort}, {QMessageBox::Retry, vbRetry}, {QMessageBox::Ignore, vbIgnore}};
                break;
            case vbYesNoCancel:
                buttons = {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}, {QMessageBox::Cancel, vbCancel}};
                break;
            case vbYesNo: buttons = {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}}; break;
            case vbRetryCancel: buttons = {{QMessageBox::Retry, vbRetry}, {QMessageBox::Cancel, vbCancel}}; break;
            default: buttons = {{QMessageBox::Ok, vbOK}}; break;
        }
        QMessageBox::StandardButtons all;
        for (auto& b : buttons) all |= b.b;
        box.setStandardButtons(all);
        // A short text would leave the box too narrow for the window
        // manager to show its title.
        if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
            grid->addItem(new QSpacerItem(TitleRoomWidth(box, box.windowTitle()), 0, QSizePolicy::Minimum,
                                          QSizePolicy::Minimum),
                          grid->rowCount(), 0, 1, grid->columnCount());
        size_t def = (style & vbDefaultButton2) && buttons.size() > 1 ? 1 : 0;
        box.setDefaultButton(buttons[def].b);
        if (buttons.size() == 1 || (style & 7) == vbOKCancel || (style & 7) == vbYesNoCancel ||
            (style & 7) == vbRetryCancel)
            box.setEscapeButton(buttons.back().b);
        QApplication::restoreOverrideCursor();
        box.exec();
        // The window behind takes the keyboard back (without a window
        // manager nobody else hands it over).
        if (QWidget* behind = box.parentWidget()) behind->activateWindow();
        auto clicked = box.standardButton(box.clickedButton());
        for (auto& b : buttons)
            if (b.b == clicked) return b.code;
        return buttons.back().code;
    }
    void Beep() override { QApplication::beep(); }
    void DoEvents() override {
        if (RunEventsDue()) QApplication::processEvents();
    }
    void SetBusy(bool busy) override {
        // A run shows the hourglass from its start to its end.
        if (RunGoing()) return;
        if (busy) QApplication::setOverrideCursor(Qt::WaitCursor);
        else while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
    }
    int32_t ReplaceQuestion(const std::string& question) override { return ShowReplaceQuestion(question); }
    void RouteNumberDialog() override { ShowRouteNumberDialog(); }
    void StartRun() override { StartRunInput(); }
    void ShowProgress(const std::string& text, int32_t done, int32_t total) override {
        ShowRunProgress(Q(text), done, total);
    }
    void EndRun() override { EndRunProgress(); }
};

}  // namespace

void InstallQtUiHost() {
    static QtUiHost host;
    SetUiHost(&host);
}

void SetMainWindowIcon(const QString& iconFile) { MainIcon() = QIcon(iconFile); }

void SetFormIcon(QWidget* form, const std::string& iconName, bool noFallback) {
    std::string file = FindIconFile(iconName);
    if (!file.empty()) {
        QIcon icon(Q(file));
        if (!icon.isNull()) {
            form->setWindowIcon(icon);
            return;
        }
    }
    if (!noFallback && !MainIcon().isNull()) form->setWindowIcon(MainIcon());
}

void RestoreFormPlacement(QWidget* form) {
    SetFormIcon(form, "Kivar32.ico", false);
    Placement p = ReadFormPlacement(B(form->objectName()));
    if (p.kind == Placement::Keep) return;
    if (p.kind == Placement::Maximize) {
        form->setWindowState(form->windowState() | Qt::WindowMaximized);
        return;
    }
    if (form->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)) return;
    const int t = kTwipsPerPixel;
    form->setGeometry(p.left / t, p.top / t, std::max(1, p.width / t), std::max(1, p.height / t));
}

void SaveFormPlacement(QWidget* form) {
    if (form->isMinimized()) return;
    const float t = kTwipsPerPixel;
    QRect g = form->isMaximized() ? form->normalGeometry() : form->geometry();
    if (form->isMaximized()) {
        // A maximised window keeps the position it has while maximised.
        g.moveTopLeft(form->geometry().topLeft());
    }
    WriteFormPlacement(B(form->objectName()), g.x() * t, g.y() * t, g.width() * t, g.height() * t,
                       form->isMaximized());
}

QWidget* FindControl(QWidget* form, const char* name, int index) {
    for (QWidget* w : form->findChildren<QWidget*>(QString::fromLatin1(name))) {
        if (index < 0 || w->property("Index").toInt() == index) return w;
    }
    return nullptr;
}

}  // namespace kv
