// The start procedure: settings and language, the hidden main window, the
// splash, then the main window.
#include <QTimer>

#include "data/startup.h"
#include "ui/frmInitLanguage.h"
#include "ui/frmSplash.h"
#include "ui/application_qt.h"
#include "ui/frmHead.h"
#include "ui/picload_qt.h"
#include "ui/startup_qt.h"
#include "ui/qtbridge_qt.h"
#include "platform/host.h"
#include "platform/vb.h"

using namespace kv;

namespace {

void ChooseLanguage() {
    frmInitLanguage dlg;
    dlg.exec();
}

}  // namespace

int main(int argc, char** argv) {
    KivarApplication app(argc, argv);
    QApplication::setApplicationName("Kivar32");
    InstallQtUiHost();
    CheckPictureFormats();

    // A start that cannot be completed ends the program after its message.
    frmHead* head = LoadProgram(ChooseLanguage);
    QApplication::processEvents();

    SplashActive = kTrue;
    {
        frmSplash splash;
        splash.exec();
        while (splash.isVisible() && SplashActive) QApplication::processEvents();
    }

    head->show();
    // Without a window manager no activation is reported; run it ourselves
    // and take the keyboard, which no window manager hands over there.
    QTimer::singleShot(0, head, [head] {
        head->activateWindow();
        head->EnsureActivated();
    });
    return app.exec();
}
