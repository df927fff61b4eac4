// Seeded random sequences of what a user does in the main window, checked
// after every step against a model that knows only what the user saw and
// did: for each list, entry, sign and page, the text the user last had on
// screen for that sign when a Save stored that page (or the fixture or a
// tool stored it); for each shown sign, what its picture, strip or box
// shows and whether the user edited it since it came up; the page under the
// marker, the entry the number box names.
//
// After every step:
// - each shown sign shows what the model says it shows (its stored page
//   under the marker, unless the user edited it since);
// - Text, SignData and AltText of every record equal, page for page and
//   byte for byte, a fresh encoding of the model's pages: each page typed
//   (or inverted, or imported) alone into a clean editor of its sign in a
//   project of its own and stored there by the program's Save; so signs
//   that are not shown keep their pages;
// - the number box, the list's chosen line, the page and the changing-texts
//   frame name what the pictures show; the question "changes will be lost"
//   comes exactly when a shown sign holds an edit that no Save stored.
// The fresh encodings need a project of their own, so the records and the
// pictures' graphics of every step are kept and compared once a sequence
// has run; the first step that differs is reported.
//
// KIVAR_SEED=<seed> repeats one sequence; KIVAR_SCENARIOS sets how many
// sequences the fixed batch runs (the fresh batch runs a third of them);
// KIVAR_SCENARIO_TRACE=1 prints every step with the entry and page the
// window and the model are on; KIVAR_SCENARIO_STEPS=<kind>,<kind>,... runs
// these kinds of step (names in Scenario::Kinds) instead of random ones.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <tuple>

#include "app/commit.h"
#include "app/copybuffer.h"
#include "app/editcommands.h"
#include "app/entryload.h"
#include "app/invert.h"
#include "app/listentries.h"
#include "app/listswitch.h"
#include "app/pagetimes.h"
#include "app/picbatch.h"
#include "app/picconvert.h"
#include "app/picimport.h"
#include "app/remove.h"
#include "app/replace.h"
#include "app/routenobox.h"
#include "app/signkeys.h"
#include "app/textimport.h"
#include "app/toolbar.h"
#include "data/destcodes.h"
#include "data/language.h"
#include "data/signdata.h"
#include "engine/shownpages.h"
#include "platform/paths.h"
#include "support/scenario_window.h"
#include "support/testutil.h"

using namespace kv;
using namespace testscenario;

namespace {

// ------------------------------------------------------------------ what the user saw

// What a sign showed: the characters typed (font 1), the alignment of their
// row (graphic signs), whether the text was inverted, and the picture
// imported into it (its file and its display text). `opaque` marks what the
// model read from a picture that showed a graphic it cannot name: never
// typed on, never stored.
struct Look {
    std::string text;
    int16_t align = 0;
    bool inverted = false;
    std::string picture, caption;
    bool opaque = false;

