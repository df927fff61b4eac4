// The texts of the About window: the maker's address block, the local
// representative's block (only when the language file fills it in), the
// disclaimer with the product's mark, and the key sequences that answer
// with a greeting.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kv {

// The maker: this project's own name and web page.
extern const char* const kMakerLine;
extern const char* const kMakerWebAddress;
// What the program calls itself in captions.
extern const char* const kApplicationTitle;

struct AboutTexts {
    std::string description;  // the maker's lines, separated by CR LF
    bool representative = false;
    std::string repAddress;   // the representative's lines, CR LF
    std::string disclaimer;
};

// From the texts of S1100..S1113 in that order. The maker's block: the
// maker's line, S1100, S1103 (left out when it begins with "REPLACE"), S1101,
// S1102 and the web address. The representative's block (S1112, S1113,
// S1107..S1111) only when S1107 does not begin with "REPLACE". The
// disclaimer: S1104..S1106 joined, the product word marked.
AboutTexts ComposeAboutTexts(const std::vector<std::string>& s1100to1113);
// Reads the fourteen keys in one pass over the language section.
AboutTexts ReadAboutTexts();
// "®" after every "KIVAR", in any letter case.
std::string MarkProductWord(const std::string& text);

// The keys typed while Shift, Ctrl and Alt are all held (shift state 7):
// a phrase among them answers with a greeting.
class AboutKeySequence {
public:
    // A key down with the window system's key code and shift state (1 Shift,
    // 2 Ctrl, 4 Alt). Returns the greeting to show, or "".
    std::string KeyDown(int keyCode, int shift);
    const std::string& Typed() const { return typed_; }

private:
    std::string typed_;
};

}  // namespace kv
