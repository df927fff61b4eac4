// The process the safe-writer kill test kills: saves versions FIRST, FIRST+1,
// ... of the kill-test contents over TARGET (with the backup BACKUP) until it
// is stopped, and writes the number of every version it has saved to its
// standard output (four bytes each). Before each step of a save it pauses
// for a moment of a length drawn from SEED, so that a kill at a random
// instant lands between any two steps, not only in the long ones.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
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
        if (!kv::SafeWriteFile(argv[1], killtest::Content(n), &error, argv[2])) {
            std::fprintf(stderr, "%s: %s\n", argv[1], error.c_str());
            return 1;
        }
        if (::write(1, &n, sizeof n) != sizeof n) return 1;
    }
}
