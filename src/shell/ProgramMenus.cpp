#include "shell/ProgramMenus.h"

namespace keytide {

namespace {

MenuEntry Item(MenuCommand command, const char* caption, bool checkable = false) {
    return MenuEntry{command, caption, false, checkable};
}

MenuEntry Separator() { return MenuEntry{MenuCommand::Show, "", true, false}; }

}  // namespace

const std::vector<MenuEntry>& TrayMenuEntries() {
    static const std::vector<MenuEntry> entries{
        Item(MenuCommand::Show, "Show..."),
        Separator(),
        Item(MenuCommand::Active, "Active", true),
        Item(MenuCommand::OsdEnabled, "OSD Enabled", true),
        Separator(),
        Item(MenuCommand::Help, "Help"),
        Item(MenuCommand::About, "About..."),
        Separator(),
        Item(MenuCommand::Exit, "Exit"),
    };
    return entries;
}

const std::vector<MenuEntry>& HelpMenuEntries() {
    static const std::vector<MenuEntry> entries{
        Item(MenuCommand::Help, "Help"),
        Item(MenuCommand::About, "About..."),
    };
    return entries;
}

}  // namespace keytide
