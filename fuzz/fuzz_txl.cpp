// Feeds arbitrary bytes to the project-file reader. A file that reads
// without damage is written, read and written again: the second and third
// writings must be the same bytes, and everything the program writes must
// read back without damage.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "data/destcodes.h"
#include "files/txlbytes.h"
#include "files/txlread.h"
#include "files/txlwrite.h"
#include "fuzz_support.h"

namespace {
// Everything back to its start and the tables emptied as a project read
// finds them.
void Fresh() {
    kv::ResetAllState();
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
    fuzz::StartInput();
    kv::ClearLists();
    const std::string input(reinterpret_cast<const char*>(data), size);
    if (kv::ReadTxlData(input, "fuzz.txl") != kv::TxlReadResult::Read) return 0;
    const std::string first = Write();
    if (first.empty()) return 0;
    const std::string second = ReadAndWrite(first);
    const std::string third = ReadAndWrite(second);
    if (second != third) std::abort();
    return 0;
}
