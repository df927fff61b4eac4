// The start of a document: the out-file defaults of a new project, the
// settings a document starts from, and the first current sign.
#include <QListWidget>
#include <QPushButton>
#include <QToolBar>

#include "data/destcodes.h"
#include "data/inverted.h"
#include "data/language.h"
#include "data/records.h"
#include "data/signtable.h"
#include "engine/editstate.h"
#include "files/outoptions.h"
#include "mainwindow/docsettings.h"
#include "mainwindow/frmHead.h"
#include "mainwindow/headwidgets_qt.h"
#include "mainwindow/signcontrols.h"
#include "platform/qtbridge_qt.h"
#include "platform/vb.h"

using namespace kv;

void frmHead::ReadLibFile() {
    ReadDocumentSettings();
    if (gInsertMode) SaveDestOrExtra->setText(Q(gTextS6 + "..."));
}

void frmHead::InitDocument() {
    gCommandRowOn = 1;
    gFontSectionOn = 1;
    gComrowMems = 1;
    gControlInfoOn = 0;
    gRouteNumberSeq = kDefaultRouteNumberSeq;
    gRouteNumberStartIndex = 2;
    gCommandFile = kDefaultCommandFile;
    ReadLibFile();
    ReadDefaultRouteNoFonts();
    dotpic->SetForeColor(QColor(255, 255, 0));
    dotpic->SetBackColor(Qt::black);

    gCurrentPage = 1;
    gDestListActive = kTrue;
    DestList->show();
    ExtraList->hide();
    gChangeTime = gDefaultChangeTime;

    // The project: the auto-save file left by an abnormal end, else the
    // template project, is read here once the project reader is linked in.
    gCurrentDest = 1;
    gCurrentExtra = 1;
    bKeepCurrentNumber = false;

    // The first sign of the shown-signs choice becomes current and shown.
    const int16_t first = FirstListedSign();
    if (first != 0) {
        gCurrentSign = first;
        SignInfoOf(first).Shown = kTrue;
    }
    UpdateSignControls(gCurrentSign);
    tbToolBar->update();

    gTxlVersion = gDestCodesOn ? 6 : 5;
    gAltBuffer.clear();
    gTextAlignment = 1;
}
