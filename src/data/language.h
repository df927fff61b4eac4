// Language texts shared by several windows and modules, the string helpers
// used to fill their placeholders, and window placement values.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace kv {

// The shared texts, in the order they stand in the language file. S150 and
// S155 may stand anywhere in the section (each has its own read).
#define KV_SHARED_TEXT_KEYS(X)                                                                       \
    X(1) X(2) X(6) X(13) X(15) X(17) X(18) X(19) X(20) X(21) X(22) X(23) X(24) X(25) X(26) X(27)     \
    X(28) X(29) X(30) X(31) X(32) X(33) X(34) X(35) X(36) X(37) X(38) X(39) X(40) X(41) X(42) X(43) \
    X(44) X(45) X(46) X(47) X(48) X(49) X(50) X(55) X(57) X(59) X(60) X(64) X(70) X(76) X(83) X(89) \
    X(90) X(92) X(93) X(94) X(95) X(96) X(97) X(98) X(99) X(100) X(101) X(102) X(103) X(104) X(105) \
    X(106) X(107) X(108) X(109) X(110) X(112) X(113) X(114) X(115) X(116) X(117) X(118) X(119)      \
    X(120) X(121) X(122) X(133) X(134) X(135) X(150) X(155)

#define KV_DECLARE_TEXT(n) extern std::string gTextS##n;
KV_SHARED_TEXT_KEYS(KV_DECLARE_TEXT)
#undef KV_DECLARE_TEXT

// Start settings (see startup.h for the procedure that fills them).
extern std::string gDataPath;
extern std::string gSettingsFile;
extern std::string gLanguage;
extern std::string gLanguageFile;

// Reads the shared texts from section gLanguage of gLanguageFile, applies the
// built-in English texts and runs the language hooks.
void LoadLanguageTexts();
// Runs after the texts are loaded and the font list's graphic entry renamed:
// the main window sets its caption.
void AddLanguageTextsHook(std::function<void()> hook);
// "Kivar32® <" & S38 & ">"
std::string MainWindowCaption();
// Clears the texts (to "") and the hooks.
void ResetLanguageTexts();

// A window's own text: the key of the current language section, "0" when absent.
std::string LangText(const std::string& key);
// As above, with the built-in English text when the file lacks the key.
std::string LangText(const std::string& key, const std::string& builtIn);

std::string RemoveString(const std::string& text, const std::string& part);
// Every occurrence replaced; the search goes on after the inserted text, so
// the replacement may contain the searched text. Empty searched text or
// replacement gives "".
std::string ReplaceString(const std::string& text, const std::string& searched, const std::string& replacement);
// Every occurrence replaced; an empty searched text returns the text unchanged.
std::string ReplaceStringNext(const std::string& text, const std::string& searched, const std::string& replacement);
// Makes the path the current directory.
bool ChangeDirectory(const std::string& path);

// Window placement in [Windows]: "left top width height" in twips.
struct Placement {
    enum Kind { Keep, Maximize, Set } kind = Keep;
    int16_t left = 0, top = 0, width = 0, height = 0;
};
// Interprets a stored value.
Placement ParsePlacement(const std::string& value);
// Reads the form's key in [Windows] of gSettingsFile.
Placement ReadFormPlacement(const std::string& formName);
// Stores the placement when it differs from the stored one. `maximized`
// writes "left top -1 -1".
void WriteFormPlacement(const std::string& formName, float left, float top, float width, float height,
                        bool maximized);

constexpr int kTwipsPerPixel = 15;

}  // namespace kv
