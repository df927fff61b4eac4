// Feeds arbitrary bytes to the project-file reader. A file that reads
// without damage is written, read and written again: the second and third
// writings must be the same bytes, and everything the program writes must
// read back without damage.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "data/destcodes.h"
#include "data/destlist.h"
#include "data/headmode.h"
#include "data/records.h"
#include "data/signtable.h"
#include "data/userfields.h"
#include "engine/routenumber.h"
#include "files/document.h"
#include "files/outoptions.h"
#include "files/txlbytes.h"
#include "files/txlread.h"
#include "files/txlwrite.h"
#include "engine/routenolayout.h"
#include "fuzz_support.h"

namespace {
void Fresh() {
    kv::ResetSignTable();
    kv::gCurrentSign = 0;
    kv::gExtraPerSign = 0;
    kv::ResetDestLists();
    kv::ResetDestCodes();
    kv::ResetOutOptions();
    kv::ResetUserFields();
    kv::ResetHeadMode();
    kv::ResetRouteNumberArea();
    kv::ResetRouteNoLayout();
    kv::ResetDocumentState();
    kv::ClearLists();
}

// Writes the project as read; "" when it does not fit the layout.
std::string Write() {
    try {
        return kv::BuildTxlFile(kv::gTxlVersion);
    } catch (const kv::TxlWriteError&) {
        return {};
    }
}

std::string ReadAndWrite(const std::string& bytes) {
    Fresh();
    if (kv::ReadTxlData(bytes, "fuzz.txl") != kv::TxlReadResult::Read) std::abort();
    return Write();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::UseQuietHost();
    Fresh();
    const std::string input(reinterpret_cast<const char*>(data), size);
    if (kv::ReadTxlData(input, "fuzz.txl") != kv::TxlReadResult::Read) return 0;
    const std::string first = Write();
    if (first.empty()) return 0;
    const std::string second = ReadAndWrite(first);
    const std::string third = ReadAndWrite(second);
    if (second != third) std::abort();
    return 0;
}
