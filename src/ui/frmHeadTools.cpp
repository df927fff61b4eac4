// Editing from the main window: the toolbar's keys and its right button,
// the edit menu (copy, paste, delete, delete all, automatic layout, graphic
// export and import), the font step buttons, the graphic tool images, and
// the controls the editor sets (pointer, draw style, tool images, the text
// cursors and their timer, the focus). The work is the core's; this file
// converts and forwards.
#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "app/cutprefs.h"
#include "app/editcommands.h"
#include "app/signkeys.h"
#include "app/signtools.h"
#include "app/toolbar.h"
#include "engine/editstate.h"
#include "engine/graphictools.h"
#include "platform/host.h"
#include "ui/frmCutPreferences.h"
#include "ui/frmHead.h"
#include "ui/headwidgets_qt.h"
#include "ui/qtbridge_qt.h"

using namespace kv;

namespace {

bool FocusNamed(const char* name) {
    const QWidget* w = QApplication::focusWidget();
    return w && w->objectName() == QLatin1String(name);
}

}  // namespace

// ------------------------------------------------------------------ wiring

void frmHead::ConnectEditingControls() {
    const std::pair<const char*, void (frmHead::*)()> items[] = {
        {"Cut_e", &frmHead::Cut_e_Click},         {"Paste_e", &frmHead::Paste_e_Click},
        {"Del_e", &frmHead::Del_e_Click},         {"cutALL_E", &frmHead::cutALL_E_Click},
        {"auto_e", &frmHead::auto_e_Click},       {"Export_e", &frmHead::Export_e_Click},
        {"Import_e", &frmHead::Import_e_Click},
    };
    for (const auto& [name, handler] : items) {
        QAction* a = MenuItem(QString::fromUtf8(name));
        connect(a, &QAction::triggered, this, [this, a, handler] {
            // The automatic layout's tick follows the layout, not the click.
            if (a->isCheckable()) a->setChecked(gAutoMode != 0);
            (this->*handler)();
        });
    }
    // The step runs on the press, which takes the focus to the picture; the
    // click of the same press is no second step. The access keys and the
    // space bar click the buttons.
    for (QPushButton* b : {LibBigger, LibSmaller}) {
        b->installEventFilter(this);
        connect(b, &QPushButton::clicked, this, [this, b] {
            if (b->property("PressStepped").toBool()) {
                b->setProperty("PressStepped", false);
                return;
            }
            if (b == LibBigger) LibBigger_Click();
            else LibSmaller_Click();
        });
    }
    // The graphic tool images work like the toolbar's buttons beside which
    // they stand: a click presses the button, they are usable while it is
    // and carry its tooltip.
    for (const auto& [image, index] : ToolImageRow()) {
        QAction* button = tbButtons[index];
        ImageControl* img = image;
        auto follow = [this, img, button] {
            img->setEnabled(button->isEnabled() && (img != imgUndo || undoAvailable_));
            img->setToolTip(button->toolTip());
        };
        connect(button, &QAction::changed, img, follow);
        follow();
        if (img == imgCut) continue;
        bool pen = false;
        for (int i = 0; i < 4; ++i)
            if (img == imgSelectPointSize[i]) {
                connect(img, &ImageControl::Click, this, [this, i] { imgSelectPointSize_Click(i); });
                pen = true;
            }
        if (!pen) connect(img, &ImageControl::Click, this, [this, index] { PressToolbarButton(index); });
    }
    connect(imgCut, &ImageControl::MouseDown, this, [this](int button) { imgCut_MouseDown(static_cast<int16_t>(button)); });
    // The toolbar's own mouse: the right button and the pointer over it.
    tbToolBar->installEventFilter(this);
    for (QAction* a : tbToolBar->actions())
        if (QWidget* w = tbToolBar->widgetForAction(a)) w->installEventFilter(this);
    K2000_pct->installEventFilter(this);
    Curs_2000->installEventFilter(this);
}