    bool Empty() const { return text.empty() && picture.empty() && !opaque; }
    // The characters the picture shows.
    std::string Shows() const { return inverted ? std::string() : text; }
    bool HasGraphic() const { return inverted || !picture.empty() || opaque; }
    void Normalise() {
        if (text.empty()) {
            align = 0;
            inverted = false;
        }
    }
    std::string Key() const {
        return text + "|" + std::to_string(align) + (inverted ? "|inv|" : "||") + picture + "|" + caption;
    }
    std::string Describe() const {
        std::string s = "[" + text + "]";
        if (align) s += " align " + std::to_string(align);
        if (inverted) s += " inverted";
        if (!picture.empty()) s += " picture " + picture + " <" + caption + ">";
        if (opaque) s += " (a graphic)";
        return s;
    }
    bool operator==(const Look&) const = default;
};
using Pages = std::vector<Look>;
// Per list (0 destinations, 1 extra texts), entry and sign.
using Records = std::array<std::map<int, std::map<int16_t, Pages>>, 2>;

// What a sign shows, and what it showed when it came up: it is edited
// while the two differ. A row set to stand at the left and a row set to no
// alignment stand alike at the left edge: the sign shows the same, and a
// Save would store the same.
struct Screen {
    Look look, base;
    bool Edited() const { return !(AtLeftAsNone(look) == AtLeftAsNone(base)); }
    static Look AtLeftAsNone(Look l) {
        if (l.align == 1) l.align = 0;
        return l;
    }
};
Screen ShowsAsItCameUp(const Look& look) { return {look, look}; }

constexpr int16_t kAllSigns[] = {kFront, kText, kRear, kLine, kSide};
// How many characters fit on a sign in font 1.
size_t Room(int16_t sign) { return sign == kFront ? 14 : sign == kText ? 12 : sign == kLine ? 3 : 6; }

// ------------------------------------------------------------------ the program's side

class ScenarioUi : public testmarkup::Ui {
public:
    int MessageBox(const std::string& text, int style, const std::string& title) override {
        if (!gTextS105.empty() && text.rfind(gTextS105, 0) == 0) {
            ++questions;
            messages.push_back({text, style, title});
            return loseAnswer;
        }
        return testmarkup::Ui::MessageBox(text, style, title);
    }
    int32_t ReplaceQuestion(const std::string&) override { return kReplaceYes; }
    int questions = 0;
    int loseAnswer = vbOK;
};

// Pictures made from their file's name: a few dots on white.
class NamedPictures : public PictureImportView {
public:
    PixelPicture LoadPicture(const std::string& path) override {
        std::string stem = BaseName(path);
        stem = stem.substr(0, stem.find('.'));
        for (char& c : stem) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        uint32_t h = 2166136261u;
        for (unsigned char c : stem) h = (h ^ c) * 16777619u;
        // The top-left pixel is the background.
        PixelPicture p(6, 4, 0xFFFFFF);
        for (int i = 0; i < 3; ++i, h /= 20) p.PSet(static_cast<int32_t>(1 + h % 5), static_cast<int32_t>((h / 5) % 4), 0);
        p.PSet(5, 3, 0);
        return p;
    }
};

std::string PictureStem(const std::string& picture) { return picture + ".bmp"; }

void StartWorld() {
    testentry::ResetAll();
    gLanguageFile = std::string(KIVAR_DATA_DIR) + "/English.lng";
    gLanguage = "English";
    gTextS105 = "Changes will be lost!";
    gTextS106 = "S106";
    gTextS107 = "S107";
    gTextS99 = "S99";
    gTextS102 = "S102";
    ConfigureSigns();
}

// The pages of a sign's section in a record's Text, each field without the
// blank after its "#".
std::vector<std::string> Fields(const std::string& section) {
    std::vector<std::string> out;
    size_t p = section.find('#');
    while (p != std::string::npos) {
        const size_t q = section.find('#', p + 1);
        std::string f = section.substr(p + 1, q == std::string::npos ? std::string::npos : q - p - 1);
        if (!f.empty() && f[0] == ' ') f.erase(0, 1);
        out.push_back(f);
        p = q;
    }
    return out;
}

// The pages of a sign's section in SignData or AltText.
std::vector<std::string> SectionPages(const std::string& field, int16_t address) {
    const std::string section = GetSignSection(field, address);
    if (section.empty()) return {};
    const std::string content = section.substr(2);
    const int16_t n = static_cast<int16_t>(1 + std::count(content.begin(), content.end(), kPageMark));
    std::vector<std::string> pages;
    for (int16_t i = 1; i <= n; ++i) pages.push_back(GetRow(i, content));
    return pages;
}

std::string Hex(const std::string& bytes) {
    std::string out;
    char b[4];
    for (unsigned char c : bytes) {
        std::snprintf(b, sizeof b, "%02x", c);
        out += b;
    }
    return out;
}

// ------------------------------------------------------------------ fresh encodings

// A page as a Save stores it: its field in Text, its bytes in SignData and
// in the inverted-text store, and the graphic its picture shows.
struct Encoded {
    std::string markup, data, alt;
    // The inverted-text store keeps an inverted page's text and any other
    // page's own bytes.
    const std::string& Store(const Look& look) const { return look.inverted ? alt : data; }
    uint32_t dots = 0;
    std::string problem;  // the encoding itself went wrong
};

// Types, inverts or imports the look into a clean editor of the sign in a
// project of its own, stores it as page 1 of entry 1 with Save, and reads
// the record and the picture back.
Encoded EncodeFresh(bool dest, int16_t sign, const Look& look) {
    StartWorld();
    ScenarioWindow w;
    ScenarioUi ui;
    SignInfoOf(sign).Shown = kTrue;
    gK1000Shown = VbBool(sign == kLine);
    gDestListActive = VbBool(dest);
    gCurrentDest = gCurrentExtra = 1;
    gCurrentPage = 1;
    w.number = "1";
    auto type = [&](const std::string& text) {
        for (unsigned char c : text) {
            int16_t key = c;
            if (sign == kText) TypeOnStrip(key);
            else TypeOnSignPicture(key);
        }
    };
    if (IsGraphic(sign)) {
        SignInfo& s = SignInfoOf(sign);
        s.GraphicIndex = 0;
        ResizeGraphicLayer(0, s.Width + 5, s.Height + 5);
        ResizeUndoLayer(0, s.Width + 5, s.Height + 5);
        gCurrentSign = sign;
        w.ChangeAddress(0, true, true);
        ReadCharMap("1");
    } else if (sign == kText) {
        testentry::EditTextSign(kText);
    } else {
        gCurrentSign = sign;
    }
    if (look.Empty()) {
        // An emptied page: a page stored, loaded and emptied by Delete all.
        if (sign == kLine) w.routeBox = "1";
        else type("A");
        SaveDestOrExtra();
        LoadCurrentEntry(dest);
        DeleteAllOnSign();
        SaveDestOrExtra();
    } else if (sign == kLine) {
        w.routeBox = look.text;
        SaveDestOrExtra();
    } else {
        if (look.align) ToolbarKey(look.align == 1 ? "Left" : look.align == 2 ? "Right" : "Center", false);
        type(look.text);
        if (look.inverted) InvertTextToGraph();
        if (!look.picture.empty()) {
            NamedPictures view;
            m_lBackColor = 0xFFFFFF;
            CommitSinglePicture(view, PictureStem(look.picture), look.caption);
        } else {
            SaveDestOrExtra();
        }
    }
    Encoded e;
    const DestRecord& r = dest ? gDestList[1] : gExtraList[1];
    const std::vector<std::string> fields = Fields(GetSignText(r.Text, sign));
    const std::vector<std::string> data = SectionPages(r.SignData, sign);
    const std::vector<std::string> alt = SectionPages(r.AltText, sign);
    if (fields.size() != 1 || data.size() != 1) {
        e.problem = "the fresh Save of " + look.Describe() + " on sign " + std::to_string(sign) + " stored " +
                    std::to_string(fields.size()) + " fields and " + std::to_string(data.size()) + " pages";
        return e;
    }
    e.markup = fields[0];
    e.data = data[0];
    e.alt = alt.size() == 1 ? alt[0] : data[0];
    if (IsGraphic(sign)) {
        gCurrentDest = gCurrentExtra = 1;
        gCurrentPage = 1;
        LoadCurrentEntry(dest);
        e.dots = GraphicDots(0, sign);
        const PictureLook shown = PictureOf(sign, w.active);
        if (shown.text != look.Shows())
            e.problem = "the fresh page " + look.Describe() + " loads as [" + shown.text + "]";
    }
    return e;
}

class Encodings {
public:
    const Encoded& Of(bool dest, int16_t sign, const Look& look) {
        const std::string key = std::to_string(dest) + "/" + std::to_string(sign) + "/" + look.Key();
        auto it = cache_.find(key);
        if (it == cache_.end()) it = cache_.emplace(key, EncodeFresh(dest, sign, look)).first;
        return it->second;
    }
    size_t Size() const { return cache_.size(); }

private:
    std::map<std::string, Encoded> cache_;
};

Encodings& TheEncodings() {
    static Encodings e;
    return e;
}

// ------------------------------------------------------------------ what is compared after the run

struct RecordCopy {
    std::string text, data, alt;
};

// What one step left: the records as stored, the model's pages, and the
// graphics the shown pictures showed beside what the model says they show.
struct StepTrace {
    std::string step;
    std::array<std::map<int, RecordCopy>, 2> records;
    Records model;
    std::vector<std::tuple<int16_t, uint32_t, Look, bool>> pictures;  // sign, dots, look, list
};

std::array<std::map<int, RecordCopy>, 2> CopyRecords() {
    std::array<std::map<int, RecordCopy>, 2> out;
    for (int list = 0; list < 2; ++list)
        for (int n = 1; n < 60; ++n) {
            const DestRecord& r = list == 0 ? gDestList[static_cast<size_t>(n)] : gExtraList[static_cast<size_t>(n)];
            if (!r.Text.empty() || !r.SignData.empty() || !r.AltText.empty()) out[static_cast<size_t>(list)][n] = {r.Text, r.SignData, r.AltText};
        }
    return out;
}

// The first difference between a step's records and the fresh encodings of
// the model's pages; "" when they agree.
std::string CompareRecords(const StepTrace& t) {
    Encodings& enc = TheEncodings();
    for (int list = 0; list < 2; ++list) {
        const bool dest = list == 0;
        std::set<int> numbers;
        for (const auto& [n, r] : t.records[static_cast<size_t>(list)]) numbers.insert(n);
        for (const auto& [n, signs] : t.model[static_cast<size_t>(list)])
            for (const auto& [s, pages] : signs)
                if (!pages.empty()) numbers.insert(n);
        for (int n : numbers) {
            const auto found = t.records[static_cast<size_t>(list)].find(n);
            const RecordCopy r = found == t.records[static_cast<size_t>(list)].end() ? RecordCopy{} : found->second;
            const auto modelEntry = t.model[static_cast<size_t>(list)].find(n);
            const std::string where = std::string(dest ? "destination " : "extra text ") + std::to_string(n);
            bool inverted = false;
            for (int16_t s : kAllSigns) {
                Pages pages;
                if (modelEntry != t.model[static_cast<size_t>(list)].end()) {
                    const auto p = modelEntry->second.find(s);
                    if (p != modelEntry->second.end()) pages = p->second;
                }
                const std::vector<std::string> fields = Fields(GetSignText(r.text, s));
                const std::vector<std::string> data = SectionPages(r.data, s);
                const std::vector<std::string> alt = SectionPages(r.alt, s);
                std::ostringstream out;
                out << where << ", sign " << SignInfoOf(s).Name << ": ";
                if (fields.size() != pages.size() || data.size() != pages.size()) {
                    out << "Text holds " << fields.size() << " pages, SignData " << data.size() << ", the model "
                        << pages.size() << ":";
                    for (const Look& l : pages) out << " " << l.Describe();
                    out << "; Text:";
                    for (const std::string& f : fields) out << " [" << f << "]";
                    return out.str();
                }
                if (!r.alt.empty() && alt.size() != pages.size()) {
                    out << "AltText holds " << alt.size() << " pages, the model " << pages.size();
                    return out.str();
                }
                for (size_t i = 0; i < pages.size(); ++i) {
                    inverted = inverted || pages[i].inverted;
                    const Encoded& e = enc.Of(dest, s, pages[i]);
                    if (!e.problem.empty()) return e.problem;
                    out << "page " << i + 1 << " " << pages[i].Describe() << ": ";
                    if (fields[i] != e.markup) {
                        out << "Text [" << fields[i] << "], fresh [" << e.markup << "]";
                        return out.str();
                    }
                    if (data[i] != e.data) {
                        out << "SignData " << Hex(data[i]) << ", fresh " << Hex(e.data);
                        return out.str();
                    }
                    if (!r.alt.empty() && alt[i] != e.Store(pages[i])) {
                        out << "AltText " << Hex(alt[i]) << ", fresh " << Hex(e.Store(pages[i]));
                        return out.str();
                    }
                }
            }
            if (inverted && r.alt.empty()) return where + ": an inverted page, but no inverted-text store";
        }
    }
    for (const auto& [sign, dots, look, dest] : t.pictures) {
        if (look.opaque) continue;
        const uint32_t want = look.HasGraphic() ? enc.Of(dest, sign, look).dots : 0;
        if (dots != want)
            return "the picture of " + SignInfoOf(sign).Name + " shows another graphic than " + look.Describe() +
                   (dots == 0 ? " (none)" : want == 0 ? " (it should show none)" : "");
    }
    return {};
}

// ------------------------------------------------------------------ the fixture

// Sign sets the user shows: graphic ones, and the text sign (whose strip
// takes the keys while it is current).
const std::vector<std::vector<int16_t>> kSignSets = {
    {kFront, kRear, kLine}, {kFront, kSide, kLine}, {kRear, kSide}, {kFront, kRear, kSide}, {kText, kLine}, {kText},
};

struct Counts {
    int steps = 0, aboveOne = 0;
    std::map<std::string, int> actions;
};

class Scenario {
public:
    Scenario(unsigned seed, const std::string& dir, Counts& counts) : rng_(seed), dir_(dir), counts_(counts) {}

