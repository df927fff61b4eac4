// The main window's two list boxes as models of lines, kept in the core so
// that the record operations can fill and search them; the Qt lists mirror
// them through the change listener.
//
// A list line begins with the record's number right-aligned in four columns
// and three blanks, or with its four-character code while codes are on,
// followed by the record's Text without section marks.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace kv {

class ListModel {
public:
    // Reset: the list changed as a whole; the view shows it again.
    enum class Change { Added, Removed, Changed, Cleared, Selection, Reset };
    // index: the line concerned (-1 for Cleared and Reset).
    using Listener = std::function<void(Change, int index)>;

    // While a Batch lives, changes are not told one by one: when the last
    // batch of the list ends, one Reset tells them all. For filling a whole
    // list in one go.
    class Batch {
    public:
        explicit Batch(ListModel& list) : list_(list) { ++list_.batchDepth_; }
        ~Batch() { list_.EndBatch(); }
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        ListModel& list_;
    };

    explicit ListModel(int capacity = 32767) : capacity_(capacity) {}

    int16_t ListCount() const { return static_cast<int16_t>(lines_.size()); }
    // Line i; "" outside the list.
    std::string List(int index) const;
    // Replaces line i; throws VbError(381) outside the list.
    void SetList(int index, const std::string& line);
    const std::vector<std::string>& Lines() const { return lines_; }

    // Adds at the end (index -1) or before line index. Throws VbError(5) for a
    // bad index and VbError(7) when the list is full.
    void AddItem(const std::string& line, int index = -1) { AddItem(std::string(line), index); }
    void AddItem(std::string&& line, int index = -1);
    // Throws VbError(5) outside the list.
    void RemoveItem(int index);
    void Clear();

    // -1 when no line is current.
    int ListIndex() const { return listIndex_; }
    void SetListIndex(int index);
    bool Selected(int index) const;
    void SetSelected(int index, bool selected);

    void SetListener(Listener listener) { listener_ = std::move(listener); }
    // The listener leaves the list (which then tells nobody) and is returned.
    Listener TakeListener() { return std::exchange(listener_, nullptr); }
    // The lines, their selection and the current line change places with
    // other's; the listeners stay where they are, and each list that changed
    // tells its own as a whole.
    void SwapLines(ListModel& other);
    void SetCapacity(int capacity) { capacity_ = capacity; }

    // The lines stand in the order of their numbers (ListLineNumber), or of
    // their first four characters, none falling behind the one before it.
    // Kept as lines come and go (a change that breaks the order clears it
    // until the list is cleared), so that the searches can halve the list
    // instead of reading every line.
    bool InNumberOrder() const { return byNumber_; }
    // A batch is open: the view shows the list again when it ends.
    bool InBatch() const { return batchDepth_ > 0; }
    bool InHeadOrder() const { return byHead_; }

private:
    void Notify(Change c, int index);
    void EndBatch();
    // The order flags after line i came or changed.
    void CheckOrderAt(int index);

    int capacity_;
    std::vector<std::string> lines_;
    std::vector<bool> selected_;
    int listIndex_ = -1;
    Listener listener_;
    int batchDepth_ = 0;
    bool batchChanged_ = false;
    bool byNumber_ = true;
    bool byHead_ = true;
};

extern ListModel DestList;
extern ListModel ExtraList;

// Highest entry number in use; 0 for an empty list. Codes off: the number at
// the start of the last line. Codes on: DestList counts the destinations with
// page data up to the number of lines; ExtraList takes the highest extra text
// 1..999 with page data.
int16_t LastUsedNumber(const ListModel& list);

// The number of a line: the value of its first four characters.
int16_t ListLineNumber(const std::string& line);

// Adds the line of record index at the end of DestList (isDest) or ExtraList.
// A list that refuses the line is reported; then *error is true.
void AddListLine(int16_t index, bool isDest, bool* error = nullptr);
// Adds a line made of number and the given text to `list`. The code form is
// used for DestList while codes are on and the destination list is active.
void FormatListLine(const std::string& text, int16_t number, ListModel& list, bool* error = nullptr);
// As FormatListLine, but the line goes to its place among the lines, which
// stand in the order of their numbers (of their codes in the code form), so
// that the last line keeps naming the highest number in use.
void PlaceListLine(const std::string& text, int16_t number, ListModel& list, bool* error = nullptr);
// Clears DestList and adds the lines of destinations 1 to LastUsedNumber.
void RefreshDestList();

// --- lookups
// Index of the first line whose number is n; -1 when none (also for an empty list).
int FindListIndexByNumber(const ListModel& list, int16_t n);
// Index of the line of record n in DestList (isDest, by code while codes are
// on) or ExtraList; -1 when none.
int SelectListItemForRecord(bool isDest, int16_t n);
// Index of the line of record n in the active list; a continued search starts
// at the last match. n = -1 resets and gives 0.
int FindListItemByRecordNo(int16_t n, bool continueSearch);
// True when any used record of the table (0 or 1 destinations, 2 extra texts)
// has a Text section for the sign.
bool FindRecordByKey(int16_t address, int16_t table);

// Empties both lists (listeners kept) and the remembered search index.
void ResetDestLists();

}  // namespace kv
