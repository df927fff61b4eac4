// A synthetic project of any size, for measuring the project file: signs,
// destinations and extra texts with several pages each, the list lines that
// go with them and the default out-file options.
#pragma once

#include <cstdint>

namespace kv {

struct SyntheticProjectShape {
    int dests = 10000;   // destinations 0..dests-1 (at most 10000)
    int extras = 1000;   // extra texts 0..extras-1 (at most 1000)
    int signs = 15;      // signs at addresses 2..signs+1 (at most 15)
    int pages = 3;       // pages per sign in every record
    int16_t version = 5;
};

// Replaces the whole project (tables, lists, signs, options) by the synthetic one.
void BuildSyntheticProject(const SyntheticProjectShape& spec);

}  // namespace kv
