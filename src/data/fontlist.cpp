#include "data/fontlist.h"

#include <algorithm>

#include "data/charmap.h"
#include "data/ini.h"
#include "data/language.h"
#include "platform/ports.h"
#include "platform/reset.h"
#include "platform/vb.h"

namespace kv {

std::vector<std::string> gFontFiles(1);
std::vector<std::string> gFontList(1);
std::vector<std::string> gFontIds{" ", " "};
int16_t gFontCount = 0;
int16_t gFontIdCount = 0;
int16_t gFontListIndex = 0;

namespace {

// The most entries the list takes; keys run "Font01" .. "Font999".
constexpr int kMaxFonts = 999;

std::string GraphicFontName() { return RemoveString(RemoveString(gTextS30, "<"), ">"); }

}  // namespace

std::string FontKey(int position) { return "Font" + Format(position, "00"); }

void ResetFontList() {
    gFontFiles.assign(1, std::string());
    gFontList.assign(1, std::string());
    gFontIds.assign(2, " ");
    gFontCount = 0;
    gFontIdCount = 0;
    gFontListIndex = 0;
}

namespace {
const ResetRegistrar kReset("font list", StateLayer::Data, ResetFontList);
}  // namespace

void ReadFontSection(const std::string& settingsFile) {
    double n = Val(IniGetValue(settingsFile, "Fonts", "NoOfFonts", kIniOpenClose));
    gFontCount = static_cast<int16_t>(std::clamp(CIntClamp(n), int16_t{0}, int16_t{kMaxFonts}));
    gFontFiles.assign(static_cast<size_t>(gFontCount) + 1, std::string());
    for (int i = 1; i <= gFontCount; ++i)
        gFontFiles[static_cast<size_t>(i)] = IniGetValue(settingsFile, "Fonts", FontKey(i), kIniOpenClose);
    SaveFontList(1);
}

void SaveFontList(int16_t mode) {
    int count = std::min<int>(gFontCount, static_cast<int>(gFontFiles.size()) - 1);
    if (count < 0) count = 0;
    // Entries whose name holds a blank are kept in ascending order of the
    // name (by character code) behind the entries without one; an entry
    // without a blank goes in front of everything placed so far.
    std::vector<std::string> work;
    size_t named = 0;  // entries with a blank in the name, at the end of `work`
    for (int i = 1; i <= count; ++i) {
        std::string entry = gFontFiles[static_cast<size_t>(i)];
        std::string name = Mid(entry, 5);
        if (name.find(' ') != std::string::npos) {
            auto first = work.end() - static_cast<long>(named);
            auto at = std::find_if(first, work.end(), [&](const std::string& e) { return !(Mid(e, 5) < name); });
            work.insert(at, entry);
            ++named;
        } else {
            if (Left(entry, 1) == "*" && Mid(entry, 3, 1) == "g") {
                // The graphic font is never a project font.
                entry = " " + Mid(entry, 2);
                entry = RemoveString(entry, "\"");
                gFontFiles[static_cast<size_t>(i)] = entry;
                IniSetValue(gSettingsFile, "Fonts", FontKey(i), entry);
            }
            work.insert(work.begin(), entry);
        }
    }

    if (mode == 1) gFontIdCount = 0;
    gFontList.assign(work.size() + 1, std::string());
    std::vector<std::string> ids;
    for (size_t i = 0; i < work.size(); ++i) {
        std::string e = work[i];
        if (Mid(e, 3, 1) == "g") e = Left(e, 4) + GraphicFontName();
        if (mode == 1) {
            gFontList[i + 1] = Mid(e, 3);
            if (Left(e, 1) != " ") {
                ++gFontIdCount;
                ids.push_back(Mid(e, 3, 1));
            }
        } else {
            gFontList[i + 1] = e;
        }
    }
    if (mode == 1) {
        gFontIds.assign(1, " ");
        gFontIds.insert(gFontIds.end(), ids.begin(), ids.end());
        gFontIds.push_back(" ");
    }
}

void FindFontByChar(const std::string& fontId) {
    int last = std::min<int>(gFontCount, static_cast<int>(gFontList.size()) - 1);
    if (last < 1) {
        gFontListIndex = 0;
        return;
    }
    int i = 1;
    while (i < last && Left(gFontList[static_cast<size_t>(i)], 1) != fontId) ++i;
    gFontListIndex = static_cast<int16_t>(i);
    const std::string& entry = gFontList[static_cast<size_t>(i)];
    WindowPort().ShowFontLabel(entry);
    WindowPort().ShowFontStatus(entry);
}

int16_t FindFontIdIndex(const std::string& fontId) {
    int last = std::min<int>(gFontIdCount, static_cast<int>(gFontIds.size()) - 2);
    int i = 1;
    while (i < last && gFontIds[static_cast<size_t>(i)] != " " && gFontIds[static_cast<size_t>(i)] != fontId) ++i;
    if (i < static_cast<int>(gFontIds.size()) && gFontIds[static_cast<size_t>(i)] == fontId) return static_cast<int16_t>(i);
    return 0;
}

void RenameGraphicFontEntry() {
    int last = std::min<int>(gFontCount, static_cast<int>(gFontList.size()) - 1);
    for (int i = 1; i <= last; ++i) {
        std::string& entry = gFontList[static_cast<size_t>(i)];
        if (Left(entry, 1) != "g") continue;
        entry = Left(entry, 2) + GraphicFontName();
        if (i == gFontListIndex) WindowPort().ShowFontStatus(entry);
        break;
    }
}

}  // namespace kv
