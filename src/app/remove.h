// Removing the page under edit from the current record: the page of every
// shown sign goes from the record's Text, SignData and inverted-text store,
// the list line follows, the editors show what is left and, in insert mode,
// the numbers after an emptied record close up.
#pragma once

#include <cstdint>

namespace kv {

// The Remove button. A record without Text shows S99 and changes nothing.
void RemoveEntry();

// Closes the gap at number n of the active list: the records after n, up to
// the first free one (or the one of the list's last line), move down by one
// and take their new number as Code; the last of them is emptied.
void AfterRemoveRecord(int16_t n);

}  // namespace kv
