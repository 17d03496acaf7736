#pragma once
// Modal message boxes: the only way the program talks to the user about errors.
#include <functional>
#include <set>
#include <string>
#include <string_view>

namespace keytide::platform {

// Text of the program's general error box: the error's text with a full stop
// added when it does not already end in one.
std::string ErrorBoxText(std::string_view message);

class UserMessages {
public:
    virtual ~UserMessages() = default;

    // A modal box with the error icon and one OK button; returns when it is closed.
    virtual void ShowError(std::string_view caption, std::string_view text) = 0;
};

// The boxes up at this moment, by caption and text. A box runs its own
// message loop, in which key presses and tray clicks go on being handled:
// without this, a held key or a click storm that fails the same way would
// nest box inside box until the stack runs out.
class OpenBoxes {
public:
    // Runs show (which returns when the box is closed) unless a box of the
    // same caption and text is up; false when it was up already.
    bool ShowOnce(std::string_view caption, std::string_view text, const std::function<void()>& show);

private:
    std::set<std::string, std::less<>> open_;
};

}  // namespace keytide::platform
