// Small builders for sign lines and record strings (start each case from
// kv::ResetAllState).
#pragma once

#include <initializer_list>
#include <string>

#include "data/destcodes.h"
#include "data/destlist.h"
#include "data/inverted.h"
#include "data/records.h"
#include "data/signtable.h"
#include "platform/reset.h"

namespace testsigns {

// A 33-character sign line: name at 1, model at 13, dimension at 22, address at 32.
inline std::string SignLine(const std::string& name, const std::string& model, const std::string& dim,
                            const std::string& address) {
    std::string l(33, ' ');
    l.replace(0, name.size(), name);
    l.replace(12, model.size(), model);
    l.replace(21, dim.size(), dim);
    l.replace(31, address.size(), address);
    return l;
}

// Defines a sign from its line and marks it configured, as the sign
// configuration does.
inline void Sign(const std::string& line) {
    kv::ParseSignDefinition(line);
    kv::SetSignConfig(line);
}

// A string of the bytes with these values.
inline std::string B(std::initializer_list<int> bytes) {
    std::string s;
    for (int v : bytes) s += static_cast<char>(v);
    return s;
}

// Chr(255) + Chr(address): the head of a SignData section.
inline std::string Sec(int address) { return std::string{'\xFF', static_cast<char>(address)}; }
// Chr(176) + Chr(time): a page mark.
inline std::string Mark(int time) { return std::string{'\xB0', static_cast<char>(time)}; }
// Chr(255) + name: the head of a Text section.
inline std::string Tag(const std::string& name) { return "\xFF" + name; }

}  // namespace testsigns
