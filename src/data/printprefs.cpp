#include "data/printprefs.h"

#include <chrono>
#include <cstdio>

#include "data/ini.h"
#include "data/language.h"
#include "data/signtable.h"
#include "platform/reset.h"
#include "platform/vb.h"

namespace kv {

PrintSettingsRec PrintSettings;
std::vector<PrintSignEntryRec> PrintSignEntry(1);
int32_t gPrintGraphicalFC = 0;
int32_t gPrintGraphicalBC = 0;

namespace {

std::function<std::tm()> gClock;

int16_t IntOf(const std::string& v) { return CIntClamp(Val(v)); }

int32_t ColourOf(const std::string& v) {
    const double d = Val(v);
    if (d < INT32_MIN || d > INT32_MAX) return 0;
    return static_cast<int32_t>(d);
}

std::string PrinterKey(const std::string& key, int16_t mode) { return IniGetValue(gSettingsFile, "Printer", key, mode); }

}  // namespace

void ReadPrintPreferences() {
    PrintSettingsRec& p = PrintSettings;
    const int16_t prefs = IntOf(PrinterKey("PrintPreferences", kIniOpenKeep));
    p.Header = IntOf(PrinterKey("Header", kIniContinue));
    p.LineNoOption = IntOf(PrinterKey("LineNoOption", kIniContinue));
    p.PageNumber = IntOf(PrinterKey("PageNumber", kIniContinue)) == 1;
    p.PaperWidth = IntOf(PrinterKey("PaperWidth", kIniContinue));
    p.PaperStartPos = IntOf(PrinterKey("PaperStartPos", kIniContinue));
    p.PaperEndPos = IntOf(PrinterKey("PaperEndPos", kIniContinue));
    p.Orientation = IntOf(PrinterKey("Orientation", kIniContinueClose));
    p.PrintGraphical = IntOf(PrinterKey("PrintGraphical", kIniOnce)) == 1;

    p.PrintEmptyLines = (prefs & 1) != 0;
    p.PrintCompact = (prefs & 2) != 0;
    p.PrintUserInfo = (prefs & 4) != 0;
    p.PrintCodeName = (prefs & 8) != 0;
    p.TrimLeftSpaces = (prefs & 16) != 0;
    p.TrimRightSpaces = (prefs & 32) != 0;
    p.PromptSignText = (prefs & 64) != 0;

    SetPrintColours();

    if (!p.PrinterOutput) {
        if (p.PaperWidth == 0) p.PaperWidth = 77;
        if (p.PaperStartPos == 0) p.PaperStartPos = 7;
        if (p.PaperEndPos == 0) p.PaperEndPos = 75;
    }

    int used = 0;
    for (const SignEntry& e : gSignEntry) used += e.Used ? 1 : 0;
    PrintSignEntry.assign(static_cast<size_t>(used) + 1, PrintSignEntryRec{});
    p.PrintSignCount = 0;
}

void ReadPrintTextKinds() {
    PrintSettingsRec& p = PrintSettings;
    p.SignTextSize = IntOf(PrinterKey("SignTextSize", kIniOpenKeep));
    p.SignTextPreferences = IntOf(PrinterKey("SignTextPreferences", kIniContinue));
    p.DestTextSize = IntOf(PrinterKey("DestTextSize", kIniContinue));
    p.DestTextPreferences = IntOf(PrinterKey("DestTextPreferences", kIniContinue));
    p.TitelTextSize = IntOf(PrinterKey("TitelTextSize", kIniContinue));
    p.TitelTextPreferences = IntOf(PrinterKey("TitelTextPreferences", kIniContinue));
    p.CodeTextSize = IntOf(PrinterKey("CodeTextSize", kIniContinue));
    p.CodeTextPreferences = IntOf(PrinterKey("CodeTextPreferences", kIniContinueClose));
}

void SetPrintColours() {
    gPrintGraphicalFC = ColourOf(PrinterKey("PrintGraphicalFC", kIniOnce));
    gPrintGraphicalBC = ColourOf(PrinterKey("PrintGraphicalBC", kIniOnce));
    if (PrintSettings.PrintGraphical && gPrintGraphicalFC == 0 && gPrintGraphicalBC == 0) {
        gPrintGraphicalBC = 0xFFFFFF;
        gPrintGraphicalFC = 0;
    }
}

void ClearPrintSignEntries() {
    PrintSignEntry.assign(1, PrintSignEntryRec{});
    PrintSettings.PrintSignCount = 0;
}

std::string PrintHeaderLine(int16_t header) {
    if ((header & 1) == 0) return "";
    std::string line = "Orvalde";
    if (header & 2) line += ", Kivar32\xAE";
    if (header & 4) line += ", " + PrintDateText();
    if (header & 8) line += ", " + PrintTimeText();
    return line;
}

void SetPrintClock(std::function<std::tm()> clock) { gClock = std::move(clock); }

std::tm PrintNow() {
    if (gClock) return gClock();
    const std::time_t t = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&t, &local);
    return local;
}

std::string PrintDateText() {
    const std::tm t = PrintNow();
    char buf[48];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday);
    return buf;
}

std::string PrintTimeText() {
    const std::tm t = PrintNow();
    char buf[48];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", t.tm_hour, t.tm_min, t.tm_sec);
    return buf;
}

std::vector<std::string> LangTextsInOneRun(const std::vector<std::string>& keys) {
    std::vector<std::string> out;
    for (size_t i = 0; i < keys.size(); ++i) {
        const int16_t mode = keys.size() == 1 ? kIniOnce
                             : i == 0          ? kIniOpenKeep
                             : i + 1 == keys.size() ? kIniContinueClose
                                                    : kIniContinue;
        out.push_back(IniGetValue(gLanguageFile, gLanguage, keys[i], mode));
    }
    return out;
}

void ResetPrintState() {
    PrintSettings = PrintSettingsRec{};
    ClearPrintSignEntries();
    gPrintGraphicalFC = gPrintGraphicalBC = 0;
    gClock = nullptr;
}

namespace {
const ResetRegistrar kReset("print settings", StateLayer::Data, ResetPrintState);
}  // namespace

}  // namespace kv
