#pragma once
// What the tray and menu commands ask of the windows around them. Each is
// implemented by the program's windows and by a recording double in the tests.
#include <optional>

#include "shell/ProgramMenus.h"
#include "shell/TrayIcon.h"

namespace keytide {

enum class ProgramMenu { Tray, Help };

class PopupMenus {
public:
    virtual ~PopupMenus() = default;
    virtual void SetChecked(MenuCommand command, bool checked) = 0;
    // Shows the menu at a screen position until the user chooses an item or
    // leaves the menu; the chosen command, if any.
    virtual std::optional<MenuCommand> Track(ProgramMenu menu, TrayPoint at) = 0;
};

// The program's own windows as the menu commands handle them.
class OwnWindows {
public:
    virtual ~OwnWindows() = default;
    // "Show...": the assignment editor comes up in front.
    virtual void OpenEditor() = 0;
    virtual void EnableEditor(bool enabled) = 0;
    // Ends the program once the command that asks has returned.
    virtual void CloseProgram() = 0;
};

// The About window. It does not close itself: its Ok button, its close box
// and any other close call ShellCommands::CloseAbout, which hides it.
class AboutBox {
public:
    virtual ~AboutBox() = default;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual bool IsVisible() const = 0;
};

}  // namespace keytide
