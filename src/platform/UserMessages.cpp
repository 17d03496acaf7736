#include "platform/UserMessages.h"

namespace keytide::platform {

std::string ErrorBoxText(std::string_view message) {
    std::string text(message);
    if (text.empty() || text.back() != '.') text += '.';
    return text;
}

}  // namespace keytide::platform
