// The sign configuration without its window: the list of sign lines the user
// edits (name, model, dimension and address of up to fifteen signs), the
// rules of adding, changing and removing a sign, and OK, which renames and
// readdresses the signs in the project's records and rebuilds the sign
// table. Nothing reaches the project before OK; Cancel leaves it as it was.
//
// A sign line has 33 columns: the name from column 1 (8 columns), the model
// from column 13 (8), the dimension in display form from column 22 (6) and
// the address from column 32 (2).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kv {

// Set by the dialog's Cancel; the main window's sign-configuration command
// then skips the shown-signs dialog it runs after an OK.
extern int16_t gSignConfigCancelled;

constexpr int kSignNameLength = 8;

// The edit fields a sign line is built from.
struct SignFields {
    std::string name, model, dimension, address;
};
// Name with leading blanks removed, in upper case; address with leading
// blanks removed; each laid out in its columns.
std::string BuildSignLine(const SignFields& fields);
// Parts of a sign line: the name as the sign table takes it (trailing blanks
// removed), the model and dimension without blanks, the address (the value
// of columns 32-33).
std::string SignLineName(const std::string& line);
std::string SignLineModel(const std::string& line);
std::string SignLineDimension(const std::string& line);
int16_t SignLineAddress(const std::string& line);
// A name a sign may have: 1 to 8 characters after trimming, without "#" and
// Chr(255).
bool IsValidSignName(const std::string& name);

// Whether a record holds a section of the sign at this address: the
// destinations, and the extra texts while they carry per-sign sections.
bool SignHasTexts(int16_t address);

// The address a graphic sign of this dimension gets: the last dimension
// table entry of "K4000:" & dimension; 7 when there is none.
int16_t DimDefaultAddress(const std::string& dimension);

class SignConfig {
public:
    // The lines of the used sign slots in address order, as the sign table
    // gives them; the texts of the messages; the project's modified flag.
    void Load();

    const std::vector<std::string>& Lines() const { return lines_; }
    // The line as it stood when the dialog loaded (or as it was added).
    std::string AsLoaded(int index) const;
    // A sign that the project has texts for: it keeps its model and cannot
    // be removed.
    bool HasTexts(int index) const;

    // What a command did: `changed` when the list changed; `select` is the
    // line to select afterwards (the new one, or the one in conflict); -1
    // clears the selection.
    struct Outcome {
        bool changed = false;
        int select = -1;
    };
    // Refused with a beep for a bad name, address or missing dimension;
    // S1612 for a name in the list, S27 for an address in the list.
    Outcome Add(const SignFields& fields);
    // The line at index replaced; refused with a beep when nothing changes,
    // S27 or S1612 for another line's address or name, S1686 when a sign
    // with texts would change its model.
    Outcome Change(int index, const SignFields& fields);
    // S1686 for a sign with texts; index -1 removes nothing.
    Outcome Remove(int index);

    enum class OkResult { EmptyList, NotConfirmed, Done };
    // S1611 for an empty list; asks S1687/S1688 when a sign with texts is
    // renamed or readdressed. Done: the records follow the signs, the sign
    // table and the default destination are rebuilt.
    OkResult Ok();
    // The project's modified flag as it was at load; sets gSignConfigCancelled.
    void Cancel();

private:
    bool Refuse(const SignFields& fields, std::string& line) const;
    // The as-loaded line is a sign of the sign table (not one added since).
    bool LoadedSign(int index) const;
    void Apply();

    std::vector<std::string> lines_;
    std::vector<std::string> asLoaded_;
    int16_t savedModified_ = 0;
    std::string nameInList_;  // S1612
    std::string emptyList_;   // S1611
};

void ResetSignConfig();

}  // namespace kv
