#include "app/fontselect.h"

#include "data/charmap.h"
#include "data/fontlist.h"
#include "data/ini.h"
#include "data/language.h"
#include "engine/graphictools.h"
#include "engine/marking.h"
#include "platform/host.h"
#include "platform/vb.h"

namespace kv {

namespace {

int EntryCount() { return std::min<int>(gFontCount, static_cast<int>(gFontList.size()) - 1); }
bool InList(int i) { return i >= 1 && i <= EntryCount(); }
std::string& Entry(int i) { return gFontList[static_cast<size_t>(i)]; }

// The font code of an entry: third character in list mode, else the first.
std::string CodeOf(const std::string& entry, bool listMode) { return listMode ? Mid(entry, 3, 1) : Left(entry, 1); }

// The language's name of the graphic font.
std::string GraphicFontName() { return RemoveString(RemoveString(gTextS30, "<"), ">"); }

}  // namespace

bool FontListInListMode() {
    if (EntryCount() < 1) return false;
    const std::string first = Left(Entry(1), 1);
    return first == "*" || first == " ";
}

std::string FontSelLine(int i) {
    if (!InList(i)) return {};
    const bool listMode = FontListInListMode();
    const std::string& e = Entry(i);
    if (CodeOf(e, listMode) == "g") return Left(e, listMode ? 4 : 2) + GraphicFontName();
    return e;
}

bool ToggleFontMark(int i) {
    if (!InList(i)) return false;
    std::string& e = Entry(i);
    if (CodeOf(e, true) == "g") return false;
    e = (Left(e, 1) == "*" ? " " : "*") + Mid(e, 2);
    return true;
}

bool AcceptFontMarks() {
    int marked = 0;
    int16_t last = 0;
    for (int i = 1; i <= EntryCount(); ++i)
        if (Left(Entry(i), 1) == "*") {
            ++marked;
            last = static_cast<int16_t>(i);
        }
    if (marked == 0) {
        Beep();
        MsgBox(LangText("S2501"), vbExclamation);
        return false;
    }
    gFontListIndex = last;
    // The marks go to the [Fonts] entry of the same code and name.
    for (int i = 1; i <= EntryCount(); ++i)
        for (int k = 1; k <= gFontCount && k < static_cast<int>(gFontFiles.size()); ++k)
            if (Mid(gFontFiles[static_cast<size_t>(k)], 3) == Mid(Entry(i), 3)) gFontFiles[static_cast<size_t>(k)] = Entry(i);
    SaveFontList(1);
    SetBusy(true);
    for (int k = 1; k <= gFontCount && k < static_cast<int>(gFontFiles.size()); ++k) {
        const std::string value = RemoveString(gFontFiles[static_cast<size_t>(k)], "\"");
        if (IniCompareValue(gSettingsFile, "Fonts", FontKey(k), IniValue(value)) == 1)
            IniSetValue(gSettingsFile, "Fonts", FontKey(k), IniValue(value));
    }
    if (gAreaSelected) CancelMarking();
    if (InList(gFontListIndex)) ReadCharMap(Left(Entry(gFontListIndex), 1));
    SetBusy(false);
    return true;
}

void PickFont(int i) {
    if (!InList(i) || Left(Entry(i), 1) == " ") return;
    gFontListIndex = static_cast<int16_t>(i);
    ReadCharMap(Left(Entry(i), 1));
}

FontListSnapshot TakeFontListSnapshot() { return {gFontList, gFontListIndex}; }

void RestoreFontList(const FontListSnapshot& snapshot) {
    gFontList = snapshot.list;
    gFontListIndex = snapshot.index;
}

}  // namespace kv
