// kivar-probe hex IN.out OUT.hex: the Intel HEX form of a file.
#include "files/intelhex.h"
#include "probe.h"

PROBE_COMMAND("hex", "hex IN.out OUT.hex") {
    if (args.size() != 2) return probe::Usage("hex IN.out OUT.hex");
    return kv::ConvertFileToHex(args[0], args[1], false) ? 0 : 1;
}
