// The invert command: the text of the graphic sign's editor becomes a
// graphic shown inverted (lit and dark dots swapped over the whole sign),
// while the text itself waits in the inverted-text buffer; the same command
// turns it back into text.
#pragma once

namespace kv {

// Messages: S129 ("No text to invert!") for an empty editor, S131
// ("Existing graphics will be lost", OK/Cancel) before a graphic is
// replaced, S130 ("Invert error!") with the error's description when
// something fails on the way (what was done before stays).
void InvertTextToGraph();

}  // namespace kv
