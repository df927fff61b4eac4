#include "support/outfixtures.h"

#include "engine/defaultdest.h"
#include "data/destcodes.h"
#include "data/destlist.h"
#include "data/headmode.h"
#include "data/language.h"
#include "data/records.h"
#include "data/signtable.h"
#include "data/charmap.h"
#include "engine/routenumber.h"
#include "files/outoptions.h"
#include "fontsource.h"
#include "platform/paths.h"
#include "platform/vb.h"
#include "support/signs_state.h"
#include "support/testutil.h"

using namespace kv;
using testsigns::B;
using testsigns::Mark;
using testsigns::Sec;
using testsigns::Sign;
using testsigns::SignLine;

namespace outfixtures {

namespace {

std::string Font(char id, const std::vector<std::pair<int, std::string>>& glyphs) {
    std::string s = std::string("font ") + id + "\nheight 2\n";
    for (const auto& [code, column] : glyphs) s += "glyph " + std::to_string(code) + "\n" + column + "\n" + column + "\n";
    return s;
}

void Use(int n, const std::string& data, int changeTime, const std::string& code = "    ", int16_t flag = 0) {
    DestRecord& r = gDestList[static_cast<size_t>(n)];
    r.Text = "\xFF" "T#";
    r.SignData = data;
    r.ChangeTime = static_cast<int16_t>(changeTime);
    r.Code = code;
    r.Flag = flag;
    if (n > 0) AddListLine(static_cast<int16_t>(n), true);
}

void UseExtra(int n, const std::string& data, int changeTime) {
    DestRecord& r = gExtraList[static_cast<size_t>(n)];
    r.Text = "#E";
    r.SignData = data;
    r.ChangeTime = static_cast<int16_t>(changeTime);
    AddListLine(static_cast<int16_t>(n), false);
}

}  // namespace

std::string TinyLibrary() {
    return fontc::BuildLibrary({
        {"x.txt", Font('x', {{32, "."}, {34, "#"}})},
        {"1.txt", Font('1', {{65, "#"}})},
        {"e.txt", Font('e', {{48, "#"}})},
        {"a.txt", Font('a', {{65, "#"}})},
    });
}

void StageOutData(const std::string& dir) {
    testutil::StageDataFolder(dir);
    testutil::WriteFile(dir + "/Fonts/kstndrd.bib", TinyLibrary());
    testutil::WriteFile(dir + "/Short.kcm", testutil::ReadFile(KIVAR_FIXTURE_DIR "/outfile/Short.kcm"));
}

void LoadOutData(const std::string& dir) {
    gDataPath = dir;
    gSettingsFile = JoinPath(dir, "kivar.lib");
    gLanguageFile = JoinPath(dir, "English.lng");
    gLanguage = "English";
    LoadLanguageTexts();
    gFontPath = JoinPath(dir, "Fonts") + "/";
    ReadSignFontSection();
}

void MakeEveryModelSigns() {
    Sign(SignLine("Front", "K4000", "112x16", "2"));
    Sign(SignLine("Side", "K2000_2R", "16+12", "3"));
    Sign(SignLine("Route", "K1000", "4", "4"));
    Sign(SignLine("Rear", "K4000", "84x8", "5"));
    Sign(SignLine("Line", "K2000_1R", "20", "6"));
}

std::string RandomSignData::Page() {
    std::string p;
    const int runs = 1 + Pick(3);
    if (Pick(4) == 0) p += B({210, 0, 211, headerRow_, 212, 'e', 242});
    for (int r = 0; r < runs; ++r) {
        p += B({210, Pick(60), 211, 7 + 8 * Pick(2), 212, "1exa"[Pick(4)]});
        const int len = Pick(12);
        for (int i = 0; i < len; ++i) p += Pick(3) == 0 ? ' ' : static_cast<char>('A' + Pick(26));
    }
    return p;
}

std::string RandomSignData::Sections(bool allSigns) {
    std::string d;
    for (int a : {2, 3, 4, 5, 6}) {
        if (!allSigns && Pick(2) == 0) continue;
        d += Sec(a);
        if (a == 4) {
            d += std::to_string(Pick(1000));
            continue;
        }
        const int pages = 1 + Pick(3);
        for (int k = 0; k < pages; ++k) d += (k ? Mark(Pick(20)) : std::string()) + Page();
    }
    return d;
}

void MakeProjectA1() {
    Sign(SignLine("Front", "K4000", "40x8", "2"));
    gCommandFile = "Short (Short.kcm)";
    gPromName = "P1";
    gLineNoFieldCount = 3;
    InitDefaultDestination();
    // The second 211 7 and 212 "1" repeat the state and are dropped.
    Use(1, Sec(2) + B({210, 0, 211, 7, 212, '1', 'A', 210, 20, 211, 7, 212, '1', 'B'}), 3);
    // A page mark: 241, and after it the commands are kept.
    Use(2, Sec(2) + B({210, 0, 211, 7, 212, '1', 'C'}) + Mark(4) + B({210, 0, 211, 7, 212, 'e', 'D'}), 4);
    // Font "W" is never put into the font section.
    Use(3, Sec(2) + B({212, 'W', 'Q'}), 3);
}

void MakeProjectA2() {
    Sign(SignLine("Front", "K4000", "112x16", "2"));
    Sign(SignLine("Side", "K2000_2R", "16+12", "3"));
    Sign(SignLine("Route", "K1000", "4", "4"));
    gCommandFile = "Short (Short.kcm)";
    gExtraPerSign = kTrue;
    gSignToShow = " 2: \"Front\", K4000";
    gPromName = "P2";
    gLineNoFieldCount = 3;
    InitDefaultDestination();
    const std::string g = B({210, 0, 211, 15, 212, '1', 'G'});
    // Only a section of a sign that does not exist: no record.
    Use(99, Sec(7) + "zz", 3);
    // Flag: the graphic sign's default and the route-number sign's blank
    // sub-record come before the text sign's own.
    Use(100, Sec(3) + "TX", 5, "    ", kTrue);
    // The graphic sign (the sign to show) moves behind the route-number
    // sign, whose own text gives the digits.
    Use(250, Sec(2) + g + Sec(4) + "12", 6);
    // Group 3 has no record and stays out.
    Use(300, Sec(9) + "q", 3);
    UseExtra(1, Sec(2) + B({212, '1', 'E', ' '}) + Sec(3) + "ET", 2);
    UseExtra(12, Sec(3) + "E" + Mark(3) + "F", 2);
}

void MakeProjectA3() {
    Sign(SignLine("Front", "K4000", "84x16", "2"));
    Sign(SignLine("Route", "K1000", "4", "4"));
    gCommandFile = "Short (Short.kcm)";
    gTxlVersion = 6;
    gDestCodesOn = kTrue;
    gLineNoTableOn = kTrue;
    gLineNoTable[1] = "7";
    gLineNoTable[2] = "42";
    gLineNoTable[3] = "E12";
    gLineNoFieldCount = 3;
    gPromName = "P3";
    gSignToShow = " 2: \"Front\", K4000";
    InitDefaultDestination();
    Use(1, Sec(2) + B({210, 0, 211, 15, 212, '1', 'A'}), 3, "AB1 ");
    // The route-number header becomes the route number "42" right-aligned
    // in three places, in the route-number font of 16 dots ("e").
    Use(2, Sec(2) + B({210, 0, 211, 15, 212, 'e', 242, 210, 20, 211, 15, 212, '1', 'B'}), 3, "AB2 ");
    // 26 bytes or more: the blank run at the end goes with its commands.
    Use(3, Sec(2) + B({210, 0, 211, 15, 212, '1'}) + "ROUTE-E12-TEXT" + B({210, 60, 211, 15, 212, 'x'}) + "    ", 3,
        "X9  ");
    // One list line only: the extra text is found all the same.
    UseExtra(5, B({210, 0, 211, 15, 212, '1', 'X', 211, 15, 212, '1', 'Y'}), 2);
}

void MakeProjectOldNines() {
    Sign(SignLine("Front", "K4000", "40x8", "2"));
    gCommandRowOn = 0;
    gFontSectionOn = 0;
    gSignToShow = " 2: \"Front\", K4000";
    gAsciiName = "4711";
    gLineNoFieldCount = 3;
    gLineNoTableOn = kTrue;
    gLineNoTable[2] = "42";
    // The default destination shows the sign to show: the build adds 999,
    // a free record with the change time a project file leaves it.
    gDestList[999].ChangeTime = 3;
    Use(0, Sec(2) + B({210, 0, 211, 0, 212, 'x', ' '}), 3);
    // A page mark gives 241; the repeated commands stay in this layout.
    Use(1, Sec(2) + B({210, 0, 211, 7, 212, '1', 'A'}) + Mark(4) + B({211, 7, 212, '1', 'B'}), 3);
    // The route-number header becomes 210 0 211 0, the route-number font and " 42".
    Use(2, Sec(2) + B({210, 5, 211, 7, 212, '1', 242, 'X'}), 5);
    Use(4, Sec(2) + "Z", 2);
    // Extra text 0 never goes in; extra text 2 loses its repeated 211 7.
    UseExtra(0, "E0", 2);
    UseExtra(2, B({210, 0, 211, 7, 212, '1', 'E', 211, 7, 'F'}), 2);
}

void MakeProjectOldSigns() {
    Sign(SignLine("Front", "K4000", "112x16", "2"));
    Sign(SignLine("Side", "K2000_2R", "16+12", "3"));
    Sign(SignLine("Route", "K1000", "4", "4"));
    Sign(SignLine("Rear", "K4000", "84x8", "5"));
    gCommandRowOn = 0;
    gFontSectionOn = 0;
    gSignToShow = " 5: \"Rear\", K4000";
    gAsciiName = "90 1x";
    gLineNoFieldCount = 4;
    // No section for the sign to show: no all-nines destination.
    Use(0, Sec(2) + B({210, 0, 211, 0, 212, 'x', ' '}) + Sec(3) + " ", 3);
    // The route-number sign's digits come from its own "12".
    Use(1, Sec(2) + B({210, 0, 211, 15, 212, '1', 'G'}) + Sec(4) + "12" + Sec(5) + B({212, '1', 'R'}), 4);
    // Flag: the defaults of the other signs come before the text sign's own.
    Use(3, Sec(3) + "TX", 5, "    ", kTrue);
    // Flag and only a route-number section: the route-number sign has its
    // blank sub-record already, so the last default ends the record.
    Use(5, Sec(4) + "7", 6, "    ", kTrue);
    // Only a sign that is not configured: no sub-record.
    Use(6, Sec(7) + "q", 3);
    UseExtra(1, B({212, '1'}) + "E1", 2);
    UseExtra(3, "E3", 4);
}

}  // namespace outfixtures
