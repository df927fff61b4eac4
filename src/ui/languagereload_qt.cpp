#include "ui/languagereload_qt.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

#include "ui/frmHead.h"

void ReloadOpenWindowTexts() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w == gfrmHead) {
            gfrmHead->Form_Activate();
            continue;
        }
        QEvent change(QEvent::LanguageChange);
        QApplication::sendEvent(w, &change);
    }
}