    // Builds the starting records (encoded freshly), then the window on
    // them with the first destination loaded.
    void Start() {
        MakeFixture();
        for (int list = 0; list < 2; ++list)
            for (const auto& [n, signs] : model_[static_cast<size_t>(list)])
                for (const auto& [s, pages] : signs)
                    for (const Look& l : pages) TheEncodings().Of(list == 0, s, l);
        StartWorld();
        window_ = std::make_unique<ScenarioWindow>();
        ui_ = std::make_unique<ScenarioUi>();
        InstallFixture();
        set_ = kSignSets[static_cast<size_t>(Pick(3) == 0 ? Pick(static_cast<int>(kSignSets.size())) : 0)];
        ChooseShownSigns(*window_, set_, false);
        current_ = CurrentOfSet();
        Trace("start: signs " + SetName() + ", load 1");
        DoubleClick(true, 1);
        LoadModel(1, true, false);
    }

    // One step, random or of the named kind; "" or the first difference the
    // window shows.
    std::string Step(const std::string& named = {}) {
        const bool above = page_ > 1;
        std::string kind;
        const std::string what = RandomAction(named, kind);
        ++counts_.steps;
        if (above) ++counts_.aboveOne;
        ++counts_.actions[kind];
        Trace(what);
        if (std::getenv("KIVAR_SCENARIO_TRACE"))
            std::printf("%-50s window: entry %s page %d%s | model: entry %d page %d%s\n", what.c_str(),
                        window_->number.c_str(), gCurrentPage, window_->frameShown ? " (frame)" : "", entry_, page_,
                        frame_ ? " (frame)" : "");
        if (!fault_.empty()) return fault_;
        return CheckWindow();
    }
    void Finish() {
        window_.reset();
        ui_.reset();
        testentry::ResetAll();
    }
    // The first step whose records or pictures differ from the fresh
    // encodings, with the steps up to it; "" when none does.
    std::string Compare(const std::string& windowFault) {
        // The records name their signs.
        StartWorld();
        for (size_t i = 0; i < traces_.size(); ++i) {
            const std::string d = CompareRecords(traces_[i]);
            if (!d.empty()) return History(i) + "after step " + std::to_string(i) + ": " + d + "\n" + Dump(traces_[i]);
        }
        if (!windowFault.empty()) return History(traces_.size() - 1) + "after the last step: " + windowFault;
        return {};
    }

private:
    // ------------------------------------------------------------ the model

