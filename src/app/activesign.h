// The active sign without the window: which of the three graphic sign
// pictures the editors work on. Changing it keeps the editor state of the
// sign that was active in that picture's slot and brings the new sign's
// back. The page the window shows stays the page every shown sign edits:
// the page options offer the pages the shown signs have and the page shown,
// which stays chosen; the alignment buttons show the new sign's cursor row.
#pragma once

#include <cstdint>

namespace kv {

// `previous` is the picture set that was active (-1 for none). Returns the
// sign shown in set `index`; 0 when that set shows none (the set is active
// then all the same, and the current sign stays).
int16_t ChangeActiveSign(int16_t previous, int16_t index, bool recount);

}  // namespace kv
