// The main window's menu items whose command or window is not built yet.
// They stay disabled whatever else enables menu items. When a command is
// wired, its line goes from the table (the menu test checks both ways).
#pragma once

#include <vector>

struct UnbuiltMenuItem {
    const char* name;  // objectName of the menu item (UTF-8)
    const char* what;  // what is missing
};

const std::vector<UnbuiltMenuItem>& UnbuiltMenuItems();
