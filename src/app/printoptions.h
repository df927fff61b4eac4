// The print options dialog without its window: the order lists renumbered
// when a sign is ticked or unticked, and the checks and the print order of
// Done.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kv {

// After a click on a sign box: the selected order of every row (rows in
// `ticked`, index 0 = row 1): the ticked rows numbered 1, 2, ... in row
// order, 0 for an unticked row (its list empty). Each ticked row's list
// offers 1..the number of ticked rows.
std::vector<int16_t> RenumberPrintOrder(const std::vector<bool>& ticked);

enum class PrintOptionsVerdict {
    Accept,
    SameOrderTwice,  // two rows show the same order
    FromOutOfRange,  // the focus goes to txtFrom
    ToAboveLimit,    // the focus goes to txtTom
};
// Done's checks: the order texts of all rows ("" for an empty list) and,
// while the range boxes are enabled, the range against its limits (each the
// number at the start of the text, as a 16-bit integer).
PrintOptionsVerdict CheckPrintOptions(const std::vector<std::string>& orderTexts, bool rangeEnabled,
                                      const std::string& from, const std::string& to, const std::string& lowest,
                                      const std::string& highest);
// The ticked rows (1-based) in print order: the row whose list shows k
// prints k-th.
std::vector<int> PrintOrderOfRows(const std::vector<bool>& ticked, const std::vector<std::string>& orderTexts);

}  // namespace kv