    Pages& Of(int n, int16_t s) { return model_[list_][n][s]; }
    bool Used(size_t list, int n) {
        const auto it = model_[list].find(n);
        if (it == model_[list].end()) return false;
        for (const auto& [s, pages] : it->second)
            if (!pages.empty()) return true;
        return false;
    }
    bool Dest() const { return list_ == 0; }
    bool TextMode() const { return current_ == kText; }
    bool Shown(int16_t s) const { return std::find(set_.begin(), set_.end(), s) != set_.end(); }
    int16_t CurrentOfSet() const {
        for (int16_t a : {kFront, kText, kRear, kSide})
            if (Shown(a)) return a;
        return 0;
    }
    // The signs whose picture, strip or box the user edits and sees.
    std::vector<int16_t> Editable() const {
        std::vector<int16_t> out;
        for (int16_t s : set_) {
            if (s == kLine && !Dest()) continue;
            if (IsGraphic(s) && TextMode()) continue;
            out.push_back(s);
        }
        return out;
    }
    int16_t PictureIndex(int16_t sign) const {
        int16_t k = 0;
        for (int16_t a : kGraphicSigns)
            if (a < sign && Shown(a)) ++k;
        return k;
    }
    std::optional<Look> Stored(int n, int16_t s, int16_t q) {
        const Pages& pages = Of(n, s);
        if (q < 1 || static_cast<size_t>(q) > pages.size()) return std::nullopt;
        return pages[static_cast<size_t>(q - 1)];
    }
    int16_t MostPages(int n) {
        size_t most = 0;
        for (int16_t s : set_) most = std::max(most, Of(n, s).size());
        return static_cast<int16_t>(most);
    }
    // The sign holds an edit a Save would store.
    bool Pending(int16_t s) { return screens_[s].Edited(); }
    // Whether a Save stores a sign emptied where it has no page under the
    // marker is not said: the steps leave such a sign alone.
    bool MayEmpty(int16_t s) { return Stored(entry_, s, page_).has_value(); }
    bool Unstored() {
        for (const auto& shown : screens_)
            if (Pending(shown.first)) return true;
        return false;
    }
    // What the sign shows, read from the window (what the user sees).
    Look Read(int16_t s) {
        Look l;
        if (IsGraphic(s)) {
            const PictureLook p = PictureOf(s, window_->active);
            l.text = p.text;
            l.align = p.align;
            l.opaque = p.dots != 0;
        } else if (s == kText) {
            l.text = StripEditorContent();
        } else {
            l.text = window_->routeBox;
        }
        l.Normalise();
        return l;
    }
    // Every editable sign shows page q of the entry where it has one; the
    // others keep what they show (keep) or show what the model reads.
    void ShowPage(int16_t q, bool keep) {
        std::map<int16_t, Screen> next;
        for (int16_t s : Editable()) {
            if (const std::optional<Look> l = Stored(entry_, s, q)) next[s] = ShowsAsItCameUp(*l);
            else if (keep && screens_.count(s)) next[s] = screens_[s];
            else next[s] = ShowsAsItCameUp(Read(s));
        }
        screens_ = next;
    }
    // A load of entry n: another entry starts on page 1, the same one keeps
    // its page as far as a shown sign has it. An extra text loaded from its
    // list (listLoad) keeps the page too, as far as a shown sign has it.
    void LoadModel(int n, bool other, bool readPage, bool listLoad = false) {
        entry_ = static_cast<int16_t>(n);
        if (readPage) page_ = gCurrentPage;
        else if (other && (Dest() || !listLoad)) page_ = 1;
        else page_ = std::clamp<int16_t>(page_, 1, std::max<int16_t>(1, MostPages(n)));
        frame_ = window_->frameShown;
        ShowPage(page_, false);
    }
    // A Save of every edited shown sign at the page under the marker.
    void StoreEdits() {
        for (auto& [s, sc] : screens_) {
            if (Pending(s)) Store(entry_, s, page_, sc.look);
            sc.base = sc.look;
        }
    }
    // The route-number sign holds one text: a Save replaces it.
    void Store(int n, int16_t s, int16_t q, const Look& look) {
        Pages& pages = Of(n, s);
        if (s == kLine) pages = {look};
        else if (static_cast<size_t>(q) <= pages.size()) pages[static_cast<size_t>(q - 1)] = look;
        else pages.push_back(look);
    }
    int NextFree(int from, int16_t s) {
        const int top = Dest() ? kDestCount - 1 : kExtraCount - 1;
        for (int n = from + 1; n <= top; ++n)
            if (Of(n, s).empty()) return n;
        return from;
    }

    // ------------------------------------------------------------ driving the window

    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    std::string Word(size_t most) {
        std::string w;
        const int len = 1 + Pick(3);
        for (int i = 0; i < len && w.size() < most; ++i) w += static_cast<char>('A' + Pick(8));
        return w;
    }
    std::string SetName() const {
        std::string s;
        for (int16_t a : set_) s += (s.empty() ? "" : "+") + SignInfoOf(a).Name;
        return s;
    }
    static int LineOf(bool dest, int n) {
        const ListModel& list = ScenarioWindow::List(dest);
        for (int i = 0; i < list.ListCount(); ++i)
            if (ListLineNumber(list.List(i)) == n) return i;
        return -1;
    }
    // A double click on the entry's line: its first press chooses the line.
    void DoubleClick(bool dest, int n) {
        window_->focused = dest ? "DestList" : "ExtraList";
        gListChoiceAtPress = CurrentListChoice(dest);
        window_->ClickLine(dest, LineOf(dest, n));
        ListClick(dest);
        LoadListEntry(dest);
        window_->focused = gTextSignActive ? "K2000_pct" : "K4000_pct";
    }
    // The answer to "changes will be lost" when it comes; true for OK.
    bool AnswerLoss(bool mayCancel) {
        const bool ok = !mayCancel || Pick(3) != 0;
        ui_->loseAnswer = ok ? vbOK : vbCancel;
        return ok;
    }
    // The question came as the model says it must.
    void ExpectQuestion(int before, bool expected, const std::string& what) {
        const bool asked = ui_->questions > before;
        if (asked != expected && fault_.empty()) {
            fault_ = std::string("the question \"changes will be lost\" ") + (asked ? "came" : "did not come") + " at " + what;
            // What each edited sign showed, and what it showed when it came up.
            for (const auto& [sign, screen] : screens_)
                if (screen.Edited())
                    fault_ += "; sign " + std::to_string(sign) + " shows " + screen.look.Describe() + ", came up as " +
                              screen.base.Describe();
        }
    }
    void TypeKeys(int16_t sign, const std::string& text) {
        for (unsigned char c : text) {
            int16_t key = c;
            if (sign == kText) K2000_pct_KeyPress(key);
            else K4000_pct_KeyPress(key);
        }
    }
    void PressEnd(int16_t sign) {
        if (sign == kText) K2000_pct_KeyDown(35, 0);
        else K4000_pct_KeyDown(35, 0);
    }

    // ------------------------------------------------------------ the actions

