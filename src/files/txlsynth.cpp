#include "files/txlsynth.h"

#include <algorithm>
#include <cstdio>

#include "data/destcodes.h"
#include "data/destlist.h"
#include "data/headmode.h"
#include "data/records.h"
#include "data/signtable.h"
#include "data/userfields.h"
#include "engine/routenumber.h"
#include "files/outoptions.h"
#include "files/txlread.h"
#include "platform/vb.h"
#include "engine/routenolayout.h"

namespace kv {

namespace {

std::string SignLine(const std::string& name, const std::string& model, const std::string& dim, int address) {
    std::string l(kSignLineLength, ' ');
    l.replace(0, name.size(), name);
    l.replace(12, model.size(), model);
    l.replace(21, dim.size(), dim);
    const std::string a = std::to_string(address);
    l.replace(31, a.size(), a);
    return l;
}

// One page of sign bytes: position, font, the text.
std::string PageBytes(const std::string& text, int row) {
    std::string s;
    s += static_cast<char>(210);
    s += static_cast<char>(0);
    s += static_cast<char>(211);
    s += static_cast<char>(row);
    s += static_cast<char>(212);
    s += '7';  // a font of the shipped library
    s += text;
    return s;
}

void MakeRecord(DestRecord& d, int number, int signs, int pages, bool altText) {
    d.Text.clear();
    d.SignData.clear();
    for (int k = 0; k < signs; ++k) {
        const int address = kFirstSignAddress + k;
        const std::string& name = gSignInfo[static_cast<size_t>(k)].Name;
        d.Text += kSectionMark + name;
        d.SignData += kSectionMark;
        d.SignData += static_cast<char>(address);
        for (int p = 1; p <= pages; ++p) {
            const std::string text = "Route " + std::to_string(number) + " stop " + std::to_string(p);
            d.Text += "# " + text + "\\";
            if (p > 1) {
                d.SignData += kPageMark;
                d.SignData += static_cast<char>(3);
            }
            d.SignData += PageBytes(text, p);
        }
    }
    d.ChangeTime = 3;
    d.Flag = VbBool(number % 7 == 0);
    d.AltText = altText ? std::string(1, kSectionMark) + static_cast<char>(kFirstSignAddress) + "inv" : std::string();
    d.Code = PadCode(std::to_string(number));
    d.Srad = "0000000000";
}

}  // namespace

void BuildSyntheticProject(const SyntheticProjectShape& spec) {
    const int dests = std::clamp(spec.dests, 0, kDestCount);
    const int extras = std::clamp(spec.extras, 0, kExtraCount);
    const int signs = std::clamp(spec.signs, 0, kSignCount);
    const int pages = std::max(spec.pages, 1);

    ClearSignConfigFlags();
    ClearSignTable();
    gCurrentSign = 0;
    for (int k = 0; k < signs; ++k) {
        char name[16];
        std::snprintf(name, sizeof name, "SIGN%02d", k + 1);
        const std::string line = SignLine(name, "K4000", "112x16", kFirstSignAddress + k);
        ParseSignDefinition(line);
        SetSignConfig(line);
    }

    ClearRecordsAndLines();
    ResetUserFields();
    gUserCompany = "Synthetic";
    InitOutFileDefaults();
    gSignToShow = signs > 0 ? " 2: \"SIGN01\", K4000" : "";
    gPromName = "SYNTH";
    gTxlVersion = spec.version;
    gDestCodesOn = VbBool(spec.version == 6);
    gExtraPerSign = kTrue;
    gRouteNoLeft = kTrue;
    gLineNoFieldCount = 3;
    gRouteNoPos = 0;
    gLineNoFields = "4567";
    gLineNoTable.fill(std::string());
    gLineNoTableOn = kFalse;

    for (int i = 0; i < dests; ++i) {
        MakeRecord(gDestList[static_cast<size_t>(i)], i, signs, pages, i % 10 == 0);
        if (i != 0) AddListLine(static_cast<int16_t>(i), true);
    }
    for (int i = 0; i < extras; ++i) {
        DestRecord& e = gExtraList[static_cast<size_t>(i)];
        MakeRecord(e, i, signs, pages, false);
        FormatListLine(e.Text, static_cast<int16_t>(i), ExtraList);
    }
}

}  // namespace kv
