#include "platform/reset.h"

#include <algorithm>

namespace kv {

namespace {
struct Entry {
    const char* name;
    StateLayer layer;
    ResetFunction reset;
    ResetScope scope;
};

// Filled while the program's static objects are made, before main.
std::vector<Entry>& Registry() {
    static std::vector<Entry> entries;
    return entries;
}
// The run order of each scope, made on first use after a registration.
std::vector<Entry>& RunOrder(ResetScope scope) {
    static std::vector<Entry> orders[2];
    return orders[scope == ResetScope::Project ? 1 : 0];
}

const char* LayerName(StateLayer l) {
    switch (l) {
        case StateLayer::Platform: return "platform";
        case StateLayer::Data: return "data";
        case StateLayer::Engine: return "engine";
        case StateLayer::Files: return "files";
        case StateLayer::App: return "app";
        case StateLayer::Ui: return "ui";
    }
    return "?";
}

// Upper layers first; within a layer by name, so the order does not hang on
// the order in which the linker placed the modules.
const std::vector<Entry>& InRunOrder(ResetScope scope) {
    std::vector<Entry>& out = RunOrder(scope);
    if (!out.empty()) return out;
    for (const Entry& e : Registry())
        if (e.scope == scope) out.push_back(e);
    std::stable_sort(out.begin(), out.end(), [](const Entry& a, const Entry& b) {
        if (a.layer != b.layer) return a.layer > b.layer;
        return std::string(a.name) < std::string(b.name);
    });
    return out;
}
}  // namespace

ResetRegistrar::ResetRegistrar(const char* name, StateLayer layer, ResetFunction reset, ResetScope scope) {
    Registry().push_back({name, layer, reset, scope});
    RunOrder(scope).clear();
}

void ResetAllState(ResetScope scope) {
    for (const Entry& e : InRunOrder(scope)) e.reset();
}

std::vector<std::string> RegisteredResets(ResetScope scope) {
    std::vector<std::string> out;
    for (const Entry& e : InRunOrder(scope)) out.push_back(std::string(LayerName(e.layer)) + "/" + e.name);
    return out;
}

}  // namespace kv
