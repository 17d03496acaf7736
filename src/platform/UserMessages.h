#pragma once
// Modal message boxes: the only way the program talks to the user about errors.
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

}  // namespace keytide::platform
