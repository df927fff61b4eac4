#include "app/cutprefs.h"

#include "data/ini.h"
#include "data/settings.h"
#include "data/language.h"
#include "platform/vb.h"

namespace kv {

int16_t LoadCutMode() {
    gCutMode = CIntClamp(Val(IniGetValue(gSettingsFile, "Generell", "CutPreferences", kIniOpenClose)));
    return gCutMode;
}

void StoreCutMode(bool cutAll, bool keepOld) {
    const int16_t mode = static_cast<int16_t>((cutAll ? kCutAll : 0) + (keepOld ? kKeepOld : 0));
    if (mode == gCutMode) return;
    IniSetValue(gSettingsFile, "Generell", "CutPreferences", static_cast<int>(mode));
    gCutMode = mode;
}

}  // namespace kv
