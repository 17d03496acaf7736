#include "shell/AboutWindow.h"

#include <utility>

#include "shell/ProductInfo.h"

namespace keytide {

namespace {

bool Inside(const widgets::Rect& rect, int x, int y) {
    return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

}  // namespace

std::string AboutLinkTarget(AboutLink link) {
    return link == AboutLink::HomePage ? std::string(product::kHomePage)
                                       : std::string("mailto:") + product::kSupportAddress;
}

std::optional<AboutLink> AboutLinkAt(const AboutLinkPlaces& places, int x, int y) {
    if (Inside(places.homePage, x, y)) return AboutLink::HomePage;
    if (Inside(places.mail, x, y)) return AboutLink::Mail;
    return std::nullopt;
}

AboutActions::AboutActions(platform::ProgramStarter& shell, std::function<void()> close)
    : shell_(shell), close_(std::move(close)) {}

void AboutActions::Ok() {
    if (close_) close_();
}

void AboutActions::OpenLink(AboutLink link) { shell_.ShellOpen(AboutLinkTarget(link)); }

}  // namespace keytide
