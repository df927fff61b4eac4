// The destination and extra-text lists of the main window: switching between
// them, the click that makes an entry current, the double click (and Enter)
// that loads it into the sign pictures, the current-number box, and the
// auto-create button.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "data/destcodes.h"
#include "data/destlist.h"
#include "data/fontlist.h"
#include "data/inverted.h"
#include "data/language.h"
#include "data/records.h"
#include "data/signdata.h"
#include "data/signtable.h"
#include "data/charmap.h"
#include "engine/editorslots.h"
#include "engine/editorview.h"
#include "engine/editstate.h"
#include "engine/pageload.h"
#include "engine/routefield.h"
#include "engine/routenumber.h"
#include "engine/signcommands.h"
#include "engine/signpictures.h"
#include "ui/frmHead.h"
#include "app/headstate.h"
#include "ui/headwidgets_qt.h"
#include "app/listentries.h"
#include "app/signcontrols.h"
#include "ui/qtbridge_qt.h"
#include "platform/host.h"
#include "platform/vb.h"

using namespace kv;

namespace {

bool ActiveControlIsOneOf(std::initializer_list<const char*> names) {
    const QWidget* w = QApplication::focusWidget();
    if (!w) return false;
    for (const char* n : names)
        if (w->objectName() == QLatin1String(n)) return true;
    return false;
}

// The line the list's selection stands on; "" without one.
std::string SelectedLine(const QListWidget* box, const ListModel& model) {
    const int row = box->currentRow();
    return row >= 0 ? model.List(row) : std::string();
}

// The highest address of a shown route-number sign; 0 without one.
int16_t LastShownK1000() {
    for (int16_t a = 16; a >= 2; --a)
        if (SignInfoOf(a).Model == "K1000" && SignInfoOf(a).Shown) return a;
    return 0;
}

}  // namespace

// ------------------------------------------------------------------ switching lists

void frmHead::mnuTextDesttext_Click() {
    QAction* dest = MenuItem("mnuTextDesttext");
    if (!dest->property("Ticked").toBool()) {
        DestList->show();
        ExtraList->hide();
        Label3->setText(Q(gTextS60));
        Label2->setText(Q(gTextS55));
        CurrNoTxt->setMaxLength(4);
        gDestListActive = kTrue;
        SetListTicks(true);
        BlackOut_chk->show();
        lblBlackOut->show();
        ShowCurrentNumber();
        MenuItem("Signconfig_e")->setEnabled(true);
        MenuItem("Signs_e")->setEnabled(true);
        Ch_Check->setChecked(false);
        gCurrentPage = 1;
        gChangeTime = gDefaultChangeTime;
        AdjustLists();
        MenuItem("mnuToolsShowtime")->setEnabled(true);
        MenuItem("mnuToolsSuperCopy")->setEnabled(true);
    }
    if (gK1000Shown && gExtraPerSign) {
        LineNo_txt->show();
        LineNo_lbl->show();
    }
    if (!gStartUp) {
        if (gTextSignActive) K2000_pct->setFocus();
        else RefreshCurrentSignPicture();
    }
}

