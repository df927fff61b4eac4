// The main window's texts in the current language: the captions that its
// activation sets, the texts it keeps for later messages, the toolbar's
// buttons and their tooltips.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace kv {

struct ControlText {
    std::string control;  // objectName of the control or menu item (UTF-8)
    std::string text;     // Windows-1252
};

struct HeadTexts {
    // Captions in the order they are set: first those from the shared texts,
    // then those read from the language file, with the built-in English
    // fallbacks applied.
    std::vector<ControlText> captions;
    // Texts kept for the main window's own messages and dialogs.
    std::string importTitle;        // S143 (title of the destination-list import)
    std::string exportTitle;        // S144
    std::string copyExtraCancelled; // S145
    std::string newDestNumber;      // S146
    std::string newExtraNumber;     // S147
    std::string conversionReady;    // S149
    // The toolbar keys tbTextMode .. tbRotCCW in that order, and S2207.
    std::array<std::string, 16> toolbarKeys;
    std::string insertModeTip;

    // The caption of a control; "" when the control has none here.
    std::string Caption(const std::string& control) const;
};

// Reads every text of the main window's activation from section gLanguage of
// gLanguageFile. The keys of each continuing run are asked for in ascending
// order, as they stand in the language file.
HeadTexts ReadHeadTexts();

// The toolbar of the main window: 38 buttons, separators included.
struct ToolbarButton {
    int index;              // 1-based
    const char* key;        // "" for a separator
    enum Style { Default, Check, Group, Separator } style;
    bool enabledAtStart;
    bool pressedAtStart;
    const char* designTip;  // "" for none
};
const std::array<ToolbarButton, 38>& ToolbarButtons();

// The toolbar tooltips that activation sets: button index and text.
std::vector<std::pair<int, std::string>> ToolbarTooltips(const HeadTexts& texts);

}  // namespace kv