bool frmHead::EditingEvent(QObject* watched, QEvent* e) {
    const QEvent::Type type = e->type();
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w) return false;
    if (w == tbToolBar || w->parentWidget() == tbToolBar) {
        if (type == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(e)->button() == Qt::RightButton) {
            tbToolBar_MouseDown(2);
            return true;
        }
        if (type == QEvent::Enter || type == QEvent::MouseMove) tbToolBar_MouseMove();
        return false;
    }
    if (w == LibBigger || w == LibSmaller) {
        if (type == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
            w->setProperty("PressStepped", true);
            if (w == LibBigger) LibBigger_Click();
            else LibSmaller_Click();
        } else if (type == QEvent::MouseButtonRelease) {
            // A press released off the button makes no click: the flag goes
            // once the release is handled.
            QTimer::singleShot(0, w, [w] { w->setProperty("PressStepped", false); });
        }
        return false;
    }
    if (w == K2000_pct) {
        if (type == QEvent::MouseButtonPress) {
            auto* m = static_cast<QMouseEvent*>(e);
            K2000_pct_MouseDown(m->button() == Qt::RightButton ? 2 : 1, 0, static_cast<float>(m->position().x()),
                                static_cast<float>(m->position().y()), static_cast<float>(K2000_pct->height()));
        } else if (type == QEvent::FocusIn) {
            K2000_pct_GotFocus();
        } else if (type == QEvent::FocusOut) {
            K2000_pct_LostFocus();
        }
        return false;
    }
    if (w == Curs_2000 && type == QEvent::MouseButtonRelease) Curs_2000_Click();
    return false;
}

// ------------------------------------------------------------------ toolbar

void frmHead::tbToolBar_ButtonClick(QAction* button) {
    const QString key = button ? button->property("Key").toString() : QString();
    // A project is read without the event pump running, so no key arrives
    // while one is being opened.
    if (ToolbarKey(key.toStdString(), false)) return;
    if (key == "New") mnuNytt_Click();
    else if (key == "Open") mnuÖppna_Click();
    else if (key == "Save") mnuSpara_Click();
    else if (key == "SpridMera") ExpandMore_e_Click();
    else if (key == "SpridMindre") ExpandLess_e_Click();
    else if (key == "InvText") InvertTextToGraph();
    else if (key == "Print") mnuSkrivutTillskrivare_Click();
    UpdatePenSizeKeys();
}

void frmHead::tbToolBar_MouseDown(int16_t button) {
    if (button == 2) ShowCutPreferences();
}

void frmHead::tbToolBar_MouseMove() {
    if (ScreenMousePointer() == 15) SetScreenMousePointer(0);
    ToolbarMouseMove();
}

void frmHead::ShowCutPreferences() {
    frmCutPreferences dialog(this);
    dialog.exec();
}

void frmHead::PressToolbarButton(int index) {
    QAction* button = tbButtons[index];
    if (button->isEnabled()) button->trigger();
}

void frmHead::imgCut_MouseDown(int16_t button) {
    if (button == 1) PressToolbarButton(23);
    else ShowCutPreferences();
}

void frmHead::imgSelectPointSize_Click(int index) { PressToolbarButton(28 + index); }

void frmHead::LibBigger_Click() { RefreshFromText(1); }
void frmHead::LibSmaller_Click() { RefreshFromText(2); }

// ------------------------------------------------------------------ the edit menu

void frmHead::Cut_e_Click() {
    // With a list focused (not in graphic mode) its selected entries are
    // copied whole.
    if (CopyListRecords()) return;
    CopyOnSignPicture();
}

void frmHead::Paste_e_Click() {
    if (PasteListRecords()) return;
    PasteOnSignPicture();
}

void frmHead::Del_e_Click() {
    if (FocusNamed("picSign")) {
        DeleteOnSignPicture();
    } else if (auto* box = qobject_cast<QLineEdit*>(QApplication::focusWidget());
               box && (box == CurrNoTxt || box == LineNo_txt)) {
        // The character right of the caret, or the selected text.
        box->del();
    }
}

void frmHead::cutALL_E_Click() { DeleteAllOnSign(); }

void frmHead::auto_e_Click() { ToggleAutomaticLayout(); }

void frmHead::Export_e_Click() {
    if (!CanExportGraphic()) return;
    const FileDialogChoice c = ChooseFile({true, "", "Kivar graphic (*.grf)|*.grf|All files (*.*)|*.*",
                                           GraphicFileProposal(), 1});
    if (c.cancelled) return;
    ExportGraphic(c.path);
}