void frmHead::mnuTextExtratext_Click() {
    QAction* extra = MenuItem("mnuTextExtratext");
    if (!extra->property("Ticked").toBool()) {
        ExtraList->show();
        DestList->hide();
        Label3->setText(Q(gTextS92));
        Label2->setText(Q(gTextS93));
        CurrNoTxt->setMaxLength(3);
        gDestListActive = kFalse;
        SetListTicks(false);
        BlackOut_chk->hide();
        lblBlackOut->hide();
        CurrNoTxt->setText(QString::number(gCurrentExtra));
        Ch_Check->setChecked(false);
        gCurrentPage = 1;
        gChangeTime = gDefaultChangeTime;
        if (!gExtraPerSign) {
            // Extra texts without per-sign sections are edited on one sign.
            MenuItem("Signconfig_e")->setEnabled(false);
            MenuItem("Signs_e")->setEnabled(false);
            for (SignInfo& s : gSignInfo) s.Shown = kFalse;
            auto first = [](std::initializer_list<const char*> models) -> int16_t {
                for (int16_t a = 2; a <= 16; ++a)
                    for (const char* m : models)
                        if (SignInfoOf(a).Model == m) return a;
                return 0;
            };
            int16_t sign = first({"K4000"});
            if (sign == 0) sign = first({"K2000_2R", "K4000", "K2000_1R"});
            if (sign == 0) sign = 16;
            gCurrentSign = sign;
            SignInfoOf(sign).Shown = kTrue;
            if (Left(SignInfoOf(sign).Model, 2) == "K2") UpdateToolbarState();
            else UpdateToolbarState2();
            UpdateSignControls(gCurrentSign);
            LayoutSignPictures(true, false);
            if (SignInfoOf(sign).Model == "K4000") {
                ActivePictureIndex = -1;
                ChangeAddress(SignInfoOf(sign).GraphicIndex, true, true);
            }
        }
        AdjustLists();
        MenuItem("mnuToolsShowtime")->setEnabled(false);
        MenuItem("mnuToolsSuperCopy")->setEnabled(false);
    }
    if (gK1000Shown) {
        LineNo_txt->hide();
        LineNo_lbl->hide();
    }
    if (gTextSignActive) K2000_pct->setFocus();
    else RefreshCurrentSignPicture();
}

void frmHead::ShowCurrentNumber() {
    if (!gDestListActive) {
        CurrNoTxt->setText(QString::number(gCurrentExtra));
    } else if (gDestCodesOn) {
        std::string code = DestAt(gCurrentDest).Code;
        if (Trim(code).empty()) code = CheckDestCode("   0", gCurrentDest);
        CurrNoTxt->setText(Q(code));
    } else {
        CurrNoTxt->setText(QString::number(gCurrentDest));
    }
}

void frmHead::SetListTicks(bool destinations) {
    for (auto [name, on] : {std::pair{"mnuTextDesttext", destinations}, std::pair{"mnuTextExtratext", !destinations}}) {
        QAction* a = MenuItem(name);
        a->setProperty("Ticked", on);
        a->setChecked(on);
    }
}

// ------------------------------------------------------------------ clicks

void frmHead::DestList_Click() {
    nPrevDest = gCurrentDest;
    if (bSkipListClick) {
        bSkipListClick = false;
        return;
    }
    const std::string head = Left(SelectedLine(DestList, kv::DestList), 4);
    if (head.empty() || head == PadCode(std::to_string(gCurrentDest))) return;
    if (!CodeModeOn()) {
        gCurrentDest = std::clamp<int16_t>(ListLineNumber(head), 0, kDestCount - 1);
        CurrNoTxt->setText(QString::number(gCurrentDest));
    } else {
        gCurrentDest = GetDestIndex(head);
        CurrNoTxt->setText(Q(head));
    }
}

void frmHead::ExtraList_Click() {
    if (!SkipExtraListClick) {
        const std::string line = SelectedLine(ExtraList, kv::ExtraList);
        if (!line.empty()) {
            gCurrentExtra = std::clamp<int16_t>(ExtraNumberOfLine(line), 0, kExtraCount - 1);
            CurrNoTxt->setText(QString::number(gCurrentExtra));
        }
    }
    SkipExtraListClick = false;
}

void frmHead::DestList_KeyPress(int16_t keyAscii) {
    if (keyAscii == 13) DestList_DblClick();
    DestList->setFocus();
}

void frmHead::ExtraList_KeyPress(int16_t keyAscii) {
    if (keyAscii == 13) ExtraList_DblClick();
    ExtraList->setFocus();
}

// ------------------------------------------------------------------ loading an entry

