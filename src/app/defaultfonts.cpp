#include "app/defaultfonts.h"

#include "data/fontlist.h"
#include "data/language.h"
#include "data/signtable.h"
#include "platform/vb.h"

namespace kv {

namespace {

size_t Slot(int height) { return static_cast<size_t>(height - kFontDialogFirstHeight); }

}  // namespace

std::string& DefaultFontsWork::Start(int height) { return start.at(Slot(height)); }
std::string& DefaultFontsWork::Route(int height) { return route.at(Slot(height)); }

DefaultFontsWork LoadDefaultFontsWork() {
    DefaultFontsWork w;
    for (int h = kFontDialogFirstHeight; h <= kFontDialogLastHeight; ++h) {
        w.Start(h) = DefaultStartFontOfHeight(h);
        w.Route(h) = DefaultRouteNoFontOfHeight(h);
    }
    return w;
}

std::vector<std::string> FontDialogHeights() {
    std::vector<std::string> heights;
    for (int h = kFontDialogFirstHeight; h <= kFontDialogLastHeight; ++h) heights.push_back(Format(h, "00"));
    return heights;
}

int16_t FontListEntryOf(const std::string& code) {
    if (code.empty()) return 0;
    for (int16_t k = 1; k <= gFontCount && k < static_cast<int>(gFontList.size()); ++k)
        if (gFontList[static_cast<size_t>(k)].compare(0, 1, code, 0, 1) == 0) return k;
    return 0;
}

bool SaveDefaultFonts(const DefaultFontsWork& work) {
    bool changed = false;
    for (int h = kFontDialogFirstHeight; h <= kFontDialogLastHeight; ++h) {
        const size_t k = Slot(h);
        const size_t t = static_cast<size_t>(h - kMinFontHeight);
        if (work.start[k] == gDefaultStartFont[t] && work.route[k] == gDefaultRouteNoFont[t]) continue;
        gDefaultStartFont[t] = work.start[k];
        gDefaultRouteNoFont[t] = work.route[k];
        changed = true;
    }
    return changed && SaveSignFontSection();
}

std::string DefaultFontsHint(const std::string& heightLabel, const std::string& okCaption) {
    return "Select " + LCase(heightLabel) + " to change font, save the changes by clicking '" +
           RemoveString(okCaption, "&") + "'";
}

}  // namespace kv
