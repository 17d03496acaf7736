#include "shell/ShellCommands.h"

#include "model/Names.h"
#include "platform/FilePath.h"

namespace keytide {

std::string HelpDocumentPathFor(std::string_view executablePath) {
    return std::string(platform::DirectoryOf(executablePath)) + names::kHelpDocument;
}

ShellCommands::ShellCommands(ShellServices services, std::string helpDocument)
    : services_(services), helpDocument_(std::move(helpDocument)) {
    services_.icon.SetAnimationPace(kTrayAnimationPace);
}

void ShellCommands::Run(MenuCommand command) {
    switch (command) {
    case MenuCommand::Show:
        services_.windows.OpenEditor();
        break;
    case MenuCommand::Active:
        services_.controller.ToggleActive();
        break;
    case MenuCommand::OsdEnabled:
        services_.controller.ToggleOsd();
        break;
    case MenuCommand::Help:
        services_.launch.RunFile(helpDocument_);
        break;
    case MenuCommand::About:
        ShowAbout();
        break;
    case MenuCommand::Exit:
        services_.windows.CloseProgram();
        break;
    }
}

void ShellCommands::OpenTrayMenu(TrayPoint at) { OpenMenu(ProgramMenu::Tray, at); }

void ShellCommands::OpenHelpMenu(TrayPoint at) { OpenMenu(ProgramMenu::Help, at); }

void ShellCommands::OpenMenu(ProgramMenu menu, TrayPoint at) {
    // Notifications keep arriving while a menu is open; one menu at a time.
    if (menuOpen_) return;
    menuOpen_ = true;
    std::optional<MenuCommand> chosen;
    try {
        chosen = services_.menus.Track(menu, at);
    } catch (...) {
        menuOpen_ = false;
        throw;
    }
    menuOpen_ = false;
    // The menu is gone before the command runs, so a window it opens comes
    // up on a clean screen.
    if (chosen) Run(*chosen);
}

void ShellCommands::ShowAbout() {
    if (services_.about.IsVisible()) return;
    services_.icon.SetEnabled(false);
    services_.about.Show();
    services_.windows.EnableEditor(false);
}

void ShellCommands::CloseAbout() {
    services_.windows.EnableEditor(true);
    services_.about.Hide();
    services_.icon.SetEnabled(true);
}

void ShellCommands::OnClick() { services_.controller.ToggleActive(); }

void ShellCommands::OnMenuRequest(TrayPoint at) { OpenTrayMenu(at); }

}  // namespace keytide
