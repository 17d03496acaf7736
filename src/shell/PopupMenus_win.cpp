#include "shell/PopupMenus_win.h"

#include <string>

#include "model/Error.h"

namespace keytide::win32 {

namespace {

UniqueHmenu MakeMenu(const std::vector<MenuEntry>& entries) {
    UniqueHmenu menu(CreatePopupMenu());
    if (!menu) throw KeytideError("Cannot create a menu");
    for (const MenuEntry& entry : entries) {
        if (entry.separator) {
            AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const std::string caption = entry.caption;
        const std::wstring wide(caption.begin(), caption.end());  // the captions are ASCII
        AppendMenuW(menu.get(), MF_STRING, static_cast<UINT_PTR>(entry.command), wide.c_str());
    }
    return menu;
}

std::optional<MenuCommand> CommandOf(int id) {
    if (id < static_cast<int>(MenuCommand::Show) || id > static_cast<int>(MenuCommand::Exit)) return std::nullopt;
    return static_cast<MenuCommand>(id);
}

}  // namespace

Win32PopupMenus::Win32PopupMenus() : tray_(MakeMenu(TrayMenuEntries())), help_(MakeMenu(HelpMenuEntries())) {
    look_.Apply(tray_.get());
    look_.Apply(help_.get());
}

void Win32PopupMenus::SetChecked(MenuCommand command, bool checked) {
    CheckMenuItem(tray_.get(), static_cast<UINT>(command), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

std::optional<MenuCommand> Win32PopupMenus::Track(ProgramMenu menu, TrayPoint at) {
    HWND owner = menu == ProgramMenu::Tray ? trayOwner_ : helpOwner_;
    // A menu whose owner is not the foreground window stays open when the
    // user clicks elsewhere.
    SetForegroundWindow(owner);
    UINT flags = TPM_RIGHTBUTTON | TPM_RETURNCMD;
    flags |= GetSystemMetrics(SM_MENUDROPALIGNMENT) != 0 ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
    const int chosen = static_cast<int>(TrackPopupMenuEx(Menu(menu), flags, at.x, at.y, owner, nullptr));
    // Lets the foreground switch complete, so the next menu also closes
    // properly.
    PostMessageW(owner, WM_NULL, 0, 0);
    return CommandOf(chosen);
}

}  // namespace keytide::win32
