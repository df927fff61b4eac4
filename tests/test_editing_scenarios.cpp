// Seeded random sequences of what a user does with one entry on two or
// three shown signs of different models: choosing a sign, typing, deleting,
// the changing texts and the page options, the change time, Save, Save and
// new, insert before and after, Remove, loading another entry, pasting a
// record, importing a text row and a picture, undo. After every step the
// records are compared with a small model of which text each sign holds on
// each page: no page appears that nobody typed, no typed page is lost,
// SignData and Text agree page for page, and so does the inverted-text
// store. The editors' texts and the page shown are checked too.
//
// Every sequence prints nothing unless it fails; the first seed and the
// count come from KIVAR_SEED (one sequence) and KIVAR_SCENARIOS (how many,
// 300 by default).
#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <map>
#include <random>
#include <sstream>

#include "app/activesign.h"
#include "app/copybuffer.h"
#include "app/entryload.h"
#include "app/picimport.h"
#include "app/signkeys.h"
#include "app/replace.h"
#include "app/textimport.h"
#include "app/toolbar.h"
#include "engine/editorslots.h"
#include "engine/shownpages.h"
#include "support/entry_state.h"
#include "support/testutil.h"

using namespace kv;

namespace {

// ------------------------------------------------------------------ the model

// A page as the model knows it: the characters typed, the name of its
// picture ("" for none), and whether the picture import wrote it (its Text
// field then holds the picture's name alone).
struct Page {
    std::string text, tag;
    bool imported = false;
    bool operator==(const Page&) const = default;
    std::string Markup() const {
        if (imported) return "<" + tag + ">";
        return tag.empty() ? text : "<" + tag + ">" + text;
    }
    bool Empty() const { return text.empty() && tag.empty(); }
};
using Pages = std::vector<Page>;

// An editor as the model knows it: what it shows, and which entry's page
// that came from (or went to last).
struct Editor {
    Page shown;
    std::string picture;  // the graphic's dots, by name ("" none)
    int16_t sign = 0;
    bool fromEntry = false;
    int16_t entry = 0, page = 0;
    Page recorded;                  // the record's page then
    std::string base;               // Key() then
    bool emptiedByUser = false;
    // What tells an edit: the characters and the dots.
    std::string Key() const { return shown.text + "\x1f" + picture; }
};

constexpr int16_t kFront = 2, kRear = 5, kText = 4, kLine = 7;
constexpr int kEntries = 8;

struct Model {
    std::map<int, std::map<int16_t, Pages>> records;
    std::map<int16_t, Editor> editors;  // by editor number (0, 1 pictures, 3 strip, 4 box)
    bool textMode = false;
    int16_t current = kFront;  // the sign edited
    int16_t entry = 1, page = 1, previous = 0;
    bool frame = false;