    // The kinds of step, by name, with their weights in the random choice.
    struct Kind {
        const char* name;
        int weight;
        std::string (Scenario::*run)();
    };
    std::vector<Kind> Kinds() const {
        const bool graphic = !TextMode();
        return {
            {"load", 6, &Scenario::Load},
            {"click", graphic ? 6 : 0, &Scenario::ChooseSign},
            {"type", 16, &Scenario::Type},
            {"backspace", 4, &Scenario::Backspace},
            {"align", graphic ? 5 : 0, &Scenario::AlignAndType},
            {"deleteall", 3, &Scenario::DeleteAll},
            {"invert", graphic ? 3 : 0, &Scenario::Invert},
            {"changing", frame_ ? 2 : 20, &Scenario::TickChangingTexts},
            {"page", frame_ ? (page_ == 1 ? 40 : 4) : 0, &Scenario::PageOption},
            {"time", 2, &Scenario::ChangeTime},
            {"save", 15, &Scenario::Save},
            {"savenew", 2, &Scenario::SaveNew},
            {"remove", 3, &Scenario::Remove},
            {"paste", Dest() ? 1 : 0, &Scenario::Paste},
            {"signs", Dest() ? 4 : 0, &Scenario::ShowSigns},
            {"switch", 2, &Scenario::Switch},
            {"picture", graphic ? 2 : 0, &Scenario::OnePicture},
            {"pictures", graphic && Dest() ? 1 : 0, &Scenario::Pictures},
            {"import", 2, &Scenario::ImportText},
        };
    }
    // A step of the named kind (KIVAR_SCENARIO_STEPS), else a random one.
    std::string RandomAction(const std::string& named, std::string& kind) {
        const std::vector<Kind> kinds = Kinds();
        for (const Kind& k : kinds)
            if (named == k.name) {
                kind = k.name;
                return k.weight > 0 ? (this->*k.run)() : named + " (not offered here)";
            }
        int total = 0;
        for (const Kind& k : kinds) total += k.weight;
        int r = Pick(total);
        for (const Kind& k : kinds) {
            if (r < k.weight) {
                kind = k.name;
                return (this->*k.run)();
            }
            r -= k.weight;
        }
        return "none";
    }

