#include "ui/unbuiltmenus_qt.h"

const std::vector<UnbuiltMenuItem>& UnbuiltMenuItems() {
    // Every menu item's command is built.
    static const std::vector<UnbuiltMenuItem> items;
    return items;
}
