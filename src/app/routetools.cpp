#include "app/routetools.h"

#include <algorithm>
#include <array>

#include "app/feedtext.h"
#include "app/entrywindow.h"
#include "app/headstate.h"
#include "app/replace.h"
#include "app/signcontrols.h"
#include "data/charmap.h"
#include "data/destlist.h"
#include "data/language.h"
#include "data/records.h"
#include "data/settings.h"
#include "data/signdata.h"
#include "data/signtable.h"
#include "engine/markup.h"
#include "files/document.h"
#include "platform/host.h"
#include "platform/reset.h"
#include "platform/vb.h"

namespace kv {

int16_t gSuperCopyMode = kFalse;

namespace {

constexpr const char* kSuperCopyCaption = "Super copy....";

std::string Padded(const std::string& s, size_t width) {
    std::string out = s.substr(0, std::min(s.size(), width));
    out.resize(width, ' ');
    return out;
}

bool UsedWithModel(int16_t address, std::initializer_list<const char*> models) {
    if (!IsSignAddress(address) || !gSignEntry[static_cast<size_t>(address - kFirstSignAddress)].Used) return false;
    const std::string& model = SignInfoOf(address).Model;
    return std::any_of(models.begin(), models.end(), [&](const char* m) { return model == m; });
}

const SignEntry& EntryOf(int16_t address) { return gSignEntry[static_cast<size_t>(address - kFirstSignAddress)]; }

// The pictures and flags of the window as a run found them, put back
// however the run ends.
class ShownSignsKept {
public:
    explicit ShownSignsKept(RouteToolWindow& window) : window_(window) {
        current_ = gCurrentSign;
        k1000_ = gK1000Shown;
        // Route numbers are typed as text, whatever the editor's mode was.
        editorMode_ = gEditorActive;
        gEditorActive = 1;
        for (size_t i = 0; i < gSignInfo.size(); ++i) {
            shown_[i] = gSignInfo[i].Shown;
            gSignInfo[i].Shown = kFalse;
        }
        gGeneratingRouteNumbers = kTrue;
    }
    ~ShownSignsKept() {
        gGeneratingRouteNumbers = kFalse;
        for (size_t i = 0; i < gSignInfo.size(); ++i) gSignInfo[i].Shown = shown_[i];
        gCurrentSign = current_;
        gK1000Shown = k1000_;
        gEditorActive = editorMode_;
        try {
            window_.LayoutSigns();
            window_.RestoreSigns();
        } catch (...) {
            // The run's own error is the one reported.
        }
    }

private:
    RouteToolWindow& window_;
    std::array<int16_t, kSignCount> shown_{};
    int16_t current_ = 0, k1000_ = 0, editorMode_ = 1;
};

// The replace question of one destination, with the answers to all kept.
bool MayWrite(RouteToolWindow& window, int16_t target, int16_t n) {
    if (gReplaceAnswer == kReplaceYesToAll) return true;
    if (gReplaceAnswer == kReplaceNoToAll) return false;
    const std::string caption = "Sign " + std::to_string(target) + ", " + SignInfoOf(target).Name;
    const std::string question =
        ReplaceStringNext("Destination XXX already exists, replace ?", "XXX", std::to_string(n));
    gReplaceAnswer = window.ReplaceQuestion(caption, question);
    return gReplaceAnswer == kReplaceYes || gReplaceAnswer == kReplaceYesToAll;
}

// Generation into one target, over every destination in use.
void GenerateInto(RouteToolWindow& window, int16_t master, int16_t target, bool& wroteOnce, const std::string& font) {
    const int16_t last = LastUsedNumber(DestList);
    for (int16_t n = 1; n <= last && n < kDestCount; ++n) {
        const std::string route = GetLineTagText(GetSignText(DestAt(n).Text, master));
        if (route.empty()) continue;
        if (!MayWrite(window, target, n)) continue;
        // The first write of a run is done twice, so that whatever the
        // editor held before the run is gone from it.
        for (int pass = wroteOnce ? 1 : 2; pass > 0; --pass) {
            if (!font.empty() && gCurrentFontCode != font) ReadCharMap(font);
            gCurrentDest = n;
            gCurrentPage = 1;
            EntryPort().SetCurrentNumberText(DestAt(n).Code);
            int16_t sign = target;
            SkrivTextISkylt(route, kTrue, sign);
        }
        wroteOnce = true;
        gDocumentModified = kTrue;
    }
}

}  // namespace

int32_t RouteToolWindow::ReplaceQuestion(const std::string&, const std::string& question) {
    return Ui().ReplaceQuestion(question);
}

RouteToolLists RouteToolSignLists() {
    RouteToolLists lists;
    const bool copy = gSuperCopyMode != 0;
    lists.targetsSelected = !copy;
    for (int16_t a = kFirstSignAddress; a <= kLastSignAddress; ++a) {
        const SignEntry& e = EntryOf(a);
        const std::string name = Padded(e.Name, 8), dim = Padded(e.Dimension, 6);
        const bool target = copy ? UsedWithModel(a, {"K4000"}) : a >= 9 && UsedWithModel(a, {"K1000", "K4000"});
        if (target) lists.targets.push_back({a, std::to_string(a) + "\t" + name + "\t" + dim});
        const bool master = UsedWithModel(a, {"K4000"}) && (copy || a <= 8);
        if (master) lists.masters.push_back({a, std::to_string(a) + "    " + name + "   " + dim});
    }
    return lists;
}

RouteToolTexts RouteToolCaptions() {
    if (gSuperCopyMode) return {kSuperCopyCaption, "Copy text from sign:", "Copy to sign:"};
    return {LangText("S2900", "Generate routenumbers"), LangText("S2901", "Generate from sign:"),
            LangText("S2902", "Generate to sign(s):")};
}

void OpenRouteTool() { gReplaceAnswer = -1; }

void GenerateRouteNumbers(int16_t master, const std::vector<int16_t>& targets, RouteToolWindow& window) {
    if (!gDestListActive || !IsSignAddress(master)) return;
    ShownSignsKept kept(window);
    bool wroteOnce = false;
    for (int16_t target : targets) {
        if (!IsSignAddress(target)) continue;
        SignInfo& s = SignInfoOf(target);
        s.Shown = kTrue;
        std::string font;
        if (s.Model == "K4000") {
            window.LayoutSigns();
            window.TypeIntoGraphicSign(target);
            font = DefaultRouteNoFontOfHeight(s.Height);
            if (!font.empty()) ReadCharMap(font);
            DoEvents();
        } else {
            gK1000Shown = kTrue;
            window.TypeIntoRouteNumberSign(target);
        }
        GenerateInto(window, master, target, wroteOnce, font);
        s.Shown = kFalse;
    }
}

std::string SuperCopyPageText(const std::string& section, int16_t page, int16_t pages) {
    const size_t first = section.find("# ");
    if (first == std::string::npos) return {};
    std::string text = section.substr(first + 2);
    if (pages <= 1) return text;
    if (page >= pages) {
        const size_t last = text.rfind("# ");
        return last == std::string::npos ? text : text.substr(last + 2);
    }
    for (int16_t k = 1; k < page; ++k) {
        const size_t at = text.find("# ");
        if (at == std::string::npos) break;
        text = text.substr(at + 2);
    }
    const size_t next = text.find("# ");
    return next == std::string::npos ? text : text.substr(0, next);
}

namespace {

// Super copy into one target. True when anything was written.
bool CopyInto(int16_t master, int16_t target, RouteToolWindow& window) {
    bool wrote = false;
    const int16_t last = LastUsedNumber(DestList);
    for (int16_t n = 1; n <= last && n < kDestCount; ++n) {
        window.ShowCaption(std::string(kSuperCopyCaption) + " (" + std::to_string(target) + ": " + std::to_string(n) +
                           ")");
        gCurrentDest = n;
        const int16_t pages = std::min<int16_t>(CountSignPages(master), kPageOptions);
        bool asked = false, write = true;
        for (int16_t p = 1; p <= pages && write; ++p) {
            int16_t page = p, multi = 0;
            const std::string data = GetActiveRow(n, master, page, multi);
            if (data.empty()) continue;
            const std::string section = GetSignText(DestAt(n).Text, master);
            if (section.find("# ") == std::string::npos) continue;
            const std::string text = SuperCopyPageText(section, p, pages);
            // The answer for the destination's first page holds for all its
            // pages.
            if (!asked) {
                asked = true;
                if (!GetSignText(DestAt(n).Text, target).empty()) write = MayWrite(window, target, n);
                if (!write) break;
            }
            SetDestSignField(n, target, p, text);
            SetDestSection(n, target, p, data);
            const int line = SelectListItemForRecord(true, n);
            if (line >= 0) DestList.RemoveItem(line);
            PlaceListLine(DestAt(n).Text, n, DestList);
            wrote = true;
        }
    }
    return wrote;
}

}  // namespace

void SuperCopy(int16_t master, const std::vector<int16_t>& targets, RouteToolWindow& window) {
    if (!gDestListActive || !IsSignAddress(master)) return;
    struct Busy {
        Busy() { SetBusy(true); }
        ~Busy() { SetBusy(false); }
    } busy;
    bool wrote = false;
    for (int16_t target : targets) {
        if (target == master) {
            MsgBox("Same address!", vbInformation);
            continue;
        }
        if (IsSignAddress(target) && CopyInto(master, target, window)) wrote = true;
    }
    if (wrote) gDocumentModified = kTrue;
}

void ResetRouteTools() {
    gSuperCopyMode = kFalse;
}

namespace {
const ResetRegistrar kReset("route-number tools", StateLayer::App, ResetRouteTools);
}  // namespace

}  // namespace kv