    std::vector<int16_t> Shown() const {
        return textMode ? std::vector<int16_t>{kFront, kText, kLine} : std::vector<int16_t>{kFront, kRear, kLine};
    }
    // The editor of a shown sign on its road; -1 when none edits it.
    int16_t EditorOf(int16_t sign) const {
        if (sign == kLine) return kRouteBoxEditor;
        if (textMode) return sign == kText ? kStripEditor : int16_t{-1};
        return sign == kFront ? 0 : sign == kRear ? 1 : int16_t{-1};
    }
    Pages& Of(int n, int16_t sign) { return records[n][sign]; }
    bool Used(int n) const {
        const auto it = records.find(n);
        if (it == records.end()) return false;
        for (const auto& [s, pages] : it->second)
            if (!pages.empty()) return true;
        return false;
    }
    int16_t MostPages(int n) {
        size_t most = 0;
        for (int16_t s : Shown()) most = std::max(most, Of(n, s).size());
        return static_cast<int16_t>(most);
    }
    // What loading page p shows of a sign: a single page stands for every
    // page; the page it actually is.
    std::pair<Page, int16_t> View(int n, int16_t sign, int16_t p) {
        const Pages& pages = Of(n, sign);
        if (pages.size() == 1) return {pages[0], 1};
        if (p >= 1 && static_cast<size_t>(p) <= pages.size()) return {pages[static_cast<size_t>(p - 1)], p};
        return {Page{}, p};
    }
    std::optional<Page> Exact(int n, int16_t sign, int16_t p) {
        const Pages& pages = Of(n, sign);
        if (p < 1 || static_cast<size_t>(p) > pages.size()) return std::nullopt;
        return pages[static_cast<size_t>(p - 1)];
    }
    void Load(int16_t sign, int n, int16_t p) {
        Editor& e = editors[EditorOf(sign)];
        const auto [page, actual] = View(n, sign, p);
        e.shown = page;
        e.picture = page.tag;
        e.sign = sign;
        e.entry = static_cast<int16_t>(n);
        e.page = actual;
        const std::optional<Page> exact = Exact(n, sign, actual);
        e.fromEntry = exact.has_value();
        e.recorded = exact.value_or(Page{});
        e.base = e.Key();
        e.emptiedByUser = false;
    }
    void Forget(int16_t editor) {
        Editor& e = editors[editor];
        e = Editor{};
        e.base = e.Key();
    }
    // Loading the entry in hand into every shown sign.
    void LoadEntry(int n) {
        const bool other = n != previous;
        entry = static_cast<int16_t>(n);
        const int16_t most = MostPages(n);
        if (most == 0) page = 1;
        else if (most < page) page = most;
        if (other) page = 1;
        for (int16_t s : Shown())
            if (EditorOf(s) >= 0) Load(s, n, page);
        previous = static_cast<int16_t>(n);
        frame = most > 1 || (frame && !other);
    }
    bool ToWrite(int16_t sign) {
        const int16_t k = EditorOf(sign);
        if (k < 0) return false;
        const Editor& e = editors[k];
        if (e.sign != 0 && e.sign != sign) return false;
        const bool holds = e.fromEntry && e.entry == entry && e.page == page;
        if (e.emptiedByUser && e.Key() == Editor{}.Key()) return holds;
        if (e.Key() != e.base) return true;
        if (!holds) return false;
        const std::optional<Page> now = Exact(entry, sign, page);
        return now && *now == e.recorded;
    }
    static void SetPage(Pages& pages, int16_t p, const Page& v) {
        if (pages.empty()) pages.push_back(v);
        else if (static_cast<size_t>(p) <= pages.size()) pages[static_cast<size_t>(p - 1)] = v;
        else pages.push_back(v);
    }
    // The commit: every shown sign, address 16 down to 2.
    void Commit(bool import = false, bool onlyCurrent = false) {
        for (int16_t s : {kLine, kRear, kText, kFront}) {
            const std::vector<int16_t> shown = Shown();
            if (onlyCurrent && s != current) continue;
            if (std::find(shown.begin(), shown.end(), s) == shown.end() || !ToWrite(s)) continue;
            Editor& e = editors[EditorOf(s)];
            Pages& pages = Of(entry, s);
            // A page shown as loaded stays as it is.
            if (e.Key() != e.base || e.emptiedByUser) {
                Page v = e.shown;
                v.imported = import && s == current;
                if (s == kLine && !pages.empty()) pages.erase(pages.begin());
                SetPage(pages, page, v);
            }
            e.sign = s;
            e.fromEntry = true;
            e.entry = entry;
            e.page = std::min<int16_t>(page, static_cast<int16_t>(pages.size()));
            e.recorded = pages[static_cast<size_t>(e.page - 1)];
            e.base = e.Key();
            e.emptiedByUser = false;
        }
    }
    void NextPage() {
        if (!frame) return;
        const int16_t most = MostPages(entry);
        if (page > most) return;
        if (page == most) {
            if (page < 8) ++page;
            return;
        }
        if (page < 8) ++page;
    }
    int NextFree() {
        for (int n = entry + 1; n < kDestCount; ++n)
            if (Of(n, current).empty()) return n;
        return entry;
    }
    void SaveAndNew() {
        Commit();
        const int n = NextFree();
        entry = static_cast<int16_t>(n);
        page = 1;
        frame = false;
        Forget(kRouteBoxEditor);
        Forget(EditorOf(current));
        for (int16_t s : Shown())
            if (s != current && s != kLine && EditorOf(s) >= 0) Load(s, n, 1);
        Load(kLine, n, 1);
    }
};

// ------------------------------------------------------------------ the program's side

class ScenarioUi : public testmarkup::Ui {
public:
    int32_t ReplaceQuestion(const std::string&) override { return kReplaceYes; }
};

class PictureView : public PictureImportView {
public:
    PixelPicture LoadPicture(const std::string&) override {
        PixelPicture p(3, 2, 0xFFFFFF);
        p.PSet(1, 0, 0);
        return p;
    }
};

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

int PagesOfSection(const std::string& field, int16_t address) {
    const std::string section = GetSignSection(field, address);
    if (section.empty()) return 0;
    return 1 + static_cast<int>(std::count(section.begin(), section.end(), '\xb0'));
}

// The characters the editor of a picture holds, row after row.
std::string PictureText(int16_t k, int16_t active) {
    const bool live = k == active;
    const auto& cells = live ? gCells : gEditorSlots[static_cast<size_t>(k)].cells;
    const auto& rows = live ? gRows : gEditorSlots[static_cast<size_t>(k)].rows;
    int16_t start = live ? gStartRow : gEditorSlots[static_cast<size_t>(k)].startRow;
    std::string out;
    int16_t c = 0;
    for (int16_t r = start, guard = 0; IsRowIndex(r) && guard < kRowPoolSize; r = rows[static_cast<size_t>(r)].NextRow, ++guard)
        if (IsCellIndex(rows[static_cast<size_t>(r)].FirstCell) && cells[static_cast<size_t>(rows[static_cast<size_t>(r)].FirstCell)].FontCode != '0') {
            c = rows[static_cast<size_t>(r)].FirstCell;
            break;
        }
    for (int guard = 0; IsCellIndex(c) && cells[static_cast<size_t>(c)].FontCode != '0' && guard < kCellPoolSize; ++guard) {
        out += static_cast<char>(cells[static_cast<size_t>(c)].CharCode);
        c = cells[static_cast<size_t>(c)].Next;
    }
    return out;
}

class Scenario {
public:
    explicit Scenario(unsigned seed, const std::string& dir) : rng_(seed), dir_(dir) {
        testentry::ResetAll();
        m.textMode = Pick(4) == 0;
        testentry::GraphicSign(kRear, "REAR", 48, 8, 1);
        testentry::GraphicSign(kFront, "FRONT", 112, 16, 0);
        testentry::RouteNumberSign(kLine, "LINE");
        if (m.textMode) {
            SignInfoOf(kRear).Shown = kFalse;
            testentry::TextSign(kText, "TXT", 12);
            testentry::EditTextSign(kText);
            m.current = kText;
        } else {
            gCurrentSign = kFront;
            window.ChangeAddress(0, true, true);
            ReadCharMap("1");
        }
        gCurrentDest = 1;
        window.number = "1";
        // The replace question's text comes from the language file.
        gLanguageFile = std::string(KIVAR_DATA_DIR) + "/English.lng";
        gLanguage = "English";
        for (int16_t k : {int16_t{0}, int16_t{1}, kStripEditor, kRouteBoxEditor}) m.Forget(k);
        // Some entries to start from, typed and stored as a user does.
        for (int n = 1; n <= 3; ++n) {
            Do(LoadAction(n));
            Do(Type(Word()));
            if (Pick(2) == 0) Do(SaveAction());
        }
        Do(LoadAction(1));
    }

