#include "data/destlist.h"

#include <algorithm>
#include <string_view>

#include "data/destcodes.h"
#include "data/records.h"
#include "platform/host.h"
#include "platform/reset.h"
#include "platform/vb.h"

namespace kv {

ListModel DestList;
ListModel ExtraList;

namespace {
// The first four characters of a line, which its order by code compares.
std::string_view Head(const std::string& line) { return std::string_view(line).substr(0, 4); }
}  // namespace

void ListModel::CheckOrderAt(int index) {
    const size_t i = static_cast<size_t>(index);
    const bool hasPrev = i > 0, hasNext = i + 1 < lines_.size();
    const std::string& line = lines_[i];
    if (byNumber_) {
        const int16_t n = ListLineNumber(line);
        if ((hasPrev && ListLineNumber(lines_[i - 1]) > n) || (hasNext && n > ListLineNumber(lines_[i + 1])))
            byNumber_ = false;
    }
    if (byHead_) {
        if ((hasPrev && Head(lines_[i - 1]) > Head(line)) || (hasNext && Head(line) > Head(lines_[i + 1])))
            byHead_ = false;
    }
}

std::string ListModel::List(int index) const {
    if (index < 0 || index >= static_cast<int>(lines_.size())) return {};
    return lines_[static_cast<size_t>(index)];
}

void ListModel::SetList(int index, const std::string& line) {
    if (index < 0 || index >= static_cast<int>(lines_.size())) throw VbError(381, "Invalid property array index");
    lines_[static_cast<size_t>(index)] = line;
    CheckOrderAt(index);
    Notify(Change::Changed, index);
}

void ListModel::AddItem(std::string&& line, int index) {
    const int size = static_cast<int>(lines_.size());
    if (index == -1) index = size;
    if (index < 0 || index > size) throw VbError(5, "Invalid procedure call or argument");
    if (size >= capacity_) throw VbError(7, "Out of memory");
    lines_.insert(lines_.begin() + index, std::move(line));
    selected_.insert(selected_.begin() + index, false);
    CheckOrderAt(index);
    if (listIndex_ >= index) ++listIndex_;
    Notify(Change::Added, index);
}

void ListModel::RemoveItem(int index) {
    if (index < 0 || index >= static_cast<int>(lines_.size())) throw VbError(5, "Invalid procedure call or argument");
    lines_.erase(lines_.begin() + index);
    selected_.erase(selected_.begin() + index);
    if (listIndex_ == index) listIndex_ = -1;
    else if (listIndex_ > index) --listIndex_;
    Notify(Change::Removed, index);
}

void ListModel::Clear() {
    lines_.clear();
    selected_.clear();
    byNumber_ = byHead_ = true;
    listIndex_ = -1;
    Notify(Change::Cleared, -1);
}

void ListModel::SwapLines(ListModel& other) {
    if (this == &other) return;
    lines_.swap(other.lines_);
    selected_.swap(other.selected_);
    std::swap(listIndex_, other.listIndex_);
    Notify(Change::Reset, -1);
    other.Notify(Change::Reset, -1);
}

void ListModel::SetListIndex(int index) {
    if (index < -1 || index >= static_cast<int>(lines_.size())) throw VbError(380, "Invalid property value");
    listIndex_ = index;
    Notify(Change::Selection, index);
}

bool ListModel::Selected(int index) const {
    return index >= 0 && index < static_cast<int>(selected_.size()) && selected_[static_cast<size_t>(index)];
}

void ListModel::SetSelected(int index, bool selected) {
    if (index < 0 || index >= static_cast<int>(selected_.size())) throw VbError(381, "Invalid property array index");
    selected_[static_cast<size_t>(index)] = selected;
    Notify(Change::Selection, index);
}

void ListModel::Notify(Change c, int index) {
    if (batchDepth_ > 0) {
        batchChanged_ = true;
        return;
    }
    if (listener_) listener_(c, index);
}

void ListModel::EndBatch() {
    if (--batchDepth_ > 0 || !batchChanged_) return;
    batchChanged_ = false;
    Notify(Change::Reset, -1);
}

int16_t ListLineNumber(const std::string& line) {
    // The usual head, digits and blanks, is read directly; Val would give
    // the same (it skips blanks).
    const size_t end = std::min<size_t>(line.size(), 4);
    int n = 0;
    for (size_t i = 0; i < end; ++i) {
        const char c = line[i];
        if (c == ' ') continue;
        if (c < '0' || c > '9') return CIntClamp(Val(Left(line, 4)));
        n = n * 10 + (c - '0');
    }
    return static_cast<int16_t>(n);
}

int16_t LastUsedNumber(const ListModel& list) {
    const int count = list.ListCount();
    if (count == 0) return 0;
    if (!gDestCodesOn) return ListLineNumber(list.List(count - 1));
    int16_t last = 0;
    if (&list == &DestList) {
        int counted = 0;
        for (int n = 1; n < kDestCount && counted < count; ++n) {
            if (gDestList[static_cast<size_t>(n)].SignData.empty()) continue;
            ++counted;
            last = static_cast<int16_t>(n);
        }
    } else {
        // Every extra text with page data counts, wherever it stands, so that
        // none is left out of the out-file.
        for (int n = kExtraCount - 1; n >= 1; --n)
            if (!gExtraList[static_cast<size_t>(n)].SignData.empty()) return static_cast<int16_t>(n);
    }
    return last;
}

namespace {

std::string NumberColumn(int16_t n) {
    std::string s = std::to_string(n);
    if (s.size() < 4) s.insert(0, 4 - s.size(), ' ');
    return s;
}

// Copies the text without its section marks to out; gives the end.
char* CopyWithoutMarks(std::string_view text, char* out) {
    for (size_t mark; (mark = text.find(kSectionMark)) != std::string_view::npos; text.remove_prefix(mark + 1))
        out = std::copy_n(text.data(), mark, out);
    return std::copy(text.begin(), text.end(), out);
}

// A list line that could not be made or added: reported, and the caller's
// flag set.
void ReportLineError(const VbError& e, bool* error) {
    MsgBox("Error # " + std::to_string(e.number) + "\r" + e.what());
    if (error) *error = true;
}

// The line of a list of lines in number (or code) order that comes after
// `line`; the list's end when none does.
int OrderedPosition(const ListModel& list, const std::string& line, bool byCode) {
    const auto after = [&](const std::string& other) {
        return byCode ? Left(other, 4) > Left(line, 4) : ListLineNumber(other) > ListLineNumber(line);
    };
    const std::vector<std::string>& lines = list.Lines();
    // In order, the lines that come after form the list's tail.
    if (byCode ? list.InHeadOrder() : list.InNumberOrder()) {
        const auto it = std::partition_point(lines.begin(), lines.end(), [&](const std::string& other) { return !after(other); });
        return it == lines.end() ? -1 : static_cast<int>(it - lines.begin());
    }
    for (size_t i = 0; i < lines.size(); ++i)
        if (after(lines[i])) return static_cast<int>(i);
    return -1;
}

// Adds head & text without section marks, at the end or, with `ordered`, at
// its place in number (byCode: code) order.
void AddLine(ListModel& list, const std::string& head, const std::string& text, bool* error, bool ordered = false,
             bool byCode = false) {
    try {
        std::string line(head.size() + text.size(), '\0');
        char* end = CopyWithoutMarks(head, line.data());
        end = CopyWithoutMarks(text, end);
        line.resize(static_cast<size_t>(end - line.data()));
        const int position = ordered ? OrderedPosition(list, line, byCode) : -1;
        list.AddItem(std::move(line), position);
        if (error) *error = false;
    } catch (const VbError& e) {
        ReportLineError(e, error);
    }
}

// The head of a line of FormatListLine; byCode tells whether it is a code.
std::string FormattedHead(int16_t number, const ListModel& list, bool& byCode) {
    // Extra-text lines always show their number.
    byCode = gDestCodesOn && gDestListActive && &list == &DestList && number >= 0 && number < kDestCount;
    return byCode ? PadCode(gDestList[static_cast<size_t>(number)].Code) + " " : NumberColumn(number) + "   ";
}

}  // namespace

void AddListLine(int16_t index, bool isDest, bool* error) {
    const DestRecord* r = nullptr;
    try {
        r = isDest ? &DestAt(index) : &ExtraAt(index);
    } catch (const VbError& e) {
        ReportLineError(e, error);
        return;
    }
    const std::string head = gDestCodesOn ? PadCode(r->Code) + " " : NumberColumn(index) + "   ";
    AddLine(isDest ? DestList : ExtraList, head, r->Text, error);
}

void FormatListLine(const std::string& text, int16_t number, ListModel& list, bool* error) {
    bool byCode = false;
    const std::string head = FormattedHead(number, list, byCode);
    AddLine(list, head, text, error);
}

void PlaceListLine(const std::string& text, int16_t number, ListModel& list, bool* error) {
    bool byCode = false;
    const std::string head = FormattedHead(number, list, byCode);
    AddLine(list, head, text, error, true, byCode);
}

void RefreshDestList() {
    const int16_t last = LastUsedNumber(DestList);
    DestList.Clear();
    for (int16_t i = 1; i <= last; ++i) AddListLine(i, true);
}

int FindListIndexByNumber(const ListModel& list, int16_t n) {
    const std::vector<std::string>& lines = list.Lines();
    size_t from = 0;
    // In order, the first line of n stands where the smaller numbers end.
    if (list.InNumberOrder())
        from = static_cast<size_t>(std::partition_point(lines.begin(), lines.end(),
                                                        [n](const std::string& l) { return ListLineNumber(l) < n; }) -
                                   lines.begin());
    for (size_t i = from; i < lines.size(); ++i) {
        const int16_t number = ListLineNumber(lines[i]);
        if (number == n) return static_cast<int>(i);
        if (list.InNumberOrder() && number > n) break;
    }
    return -1;
}

int SelectListItemForRecord(bool isDest, int16_t n) {
    const ListModel& list = isDest ? DestList : ExtraList;
    if (isDest && gDestCodesOn) {
        const std::string wanted = RTrim(DestAt(n).Code);
        const std::vector<std::string>& lines = list.Lines();
        size_t from = 0;
        // In order of their heads, a line whose head is the code (with blanks
        // after it) stands among the heads that begin with the code, before
        // any that goes on with a character above the blank.
        const bool ordered = list.InHeadOrder() && wanted.size() <= 4;
        if (ordered)
            from = static_cast<size_t>(std::partition_point(lines.begin(), lines.end(),
                                                            [&](const std::string& l) { return Head(l) < wanted; }) -
                                       lines.begin());
        for (size_t i = from; i < lines.size(); ++i) {
            if (RTrim(Left(lines[i], 4)) == wanted) return static_cast<int>(i);
            if (ordered) {
                const std::string_view head = Head(lines[i]);
                if (head.substr(0, wanted.size()) != wanted) break;
                if (head.size() > wanted.size() && static_cast<unsigned char>(head[wanted.size()]) > ' ') break;
            }
        }
        return -1;
    }
    return FindListIndexByNumber(list, n);
}

namespace {
int gRememberedListIndex = 0;
}

int FindListItemByRecordNo(int16_t n, bool continueSearch) {
    if (n == -1) {
        gRememberedListIndex = 0;
        return 0;
    }
    const ListModel& list = gDestListActive ? DestList : ExtraList;
    for (int i = continueSearch ? gRememberedListIndex : 0; i < list.ListCount(); ++i) {
        if (ListLineNumber(list.List(i)) == n) {
            gRememberedListIndex = i;
            return i;
        }
    }
    gRememberedListIndex = 0;
    return -1;
}

bool FindRecordByKey(int16_t address, int16_t table) {
    const bool dest = table == 0 || table == 1;
    if (!dest && table != 2) return false;
    const int last = std::min<int>(LastUsedNumber(dest ? DestList : ExtraList), (dest ? kDestCount : kExtraCount) - 1);
    for (int i = 1; i <= last; ++i) {
        const DestRecord& r = dest ? gDestList[static_cast<size_t>(i)] : gExtraList[static_cast<size_t>(i)];
        if (r.Text.empty()) continue;
        if (!GetSignText(r.Text, address).empty()) return true;
    }
    return false;
}

void ResetDestLists() {
    DestList.SetCapacity(32767);
    ExtraList.SetCapacity(32767);
    DestList.SetListener(nullptr);
    ExtraList.SetListener(nullptr);
    DestList.Clear();
    ExtraList.Clear();
    gRememberedListIndex = 0;
}

namespace {
const ResetRegistrar kReset("list lines", StateLayer::Data, ResetDestLists);
}  // namespace

}  // namespace kv
