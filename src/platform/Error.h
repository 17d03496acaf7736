#pragma once
// Errors that end the operation in progress and reach the message loop, which
// shows their text in the program's general error box.
#include <stdexcept>
#include <string>
#include <string_view>

namespace keytide {

class KeytideError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Text of the general error box: the error's text with a full stop added when
// it does not already end in one.
std::string ErrorBoxText(std::string_view message);

// printf-style "%s" substitution used by the program's message templates.
std::string FillTemplate(std::string_view pattern, std::string_view argument);

}  // namespace keytide
