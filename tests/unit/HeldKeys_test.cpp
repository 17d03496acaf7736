// A held key acts once; held volume keys repeat. The keyboard and the release
// watch are doubles: the test says which keys are down and when the watch ticks.
#include <gtest/gtest.h>

#include <set>

#include "actions/HeldKeys.h"
#include "doubles/FakeIntervalTimer.h"
#include "model/ActionCatalog.h"

namespace keytide {
namespace {

KeyAssignment Action(int index) { return KeyAssignment{"", "", "", index, AssignmentKind::Action}; }

TEST(RepeatsWhileHeld, OnlyTheVolumeActionsRepeat) {
    for (int index = -1; index <= kActionCount; ++index) {
        const bool volume = index == action::kVolumeDown || index == action::kVolumeUp;
        EXPECT_EQ(RepeatsWhileHeld(Action(index)), volume) << index;
    }
    // The action index stays in the record whatever the kind: only the kind counts.
    for (const StoredKind kind : {StoredKind(AssignmentKind::RunFile), StoredKind(AssignmentKind::GoToAddress),
                                  StoredKind::FromFile(7)}) {
        EXPECT_FALSE(RepeatsWhileHeld(KeyAssignment{"", "", "", action::kVolumeUp, kind}));
    }
}

class FakeKeyboard : public platform::KeyState {
public:
    bool IsDown(std::uint32_t virtualKey) override { return down.contains(virtualKey); }
    std::set<std::uint32_t> down;
};

class CountingDispatcher : public SlotDispatcher {
public:
    void Dispatch(int slot, const KeyAssignment&, bool) override {
        ++count;
        if (whileDispatching) whileDispatching(slot);
    }
    int count = 0;
    std::function<void(int)> whileDispatching;
};

// Script steps: 'D' a hot key while the key is down, 'T' a hot key of a tap
// already let go when the message is read, 'u' the key let go, 'w' a tick of
// the release watch.
TEST(HeldKeyFilter, TellsAHeldKeysRepeatsFromNewPresses) {
    struct Case {
        const char* script;
        int actsOnce;   // a file, the calculator, minimize/restore
        int actsRamp;   // Vol+
    };
    for (Case c : {Case{"DDDDD", 1, 5}, Case{"TTT", 3, 3}, Case{"DDuwDD", 2, 4}, Case{"DDuT", 2, 3},
                   Case{"DuwD", 2, 2}}) {
        for (const bool ramp : {false, true}) {
            FakeKeyboard keyboard;
            fakes::ManualIntervalTimer watch;
            CountingDispatcher dispatcher;
            HeldKeyFilter filter(dispatcher, keyboard, watch);
            const KeyAssignment key = ramp ? Action(action::kVolumeUp) : Action(action::kCalculator);
            constexpr int kSlot = 6;
            const std::uint32_t vk = kKeySlots[kSlot].virtualKey;
            for (const char* step = c.script; *step != '\0'; ++step) {
                switch (*step) {
                case 'D': keyboard.down.insert(vk); filter.Dispatch(kSlot, key, true); break;
                case 'T': keyboard.down.erase(vk); filter.Dispatch(kSlot, key, true); break;
                case 'u': keyboard.down.erase(vk); break;
                case 'w': watch.Tick(); break;
                }
            }
            EXPECT_EQ(dispatcher.count, ramp ? c.actsRamp : c.actsOnce) << c.script << (ramp ? " Vol+" : "");
            // Nothing held any more: the watch stops at its next tick.
            keyboard.down.clear();
            watch.Tick();
            EXPECT_FALSE(watch.running) << c.script;
        }
    }
}

// The box of a missing file runs a message loop, in which the key's own
// repeats arrive while its first press is still being carried out; another
// key held meanwhile is a press of its own.
TEST(HeldKeyFilter, RepeatsDuringTheFirstPressAreHeldToo) {
    FakeKeyboard keyboard;
    fakes::ManualIntervalTimer watch;
    CountingDispatcher dispatcher;
    HeldKeyFilter filter(dispatcher, keyboard, watch);
    const KeyAssignment file{"", "C:\\missing.exe", "", 0, AssignmentKind::RunFile};
    keyboard.down = {kKeySlots[0].virtualKey, kKeySlots[4].virtualKey};
    dispatcher.whileDispatching = [&](int slot) {
        if (slot != 0) return;
        filter.Dispatch(0, file, true);
        filter.Dispatch(4, file, true);
        filter.Dispatch(4, file, true);
    };
    filter.Dispatch(0, file, true);
    EXPECT_EQ(dispatcher.count, 2);
}

}  // namespace
}  // namespace keytide