void frmHead::DestList_DblClick() {
    if (!ActiveControlIsOneOf({"K4000_pct", "picSign", "DestList", "TNo_op"})) {
        if (gInsertMode) CurrNoTxt->setText(QString::number(gCurrentDest));
        return;
    }
    // The click's own bookkeeping of the previous number does not count here.
    const int16_t previous = nPrevDest;
    DestList_Click();
    nPrevDest = previous;
    if (!AskSaveChanges()) return;

    gRealignPending = kFalse;
    if (gEditPicture) gEditPicture->Cls();
    if (!bKeepCurrentNumber) {
        gCurrentDest = GetDestIndex(PadCode(Left(SelectedLine(DestList, kv::DestList), 4)));
        if (gCurrentDest <= 0 || gCurrentDest >= kDestCount) {
            gCurrentDest = 0;
            MsgBox(gTextS98, vbExclamation);
            if (DestList->count() > 0) DestList->setCurrentRow(DestList->count() - 1);
            RedrawEditor();
            return;
        }
    }
    bKeepCurrentNumber = false;

    gChangeTime = CurrentChangeTime();
    txtCurrChTime->setText(QString::number(gChangeTime));
    const int16_t n = NumberOfChangingTexts(-1);
    if (n == 0) gCurrentPage = 1;
    else if (n < gCurrentPage) gCurrentPage = n;
    if (nPrevDest != gCurrentDest) gCurrentPage = 1;

    bool singlePage = true;
    if (gTextSignActive) {
        int16_t page = gCurrentPage, multi = 0;
        std::string row = GetActiveRow(gCurrentDest, gCurrentSign, page, multi);
        singlePage = multi == 0;
        FitRowText(row);
    } else {
        SelectK4000Graphic(bCurrentSignOnly);
        {
            int16_t page = gCurrentPage, multi = 0;
            GetActiveRow(gCurrentDest, gCurrentSign, page, multi);
            singlePage = multi == 0;
        }
        const int16_t remembered = gCurrentSign;
        std::vector<int16_t> signs = bCurrentSignOnly ? std::vector<int16_t>{remembered} : ShownK4000Signs();
        for (int16_t address : signs) {
            const int16_t k = SignInfoOf(address).GraphicIndex;
            if (k < 0 || k >= kMaxSignPictures) continue;
            if (!bCurrentSignOnly) ChangeAddress(k, false, true);
            gCurrentSign = address;
            int16_t page = gCurrentPage, multi = 0;
            const std::string text = GetActiveRow(gCurrentDest, gCurrentSign, page, multi);
            InvertLoadBuffer();
            LoadPageIntoEditor(text, k, NumberOfChangingTexts(address), true, false);
            ShowSign(false, false);
            if (gK1000Shown) ShowRouteNumberOfPage();
        }
        gCurrentSign = remembered;
        if (!bCurrentSignOnly && IsSignAddress(remembered)) ChangeAddress(SignInfoOf(remembered).GraphicIndex, false, true);
    }

    const bool frameShown = Ch_Frame->isVisible();
    if ((n > 0 && !frameShown) || nPrevDest != gCurrentDest) {
        UpdateNoOfTextsOption(std::max(n, gCurrentPage), gCurrentPage);
        Ch_Check->setChecked(singlePage);
    } else if (!singlePage && frameShown) {
        UpdateNoOfTextsOption(n, gCurrentPage);
        Ch_Check->setChecked(false);
    } else if (gCurrentPage > n) {
        UpdateNoOfTextsOption(n, gCurrentPage);
    }
    if (n > 1 && !frameShown) Ch_Frame->show();
    nPrevDest = gCurrentDest;

    BlackOut_chk->setChecked(DestAt(gCurrentDest).Flag != 0);
    if (gFontListIndex >= 0 && gFontListIndex < static_cast<int>(gFontList.size()))
        size_lbl->setText(Q(gFontList[static_cast<size_t>(gFontListIndex)]));
    if (gTextSignActive) {
        K2000_pct->setFocus();
    } else {
        RefreshCurrentSignPicture();
        CancelMarking();
    }
    CurrNoTxt->setText(Q(CurrentNumberBoxText(gCurrentDest)));
    gTextModified = kFalse;
}

