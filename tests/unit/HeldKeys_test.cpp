// A held key acts once; held volume keys repeat.
#include <gtest/gtest.h>

#include <set>

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
    // The action index stays in the record whatever the kind: only the kind counts.
    for (const StoredKind kind : {StoredKind(AssignmentKind::RunFile), StoredKind::FromFile(7)}) {
        EXPECT_FALSE(RepeatsWhileHeld(Action(action::kVolumeUp, kind)));
    }
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
    struct Case {
        const char* script;
        int actsOnce;  // a file, the calculator, minimize/restore
        int actsRamp;  // Vol+
    };
    constexpr int kSlot = 6;
    const std::uint32_t vk = kKeySlots[kSlot].virtualKey;
    for (Case c : {Case{"DDDDD", 1, 5}, Case{"TTT", 3, 3}, Case{"DDuwDD", 2, 4}, Case{"DDuT", 2, 3}}) {
        for (const bool ramp : {false, true}) {
            dispatched = 0;
            for (const char* step = c.script; *step != '\0'; ++step) {
                if (*step == 'D') down.insert(vk);
                if (*step == 'T' || *step == 'u') down.erase(vk);
                if (*step == 'w') watch.Tick();
                if (*step == 'D' || *step == 'T') filter.Dispatch(kSlot, Action(ramp ? action::kVolumeUp : action::kCalculator), true);
            }
            EXPECT_EQ(dispatched, ramp ? c.actsRamp : c.actsOnce) << c.script << (ramp ? " Vol+" : "");
            down.clear();
            watch.Tick();
            EXPECT_FALSE(watch.running) << "the watch goes on with nothing held";
        }
    }
}

// A missing file's box runs a message loop, in which the key's own repeats
// arrive while its first press is still being carried out.
TEST_F(HeldKeyFilterTest, RepeatsDuringTheFirstPressAreRepeatsToo) {
    const KeyAssignment file = Action(0, AssignmentKind::RunFile);
    down = {kKeySlots[0].virtualKey, kKeySlots[4].virtualKey};
    whileDispatching = [&](int slot) {
        if (slot != 0) return;
        filter.Dispatch(0, file, true);
        filter.Dispatch(4, file, true);  // another key: a press of its own
    };
    filter.Dispatch(0, file, true);
    EXPECT_EQ(dispatched, 2);
}

}  // namespace
}  // namespace keytide
