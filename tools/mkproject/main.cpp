// Writes the template project standard.ini: one K4000 sign "FRONT" of 112 x 16
// dots at address 2, the out-file options a new document starts with, the
// route number three characters at the left edge, no records.
//   kivar-mkproject OUT
#include <cstdio>
#include <string>

#include "data/destcodes.h"
#include "data/headmode.h"
#include "data/records.h"
#include "data/signtable.h"
#include "data/userfields.h"
#include "engine/routenumber.h"
#include "files/document.h"
#include "files/outoptions.h"
#include "files/txlformat.h"
#include "files/txlread.h"
#include "files/txlwrite.h"
#include "platform/vb.h"
#include "engine/routenolayout.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: kivar-mkproject OUT\n");
        return 2;
    }
    using namespace kv;
    ClearSignConfigFlags();
    ClearSignTable();
    // Name at column 1, model at 13, dimension at 22, address at 32.
    std::string line(kSignLineLength, ' ');
    line.replace(0, 5, "FRONT");
    line.replace(12, 5, "K4000");
    line.replace(21, 6, "112x16");
    line.replace(31, 1, "2");
    if (!ParseSignDefinition(line) || !SetSignConfig(line)) return 1;

    ClearRecordsAndLines();
    ResetUserFields();
    ResetOutOptions();
    gSignToShow = " 2: \"FRONT\", K4000";
    gFontSectionOn = kTrue;
    gExtraPerSign = kFalse;
    gLineNumberOn = kFalse;
    gRouteNoLeft = kTrue;
    gLineNoFieldCount = 3;
    gRouteNoPos = 0;
    gLineNoFields = "4567";
    gLineNoTableOn = kFalse;
    gDestCodesOn = kFalse;
    gTxlVersion = kTxlStandardVersion;
    gBackupOn = kFalse;
    return SaveTxlFile(argv[1]) ? 0 : 1;
}