void frmHead::ExtraList_DblClick() {
    if (!ActiveControlIsOneOf({"K4000_pct", "picSign", "ExtraList", "TNo_op"})) {
        if (gInsertMode) CurrNoTxt->setText(QString::number(gCurrentExtra));
        return;
    }
    if (!AskSaveChanges()) return;

    gRealignPending = kFalse;
    if (gEditPicture) gEditPicture->Cls();
    if (!bKeepCurrentNumber) {
        const std::string line = SelectedLine(ExtraList, kv::ExtraList);
        if (!line.empty()) gCurrentExtra = std::clamp<int16_t>(ExtraNumberOfLine(line), 0, kExtraCount - 1);
    }
    bKeepCurrentNumber = false;

    gChangeTime = ExtraAt(gCurrentExtra).ChangeTime;
    txtCurrChTime->setText(QString::number(gChangeTime));
    const int16_t n = NumberOfChangingTexts(-1);
    if (n == 0) gCurrentPage = 1;
    else if (n < gCurrentPage) gCurrentPage = n;
    InvertLoadBuffer();

    bool singlePage = true;
    if (gExtraPerSign && !gTextSignActive) {
        SelectK4000Graphic(bCurrentSignOnly);
        const int16_t remembered = gCurrentSign;
        {
            int16_t page = gCurrentPage, multi = 0;
            GetActiveRow(gCurrentExtra, gCurrentSign, page, multi);
            singlePage = multi == 0;
        }
        for (int16_t address : ShownK4000Signs()) {
            const int16_t k = SignInfoOf(address).GraphicIndex;
            if (k < 0 || k >= kMaxSignPictures) continue;
            ChangeAddress(k, false, true);
            gCurrentSign = address;
            int16_t page = gCurrentPage, multi = 0;
            const std::string text = GetActiveRow(gCurrentExtra, gCurrentSign, page, multi);
            InvertLoadBuffer();
            LoadPageIntoEditor(text, k, NumberOfChangingTexts(address), false, true);
            ShowSign(false, false);
            if (gK1000Shown) ShowRouteNumberOfPage();
        }
        gCurrentSign = remembered;
        if (IsSignAddress(remembered)) ChangeAddress(SignInfoOf(remembered).GraphicIndex, false, true);
    } else {
        int16_t page = gCurrentPage, multi = 0;
        std::string text = gExtraPerSign ? GetActiveRow(gCurrentExtra, gCurrentSign, page, multi)
                                         : GetExtraRow(gCurrentExtra, page, multi);
        singlePage = multi == 0;
        if (gTextSignActive) {
            FitRowText(text);
        } else if (IsSignAddress(gCurrentSign) && SignInfoOf(gCurrentSign).Model == "K4000") {
            SelectK4000Graphic(true);
            LoadPageIntoEditor(text, SignInfoOf(gCurrentSign).GraphicIndex, n, false, true);
        }
    }

    CurrNoTxt->setText(QString::number(gCurrentExtra));
    if ((n > 0 && !Ch_Frame->isVisible()) || nPrevDest != gCurrentExtra) {
        if (gCurrentPage > n) {
            UpdateNoOfTextsOption(gCurrentPage, gCurrentPage);
        } else {
            UpdateNoOfTextsOption(n, gCurrentPage);
            if (gCurrentPage >= 1 && gCurrentPage <= 20) TNo_op[gCurrentPage]->setChecked(true);
        }
        Ch_Check->setChecked(singlePage);
    }

    if (gFontListIndex >= 0 && gFontListIndex < static_cast<int>(gFontList.size()))
        size_lbl->setText(Q(gFontList[static_cast<size_t>(gFontListIndex)]));
    if (gTextSignActive) {
        K2000_pct->setFocus();
    } else {
        RefreshCurrentSignPicture();
        CancelMarking();
        ShowSign(false, false);
    }
    gTextModified = kFalse;
}

void frmHead::ShowRouteNumberOfPage() {
    const int16_t k1000 = LastShownK1000();
    if (k1000 == 0) return;
    int16_t page = gCurrentPage, multi = 0;
    const int16_t entry = gDestListActive ? gCurrentDest : gCurrentExtra;
    LineNo_txt->setText(Q(GetActiveRow(entry, k1000, page, multi)));
}

