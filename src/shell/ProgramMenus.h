#pragma once
// The two popup menus of the program: the tray menu and the help menu of the
// editor's title bar, as lists of entries that the Win32 side turns into
// menus.
#include <vector>

namespace keytide {

// Menu item identifiers; 0 is what an abandoned menu returns.
enum class MenuCommand : unsigned {
    Show = 1,
    Active,
    OsdEnabled,
    Help,
    About,
    Exit,
};

struct MenuEntry {
    MenuCommand command = MenuCommand::Show;  // unused for a separator
    const char* caption = "";
    bool separator = false;
    bool checkable = false;  // whether the item carries a check mark
};

// "Show...", "Active" and "OSD Enabled" with their check marks, "Help",
// "About...", "Exit", with separators between the groups.
const std::vector<MenuEntry>& TrayMenuEntries();
// "Help", "About...".
const std::vector<MenuEntry>& HelpMenuEntries();

}  // namespace keytide