    // One random step; its description.
    std::string Step() {
        switch (Pick(16)) {
            case 0: return LoadAction(1 + Pick(kEntries));
            case 1: return ChooseSign();
            case 2: case 3: return Type(Word());
            case 4: return Delete();
            case 5: return TickChangingTexts();
            case 6: return ChoosePage();
            case 7: return ChangeTime();
            case 8: case 9: return SaveAction();
            case 10: return SaveAndNewAction();
            case 11: return Insert(Pick(2) == 0);
            case 12: return RemoveAction();
            case 13: return Paste();
            case 14: return ImportRow();
            default: return Pick(2) == 0 ? ImportPicture() : Undo();
        }
    }
    void Do(const std::string& step) { steps_.push_back(step); }
    std::string History() const {
        std::string s;
        for (const std::string& step : steps_) s += "  " + step + "\n";
        return s;
    }

    // What the program holds disagrees with the model: the first difference.
    std::string Check() {
        std::ostringstream out;
        for (int n = 1; n < 40; ++n) {
            const DestRecord& r = gDestList[static_cast<size_t>(n)];
            for (int16_t s : {kFront, kRear, kText, kLine}) {
                const Pages& want = m.Of(n, s);
                const std::vector<std::string> fields = Fields(GetSignText(r.Text, s));
                const int data = PagesOfSection(r.SignData, s);
                std::vector<std::string> wanted;
                for (const Page& p : want) wanted.push_back(p.Markup());
                if (fields != wanted) {
                    out << "entry " << n << " sign " << s << ": Text holds";
                    for (const auto& f : fields) out << " [" << f << "]";
                    out << ", the model";
                    for (const auto& f : wanted) out << " [" << f << "]";
                    return out.str();
                }
                if (data != static_cast<int>(want.size()))
                    return "entry " + std::to_string(n) + " sign " + std::to_string(s) + ": SignData has " +
                           std::to_string(data) + " pages, the model " + std::to_string(want.size());
                if (!r.AltText.empty() && PagesOfSection(r.AltText, s) != data)
                    return "entry " + std::to_string(n) + " sign " + std::to_string(s) + ": AltText has " +
                           std::to_string(PagesOfSection(r.AltText, s)) + " pages, SignData " + std::to_string(data);
            }
        }
        if (gCurrentDest != m.entry) return "entry in hand " + std::to_string(gCurrentDest) + ", the model " + std::to_string(m.entry);
        if (gCurrentPage != m.page) return "page " + std::to_string(gCurrentPage) + ", the model " + std::to_string(m.page);
        if (window.frameShown != m.frame) return std::string("changing texts ") + (window.frameShown ? "shown" : "hidden");
        if (window.frameShown != window.checkValue) return "the changing-texts box disagrees with its frame";
        if (window.selected != gCurrentPage) return "option " + std::to_string(window.selected) + " chosen on page " + std::to_string(gCurrentPage);
        // What each editor shows.
        if (m.textMode) {
            if (StripEditorContent() != m.editors[kStripEditor].shown.text)
                return "the strip shows [" + StripEditorContent() + "], the model [" + m.editors[kStripEditor].shown.text + "]";
        } else {
            for (int16_t k : {int16_t{0}, int16_t{1}}) {
                const std::string shown = PictureText(k, window.active);
                if (shown != m.editors[k].shown.text)
                    return "picture " + std::to_string(k) + " shows [" + shown + "], the model [" + m.editors[k].shown.text + "]";
            }
        }
        if (window.routeBox != m.editors[kRouteBoxEditor].shown.text)
            return "the route-number box shows [" + window.routeBox + "], the model [" + m.editors[kRouteBoxEditor].shown.text + "]";
        return {};
    }

