// The main window arranged for the model of the current sign: the editor
// picture of a graphic sign or the character strip of a text sign, the
// captions naming the shown signs, and the text-sign line mode that switches
// off what a text sign cannot use.
#include <QAction>
#include <QCheckBox>
#include <QPushButton>
#include <QGroupBox>
#include <QLabel>
#include <QTimer>

#include "data/charmap.h"
#include "data/language.h"
#include "data/records.h"
#include "data/signtable.h"
#include "engine/dotlayers.h"
#include "engine/editorview.h"
#include "engine/marking.h"
#include "engine/signpictures.h"
#include "engine/textstrip.h"
#include "ui/frmHead.h"
#include "app/entryload.h"
#include "app/headlayout.h"
#include "ui/headwidgets_qt.h"
#include "app/signcontrols.h"
#include "ui/qtbridge_qt.h"
#include "platform/host.h"
#include "platform/vb.h"
#include "ui/frmSignConfig.h"
#include "ui/frmSignSel.h"
#include "app/signconfig.h"

using namespace kv;

namespace {

// The scale height of a cursor picture: its own units over its inner height.
int CursorScaleHeight(const QWidget* w) {
    const QVariant v = w->property("ScaleHeight");
    return v.isValid() ? v.toInt() : w->height();
}

}  // namespace

void frmHead::UpdateSignControls(int16_t address) {
    if (IsSignAddress(address)) {
        const SignInfo& s = SignInfoOf(address);
        const int16_t W = s.Width, H = s.Height;
        const int inner = ClientArea->width();
        SignPicture* edit = gEditPicture ? gEditPicture : K4000_pct;
        // A sign picture keeps the size of its dot grid and its place in its
        // frame; only the editor picture of the start takes the editor's size.
        const bool signPicture = std::find(picSign.begin(), picSign.end(), edit) != picSign.end();
        if (s.Model == "K4000") {
            K2000_pct->hide();
            edit->hide();
            if (!signPicture) {
                edit->SetSize(static_cast<int16_t>(5 * W + 2), static_cast<int16_t>(5 * H + 2));
                edit->move((inner - edit->width()) / 2, edit->y());
            }
            ResizeGraphicLayer(s.GraphicIndex, W + 5, H + 5);
            ResizeUndoLayer(s.GraphicIndex, W + 5, H + 5);
            RefreshEditor(kTrue, kTrue);
            edit->show();
            ArrangeSignArea();
        } else if (s.Model == "K2000_1R" || s.Model == "K2000_2R") {
            // The strip takes the editor picture's place; a shown graphic
            // sign keeps its picture in its frame.
            if (!signPicture) edit->hide();
            K2000_pct->hide();
            K2000_pct->Cls();
            const StripSize size = TextStripSize(s.Model, W, H);
            K2000_pct->SetSize(size.width, size.height);
            K2000_pct->setProperty("DrawWidth", 3);
            // The places of the characters (gStripX) and the separators;
            // the strip starts empty.
            DrawStripSeparators(LayoutTextStrip(s.Model, W, H));
            K2000_pct->show();
            ArrangeSignArea();
            CursorTimer->start();
        }
    }
    const std::string shown = ShownSignNames(false);
    SignCaption_lbl->setText(Q(shown));
    sb->SetPanelText(1, Label4->text() + " " + Q(shown));
    AutoSign_lbl->setText(Q(ShownSignNames(true)));
    gCurrentSign = address;
}

void frmHead::UpdateToolbarState() {
    if (gTextSignActive) return;
    const auto& items = TextSignModeItems();
    for (size_t i = 0; i < items.size(); ++i) {
        const TextSignModeItem& item = items[i];
        if (item.kind == TextSignModeItem::MenuItem) {
            QAction* a = MenuItem(QString::fromLatin1(item.name));
            gSavedControlState[i] = VbBool(a->isEnabled());
            a->setEnabled(item.valueWhileOn);
        } else {
            QWidget* w = ClientArea->findChild<QWidget*>(QString::fromLatin1(item.name));
            gSavedControlState[i] = VbBool(!w->isHidden());
            w->setVisible(item.valueWhileOn);
        }
    }
    gTextSignActive = kTrue;
    gSavedEditorFont = gCurrentFontCode;
    if (gCursorPicture) {
        gSavedCursorScale = static_cast<int16_t>(CursorScaleHeight(gCursorPicture));
        gCursorPicture->setProperty("ScaleHeight", 25);
    }
    SizeFrame->hide();
    for (int b : kTextSignModeToolbarButtons) tbButtons[b]->setEnabled(false);
    if (ReadCharMap("2") != CharMapStatus::Taken) MsgBox(gTextS29, vbExclamation);
}

