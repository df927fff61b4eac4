// Project-file tests: the whole project state back to its start, a builder
// for hand-made project files field by field, and a main window that records
// what the reader and writer tell it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/headmode.h"
#include "data/language.h"
#include "data/userfields.h"
#include "engine/routenumber.h"
#include "files/document.h"
#include "files/outoptions.h"
#include "files/recentfiles.h"
#include "files/txlread.h"
#include "platform/ports.h"
#include "platform/reset.h"
#include "platform/safefile.h"
#include "engine/routenolayout.h"
#include "support/signs_state.h"

namespace txltest {

// Everything back to its start and the tables emptied as a project read
// finds them, with the English texts of the reader's messages.
inline void ResetProject() {
    kv::ResetAllState();
    kv::ClearLists();
    kv::gTextS35 = "Error while reading the project file ";
    kv::gTextS36 = "Please enter a file name!";
    kv::gTextS38 = "Untitled";
}

// A project file written by hand: I an Integer, S a counted string, R raw text.
class Bytes {
public:
    Bytes& I(int v) {
        const auto u = static_cast<uint16_t>(static_cast<int16_t>(v));
        s_ += static_cast<char>(u & 0xFF);
        s_ += static_cast<char>(u >> 8);
        return *this;
    }
    Bytes& S(const std::string& t) {
        I(static_cast<int>(t.size()));
        s_ += t;
        return *this;
    }
    Bytes& R(const std::string& t) {
        s_ += t;
        return *this;
    }
    const std::string& str() const { return s_; }
    size_t size() const { return s_.size(); }

private:
    std::string s_;
};

class FakeHead : public kv::DocumentWindow, public kv::EditorCanvas {
public:
    FakeHead() { kv::InstallPorts(this); }
    ~FakeHead() override { kv::RemovePorts(this); }
    void SetMainCaption(const std::string& c) override { captions.push_back(c); }
    int32_t EditorPictureScaleWidth(int32_t fallback) override { return pictureWidth < 0 ? fallback : pictureWidth; }
    void ShowRecentFileEntry(int n, const std::string& caption, bool visible) override {
        menu[static_cast<size_t>(n - 1)] = visible ? caption : std::string();
    }
    void ShowRecentFilesSeparator(bool visible) override { separator = visible; }
    void ShowRouteNumberControls(bool on) override { routeControls.push_back(on); }

    std::vector<std::string> captions;
    int32_t pictureWidth = -1;
    std::string menu[4];
    bool separator = true;
    std::vector<bool> routeControls;
};

}  // namespace txltest
