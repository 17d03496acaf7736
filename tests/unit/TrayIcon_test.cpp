// The tray icon on its own: pictures and their limits, the animation steps,
// the mouse table, the tooltip, and what the shell is asked and when.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "doubles/FakeIntervalTimer.h"
#include "doubles/ShellDoubles.h"
#include "shell/TrayIcon.h"

namespace keytide {
namespace {

using fakes::FakeNotificationArea;

// Records the icon's events as text.
class EventLog : public TrayIconEvents {
public:
    void OnClick() override { events.push_back("click"); }
    void OnMenuRequest(TrayPoint at) override {
        events.push_back("menu " + std::to_string(at.x) + "," + std::to_string(at.y));
    }
    std::vector<std::string> events;
};

class TrayIconTest : public ::testing::Test {
protected:
    void SetUp() override { icon.SetEvents(&log); }

    FakeNotificationArea area;
    fakes::ManualIntervalTimer timer;
    TrayIcon icon{area, timer, 90};
    EventLog log;
};

TEST_F(TrayIconTest, AnIndexPastTheLastPictureShowsTheLastOne) {
    icon.SetIconVisible(true);
    const struct {
        int requested;
        int shown;
    } cases[] = {{95, 89}, {90, 89}, {89, 89}, {10, 10}, {0, 0}, {-3, 0}};
    for (const auto& c : cases) {
        icon.SetIconIndex(c.requested);
        EXPECT_EQ(icon.IconIndex(), c.shown) << c.requested;
        EXPECT_EQ(area.shown.picture, c.shown) << c.requested;
    }

    FakeNotificationArea noPicturesArea;
    TrayIcon withoutPictures{noPicturesArea, timer, 0};
    withoutPictures.SetIconIndex(5);
    EXPECT_EQ(withoutPictures.IconIndex(), 0);
}

// Pictures like the program's: two sweeps of the tide, each followed by a
// rest on the unlit keypad; the second rest runs on over the loop's turn.
bool LikeTheProgramsPictures(int picture, int other) {
    const auto restA = [](int p) { return p >= 15 && p <= 48; };
    const auto restB = [](int p) { return (p >= 59 && p <= 89) || p <= 4; };
    return (restA(picture) && restA(other)) || (restB(picture) && restB(other));
}

constexpr TrayAnimationPace kPace{.lastPicture = 88, .loopStart = 1, .stride = 2, .frameMs = 200, .restMs = 15000};

TEST(TrayAnimationTest, TheNextPictureAndItsTime) {
    const auto distinct = [](int a, int b) { return a == b; };
    const auto thirtyLikeThirtyTwo = [](int a, int b) { return a == b || (a + b == 62 && a != 31); };
    const struct {
        TrayAnimationPace pace;
        PicturesLookAlike lookAlike;
        int shown;
        int next;
        unsigned delayMs;
    } cases[] = {
        {kPace, LikeTheProgramsPictures, 5, 7, 200},       // the tide moves two pictures on
        {kPace, LikeTheProgramsPictures, 14, 16, 200},     // and may land inside the rest
        {kPace, LikeTheProgramsPictures, 15, 49, 15000},   // a rest, then the next sweep's first picture
        {kPace, LikeTheProgramsPictures, 59, 5, 15000},    // a rest over the turn from 88 to 1
        {kPace, LikeTheProgramsPictures, 0, 5, 15000},     // the start
        {kPace, LikeTheProgramsPictures, 88, 5, 15000},
        {kPace, distinct, 88, 2, 200},                     // the turn: 88, 1, 2
        {kPace, thirtyLikeThirtyTwo, 30, 31, 200},         // two on looks the same: one on instead
        {{.lastPicture = 88, .loopStart = 1}, distinct, 88, 1, 100},
    };
    for (const auto& c : cases) {
        const auto step = NextAnimationStep(c.pace, c.shown, c.lookAlike);
        ASSERT_TRUE(step.has_value()) << c.shown;
        EXPECT_EQ(step->picture, c.next) << c.shown;
        EXPECT_EQ(step->delayMs, c.delayMs) << c.shown;
        // Opening, a rest is cut short to the next sweep; a sweep goes on as it would.
        const auto opening = NextAnimationStep(c.pace, c.shown, c.lookAlike, true);
        ASSERT_TRUE(opening.has_value()) << c.shown;
        EXPECT_EQ(opening->picture, c.next) << c.shown;
        EXPECT_EQ(opening->delayMs, c.pace.frameMs) << c.shown;
    }
    EXPECT_FALSE(NextAnimationStep(kPace, 3, [](int, int) { return true; })) << "nothing ever changes";
}

TEST_F(TrayIconTest, EveryStepOfTheAnimationShowsANewPictureAndNoneRunsWhileNothingChanges) {
    area.lookAlike = LikeTheProgramsPictures;
    icon.SetAnimationPace(kPace);
    icon.SetIconVisible(true);
    icon.SetIconIndex(87);
    icon.SetCycleIcons(true);  // starts again at 0, with a sweep at once
    EXPECT_EQ(area.shown.picture, 0);
    EXPECT_EQ(timer.intervalMs, 200u);

    area.pictures.clear();
    std::vector<unsigned> waits;
    for (int step = 0; step < 12; ++step) {
        timer.Tick();
        waits.push_back(timer.intervalMs);
    }
    EXPECT_EQ(area.pictures, (std::vector<int>{5, 7, 9, 11, 13, 15, 49, 51, 53, 55, 57, 59}));
    EXPECT_EQ(waits, (std::vector<unsigned>{200, 200, 200, 200, 200, 15000, 200, 200, 200, 200, 200, 15000}));

    // Shown again (after the editor): the rest is cut short.
    icon.SetIconVisible(false);
    icon.SetIconVisible(true);
    EXPECT_EQ(timer.intervalMs, 200u);
    timer.Tick();
    EXPECT_EQ(area.shown.picture, 5);
    for (std::size_t i = 1; i < area.pictures.size(); ++i) {
        EXPECT_FALSE(LikeTheProgramsPictures(area.pictures[i], area.pictures[i - 1])) << "step " << i;
    }

    // A picture set starts the steps again from it.
    icon.SetIconIndex(6);
    EXPECT_EQ(timer.intervalMs, 200u);
    timer.Tick();
    EXPECT_EQ(area.shown.picture, 8);

    // Off: the last picture stays until another index is set.
    icon.SetCycleIcons(false);
    EXPECT_FALSE(timer.running);
    EXPECT_EQ(area.shown.picture, 8);

    // Pictures that all look alike: nothing to animate, so no timer.
    area.lookAlike = [](int, int) { return true; };
    icon.SetCycleIcons(true);
    EXPECT_FALSE(timer.running);
}

TEST_F(TrayIconTest, TheMouseTable) {
    const TrayPoint at{40, 700};
    using N = TrayNotification;
    const struct {
        const char* what;
        bool currentCallbacks;
        std::vector<N> notifications;
        std::vector<std::string> events;
    } cases[] = {
        {"move", false, {N::MouseMove}, {}},
        {"left click", false, {N::LeftDown, N::LeftUp}, {"click"}},
        {"release without a press", false, {N::LeftUp}, {}},
        {"double click: one click", false, {N::LeftDown, N::LeftUp, N::LeftDoubleClick, N::LeftUp}, {"click"}},
        {"right click, classic callbacks", false, {N::RightDown, N::RightUp}, {"menu 40,700"}},
        {"right click, current callbacks", true, {N::RightDown, N::RightUp, N::ContextMenu}, {"menu 40,700"}},
        {"right press alone", true, {N::RightDown}, {}},
        {"keyboard", true, {N::KeySelect}, {"menu 40,700"}},
        {"left click, current callbacks", true, {N::LeftDown, N::LeftUp, N::Select}, {"click"}},
        {"middle", false, {N::MiddleDown, N::MiddleUp}, {}},
    };
    for (const auto& c : cases) {
        area.currentCallbacks = c.currentCallbacks;
        icon.SetIconVisible(true);
        log.events.clear();
        for (N notification : c.notifications) icon.OnNotification(notification, at);
        EXPECT_EQ(log.events, c.events) << c.what;
        icon.SetIconVisible(false);
    }
}

TEST_F(TrayIconTest, WhileDisabledTheMouseDoesNothingAndAPressThenDoesNotCount) {
    icon.SetIconVisible(true);
    icon.SetEnabled(false);
    for (auto notification : {TrayNotification::MouseMove, TrayNotification::LeftDown, TrayNotification::LeftUp,
                              TrayNotification::RightUp, TrayNotification::ContextMenu}) {
        icon.OnNotification(notification, {1, 2});
    }
    EXPECT_TRUE(log.events.empty());

    icon.SetEnabled(true);
    icon.OnNotification(TrayNotification::LeftUp, {1, 2});
    EXPECT_TRUE(log.events.empty()) << "the press came while disabled";
}

TEST_F(TrayIconTest, TheTipIsCutTo127UnitsAndNeverInsideACharacter) {
    EXPECT_EQ(TrayTip(u"Keytide", true), u"Keytide");
    EXPECT_EQ(TrayTip(u"Keytide", false), u"");
    const std::u16string exact(127, u'x');
    EXPECT_EQ(TrayTip(exact, true), exact);
    EXPECT_EQ(TrayTip(std::u16string(200, u'y'), true), std::u16string(127, u'y'));
    // A character outside the basic plane across the cut: left out whole.
    const std::u16string across = std::u16string(126, u'a') + u"\U0001F3B9" + u"b";
    EXPECT_EQ(TrayTip(across, true), std::u16string(126, u'a'));

    icon.SetHint(std::u16string(300, u'z'));
    icon.SetIconVisible(true);
    EXPECT_EQ(area.shown.tip.size(), 127u);
    icon.SetShowHint(false);
    EXPECT_EQ(area.shown.tip, u"");
}

TEST_F(TrayIconTest, TheShellHoldsTheIconExactlyWhileItIsVisible) {
    icon.SetIconIndex(7);  // not up yet: nothing is sent
    icon.SetCycleIcons(true);
    EXPECT_TRUE(area.calls.empty());
    EXPECT_FALSE(timer.running) << "a hidden icon is not animated";

    icon.SetIconVisible(true);
    EXPECT_EQ(area.held, TrayIdentity::Guid);
    EXPECT_TRUE(timer.running);
    EXPECT_TRUE(icon.UsesCurrentCallbacks());

    // The taskbar made anew (the shell restarted and forgot the icon).
    area.held.reset();
    icon.OnTaskbarCreated();
    EXPECT_EQ(area.held, TrayIdentity::Guid);

    icon.SetIconVisible(false);
    EXPECT_FALSE(area.held.has_value());
    EXPECT_FALSE(timer.running);
    area.calls.clear();
    icon.OnTaskbarCreated();
    icon.SetIconIndex(3);
    EXPECT_TRUE(area.calls.empty()) << "a hidden icon is neither added again nor changed";
}

TEST_F(TrayIconTest, AnIconTheShellStillHoldsIsReplacedOnAdd) {
    area.held = TrayIdentity::Guid;  // left by a copy that crashed
    icon.SetIconVisible(true);
    EXPECT_EQ(area.calls, (std::vector<std::string>{"add guid 0", "remove guid", "add guid 0", "version guid"}));
    EXPECT_EQ(area.held, TrayIdentity::Guid);
}

TEST_F(TrayIconTest, AfterTheProgramMovedTheIconIsKnownByWindowAndNumber) {
    area.refused = {TrayIdentity::Guid};
    icon.SetIconVisible(true);
    EXPECT_EQ(area.held, TrayIdentity::WindowAndNumber);
    icon.SetIconIndex(12);
    EXPECT_EQ(area.calls.back(), "modify id 12");
    EXPECT_EQ(area.shown.picture, 12);

    // A new taskbar tries the lasting identity first again.
    area.held.reset();
    area.refused.clear();
    icon.OnTaskbarCreated();
    EXPECT_EQ(area.held, TrayIdentity::Guid);
    icon.SetIconVisible(false);
    EXPECT_EQ(area.calls.back(), "remove guid");

    // A shell that refuses every add leaves the classic callbacks in force.
    area.refused = {TrayIdentity::Guid, TrayIdentity::WindowAndNumber};
    icon.SetIconVisible(true);
    EXPECT_FALSE(area.held.has_value());
    EXPECT_FALSE(icon.UsesCurrentCallbacks());
}

}  // namespace
}  // namespace keytide