void frmHead::LoadPageIntoEditor(const std::string& page, int16_t pictureIndex, int16_t pages, bool placeCursor,
                                 bool alignByCommand) {
    ParseSignMarkup(page);
    if (placeCursor && gCurrentRow == 1 && !gRouteNoLeft) {
        // A route number at the row's right end: the cursor goes in front of
        // it (a row of nothing but the field: before the row's first cell).
        int16_t width = 0, boundary = 0, flag = 0;
        std::string text;
        if (GetSelectionInfo(width, boundary, text, flag)) {
            if (flag) {
                const int16_t first = Row(1).FirstCell;
                if (IsUsedCell(first)) {
                    gCursorCell = first;
                    gCursorX = static_cast<int16_t>(Cell(first).X - 5);
                    gCursorBeforeCell = kTrue;
                    if (Row(1).Alignment == 0) Row(1).Alignment = 2;
                }
            } else if (boundary > 0) {
                gCursorX = static_cast<int16_t>(Cell(boundary).X + Cell(boundary).Width);
                const std::string font(1, Cell(boundary).FontCode);
                if (font != gCurrentFontCode) ReadCharMap(font);
            }
        }
    }
    const int16_t alignment = IsRowIndex(gCurrentRow) ? Row(gCurrentRow).Alignment : 0;
    if (alignment != gTextAlignment) {
        if (alignByCommand) {
            SetAlignment(alignment, false, true, false);
        } else {
            ShowAlignment();
            const int button = alignment == 1 ? 10 : alignment == 3 ? 11 : alignment == 2 ? 12 : 0;
            if (button != 0) tbButtons[button]->setChecked(true);
            gTextAlignment = alignment;
        }
    }
    // The picture's editor slot keeps the page with its font; the stored
    // changing-texts flag says whether the sign has two pages or more.
    StoreEditorPage(pictureIndex, true, pages);
}

// ------------------------------------------------------------------ the current-number box

void frmHead::CurrNoTxt_GotFocus() {
    CurrNoTxt->setText(CurrNoTxt->text().trimmed());
    CurrNoTxt->setSelection(0, 999);
}

void frmHead::CurrNoTxt_LostFocus() {
    // Only a move of the focus inside the main window counts; a dialog that
    // opens meanwhile does not.
    if (!ActiveFormIsMain() || CheckingCurrentNumber) return;
    CheckingCurrentNumber = true;
    const CurrentNumberCheck r = CheckCurrentNumber(B(CurrNoTxt->text()));
    if (r.boxText) CurrNoTxt->setText(Q(*r.boxText));
    if (r.keepFocus) CurrNoTxt->setFocus();
    CheckingCurrentNumber = false;
}

// ------------------------------------------------------------------ auto-create

void frmHead::cmdX_Click() {
    const std::string templ = AutoCreateTemplate();
    if (!AutoCreateFontsPresent(templ)) {
        // Test entries in fonts the library lacks would be stored unreadable.
        MsgBox("Auto-create needs the fonts i and five fonts ending in 1.", vbExclamation);
        return;
    }
    bool repeat = false;
    if (AutoCreateCanRepeat())
        repeat = MsgBox(AutoCreateRepeatQuestion(), vbYesNo | vbQuestion, kAutoCreateTitle) == vbYes;
    if (repeat) {
        const int total = InputNumber(InputPrompt(kAutoCreateTotalPrompt, kAutoCreateTitle, "99"));
        SetScreenMousePointer(11);
        AutoCreateRepeat(total);
    } else {
        const int count = InputNumber(InputPrompt(kAutoCreateCountPrompt, kAutoCreateTitle, "99"));
        if (count >= 1) {
            const int start = InputNumber(InputPrompt(kAutoCreateStartPrompt, kAutoCreateTitle, "1"));
            SetScreenMousePointer(11);
            // Destination 0 is the default destination: a start outside
            // 1..9999 creates nothing.
            if (AutoCreateNumbered(templ, count, start) == 0) Beep();
        }
    }
    SetScreenMousePointer(0);
}
