// The About window's links: they open the home page and a mail to the
// support address, and only their white copies react. (Its ways of closing
// are tested with the tray's commands, which they run.)
#include "shell/AboutWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "doubles/PlatformDoubles.h"
#include "shell/ProductInfo.h"

namespace keytide {
namespace {

TEST(AboutActionsTest, TheLinksOpenTheHomePageAndAMailToSupportThroughTheShell) {
    fakes::RecordingStarter shell;
    int closes = 0;
    AboutActions about(shell, [&] { ++closes; });
    about.OpenLink(AboutLink::HomePage);
    about.OpenLink(AboutLink::Mail);
    EXPECT_EQ(shell.log, (std::vector<std::string>{std::string("open ") + product::kHomePage,
                                                     std::string("open mailto:") + product::kSupportAddress}));
    EXPECT_EQ(closes, 0);  // the window stays
    EXPECT_EQ(AboutLinkTarget(AboutLink::HomePage).rfind("http://", 0), 0u);
}

TEST(AboutLinkAtTest, OnlyTheWhiteCopiesReact) {
    const AboutLinkPlaces places{{74, 131, 274, 147}, {48, 171, 298, 187}};
    const struct {
        int x, y;
        std::optional<AboutLink> expected;
    } cases[] = {
        {74, 131, AboutLink::HomePage},  {273, 146, AboutLink::HomePage}, {170, 140, AboutLink::HomePage},
        {274, 140, std::nullopt},  // the shadow's column right of the white copy
        {170, 147, std::nullopt},  // the shadow's row under it
        {73, 140, std::nullopt},   {48, 171, AboutLink::Mail},         {297, 186, AboutLink::Mail},
        {298, 180, std::nullopt},  {150, 187, std::nullopt},           {150, 160, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AboutLinkAt(places, c.x, c.y), c.expected) << c.x << "," << c.y;
    }
}

}  // namespace
}  // namespace keytide