void frmHead::Import_e_Click() {
    FileDialogRequest request{false, "", "Kivar graphic (*.grf)|*.grf|All files (*.*)|*.*", GraphicFileProposal(), 1};
    for (;;) {
        const FileDialogChoice c = ChooseFile(request);
        if (c.cancelled) return;
        // No file chosen: the pattern came back.
        if (c.path.find("*.grf") != std::string::npos) {
            Beep();
            continue;
        }
        ImportGraphic(c.path);
        return;
    }
}

void frmHead::Curs_2000_Click() { K2000_pct->setFocus(); }

// ------------------------------------------------------------------ the controls the editor sets

bool frmHead::ToolbarButtonEnabled(int16_t index) { return index >= 1 && index <= 38 && tbButtons[index]->isEnabled(); }

void frmHead::EnableToolbarButton(int16_t index, bool on) {
    if (index >= 1 && index <= 38) tbButtons[index]->setEnabled(on);
}

void frmHead::SetEditPointer(int16_t pointer, int16_t pen) {
    if (!gEditPicture) return;
    switch (pointer) {
    case 2:
        if (UseStandardMousePointer) gEditPicture->setCursor(Qt::CrossCursor);
        else gEditPicture->setCursor(QCursor(imgCursorKors1->pixmap()));
        break;
    case 5:
        if (UseStandardMousePointer) gEditPicture->setCursor(Qt::SizeAllCursor);
        else gEditPicture->setCursor(QCursor(imgCursorMove->pixmap()));
        break;
    case 1:
        if (UseStandardMousePointer) gEditPicture->setCursor(Qt::ArrowCursor);
        else gEditPicture->setCursor(QCursor(imgCursorPoint[std::clamp<int>(pen, 0, 3)]->pixmap()));
        break;
    default:
        // The plain arrow, not the frame's drag pointer around it.
        gEditPicture->setCursor(Qt::ArrowCursor);
        break;
    }
}

void frmHead::SetDrawStyle(int16_t style) { RefreshSignPicture(style); }

void frmHead::MarkToolImage(int16_t tool) {
    // One tool is chosen at a time: its image alone carries the border.
    const std::pair<int, ImageControl*> images[] = {{1, imgBox}, {2, imgLine}, {3, imgPoint}, {4, imgFill}, {20, imgCut}};
    bool known = false;
    for (const auto& [t, image] : images) known = known || t == tool;
    if (!known) return;
    for (const auto& [t, image] : images) image->SetBorderStyle(t == tool ? 1 : 0);
}

void frmHead::MarkPenImage(int16_t pen) {
    for (int i = 0; i < 4; ++i) imgSelectPointSize[i]->SetBorderStyle(i == pen ? 1 : 0);
}

bool frmHead::CursorTimerEnabled() { return CursorTimer->isActive(); }

void frmHead::EnableCursorTimer(bool on) {
    if (on) CursorTimer->start();
    else CursorTimer->stop();
}

bool frmHead::CursorPictureShown() { return gCursorPicture && gCursorPicture->isVisibleTo(gCursorPicture->parentWidget()); }

void frmHead::ShowCursorPicture(bool on) {
    if (gCursorPicture) gCursorPicture->setVisible(on);
}

void frmHead::PlaceCursorPicture(int32_t left, int32_t top, int32_t width, int32_t height) {
    if (gCursorPicture) gCursorPicture->setGeometry(left, top, width, height);
}

bool frmHead::StripCursorShown() { return Curs_2000->isVisibleTo(K2000_pct); }

void frmHead::ShowStripCursor(bool on) { Curs_2000->setVisible(on); }

void frmHead::PlaceStripCursor(int32_t left, int32_t top, int32_t width, int32_t height) {
    Curs_2000->setGeometry(left, top, width, height);
}

void frmHead::SetCursorTimerInterval(int32_t ms) { CursorTimer->setInterval(ms); }

bool frmHead::SignPictureHasFocus() { return FocusNamed("picSign"); }


void frmHead::ShowFontStepButtons(bool on) { SizeFrame->setVisible(on); }