    std::string Load() {
        std::vector<int> used;
        for (const auto& [n, signs] : model_[list_])
            if (Used(list_, n)) used.push_back(n);
        if (used.empty()) return "load (no line)";
        const int n = Pick(4) == 0 ? entry_ : used[static_cast<size_t>(Pick(static_cast<int>(used.size())))];
        if (LineOf(Dest(), n) < 0) return "load (no line)";
        const bool expected = Unstored();
        const bool ok = AnswerLoss(expected);
        const int before = ui_->questions;
        DoubleClick(Dest(), n);
        ExpectQuestion(before, expected, "the load");
        if (expected && !ok) return "load " + std::to_string(n) + ", Cancel";
        LoadModel(n, n != entry_, false, true);
        return "load " + std::to_string(n) + (expected ? ", OK" : "");
    }
    std::string ChooseSign() {
        std::vector<int16_t> graphics;
        for (int16_t a : kGraphicSigns)
            if (Shown(a)) graphics.push_back(a);
        const int16_t s = graphics[static_cast<size_t>(Pick(static_cast<int>(graphics.size())))];
        window_->ChangeAddress(PictureIndex(s), true, true);
        current_ = s;
        return "click " + SignInfoOf(s).Name;
    }
    // The sign the keys go to: the current sign, or the route-number box.
    int16_t TypingSign() {
        if (Dest() && Shown(kLine) && Pick(5) == 0) return kLine;
        return current_;
    }
    std::string Type() {
        const int16_t s = TypingSign();
        Screen& sc = screens_[s];
        if (s == kLine) {
            const std::string digits = std::to_string(Pick(10));
            if (sc.look.text.size() + digits.size() > Room(kLine)) return "type (the box is full)";
            window_->routeBox += digits;
            if (const auto t = RouteNoBoxChanged(window_->routeBox)) window_->routeBox = *t;
            sc.look.text += digits;
            return "type " + digits + " in the route-number box";
        }
        if (sc.look.HasGraphic()) return "type (a page of graphic)";
        const std::string word = Word(Room(s) - std::min(Room(s), sc.look.text.size()));
        if (word.empty()) return "type (the sign is full)";
        if (s != kText && gCurrentFontCode != "1") ReadCharMap("1");
        if (sc.look.text.empty() && s != kText) sc.look.align = ToolbarAlignment(*window_);
        PressEnd(s);
        TypeKeys(s, word);
        sc.look.text += word;
        return "type " + word + " on " + SignInfoOf(s).Name;
    }
    std::string Backspace() {
        Screen& sc = screens_[current_];
        if (sc.look.text.empty() || sc.look.HasGraphic()) return "backspace (nothing to delete)";
        if (sc.look.text.size() == 1 && !MayEmpty(current_)) return "backspace (the last character of no page)";
        PressEnd(current_);
        int16_t key = 8;
        if (current_ == kText) K2000_pct_KeyPress(key);
        else K4000_pct_KeyPress(key);
        sc.look.text.pop_back();
        sc.look.Normalise();
        return "backspace on " + SignInfoOf(current_).Name;
    }
    // A toolbar alignment button, then keys: no key may be lost.
    std::string AlignAndType() {
        Screen& sc = screens_[current_];
        if (sc.look.HasGraphic()) return "align (a page of graphic)";
        const int16_t align = static_cast<int16_t>(1 + Pick(3));
        const std::string word = Word(Room(current_) - std::min(Room(current_), sc.look.text.size()));
        if (word.empty()) return "align (the sign is full)";
        if (gCurrentFontCode != "1") ReadCharMap("1");
        ToolbarMouseMove();
        ToolbarKey(align == 1 ? "Left" : align == 2 ? "Right" : "Center", false);
        UpdatePenSizeKeys();
        PressEnd(current_);
        TypeKeys(current_, word);
        sc.look.align = align;
        sc.look.text += word;
        return "align " + std::to_string(align) + " then type " + word + " on " + SignInfoOf(current_).Name;
    }
    std::string DeleteAll() {
        if (!MayEmpty(current_)) return "delete all (no page)";
        DeleteAllOnSign();
        screens_[current_].look = Look{};
        return "delete all on " + SignInfoOf(current_).Name;
    }
    std::string Invert() {
        Screen& sc = screens_[current_];
        if (sc.look.text.empty() || !sc.look.picture.empty() || sc.look.opaque) return "invert (no text)";
        InvertTextToGraph();
        sc.look.inverted = !sc.look.inverted;
        return std::string(sc.look.inverted ? "invert " : "invert back ") + SignInfoOf(current_).Name;
    }
    std::string TickChangingTexts() {
        window_->checkValue = window_->changingTexts = !window_->checkValue;
        window_->ChangingTextsClicked();
        frame_ = !frame_;
        return frame_ ? "changing texts on" : "changing texts off";
    }
    std::string PageOption() {
        std::vector<int16_t> offered;
        for (int16_t n = 1; n <= kPageOptions; ++n)
            if (n != page_ && window_->optionEnabled[n] && (n <= gNumberOfChangingTexts || window_->optionVisible[n]))
                offered.push_back(n);
        if (offered.empty()) return "page (none offered)";
        std::vector<int16_t> above;
        for (int16_t n : offered)
            if (n > 1) above.push_back(n);
        const std::vector<int16_t>& from = !above.empty() && Pick(6) != 0 ? above : offered;
        const int16_t q = from[static_cast<size_t>(Pick(static_cast<int>(from.size())))];
        bool expected = false;
        for (const auto& [s, sc] : screens_) {
            if (Pending(s) && Stored(entry_, s, q)) expected = true;
            if (sc.Edited() && sc.look.Empty() && !Stored(entry_, s, q)) return "page (a sign emptied)";
        }
        const bool ok = AnswerLoss(expected);
        const int before = ui_->questions;
        window_->SelectPageOption(q);
        PageOptionClicked(q);
        ExpectQuestion(before, expected, "the click on page " + std::to_string(q));
        if (expected && !ok) return "page " + std::to_string(q) + ", Cancel";
        page_ = q;
        ShowPage(q, true);
        return "page " + std::to_string(q) + (expected ? ", OK" : "");
    }
    std::string ChangeTime() {
        const int t = 1 + Pick(9);
        ChangeTimeLeft(std::to_string(t));
        return "time " + std::to_string(t);
    }
    std::string Save() {
        SaveDestOrExtra();
        StoreEdits();
        if (frame_) {
            // The marker moves on, up to a new page after the last one (the
            // options go up to the last page, eight at least); it never
            // moves back.
            const int16_t most = MostPages(entry_);
            const int16_t next = std::max(page_, std::min<int16_t>({static_cast<int16_t>(page_ + 1), static_cast<int16_t>(most + 1),
                                                                    std::max<int16_t>(8, most)}));
            if (next != page_) {
                page_ = next;
                ShowPage(page_, true);
            }
        } else if (!Dest()) {
            int next = 0;
            for (const auto& [n, signs] : model_[list_])
                if (n > entry_ && Used(list_, n)) {
                    next = n;
                    break;
                }
            if (next) LoadModel(next, true, false, true);
        }
        return "save";
    }
    std::string SaveNew() {
        SaveAndNew();
        StoreEdits();
        entry_ = static_cast<int16_t>(NextFree(entry_, current_));
        page_ = 1;
        frame_ = false;
        ShowPage(1, false);
        screens_[current_] = ShowsAsItCameUp(Look{});
        return "save and new";
    }
    std::string Remove() {
        const bool used = Used(list_, entry_);
        RemoveEntry();
        if (!used) return "remove (nothing stored)";
        // The page under the marker of every shown sign that has it.
        for (int16_t s : set_) {
            Pages& pages = Of(entry_, s);
            if (static_cast<size_t>(page_) <= pages.size()) pages.erase(pages.begin() + (page_ - 1));
        }
        LoadModel(entry_, false, true);
        return "remove";
    }
    std::string Paste() {
        std::vector<int> used;
        for (const auto& [n, signs] : model_[0])
            if (Used(0, n)) used.push_back(n);
        if (used.empty()) return "paste (nothing to copy)";
        const int from = used[static_cast<size_t>(Pick(static_cast<int>(used.size())))];
        int to = 30 + Pick(10);
        while (Used(0, to)) ++to;
        CopyDestRecords({PadCode(std::to_string(from)) + "   x"});
        PasteDestRecords([&](const std::string&, const std::string&, const std::string&) { return std::to_string(to); });
        model_[0][to] = model_[0][from];
        return "paste " + std::to_string(from) + " as " + std::to_string(to);
    }
    // The shown-signs dialog (after the question when an edit is not stored),
    // then the entry loaded again on the new signs.
    std::string ShowSigns() {
        // Mostly a set that keeps the route-number box as it is.
        std::vector<int16_t> next = kSignSets[static_cast<size_t>(Pick(static_cast<int>(kSignSets.size())))];
        for (int tries = 0; tries < 3 && InSet(next, kLine) != Shown(kLine); ++tries)
            next = kSignSets[static_cast<size_t>(Pick(static_cast<int>(kSignSets.size())))];
        if (next == set_) return "signs (the same)";
        const bool expected = Unstored();
        AnswerLoss(expected);
        const int before = ui_->questions;
        const bool go = AskSaveChanges();
        ExpectQuestion(before, expected, "the shown-signs command");
        if (!go) return "signs " + SetNameOf(next) + ", Cancel";
        // The user may go on without a load between sets of graphic signs
        // that show the route-number box alike (the box and the strip keep
        // no editor of their own across).
        const bool goOn = !expected && Pick(2) == 0 && !TextModeOf(next) && !TextModeOf(set_) &&
                          InSet(set_, kLine) == InSet(next, kLine);
        ChooseShownSigns(*window_, next);
        set_ = next;
        current_ = CurrentOfSet();
        if (goOn) {
            // The user goes on without loading: every picture shows what its
            // editor holds, which no Save may store unless the user edits
            // it. What another sign left there is not typed on.
            screens_.clear();
            for (int16_t s : Editable()) {
                Look l = Read(s);
                if (IsGraphic(s) && !l.text.empty()) l.opaque = true;
                screens_[s] = ShowsAsItCameUp(l);
            }
            return "signs " + SetNameOf(next);
        }
        int n = entry_;
        if (LineOf(true, n) < 0) {
            for (const auto& [m, signs] : model_[0])
                if (Used(0, m)) n = m;
        }
        if (LineOf(true, n) < 0) return "signs " + SetNameOf(next) + " (no line to load)";
        ui_->loseAnswer = vbOK;
        DoubleClick(true, n);
        LoadModel(n, n != entry_, false);
        return "signs " + SetNameOf(next) + ", load " + std::to_string(n);
    }
    static bool InSet(const std::vector<int16_t>& set, int16_t s) { return std::find(set.begin(), set.end(), s) != set.end(); }
    static bool TextModeOf(const std::vector<int16_t>& set) { return InSet(set, kText) && !InSet(set, kFront); }
    std::string SetNameOf(const std::vector<int16_t>& set) const {
        std::string s;
        for (int16_t a : set) s += (s.empty() ? "" : "+") + SignInfoOf(a).Name;
        return s;
    }
    // The other list, and one of its entries loaded.
    std::string Switch() {
        const size_t other = 1 - list_;
        std::vector<int> used;
        for (const auto& [n, signs] : model_[other])
            if (Used(other, n)) used.push_back(n);
        if (used.empty()) return "switch (the other list is empty)";
        const int n = used[static_cast<size_t>(Pick(static_cast<int>(used.size())))];
        SwitchList(other == 0);
        list_ = other;
        ui_->loseAnswer = vbOK;
        DoubleClick(Dest(), n);
        LoadModel(n, true, false);
        return std::string("switch to ") + (Dest() ? "destinations" : "extra texts") + ", load " + std::to_string(n);
    }
    // The single picture import into an empty page of the current sign.
    std::string OnePicture() {
        Screen& sc = screens_[current_];
        if (!sc.look.Empty()) return "picture (the page holds something)";
        const bool expected = Unstored();
        AnswerLoss(expected);
        const int before = ui_->questions;
        const bool go = AskSaveChanges();
        ExpectQuestion(before, expected, "the picture import");
        if (!go) return "picture, Cancel";
        Look l;
        l.picture = l.caption = "P" + std::to_string(Pick(100));
        NamedPictures view;
        m_lBackColor = 0xFFFFFF;
        if (!CommitSinglePicture(view, PictureStem(l.picture), l.caption)) return fault_ = "the picture import stored nothing";
        Store(entry_, current_, page_, l);
        LoadModel(NextFree(entry_, current_), true, false);
        return "picture " + l.picture;
    }
    // The batch import: a picture for a new page of the current sign in a
    // few destinations.
    std::string Pictures() {
        const bool expected = Unstored();
        AnswerLoss(expected);
        const int before = ui_->questions;
        const bool go = AskSaveChanges();
        ExpectQuestion(before, expected, "the batch import");
        if (!go) return "pictures, Cancel";
        // A folder of its own: the batch takes every picture in it.
        const std::string folder = dir_ + "/batch" + std::to_string(++batches_);
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        testutil::WriteFile(folder + "/K0000_01.bmp", "");
        std::map<int, int> pictures;  // destination -> page
        const int count = 1 + Pick(3);
        for (int i = 0; i < count; ++i) {
            const int n = 1 + Pick(9);
            const int q = static_cast<int>(Of(n, current_).size()) + 1 + (Pick(4) == 0 ? 1 : 0);
            if (q <= 8) pictures[n] = q;
        }
        std::string names;
        for (const auto& [n, q] : pictures) {
            char name[16];
            std::snprintf(name, sizeof name, "K%04d_%02d", n, q);
            testutil::WriteFile(folder + "/" + name + ".bmp", "");
            Look l;
            l.picture = name;
            l.caption = std::to_string(n) + "_" + (q < 10 ? "0" : "") + std::to_string(q);
            Store(n, current_, static_cast<int16_t>(q), l);
            names += std::string(" ") + name;
        }
        NamedPictures view;
        if (lPic2Graph_GetFiles(view, folder + "/K0000_01.bmp") <= 1) return "pictures (none found)";
        ConvertAllPictures(view);
        SwitchList(true);
        ShowCurrentNumber();
        LoadModel(LeadingNumber(window_->number), true, true);
        return "pictures" + names;
    }
    std::string ImportText() {
        const bool expected = Unstored();
        AnswerLoss(expected);
        const int before = ui_->questions;
        const bool go = PrepareTextImport();
        ExpectQuestion(before, expected, "the text import");
        if (!go) return "import, Cancel";
        const int16_t align = TextMode() ? 0 : ToolbarAlignment(*window_);
        std::string file, rows;
        std::set<std::pair<int, int>> taken;
        int last = 0;
        const int count = 1 + Pick(2);
        for (int i = 0; i < count; ++i) {
            const int n = 1 + Pick(9);
            const int q = 1 + Pick(static_cast<int>(Of(n, current_).size()) + 1);
            if (!taken.insert({n, q}).second) continue;
            Look l;
            l.text = Word(Room(current_));
            l.align = l.text.empty() ? 0 : align;
            file += std::to_string(n) + "." + std::to_string(q) + "\t" + l.text + "\r\n";
            rows += " " + std::to_string(n) + "." + std::to_string(q) + " " + l.text;
            Store(n, current_, static_cast<int16_t>(q), l);
            last = n;
        }
        const std::string path = dir_ + "/rows.txt";
        testutil::WriteFile(path, file);
        if (gCurrentFontCode != "1" && !TextMode()) ReadCharMap("1");
        ImportTextFile(path);
        entry_ = static_cast<int16_t>(NextFree(last, current_));
        page_ = 1;
        frame_ = false;
        ShowPage(1, false);
        screens_[current_] = ShowsAsItCameUp(Look{});
        return "import" + rows;
    }

