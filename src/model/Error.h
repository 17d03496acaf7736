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

// printf-style "%s" substitution used by the program's message templates.
std::string FillTemplate(std::string_view pattern, std::string_view argument);

}  // namespace keytide
