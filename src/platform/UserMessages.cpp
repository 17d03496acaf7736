#include "platform/UserMessages.h"

namespace keytide::platform {

std::string ErrorBoxText(std::string_view message) {
    std::string text(message);
    if (text.empty() || text.back() != '.') text += '.';
    return text;
}

bool OpenBoxes::ShowOnce(std::string_view caption, std::string_view text, const std::function<void()>& show) {
    std::string key(caption);
    key += '\n';
    key += text;
    const auto [entry, added] = open_.insert(std::move(key));
    if (!added) return false;
    // The box may end in an exception; the entry goes with it all the same.
    struct Closed {
        std::set<std::string, std::less<>>& open;
        std::set<std::string, std::less<>>::iterator entry;
        ~Closed() { open.erase(entry); }
    } closed{open_, entry};
    show();
    return true;
}

}  // namespace keytide::platform
