// An edit that no Save stored, for the tests of what asks before it goes:
// a shown route-number sign (address 16) whose box holds what the user typed.
#pragma once

#include "data/records.h"
#include "data/signtable.h"
#include "engine/shownpages.h"
#include "platform/vb.h"

namespace testedit {

inline void HoldUnstoredEdit() {
    kv::SignInfo& s = kv::SignInfoOf(16);
    s.Model = "K1000";
    s.Name = "EDIT";
    s.Width = 3;
    s.Shown = kv::kTrue;
    kv::NoteContentToStore(kv::kRouteBoxEditor);
}

inline void DropUnstoredEdit() {
    kv::SignInfoOf(16) = kv::SignInfo{};
    kv::ForgetShownPage(kv::kRouteBoxEditor, "");
}

}  // namespace testedit
