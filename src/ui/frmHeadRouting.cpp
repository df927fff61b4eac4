// Keyboard and mouse routing of the main window: the window sees every key
// before the control that has the focus and passes keys typed on a sign
// picture to the sign editor; mouse events of the window background, of the
// sign frames and of the sign pictures reach their handlers.
#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

#include "app/entryload.h"
#include "app/signkeys.h"
#include "app/signtools.h"
#include "engine/graphictools.h"
#include "ui/frmHead.h"
#include "app/headstate.h"
#include "ui/headwidgets_qt.h"
#include "platform/cp1252.h"
#include "ui/qtbridge_qt.h"

using namespace kv;

namespace {

int gScreenPointer = 0;

int16_t ShiftOf(Qt::KeyboardModifiers m) {
    return static_cast<int16_t>((m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
                                (m & Qt::AltModifier ? 4 : 0));
}

int16_t ButtonOf(Qt::MouseButton b) { return b == Qt::RightButton ? 2 : b == Qt::MiddleButton ? 4 : b == Qt::LeftButton ? 1 : 0; }

int16_t ButtonsOf(Qt::MouseButtons b) {
    return static_cast<int16_t>((b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) |
                                (b & Qt::MiddleButton ? 4 : 0));
}

// The window system's key code of a key.
int16_t VbKeyCode(int key) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<int16_t>(key);
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<int16_t>(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return static_cast<int16_t>(112 + key - Qt::Key_F1);
    switch (key) {
        case Qt::Key_Backspace: return 8;
        case Qt::Key_Tab: return 9;
        case Qt::Key_Return:
        case Qt::Key_Enter: return 13;
        case Qt::Key_Shift: return 16;
        case Qt::Key_Control: return 17;
        case Qt::Key_Alt: return 18;
        case Qt::Key_Escape: return 27;
        case Qt::Key_Space: return 32;
        case Qt::Key_PageUp: return 33;
        case Qt::Key_PageDown: return 34;
        case Qt::Key_End: return 35;
        case Qt::Key_Home: return 36;
        case Qt::Key_Left: return 37;
        case Qt::Key_Up: return 38;
        case Qt::Key_Right: return 39;
        case Qt::Key_Down: return 40;
        case Qt::Key_Insert: return 45;
        case Qt::Key_Delete: return 46;
        default: return 0;
    }
}

// The character a key types, as the window system's character code; 0 for none.
int16_t KeyAsciiOf(const QKeyEvent* e) {
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) return 13;
    if (e->key() == Qt::Key_Backspace) return 8;
    if (e->key() == Qt::Key_Escape) return 27;
    const QString text = e->text();
    if (text.isEmpty()) return 0;
    // A character Windows-1252 does not have types nothing.
    const std::string bytes = Cp1252FromUtf8(text.left(1).toStdString(), '\0');
    return bytes.empty() ? 0 : static_cast<int16_t>(static_cast<unsigned char>(bytes[0]));
}

bool ActiveControlIs(const char* name) {
    const QWidget* w = QApplication::focusWidget();
    return w && w->objectName() == QLatin1String(name);
}

}  // namespace

int frmHead::ScreenMousePointer() { return gScreenPointer; }

void frmHead::SetScreenMousePointer(int pointer) {
    while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
    gScreenPointer = pointer;
    if (pointer == 15) QApplication::setOverrideCursor(Qt::SizeAllCursor);
    else if (pointer == 11) QApplication::setOverrideCursor(Qt::WaitCursor);
}

void frmHead::Form_KeyDown(int16_t keyCode, int16_t shift) {
    if (ActiveControlIs("picSign")) K4000_pct_KeyDown(keyCode, shift);
    // The text signs' strip has key handlers of its own.
    else if (ActiveControlIs("K2000_pct")) K2000_pct_KeyDown(keyCode, shift);
}

void frmHead::Form_KeyPress(int16_t& keyAscii) {
    if (ActiveControlIs("K2000_pct")) {
        K2000_pct_KeyPress(keyAscii);
        return;
    }
    if (ActiveControlIs("picSign") || gGeneratingRouteNumbers) K4000_pct_KeyPress(keyAscii);
    // The key changed the text: the sign is rendered and painted again.
    if (TextChanged && !bWritingRouteNumber) {
        TextChanged = false;
        ShowSign(false, false);
        if (AreaSelectedNow()) ClearSignPictureColor(kWhite);
    }
}

void frmHead::Form_MouseDown(int16_t, int16_t, float x, float y) {
    if (gBlinkState != 0) {
        gBlinkState = 0;
        return;
    }
    const QPushButton *a = SaveAndNew, *b = SaveDestOrExtra;
    if (x > a->x() + a->width() && x < b->x() && y > a->y() && y < a->y() + a->height()) {
        gBlinkState = 3;
        // The cursor timer drives the wave of the text.
        CursorTimer->start();
    }
}

void frmHead::Form_MouseMove(int16_t, int16_t, float x, float y) {
    // Back from the toolbar: the cursor blinks again.
    ResumeCursorTimer();
    const QPushButton *a = SaveAndNew, *b = SaveDestOrExtra;
    if (gBlinkState != 0 &&
        (x < a->x() + a->width() || x >= b->x() || y <= a->y() || y > a->y() + a->height()))
        gBlinkState = 0;
    if (ScreenMousePointer() == 15) SetScreenMousePointer(0);
}

