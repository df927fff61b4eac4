// The process the safe-writer kill test kills: saves versions FIRST, FIRST+1,
// ... of the kill-test contents over TARGET (with the backup BACKUP) until it
// is stopped, and writes the number of every version it has saved to its
// standard output (four bytes each). Every other version is streamed in
// pieces of random sizes, as the project writer streams. Before each step of
// a save (each piece too) it pauses for a moment of a length drawn from SEED,
// so that a kill at a random instant lands between any two steps, not only
// in the long ones.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <string_view>
#include <unistd.h>

#include "platform/safefile.h"
#include "support/killcontent.h"

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: kivar_safefile_child TARGET BACKUP FIRST SEED\n");
        return 2;
    }
    std::mt19937 random(static_cast<unsigned>(std::strtoul(argv[4], nullptr, 10)));
    kv::SetSafeWriteFault([&random](kv::SafeWriteStage, const std::string&) {
        ::usleep(random() % 2000);
        return false;
    });
    for (uint32_t n = static_cast<uint32_t>(std::strtoul(argv[3], nullptr, 10));; ++n) {
        std::string error;
        const std::string content = killtest::Content(n);
        const auto inPieces = [&](kv::SafeFileOut& out) {
            for (size_t at = 0; at < content.size();) {
                const size_t piece = std::min<size_t>(content.size() - at, 1 + random() % 65536);
                out.Write(std::string_view(content).substr(at, piece));
                at += piece;
            }
        };
        const bool saved = n % 2 ? kv::SafeWriteFile(argv[1], inPieces, &error, argv[2])
                                 : kv::SafeWriteFile(argv[1], content, &error, argv[2]);
        if (!saved) {
            std::fprintf(stderr, "%s: %s\n", argv[1], error.c_str());
            return 1;
        }
        if (::write(1, &n, sizeof n) != sizeof n) return 1;
    }
}
