#pragma once
// The About window's behaviour: its three ways of closing (the "Ok" button,
// the title bar's "X", and any other close such as Alt+F4) all run the same
// close steps, and its two links open the home page and a new mail to the
// support address through the shell.
#include <functional>
#include <optional>
#include <string>

#include "platform/ProgramStarter.h"
#include "widgets/Gradient.h"

namespace keytide {

enum class AboutLink { HomePage, Mail };

// The text a link shows, which is also what the shell opens.
std::string AboutLinkTarget(AboutLink link);

// Where the white copy of each link stands, in the window's pixels; its
// black shadow lies one pixel down and to the right.
struct AboutLinkPlaces {
    widgets::Rect homePage;
    widgets::Rect mail;
};

// Only the white copies react to the mouse: the strip of shadow that shows
// beside and below them is no link.
std::optional<AboutLink> AboutLinkAt(const AboutLinkPlaces& places, int x, int y);

class AboutActions {
public:
    // close: enables the editor and the tray icon's mouse again and hides the window.
    AboutActions(platform::ProgramStarter& shell, std::function<void()> close);

    // "Ok" and the title bar's "X".
    void Ok();
    // The window is closed in any other way; it stays, hidden.
    void WindowClosed() { Ok(); }
    // A click on a link. The shell's answer is not looked at.
    void OpenLink(AboutLink link);

private:
    platform::ProgramStarter& shell_;
    std::function<void()> close_;
};

}  // namespace keytide
