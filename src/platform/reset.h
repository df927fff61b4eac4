// One way to put the whole program state back to its start. Every module
// that keeps global state registers the function that resets it, from its
// own source file, with a static ResetRegistrar; nobody lists the modules.
// The tests start every case from it, the fuzzers every input, and the
// document commands drop the open project through its project scope.
#pragma once

#include <string>
#include <vector>

namespace kv {

// The layer a reset belongs to: ResetAllState runs the upper layers first,
// so a reset that calls into a lower layer is followed by that layer's own.
enum class StateLayer { Platform, Data, Engine, Files, App, Ui };

// AllState: everything back to how the program starts. Project: only what
// File/New and File/Open drop of the open project (its records, the list
// lines and the dots of the sign pictures); a module registers a project
// reset only for state that belongs to the project file.
enum class ResetScope { AllState, Project };

using ResetFunction = void (*)();

class ResetRegistrar {
public:
    ResetRegistrar(const char* name, StateLayer layer, ResetFunction reset,
                   ResetScope scope = ResetScope::AllState);
};

void ResetAllState(ResetScope scope = ResetScope::AllState);

// The registered resets of a scope in the order ResetAllState runs them, as
// "layer/name".
std::vector<std::string> RegisteredResets(ResetScope scope = ResetScope::AllState);

}  // namespace kv