void frmHead::UpdateToolbarState2() {
    if (!gTextSignActive) return;
    const auto& items = TextSignModeItems();
    for (size_t i = 0; i < items.size(); ++i) {
        const TextSignModeItem& item = items[i];
        const bool saved = gSavedControlState[i] != 0;
        if (item.kind == TextSignModeItem::MenuItem) MenuItem(QString::fromLatin1(item.name))->setEnabled(saved);
        else ClientArea->findChild<QWidget*>(QString::fromLatin1(item.name))->setVisible(saved);
    }
    if (gCursorPicture) gCursorPicture->setProperty("ScaleHeight", static_cast<int>(gSavedCursorScale));
    SizeFrame->show();
    for (int b : kTextSignModeToolbarButtons) tbButtons[b]->setEnabled(true);
    gTextSignActive = kFalse;
    // The strip left its own font and character height in the editor's: the
    // editor's font comes back and is measured again, so that the pages read
    // next stand where their rows say and the font box names it.
    const std::string font = EditorFontAfterStrip();
    if (!font.empty()) LoadFontMap(font);
}

void frmHead::EnableK4000Controls() {
    if (gCurrentSign <= 0 || !IsSignAddress(gCurrentSign)) return;
    MenuItem("mnuLayoutInvertera")->setVisible(SignInfoOf(gCurrentSign).Model == "K4000");
}

void frmHead::Signs_e_Click() {
    bool relaidOut = false;
    if (AskSaveChanges()) {
        frmSignSel dialog(this);
        dialog.exec();
        relaidOut = dialog.RelaidOut;
        // The window takes the keyboard back (without a window manager
        // nobody else hands it over).
        activateWindow();
    }
    RefreshCurrentSignPicture();
    // Once the pictures were laid out again (which empties their layers), the
    // sets may show other signs: the pictures are emptied too, and the
    // current sign's set becomes active afresh, without keeping the editor
    // state of the set that was active before. A text sign has no set.
    if (relaidOut) {
        SelectK4000Graphic(false);
        ActivePictureIndex = -1;
    }
    if (IsSignAddress(gCurrentSign) && SignInfoOf(gCurrentSign).Model == "K4000") {
        ChangeAddress(SignInfoOf(gCurrentSign).GraphicIndex, true, true);
        if (relaidOut) ShowSign(false, false);
    }
    // Each picture shows its own sign's page of the entry in hand (a set may
    // show another sign now; what it held of the one before is no page of
    // this sign). The user agreed before the choice to drop what was not
    // stored.
    if (relaidOut) ShowEntryOnShownSigns();
    // Only the active sign's frame carries the active marker (the laid-out
    // frames were marked as they were sized).
    KeepActiveMarkerOnActiveSign();
    EnableK4000Controls();
}

void frmHead::Signconfig_e_Click() {
    gSignConfigCancelled = kFalse;
    {
        frmSignConfig dialog(this);
        dialog.exec();
    }
    activateWindow();
    if (!gSignConfigCancelled) {
        Signs_e_Click();
        // A renamed sign keeps the size of its picture: its frame is told
        // the new name here.
        const int16_t current = gCurrentSign;
        for (int16_t address : ShownK4000Signs()) {
            if (!OwnsPicture(address)) continue;
            const int16_t k = SignInfoOf(address).GraphicIndex;
            gCurrentSign = address;
            picSign_Resize(k);
        }
        gCurrentSign = current;
        KeepActiveMarkerOnActiveSign();
    }
    gSignConfigCancelled = kFalse;
}