    // ------------------------------------------------------------ checks

    // What the window shows against the model.
    std::string CheckWindow() {
        std::ostringstream out;
        const ListModel& list = ScenarioWindow::List(Dest());
        if ((gDestListActive != 0) != Dest()) return "the other list is active";
        if (LeadingNumber(window_->number) != entry_)
            return "the number box reads " + window_->number + ", the pictures show " + std::to_string(entry_);
        int lines = 0;
        for (const auto& [n, signs] : model_[list_])
            if (Used(list_, n)) {
                ++lines;
                if (LineOf(Dest(), n) < 0) return "entry " + std::to_string(n) + " has no list line";
            }
        if (list.ListCount() != lines)
            return "the list has " + std::to_string(list.ListCount()) + " lines, the model " + std::to_string(lines);
        for (int line : window_->Marked(Dest()))
            if (ListLineNumber(list.List(line)) != entry_)
                return "the list marks line " + std::to_string(line) + " (" + list.List(line) + "), the pictures show " +
                       std::to_string(entry_);
        if (gCurrentPage != page_) return "page " + std::to_string(gCurrentPage) + ", the model " + std::to_string(page_);
        if (window_->frameShown != frame_) return std::string("the changing texts are ") + (frame_ ? "hidden" : "shown");
        if (frame_ && window_->selected != page_)
            return "option " + std::to_string(window_->selected) + " chosen on page " + std::to_string(page_);
        for (int16_t s : Editable()) {
            const Look& want = screens_[s].look;
            if (want.opaque) continue;
            const Look got = Read(s);
            // No alignment shows as left alignment.
            auto seen = [](int16_t a) { return a == 0 ? 1 : a; };
            if (got.text != want.Shows() || (IsGraphic(s) && !want.Shows().empty() && seen(got.align) != seen(want.align))) {
                out << SignInfoOf(s).Name << " shows " << got.Describe() << ", the model " << want.Describe()
                    << (screens_[s].Edited() ? " (edited)" : "");
                return out.str();
            }
        }
        return {};
    }

    void Trace(const std::string& step) {
        StepTrace t;
        t.step = step;
        t.records = CopyRecords();
        t.model = model_;
        if (!TextMode())
            for (int16_t s : Editable())
                if (IsGraphic(s))
                    t.pictures.emplace_back(s, GraphicDots(SignInfoOf(s).GraphicIndex, s), screens_[s].look, Dest());
        traces_.push_back(std::move(t));
    }
    // The records of a step as stored, for the report.
    static std::string Dump(const StepTrace& t) {
        std::string s;
        for (int list = 0; list < 2; ++list)
            for (const auto& [n, r] : t.records[static_cast<size_t>(list)]) {
                std::string text = r.text;
                for (char& c : text)
                    if (c == '\xff') c = '|';
                s += std::string(list == 0 ? "  destination " : "  extra text ") + std::to_string(n) + ": " + text +
                     "\n    SignData " + Hex(r.data) + "\n    AltText  " + Hex(r.alt) + "\n";
            }
        return s;
    }
    std::string History(size_t upTo) const {
        std::string s = "steps:\n";
        for (size_t i = 0; i <= upTo && i < traces_.size(); ++i) s += "  " + std::to_string(i) + " " + traces_[i].step + "\n";
        return s;
    }

