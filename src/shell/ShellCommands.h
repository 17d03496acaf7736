#pragma once
// What the user does to the program from outside its windows: the mouse on
// the tray icon, the tray menu and the help menu, and the About window's
// coming and going.
#include <string>
#include <string_view>

#include "actions/LaunchOperations.h"
#include "core/MainController.h"
#include "shell/ShellPorts.h"
#include "shell/TrayIcon.h"

namespace keytide {

struct ShellServices {
    MainController& controller;
    TrayIcon& icon;
    PopupMenus& menus;
    OwnWindows& windows;
    AboutBox& about;
    LaunchOperations& launch;
};

// The program's tray animation: picture 0 once, then 1 .. 88 over and over.
// The tide crosses the keypad in five pictures over a second, every 15 s;
// the icon rests on the unlit keypad in between.
inline constexpr TrayAnimationPace kTrayAnimationPace{
    .lastPicture = kTrayLastAnimationPicture, .loopStart = 1, .stride = 2, .frameMs = 200, .restMs = 15000};

// The help page beside the program: its directory followed by "Help\topics.htm".
std::string HelpDocumentPathFor(std::string_view executablePath);

class ShellCommands final : public TrayIconEvents {
public:
    // helpDocument: the full path of the help page beside the program.
    ShellCommands(ShellServices services, std::string helpDocument);

    void Run(MenuCommand command);
    void OpenTrayMenu(TrayPoint at);
    // The "?" button on the editor's title bar.
    void OpenHelpMenu(TrayPoint at);
    // The About window's Ok button, its close box or any other way of closing it.
    void CloseAbout();

    // The tray icon's events.
    void OnClick() override;
    void OnMenuRequest(TrayPoint at) override;

private:
    void OpenMenu(ProgramMenu menu, TrayPoint at);
    void ShowAbout();

    ShellServices services_;
    std::string helpDocument_;
    bool menuOpen_ = false;
};

}  // namespace keytide
