// A held key acts once; held volume keys repeat.
#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "actions/HeldKeys.h"
#include "doubles/FakeIntervalTimer.h"
#include "model/ActionCatalog.h"

namespace keytide {
namespace {

KeyAssignment Action(int index, StoredKind kind = AssignmentKind::Action) { return {"", "", "", index, kind}; }

TEST(RepeatsWhileHeld, OnlyTheVolumeActionsRepeat) {
    for (int index = -1; index <= kActionCount; ++index) {
        EXPECT_EQ(RepeatsWhileHeld(Action(index)), index == action::kVolumeDown || index == action::kVolumeUp) << index;
    }
    EXPECT_FALSE(RepeatsWhileHeld(Action(action::kVolumeUp, AssignmentKind::RunFile)));  // only the kind counts
}

class HeldKeyFilterTest : public ::testing::Test, public platform::KeyState, public SlotDispatcher {
protected:
    bool IsDown(std::uint32_t virtualKey) override { return down.contains(virtualKey); }
    void Dispatch(int slot, const KeyAssignment&, bool) override {
        ++dispatched;
        if (whileDispatching) whileDispatching(slot);
    }
    std::set<std::uint32_t> down;
    int dispatched = 0;
    std::function<void(int)> whileDispatching;
    fakes::ManualIntervalTimer watch;
    HeldKeyFilter filter{*this, *this, watch};
};

// 'D' a hot key while the key is down, 'T' one of a tap already let go when
// the message is read, 'u' the key let go, 'w' a tick of the release watch.
TEST_F(HeldKeyFilterTest, TellsAHeldKeysRepeatsFromNewPresses) {
    const std::uint32_t vk = kKeySlots[6].virtualKey;
    for (const auto& [script, actsOnce, actsRamp] :
         {std::tuple{"DDDDD", 1, 5}, std::tuple{"TTT", 3, 3}, std::tuple{"DDuwDD", 2, 4}, std::tuple{"DDuT", 2, 3}}) {
        for (const bool ramp : {false, true}) {
            const KeyAssignment key = Action(ramp ? action::kVolumeUp : action::kCalculator);
            dispatched = 0;
            for (const char* step = script; *step != '\0'; ++step) {
                if (*step == 'D') down.insert(vk);
                if (*step == 'T' || *step == 'u') down.erase(vk);
                if (*step == 'w') watch.Tick();
                if (*step == 'D' || *step == 'T') filter.Dispatch(6, key, true);
            }
            EXPECT_EQ(dispatched, ramp ? actsRamp : actsOnce) << script << (ramp ? " Vol+" : "");
            down.clear();
            watch.Tick();
            EXPECT_FALSE(watch.running) << "the watch goes on with nothing held";
        }
    }
}

// A missing file's box runs a message loop, in which the key's own repeats
// arrive while its first press is still being carried out.
TEST_F(HeldKeyFilterTest, RepeatsDuringTheFirstPressAreRepeatsToo) {
    down = {kKeySlots[0].virtualKey, kKeySlots[4].virtualKey};
    whileDispatching = [&](int slot) {
        if (slot != 0) return;
        filter.Dispatch(0, Action(0), true);
        filter.Dispatch(4, Action(0), true);  // another key: a press of its own
    };
    filter.Dispatch(0, Action(0), true);
    EXPECT_EQ(dispatched, 2);
}

}  // namespace
}  // namespace keytide