    // ------------------------------------------------------------ the fixture

    Look RandomLook(int16_t s) {
        Look l;
        l.text = Word(s == kLine ? 0 : Room(s) / 2);
        if (s == kLine) l.text = std::to_string(1 + Pick(99));
        if (IsGraphic(s)) {
            l.align = static_cast<int16_t>(Pick(4));
            l.inverted = Pick(8) == 0;
        }
        l.Normalise();
        return l;
    }
    void MakeFixture() {
        for (int n = 1; n <= 6; ++n) {
            auto& signs = model_[0][n];
            const int most = 2 + Pick(2);
            signs[kFront] = Pages(static_cast<size_t>(1 + Pick(most)));
            signs[kRear] = Pages(static_cast<size_t>(Pick(most + 1)));
            signs[kSide] = Pages(static_cast<size_t>(Pick(most)));
            signs[kText] = Pages(static_cast<size_t>(Pick(most)));
            signs[kLine] = Pages(static_cast<size_t>(Pick(2)));
            if (signs[kFront].size() < 2 && signs[kRear].size() < 2) signs[kRear].resize(static_cast<size_t>(most));
            for (auto& [s, pages] : signs)
                for (Look& l : pages) l = RandomLook(s);
        }
        for (int n = 1; n <= 3; ++n) {
            auto& signs = model_[1][n];
            signs[kFront] = Pages(static_cast<size_t>(1 + Pick(3)));
            signs[kRear] = Pages(static_cast<size_t>(Pick(3)));
            signs[kText] = Pages(static_cast<size_t>(Pick(3)));
            for (auto& [s, pages] : signs)
                for (Look& l : pages) l = RandomLook(s);
        }
    }
    void InstallFixture() {
        for (int list = 0; list < 2; ++list) {
            const bool dest = list == 0;
            for (const auto& [n, signs] : model_[static_cast<size_t>(list)]) {
                DestRecord& r = dest ? DestAt(n) : ExtraAt(n);
                bool store = Pick(4) != 0;
                for (const auto& [s, pages] : signs)
                    for (const Look& l : pages) store = store || l.inverted;
                for (const auto& [s, pages] : signs)
                    for (size_t i = 0; i < pages.size(); ++i) {
                        const Encoded& e = TheEncodings().Of(dest, s, pages[i]);
                        const int16_t p = static_cast<int16_t>(i + 1);
                        if (dest) SetDestSignField(static_cast<int16_t>(n), s, p, e.markup);
                        else SetExtraSignField(static_cast<int16_t>(n), s, p, e.markup);
                        SetSectionPageIn(r.SignData, s, p, e.data);
                        if (store) SetSectionPageIn(r.AltText, s, p, e.Store(pages[i]));
                    }
                r.ChangeTime = 3;
                if (dest) r.Code = PadCode(std::to_string(n));
            }
        }
        for (int list = 0; list < 2; ++list)
            for (const auto& [n, signs] : model_[static_cast<size_t>(list)])
                if (Used(static_cast<size_t>(list), n)) AddListLine(static_cast<int16_t>(n), list == 0);
        gDestListActive = kTrue;
    }

    std::mt19937 rng_;
    std::string dir_;
    Counts& counts_;
    std::unique_ptr<ScenarioWindow> window_;
    std::unique_ptr<ScenarioUi> ui_;
    Records model_;
    size_t list_ = 0;
    std::vector<int16_t> set_;
    int16_t current_ = kFront;
    int16_t entry_ = 1, page_ = 1;
    bool frame_ = false;
    std::map<int16_t, Screen> screens_;
    std::string fault_;
    std::vector<StepTrace> traces_;
    int batches_ = 0;
};

constexpr int kStepsPerSequence = 60;

// KIVAR_SCENARIO_STEPS=load,type,save,...: these kinds of step in this
// order instead of the random ones (each still draws its details, which sign,
// which word, from the seed).
std::vector<std::string> NamedSteps() {
    std::vector<std::string> out;
    const char* v = std::getenv("KIVAR_SCENARIO_STEPS");
    std::stringstream list(v ? v : "");
    for (std::string name; std::getline(list, name, ',');)
        if (!name.empty()) out.push_back(name);
    return out;
}

int ScenarioCount() {
    const char* v = std::getenv("KIVAR_SCENARIOS");
    return v ? std::max(1, std::atoi(v)) : 200;
}

// Runs the sequences; the first that fails is reported with its steps.
void RunSequences(const std::vector<unsigned>& seeds) {
    testutil::TempDir dir;
    Counts counts;
    for (unsigned seed : seeds) {
        std::string windowFault;
        Scenario s(seed, dir.path(), counts);
        s.Start();
        const std::vector<std::string> named = NamedSteps();
        const size_t steps = named.empty() ? kStepsPerSequence : named.size();
        for (size_t i = 0; windowFault.empty() && i < steps; ++i) windowFault = s.Step(named.empty() ? "" : named[i]);
        s.Finish();
        const std::string fault = s.Compare(windowFault);
        ASSERT_TRUE(fault.empty()) << "seed " << seed << " (rerun: KIVAR_SEED=" << seed << ")\n" << fault;
    }
    testentry::ResetAll();
    std::printf("[  STEPS   ] %d steps, %d of them on a page above 1; %zu pages encoded afresh\n", counts.steps,
                counts.aboveOne, TheEncodings().Size());
    if (seeds.size() < 20) return;
    // Enough of the work happens on the pages after the first, and every
    // kind of step ran.
    EXPECT_GE(3 * counts.aboveOne, counts.steps) << counts.aboveOne << " of " << counts.steps << " steps on a page above 1";
    std::string ran;
    for (const auto& [kind, n] : counts.actions) ran += " " + kind;
    EXPECT_EQ(counts.actions.size(), 19u) << "not every kind of step ran; these did:" << ran;
}

}  // namespace

TEST(EditingScenarios, FixedSeeds) {
    RunSequences(testutil::TestSeeds(1, static_cast<unsigned>(ScenarioCount())));
}

// A fresh batch on every run: its first seed comes from the clock and is
// printed, so that a failing sequence can be repeated with KIVAR_SEED.
TEST(EditingScenarios, FreshSeeds) {
    const unsigned first = static_cast<unsigned>(std::random_device{}()) ^
                           static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count());
    RunSequences(testutil::TestSeeds(first % 1000000000u + 1000, static_cast<unsigned>(std::max(1, ScenarioCount() / 3))));
}
