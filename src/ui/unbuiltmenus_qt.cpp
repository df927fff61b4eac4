#include "ui/unbuiltmenus_qt.h"

const std::vector<UnbuiltMenuItem>& UnbuiltMenuItems() {
    static const std::vector<UnbuiltMenuItem> items = {
        {"Ln_e", "the route-number layout window"},
        {"Insert_LineNo_e", "the route-number field window"},
        {"mnuToolsGenerateLineNo", "the route-number generator"},
        {"mnuToolsSuperCopy", "the route-number generator"},
        {"mnuToolsGenerateMBL", "the route-number window"},
    };
    return items;
}
