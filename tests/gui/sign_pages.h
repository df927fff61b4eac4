// The pages of one sign in a stored record: the fields of its section in
// Text (each without the blank after its "#") and the number of pages of its
// section in SignData and in the inverted-text store.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "data/records.h"
#include "data/signdata.h"
#include "support/txldump.h"

namespace testpages {

using Fields = std::vector<std::string>;

struct SignPages {
    Fields fields;
    int data = 0, alt = 0;
};

inline int CountPages(const std::string& field, int16_t address) {
    const std::string section = kv::GetSignSection(field, address);
    return section.empty() ? 0 : 1 + static_cast<int>(std::count(section.begin(), section.end(), '\xb0'));
}

inline Fields TextFields(const std::string& text, int16_t address) {
    Fields out;
    const std::string section = kv::GetSignText(text, address);
    for (size_t at = section.find('#'); at != std::string::npos;) {
        const size_t next = section.find('#', at + 1);
        std::string f = section.substr(at + 1, next == std::string::npos ? std::string::npos : next - at - 1);
        if (!f.empty() && f[0] == ' ') f.erase(0, 1);
        out.push_back(f);
        at = next;
    }
    return out;
}

inline SignPages PagesOf(const testtxl::Stored& s, int16_t address) {
    SignPages p;
    p.fields = TextFields(s.text, address);
    p.data = CountPages(s.data, address);
    p.alt = CountPages(s.alt, address);
    return p;
}

inline testtxl::Stored StoredOf(const kv::DestRecord& r) {
    testtxl::Stored s;
    s.text = r.Text;
    s.data = r.SignData;
    s.alt = r.AltText;
    return s;
}

}  // namespace testpages
