#pragma once
// The tray menu and the help menu as Windows popup menus, made once at start
// and drawn in the program's flat look.
#include <windows.h>

#include <optional>

#include "platform/win32/UniqueHandle.h"
#include "shell/ShellPorts.h"
#include "widgets/FlatMenu_win.h"

namespace keytide::win32 {

class Win32PopupMenus final : public PopupMenus {
public:
    Win32PopupMenus();

    // The windows that own the menus while they are up: the tray icon's
    // hidden window for the tray menu, the editor for the help menu.
    void SetOwners(HWND trayMenuOwner, HWND helpMenuOwner) {
        trayOwner_ = trayMenuOwner;
        helpOwner_ = helpMenuOwner;
    }
    HMENU Menu(ProgramMenu menu) const { return menu == ProgramMenu::Tray ? tray_.get() : help_.get(); }

    // The owner-drawn look's WM_MEASUREITEM and WM_DRAWITEM, which the menus'
    // owners pass on here; nothing for other messages.
    std::optional<LRESULT> HandleOwnerMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        return look_.HandleMessage(message, wParam, lParam);
    }

    void SetChecked(MenuCommand command, bool checked) override;
    std::optional<MenuCommand> Track(ProgramMenu menu, TrayPoint at) override;

private:
    FlatMenuLook look_;  // outlives the menus' showings
    UniqueHmenu tray_;
    UniqueHmenu help_;
    HWND trayOwner_ = nullptr;
    HWND helpOwner_ = nullptr;
};

}  // namespace keytide::win32
