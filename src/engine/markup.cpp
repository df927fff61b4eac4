#include "engine/markup.h"

#include <algorithm>

#include "data/fieldtext.h"
#include "data/headmode.h"
#include "data/inverted.h"
#include "data/language.h"
#include "data/records.h"
#include "engine/editstate.h"
#include "engine/routenumber.h"
#include "platform/ports.h"
#include "platform/host.h"
#include "platform/reset.h"
#include "platform/vb.h"

namespace kv {

std::string gPictureTagName;
std::string gSymbolTagName;
std::string gInvertedText;
int16_t gPictureImportActive = 0;
std::string gPictureImportCaption;

namespace {

const std::string kFieldOpen = "<L/";
const std::string kPlaceholderOpen = "<L:";
const std::string kRouteMark = "<L>";

bool StartsAt(const std::string& s, size_t i, const std::string& part) { return s.compare(i, part.size(), part) == 0; }

// The character a cell writes: typed 250..254 are kept under other codes in
// the edit state, because 250..254 are the placeholders.
char MarkupChar(int16_t code) {
    switch (code) {
    case 190: return static_cast<char>(250);
    case 187: return static_cast<char>(251);
    case 189: return static_cast<char>(252);
    case 188: return static_cast<char>(253);
    case 191: return static_cast<char>(254);
    default: return static_cast<char>(static_cast<unsigned char>(code));
    }
}

std::string SymbolMark() { return gSymbolTagName.empty() ? gTextS30 : "<" + gSymbolTagName + ">"; }

// Appends the cells of the page in reading order. With `plain` symbol cells
// and placeholders write nothing; with `marks` the first symbol cell writes
// the symbol mark (and `marked` is set).
void WriteCells(std::string& s, bool plain, bool marks, bool& marked) {
    bool open = false, closed = false, symbolWritten = false;
    int16_t c = PageFirstCell();
    for (int guard = 0; IsUsedCell(c) && guard < kCellPoolSize; ++guard) {
        const SignCell& sc = Cell(c);
        if (sc.FieldPos == 1) {
            open = true;
            s += kFieldOpen;
        } else if (sc.FieldPos == 0 && open && !closed) {
            if (!s.empty() && s.back() == '\\') s.insert(s.size() - 1, ">");
            else s += '>';
            closed = true;
        }
        if (sc.FontCode == kSymbolFont) {
            if (!plain && marks && !symbolWritten) {
                s += SymbolMark();
                symbolWritten = true;
                marked = true;
            }
        } else if (IsSpecialGlyph(sc.CharCode)) {
            if (!plain) s += kPlaceholderOpen + std::to_string(sc.CharCode - 249) + ">";
        } else {
            s += MarkupChar(sc.CharCode);
        }
        if (sc.RowEnd) s += '\\';
        c = sc.Next;
    }
    if (open && !closed) s += '>';
}

bool AllDigits(const std::string& s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
}

// The text between the "<" at lt and the next ">"; "" without one.
std::string TagAt(const std::string& t, size_t lt) {
    if (lt == std::string::npos) return "";
    const size_t gt = t.find('>', lt + 1);
    return gt == std::string::npos ? "" : t.substr(lt + 1, gt - lt - 1);
}

// The caption of a page that carries a picture or symbol mark.
std::string PageCaption(const std::string& markup) {
    if (!gPictureImportActive) {
        const std::string proposed = gAltBufferChanged ? "<" + gInvertedText + ">" : markup;
        SetBusy(false);
        const std::string caption = Ui().CaptionPrompt(proposed);
        SetBusy(true);
        return caption;
    }
    return gPictureImportCaption;
}

}  // namespace

std::string EncodeSignObjects(bool plain) {
    std::string s;
    bool marked = false;
    if (!plain) {
        // A page is empty only when no row holds a cell.
        if (!gShowLineNo && PageFirstCell() == 0 && !gHasGraphic) return "";
        if (gShowLineNo) s += gLineNoTableOn ? "<" + LineNoTableText(gCurrentDest) + ">" : kRouteMark;
        if (gHasGraphic) {
            s += "<" + (gPictureTagName.empty() ? std::string("G") : gPictureTagName) + ">";
            marked = true;
        }
    }
    WriteCells(s, plain, true, marked);
    std::string result = marked ? PageCaption(s) : s;
    gPictureTagName.clear();
    gSymbolTagName.clear();
    return result;
}

std::string PageStructureMarkup() {
    std::string s;
    bool marked = false;
    WriteCells(s, false, false, marked);
    return s;
}

std::string PictureTagName(int16_t mode) { return PictureTagNameOf(CurrentPageMarkup(), mode); }

std::string PictureTagNameOf(const std::string& field, int16_t mode) {
    std::string t = field;
    if (t.empty()) return "";
    t = ReplaceStringNext(t, kRouteMark, "");
    // Placeholders are no names.
    for (size_t p = t.find(kPlaceholderOpen); p != std::string::npos; p = t.find(kPlaceholderOpen, p)) {
        if (p + 4 < t.size() && t[p + 4] == '>') t.erase(p, 5);
        else p += kPlaceholderOpen.size();
    }
    t = RemoveLineTag(t, false);

    size_t p1 = t.find('<');
    if (p1 == std::string::npos) return "";
    size_t p2 = t.find('<', p1 + 1);
    if (p2 != std::string::npos) {
        // A leading route-number text: digits, or the destination's own text.
        const std::string first = TagAt(t, p1);
        if (AllDigits(first) || (gShowLineNo && gLineNoTableOn && first == LineNoTableText(gCurrentDest))) {
            t.erase(0, p2);
            p1 = 0;
            p2 = t.find('<', 1);
        }
    }
    const bool second = mode != 1 && !(mode == 2 && gPictureTagName.empty());
    const std::string result = TagAt(t, second ? p2 : p1);
    if (!result.empty() && gTextS30.find(result) != std::string::npos) return "";
    return result;
}

void SetEditMenuState(int16_t mode) {
    bool show = false, insert = false;
    switch (mode) {
    case 0: show = insert = true; break;
    case 1: show = true; break;
    case 2:
    case 3: insert = true; break;
    default: break;
    }
    CommandPort().EnableMenuItem("ShowLineNo_e", show);
    CommandPort().EnableMenuItem("Insert_LineNo_e", insert);
    CommandPort().EnableMenuItem("mnuToolsGenerateMBL", insert);
}

bool HasLineTag(const std::string& text) {
    const size_t p = text.find(kFieldOpen);
    return p != std::string::npos && text.find('>', p + kFieldOpen.size()) != std::string::npos;
}

std::string GetLineTagText(const std::string& text) {
    const size_t p = text.find(kFieldOpen);
    if (p == std::string::npos) return "";
    const size_t from = p + kFieldOpen.size();
    const size_t gt = text.find('>', from);
    return gt == std::string::npos ? "" : text.substr(from, gt - from);
}

std::string RemoveLineTag(const std::string& text, bool keepInner) {
    const size_t p = text.find(kFieldOpen);
    if (p == std::string::npos) return text;
    const size_t gt = text.find('>', p + kFieldOpen.size());
    if (gt == std::string::npos) return text;
    const std::string tag = text.substr(p, gt - p + 1);
    if (!keepInner) return ReplaceStringNext(text, tag, "");
    return ReplaceStringNext(ReplaceStringNext(text, tag, tag.substr(0, tag.size() - 1)), kFieldOpen, "");
}

std::string CurrentSignMarkup() {
    const int index = gDestListActive ? gCurrentDest : gCurrentExtra;
    const int limit = gDestListActive ? kDestCount : kExtraCount;
    if (index < 0 || index >= limit) return "";
    const std::string& text = ActiveAt(index).Text;
    if (!gDestListActive && !gExtraPerSign) return text;
    return GetSignText(text, gCurrentSign);
}

int16_t ShownMarkupPage(const std::string& section) { return CountHashMarks(section) == 1 ? int16_t{1} : gCurrentPage; }

std::string CurrentPageMarkup() {
    const std::string section = CurrentSignMarkup();
    return GetPageField(section, ShownMarkupPage(section));
}

MarkupLayout ReadMarkupLayout(const std::string& field) {
    MarkupLayout layout;
    layout.rowCells.push_back(0);
    int16_t cells = 0, fieldStart = 0;
    bool inField = false, fieldSeen = false;
    const size_t n = field.size();
    size_t i = (n > 0 && field[0] == ' ') ? 1 : 0;
    auto addCell = [&] {
        ++cells;
        ++layout.rowCells.back();
    };
    while (i < n) {
        const char ch = field[i];
        if (ch == '\\') {
            layout.rowCells.push_back(0);
            ++i;
        } else if (StartsAt(field, i, kFieldOpen)) {
            layout.field = true;
            if (!fieldSeen) {
                inField = fieldSeen = true;
                fieldStart = static_cast<int16_t>(cells + 1);
            }
            i += kFieldOpen.size();
        } else if (ch == '>') {
            if (inField) {
                inField = false;
                if (cells >= fieldStart) {
                    layout.fieldFirst = fieldStart;
                    layout.fieldLength = static_cast<int16_t>(cells - fieldStart + 1);
                }
            }
            ++i;
        } else if (StartsAt(field, i, kPlaceholderOpen) && i + 4 < n && field[i + 4] == '>') {
            layout.placeholder = true;
            addCell();
            i += 5;
        } else if (ch == '<' && field.find('>', i + 1) != std::string::npos) {
            i = field.find('>', i + 1) + 1;
        } else {
            addCell();
            ++i;
        }
    }
    return layout;
}

void ResetMarkup() {
    gPictureTagName.clear();
    gSymbolTagName.clear();
    gInvertedText.clear();
    gPictureImportActive = 0;
    gPictureImportCaption.clear();
}

namespace {
const ResetRegistrar kReset("markup", StateLayer::Engine, ResetMarkup);
}  // namespace

}  // namespace kv