bool frmHead::PreviewKey(QObject* watched, QEvent* e) {
    // The first receiver of a key in this window is the focus widget, or the
    // window itself when nothing has the focus.
    if (e->type() != QEvent::KeyPress || resending_) return false;
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w || w->window() != this) return false;
    QWidget* focus = QApplication::focusWidget();
    if (w != focus && !(focus == nullptr && w == this)) return false;
    auto* k = static_cast<QKeyEvent*>(e);
    Form_KeyDown(VbKeyCode(k->key()), ShiftOf(k->modifiers()));
    int16_t ascii = KeyAsciiOf(k);
    if (ascii == 0) return false;
    const int16_t typed = ascii;
    Form_KeyPress(ascii);
    if (ascii == 0) return true;
    if (ascii != typed) {
        // The handler changed the character: the control gets the new one.
        QKeyEvent changed(QEvent::KeyPress, 0, k->modifiers(), Q(std::string(1, static_cast<char>(ascii))));
        resending_ = true;
        QApplication::sendEvent(w, &changed);
        resending_ = false;
        return true;
    }
    return false;
}

bool frmHead::eventFilter(QObject* watched, QEvent* e) {
    if (EditingEvent(watched, e)) return true;
    const QEvent::Type type = e->type();
    if (watched == ClientArea || watched == SignAreaContent) {
        if (type == QEvent::Resize) {
            if (watched == ClientArea) Form_Resize();
        } else if (type == QEvent::MouseButtonPress || type == QEvent::MouseMove) {
            // The sign area's background is the window's too.
            auto* m = static_cast<QMouseEvent*>(e);
            const QPointF at = watched == ClientArea
                                   ? m->position()
                                   : QPointF(SignAreaContent->mapTo(ClientArea, m->position().toPoint()));
            const float x = static_cast<float>(at.x()), y = static_cast<float>(at.y());
            const int16_t shift = ShiftOf(m->modifiers());
            if (type == QEvent::MouseButtonPress) Form_MouseDown(ButtonOf(m->button()), shift, x, y);
            else Form_MouseMove(ButtonsOf(m->buttons()), shift, x, y);
        }
        return false;
    }
    if (watched == DestList->viewport() || watched == ExtraList->viewport()) {
        // What the list names before a press moves its choice: a double
        // click that ends at the question goes back to it.
        // The second press of a double click (which some window systems
        // send before the double click itself) keeps the first one's.
        if (type == QEvent::MouseButtonPress) {
            const auto* m = static_cast<QMouseEvent*>(e);
            const bool second = listPressTime_ != 0 &&
                                m->timestamp() - listPressTime_ <= static_cast<quint64>(QApplication::doubleClickInterval());
            listPressTime_ = m->timestamp();
            if (!second) listChoiceAtPress_ = CurrentListChoice(watched == DestList->viewport());
        } else if (type == QEvent::MouseButtonDblClick) {
            listPressTime_ = 0;
        }
        return false;
    }
    if (watched == DestList || watched == ExtraList) {
        // A list without a chosen line gets the focus without choosing one;
        // the first arrow key then chooses the first line.
        auto* list = static_cast<QListWidget*>(watched);
        if (type == QEvent::FocusIn && list->currentRow() < 0) list->setCurrentIndex(QModelIndex());
        // Enter in a list loads its entry, as a double click does.
        if (type == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(e)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                if (watched == DestList) DestList_KeyPress(13);
                else ExtraList_KeyPress(13);
                return true;
            }
        }
        return false;
    }
    if (watched == CurrNoTxt) {
        if (type == QEvent::FocusIn) CurrNoTxt_GotFocus();
        else if (type == QEvent::FocusOut) CurrNoTxt_LostFocus();
        return false;
    }

    // The sign picture sets.
    const int index = watched->property("Index").toInt();
    const QString name = watched->objectName();
    const bool isFrame = name == QLatin1String("PicSignFrame"), isPicture = name == QLatin1String("picSign");
    if (!isFrame && !isPicture) return false;
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::MouseButtonRelease: {
            auto* m = static_cast<QMouseEvent*>(e);
            const float x = static_cast<float>(m->position().x()), y = static_cast<float>(m->position().y());
            const int16_t shift = ShiftOf(m->modifiers());
            const int16_t button = type == QEvent::MouseMove ? ButtonsOf(m->buttons()) : ButtonOf(m->button());
            if (isPicture) {
                // A second press soon after a click comes as a double click;
                // the picture's tools have no use for it.
                if (type == QEvent::MouseButtonDblClick) break;
                if (type == QEvent::MouseButtonPress) picSign_MouseDown(index, button, shift, x, y);
                else if (type == QEvent::MouseMove) picSign_MouseMove(index, button, shift, x, y);
                else {
                    picSign_MouseUp(index, button, shift, x, y);
                    if (static_cast<QWidget*>(watched)->rect().contains(m->position().toPoint())) picSign_Click(index);
                }
            } else {
                // On the frame a press is a press: the second of a double
                // click (a drag started right after a click) drags too.
                if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick)
                    PicSignFrame_MouseDown(index, button, shift, x, y);
                else if (type == QEvent::MouseMove) PicSignFrame_MouseMove(index, button, shift, x, y);
                else {
                    PicSignFrame_MouseUp(index, button, shift, x, y);
                    if (static_cast<QWidget*>(watched)->rect().contains(m->position().toPoint()))
                        PicSignFrame_Click(index);
                }
            }
            break;
        }
        case QEvent::FocusIn:
            if (isPicture) picSign_GotFocus(index);
            else PicSignFrame_GotFocus(index);
            break;
        case QEvent::FocusOut:
            if (isPicture) picSign_LostFocus(index);
            break;
        default: break;
    }
    return false;
}
