#pragma once
// Modal message boxes: the only way the program talks to the user about errors.
#include <string_view>

namespace keytide::platform {

class UserMessages {
public:
    virtual ~UserMessages() = default;

    // A modal box with the error icon and one OK button; returns when it is closed.
    virtual void ShowError(std::string_view caption, std::string_view text) = 0;
};

}  // namespace keytide::platform
