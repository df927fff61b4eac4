#include "data/printfonts.h"

#include "data/ini.h"
#include "data/language.h"
#include "data/printprefs.h"
#include "platform/reset.h"
#include "platform/vb.h"

namespace kv {

PrintTextFields gPrintSignText;
bool gPrintSignTextLoaded = false;

namespace {

// The size list of the dialog, entries 0..8.
constexpr int kSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 24};

struct TextKind {
    int16_t* size;
    int16_t* style;
    const char* sizeKey;
    const char* styleKey;
};

std::optional<TextKind> KindOf(int16_t kind) {
    PrintSettingsRec& p = PrintSettings;
    switch (kind) {
        case 3: return TextKind{&p.SignTextSize, &p.SignTextPreferences, "SignTextSize", "SignTextPreferences"};
        case 4: return TextKind{&p.DestTextSize, &p.DestTextPreferences, "DestTextSize", "DestTextPreferences"};
        case 7: return TextKind{&p.TitelTextSize, &p.TitelTextPreferences, "TitelTextSize", "TitelTextPreferences"};
        case 11: return TextKind{&p.CodeTextSize, &p.CodeTextPreferences, "CodeTextSize", "CodeTextPreferences"};
        default: return std::nullopt;
    }
}

}  // namespace

std::optional<PrintFont> PrintFontOfKind(int16_t kind) {
    switch (kind) {
        case 1:
        case 2: return PrintFont{8, false, false, false};
        case 3:
        case 5: return PrintFont{10, true, false, false};
        case 4:
        case 6:
        case 8: return PrintFont{10, false, false, false};
        case 7: return PrintFont{12, true, false, false};
        case 9: return PrintFont{8, true, false, true};
        case 10: {
            const PrintTextFields& f = gPrintSignText;
            const double size = Val(f.sizeText);
            return PrintFont{size > 0 ? size : 12, f.bold == 1, f.italic == 1, f.underlined == 1};
        }
        default: return std::nullopt;
    }
}

void SetPrintFontKind(int16_t kind) {
    if (const auto font = PrintFontOfKind(kind)) Printer().SetFont(*font);
}

void LoadPrintSignText() {
    PrintTextFields f;
    const std::vector<std::string> t =
        LangTextsInOneRun({"S2400", "S2401", "S2402", "S2403", "S2404", "S2405", "S2406"});
    f.caption = t[0];
    f.frameText = t[1];
    f.underlinedText = t[2];
    f.boldText = t[3];
    f.italicText = t[4];
    f.sizeLabel = t[5];
    f.centerText = t[6];
    f.doneText = gTextS122;
    gPrintSignText = f;
    gPrintSignTextLoaded = true;
}

void UnloadPrintSignText() {
    gPrintSignText = PrintTextFields{};
    gPrintSignTextLoaded = false;
}

void ShowPrintSignText() {
    if (!gPrintSignTextLoaded) LoadPrintSignText();
    PrintDialogPort().ShowSignText(gPrintSignText, PrintSettings.PrinterOutput);
}

std::string PrintSignTextTrimmed() { return Trim(gPrintSignText.text); }

void SetPrintFont(int16_t kind) {
    const std::optional<TextKind> k = KindOf(kind);
    int16_t size = k ? *k->size : 12;
    const int16_t style = k ? *k->style : 0;
    if (size == 0) size = 12;

    if (!gPrintSignTextLoaded) LoadPrintSignText();
    PrintTextFields& f = gPrintSignText;
    f.bold = (style & 1) ? 1 : 0;
    f.italic = (style & 2) ? 1 : 0;
    f.underlined = (style & 4) ? 1 : 0;
    f.centred = (style & 8) ? 1 : 0;
    for (int s : kSizes)
        if (s == size) f.sizeText = std::to_string(s);

    ShowPrintSignText();

    const int16_t newSize = CIntClamp(Val(f.sizeText));
    const int16_t newStyle = static_cast<int16_t>(f.bold + 2 * f.italic + 4 * f.underlined + 8 * f.centred);
    if (newSize == size && newStyle == style) return;
    if (!k) return;
    *k->size = newSize;
    *k->style = newStyle;
    IniSetValue(gSettingsFile, "Printer", k->sizeKey, IniValue(static_cast<int>(newSize)));
    IniSetValue(gSettingsFile, "Printer", k->styleKey, IniValue(static_cast<int>(newStyle)));
}

namespace {
const ResetRegistrar kReset("sign-text print options", StateLayer::Data, UnloadPrintSignText);
}  // namespace

}  // namespace kv