    testentry::Window window;
    ScenarioUi ui;
    Model m;

private:
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    std::string Word() {
        std::string w;
        const int len = 1 + Pick(3);
        for (int i = 0; i < len; ++i) w += static_cast<char>('A' + Pick(6));
        return w;
    }
    int16_t ActiveEditor() const { return m.EditorOf(m.current); }

    std::string LoadAction(int n) {
        gCurrentDest = static_cast<int16_t>(n);
        LoadCurrentEntry(true);
        m.LoadEntry(n);
        return "load " + std::to_string(n);
    }
    std::string ChooseSign() {
        if (m.textMode) return "choose (text sign only)";
        const int16_t k = static_cast<int16_t>(Pick(2));
        window.ChangeAddress(k, true, true);
        m.current = k == 0 ? kFront : kRear;
        return "choose picture " + std::to_string(k);
    }
    std::string Type(const std::string& word) {
        // The route-number box takes digits; a page with a picture takes no text.
        if (Pick(5) == 0) {
            std::string digits = std::to_string(Pick(100));
            window.routeBox += digits;
            if (window.routeBox.size() > 3) window.routeBox = digits;
            m.editors[kRouteBoxEditor].shown.text = window.routeBox;
            return "box " + window.routeBox;
        }
        Editor& e = m.editors[ActiveEditor()];
        if (!e.shown.tag.empty()) return "type (a picture page)";
        if (m.textMode && e.shown.text.size() + word.size() > 12) return "type (strip full)";
        for (unsigned char c : word) {
            int16_t key = c;
            if (m.textMode) TypeOnStrip(key);
            else TypeOnSignPicture(key);
        }
        e.shown.text += word;
        return "type " + word;
    }
    std::string Delete() {
        Editor& e = m.editors[ActiveEditor()];
        if (e.shown.text.empty() || !e.shown.tag.empty()) return "delete (nothing)";
        int16_t key = 8;
        if (m.textMode) {
            gTextColumn = static_cast<int16_t>(gCodeCount + 1);
            TypeOnStrip(key);
        } else {
            TypeOnSignPicture(key);
        }
        e.shown.text.pop_back();
        return "delete";
    }
    std::string TickChangingTexts() {
        window.SetChangingTextsValue(!window.frameShown);
        if (window.frameShown) ChangingTextsOpened(gCurrentPage);
        m.frame = window.frameShown;
        return m.frame ? "changing texts on" : "changing texts off";
    }
    std::string ChoosePage() {
        if (!window.frameShown) return "page (frame hidden)";
        std::vector<int16_t> enabled;
        for (int16_t n = 1; n <= gNumberOfChangingTexts; ++n)
            if (window.optionEnabled[n]) enabled.push_back(n);
        if (enabled.empty()) return "page (none offered)";
        const int16_t n = enabled[static_cast<size_t>(Pick(static_cast<int>(enabled.size())))];
        window.SelectPageOption(n);
        PageOptionClicked(n);
        m.page = n;
        return "page " + std::to_string(n);
    }
    std::string ChangeTime() {
        const int t = 1 + Pick(9);
        ChangeTimeLeft(std::to_string(t));
        return "time " + std::to_string(t);
    }
    std::string SaveAction() {
        SaveDestOrExtra();
        m.Commit();
        m.NextPage();
        return "save";
    }
    std::string SaveAndNewAction() {
        SaveAndNew();
        m.SaveAndNew();
        window.number = std::to_string(gCurrentDest);
        return "save and new";
    }
    // Save asks where to store in insert mode when the page shown of the
    // sign edited holds something (a text sign's page always holds its row).
    bool AsksWhereToStore() {
        if (window.frameShown) return false;
        if (m.textMode) {
            const size_t pages = m.Of(m.entry, m.current).size();
            return pages == 1 || (pages > 1 && static_cast<size_t>(m.page) <= pages);
        }
        // A page of a graphic sign holds bytes when it has characters or a
        // picture's dots ("<G>" alone, from an undo, has none).
        const Page page = m.View(m.entry, m.current, m.page).first;
        return !page.text.empty() || (!page.tag.empty() && page.tag != "G");
    }
    std::string Insert(bool before) {
        if (!AsksWhereToStore()) return "insert (not asked)";
        gInsertMode = kTrue;
        window.answer = before ? 2 : 3;
        SaveDestOrExtra();
        gInsertMode = kFalse;
        const int16_t at = static_cast<int16_t>(before ? m.entry : m.entry + 1);
        // The records from `at` up to the first free one move up by one.
        int k = at;
        while (m.Used(k)) ++k;
        for (int j = k - 1; j >= at; --j) m.records[j + 1] = m.records[j];
        m.records[at].clear();
        m.entry = at;
        m.Commit();
        m.LoadEntry(at);
        window.number = std::to_string(gCurrentDest);
        return before ? "insert before" : "insert after";
    }
    std::string RemoveAction() {
        if (!m.Used(m.entry)) {
            RemoveEntry();
            return "remove (nothing)";
        }
        RemoveEntry();
        for (int16_t s : m.Shown()) {
            Pages& pages = m.Of(m.entry, s);
            if (static_cast<size_t>(m.page) <= pages.size() && !(pages.size() == 1 && m.page > 1))
                pages.erase(pages.begin() + (m.page - 1));
        }
        const int16_t left = static_cast<int16_t>(m.Of(m.entry, m.current).size());
        if (m.frame) {
            if (left > 0) m.page = 1;
            else m.frame = false;
        }
        m.LoadEntry(m.entry);
        return "remove";
    }
    std::string Paste() {
        std::vector<int> used;
        for (int n = 1; n < 40; ++n)
            if (m.Used(n)) used.push_back(n);
        if (used.empty()) return "paste (nothing to copy)";
        const int from = used[static_cast<size_t>(Pick(static_cast<int>(used.size())))];
        int to = 20 + Pick(10);
        while (m.Used(to)) ++to;
        CopyDestRecords({PadCode(std::to_string(from)) + "   x"});
        PasteDestRecords([&](const std::string&, const std::string&, const std::string&) { return std::to_string(to); });
        m.records[to] = m.records[from];
        return "paste " + std::to_string(from) + " as " + std::to_string(to);
    }
    std::string ImportRow() {
        const int n = 1 + Pick(kEntries);
        const int16_t p = static_cast<int16_t>(1 + Pick(3));
        const std::string text = Word();
        const std::string path = dir_ + "/rows.txt";
        testutil::WriteFile(path, std::to_string(n) + "." + std::to_string(p) + "\t" + text + "\r\n");
        ui.answers = {vbOK};  // uncommitted edits may go
        PrepareTextImport();
        ImportTextFile(path);
        // The row is typed into the sign edited and stored with Save and new;
        // the other signs are not touched.
        m.Forget(ActiveEditor());
        m.entry = static_cast<int16_t>(n);
        m.page = p;
        Editor& e = m.editors[ActiveEditor()];
        e.shown.text = text;
        m.Commit(false, true);
        m.entry = static_cast<int16_t>(m.NextFree());
        m.page = 1;
        m.frame = false;
        m.Forget(ActiveEditor());
        m.Forget(kRouteBoxEditor);
        window.number = std::to_string(gCurrentDest);
        return "import row " + std::to_string(n) + "." + std::to_string(p) + " " + text;
    }
    std::string ImportPicture() {
        if (m.textMode) return "picture (text sign)";
        Editor& e = m.editors[ActiveEditor()];
        if (!e.shown.Empty()) return "picture (the page holds text)";
        PictureView view;
        m_lBackColor = 0xFFFFFF;
        const std::string name = "P" + std::to_string(Pick(100));
        if (!CommitSinglePicture(view, "picture.bmp", name)) return "picture (not stored)";
        e.shown.tag = name;
        e.picture = name;
        // The picture's sign alone is stored (an edit on another sign goes,
        // after the question the window asks before the import), then every
        // sign shows the next entry.
        m.Commit(true, true);
        m.entry = static_cast<int16_t>(m.NextFree());
        m.LoadEntry(m.entry);
        window.number = std::to_string(gCurrentDest);
        return "picture " + name;
    }
    // Undo of the graphic on a page of text: no dots come or go, and the
    // page counts as holding a graphic from then on ("<G>" once stored). (On
    // a page with a picture, undo gives back whatever the undo copy holds,
    // which this model does not follow.)
    std::string Undo() {
        if (m.textMode) return "undo (text sign)";
        Editor& e = m.editors[ActiveEditor()];
        if (!e.picture.empty()) return "undo (a picture page)";
        UndoGraphicCommand();
        if (e.shown.tag.empty()) e.shown.tag = "G";
        return "undo";
    }

    std::mt19937 rng_;
    std::string dir_;
    std::vector<std::string> steps_;
};

int ScenarioCount() {
    const char* v = std::getenv("KIVAR_SCENARIOS");
    return v ? std::max(1, std::atoi(v)) : 300;
}

}  // namespace

TEST(EditingScenarios, EveryPageAsTypedAfterEveryStep) {
    testutil::TempDir dir;
    for (unsigned seed : testutil::TestSeeds(1, static_cast<unsigned>(ScenarioCount()))) {
        Scenario s(seed, dir.path());
        std::string fault = s.Check();
        for (int i = 0; fault.empty() && i < 40; ++i) {
            s.Do(s.Step());
            fault = s.Check();
        }
        ASSERT_TRUE(fault.empty()) << "seed " << seed << ": " << fault << "\nsteps:\n" << s.History();
    }
    testentry::ResetAll();
}
