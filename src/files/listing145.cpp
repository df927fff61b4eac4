#include "files/listing145.h"

#include "data/language.h"
#include "data/outsettings.h"
#include "data/records.h"
#include "data/signtable.h"
#include "data/userfields.h"
#include "platform/reset.h"
#include "platform/vbfile.h"

namespace kv {

std::array<int16_t, 31> ListingColumns{};

void ListActiveSigns() {
    size_t n = 1;
    for (int16_t a = kFirstSignAddress; a <= kLastSignAddress; ++a)
        if (SignInfoOf(a).Width != 0) ListingColumns[n++] = a;
    ListingColumns[n] = 0;
}

std::string ListingRow(int number, int width, const std::string& text) {
    std::string digits = std::to_string(number);
    if (static_cast<int>(digits.size()) < width) digits.insert(0, static_cast<size_t>(width) - digits.size(), ' ');
    return std::string(10, ' ') + digits + "  " + RemoveSeparators(text);
}

namespace {

void PrintHeaderToFile(int16_t fn) {
    for (int i = 0; i < 3; ++i) FilePrint(fn, "");
    for (const std::string* line : {&gTextS42, &gUserCompany, &gUserDate, &gUserResponsible, &gUserOthers})
        FilePrint(fn, *line);
    FilePrint(fn, gTextS43 + gPromName);
    for (int i = 0; i < 3; ++i) FilePrint(fn, "");
}

void PrintDestListToFile(int16_t fn) {
    FilePrint(fn, std::string(10, ' ') + gTextS40);
    FilePrint(fn, "");
    for (int n = 0; n < kDestCount; ++n) {
        const std::string& text = gDestList[static_cast<size_t>(n)].Text;
        if (text.empty()) continue;
        for (size_t slot = 1; ListingColumns[slot] != 0; ++slot) {
            const std::string t = GetSignText(text, ListingColumns[slot]);
            if (t.empty()) continue;
            FilePrint(fn, ListingRow(n, 4, t));
            FilePrint(fn, "");
        }
    }
}

void PrintExtraListToFile(int16_t fn) {
    FilePrint(fn, std::string(10, ' ') + gTextS41);
    FilePrint(fn, "");
    for (int n = 0; n < kExtraCount; ++n) {
        const std::string& text = gExtraList[static_cast<size_t>(n)].Text;
        if (text.empty()) continue;
        FilePrint(fn, ListingRow(n, 3, text));
        FilePrint(fn, "");
    }
}

}  // namespace

void WriteListingToFile(int16_t fileNumber) {
    ListActiveSigns();
    PrintHeaderToFile(fileNumber);
    PrintDestListToFile(fileNumber);
    PrintExtraListToFile(fileNumber);
}

namespace {
const ResetRegistrar kReset("listing columns", StateLayer::Files, [] { ListingColumns.fill(0); });
}  // namespace

}  // namespace kv
