#include "platform/Error.h"

namespace keytide {

std::string ErrorBoxText(std::string_view message) {
    std::string text(message);
    if (text.empty() || text.back() != '.') text += '.';
    return text;
}

std::string FillTemplate(std::string_view pattern, std::string_view argument) {
    std::string text(pattern);
    if (auto at = text.find("%s"); at != std::string::npos) text.replace(at, 2, argument);
    return text;
}

}  // namespace keytide
