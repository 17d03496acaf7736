// Num Lock and Scroll Lock: when a synthetic press is made, that the grab is
// released around it, that the program's own press is never taken for the
// user's, and that no press of the program's can start a toggle loop.
#include "core/LockKeys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "doubles/ControllerDoubles.h"
#include "model/KeySlots.h"

namespace keytide {
namespace {

using platform::LockKey;
using fakes::CallLog;

class LockKeysTest : public ::testing::Test {
protected:
    LockKeysTest() {
        hotkeys.Register(kScrollId, kVkScrollLock);
        hotkeys.Register(kNumId, kVkNumLock);
        log.clear();
    }

    int Taps() const {
        return static_cast<int>(
            std::count_if(log.begin(), log.end(), [](const std::string& call) { return call.rfind("tap", 0) == 0; }));
    }

    CallLog log;
    fakes::FakeHotkeys hotkeys{log};
    const int kScrollId = hotkeys.IdOf(kScrollLockHotkeyName);
    const int kNumId = hotkeys.IdOf(kNumLockHotkeyName);
    fakes::FakeLockKeyboard keyboard{log, hotkeys};
    LockKeys keys{keyboard, hotkeys};
};

TEST_F(LockKeysTest, APressIsMadeOnlyWhenTheSystemDiffersAndTheRecordStandsInWhereItCannotBeRead) {
    struct Case {
        const char* name;
        std::optional<bool> system;  // nothing: cannot be read
        std::optional<bool> record;  // what the program set before; nothing: never set
        bool wanted;
        bool tapped;
    };
    const Case cases[] = {
        {"system off, wanted on", false, std::nullopt, true, true},
        {"system on, wanted on", true, std::nullopt, true, false},
        {"system on, wanted off", true, true, false, true},
        {"the system wins over the record", true, false, true, false},
        {"unreadable: the record differs", std::nullopt, false, true, true},
        {"unreadable: the record agrees", std::nullopt, true, true, false},
        {"unreadable and never set: nothing known", std::nullopt, std::nullopt, true, false},
    };
    for (const auto& c : cases) {
        for (const LockKey key : {LockKey::NumLock, LockKey::ScrollLock}) {
            SCOPED_TRACE(std::string(c.name) + (key == LockKey::NumLock ? " (Num Lock)" : " (Scroll Lock)"));
            LockKeys fresh{keyboard, hotkeys};
            if (c.record) {
                keyboard.readable = true;
                keyboard.State(key) = *c.record;
                fresh.Set(key, *c.record, 0);
            }
            keyboard.readable = c.system.has_value();
            keyboard.State(key) = c.system.value_or(c.record.value_or(false));
            log.clear();

            fresh.Set(key, c.wanted, key == LockKey::NumLock ? kNumId : kScrollId);
            EXPECT_EQ(Taps(), c.tapped ? 1 : 0);
            EXPECT_EQ(fresh.IsOn(key), c.wanted);
        }
    }
    EXPECT_TRUE(keyboard.echoes.empty());
}

TEST_F(LockKeysTest, TheGrabIsReleasedAroundThePressAndOnlyAGrabThatWasHeldComesBack) {
    keys.Set(LockKey::ScrollLock, true, kScrollId);
    EXPECT_EQ(log, (CallLog{"unregister Hotkey17", "tap scroll lock", "register Hotkey17"}));

    hotkeys.Unregister(kNumId);  // the program is inactive: Num Lock is not held
    log.clear();
    keys.Set(LockKey::NumLock, true, kNumId);
    EXPECT_EQ(log, (CallLog{"unregister NumLock", "tap num lock"}));
    EXPECT_FALSE(hotkeys.HoldsKey(kVkNumLock));

    hotkeys.Unregister(kScrollId);
    log.clear();
    keys.Set(LockKey::ScrollLock, false, 0);  // no hot key yet
    EXPECT_EQ(log, CallLog{"tap scroll lock"});
    EXPECT_TRUE(keyboard.echoes.empty());
    EXPECT_FALSE(hotkeys.HoldsKey(kVkScrollLock));
}

TEST_F(LockKeysTest, AUsersPressFlipsTheStateOnceAndTheLightFollows) {
    keys.Set(LockKey::ScrollLock, true, kScrollId);
    struct Step {
        bool pressToggles;  // whether the grabbed press toggled the light by itself
        bool expected;
        int taps;
    };
    for (const Step step : {Step{true, false, 0}, Step{true, true, 0}, Step{false, false, 1}, Step{true, true, 0}}) {
        log.clear();
        if (step.pressToggles) keyboard.scrollLock = !keyboard.scrollLock;
        EXPECT_TRUE(keys.TakeScrollLockPress(kScrollId));
        EXPECT_EQ(keys.IsOn(LockKey::ScrollLock), step.expected);
        EXPECT_EQ(keyboard.scrollLock, step.expected);
        EXPECT_EQ(Taps(), step.taps);
    }
    EXPECT_TRUE(keyboard.echoes.empty());
}

TEST_F(LockKeysTest, TheFirstPressWithoutARecordTakesTheLightAsTheNewState) {
    keyboard.scrollLock = true;  // the press has just switched it on
    EXPECT_TRUE(keys.TakeScrollLockPress(kScrollId));
    EXPECT_TRUE(keys.IsOn(LockKey::ScrollLock));
    EXPECT_EQ(Taps(), 0);

    keyboard.readable = false;  // unreadable: the press is taken to have toggled it
    EXPECT_TRUE(keys.TakeScrollLockPress(kScrollId));
    EXPECT_FALSE(keys.IsOn(LockKey::ScrollLock));
    EXPECT_EQ(Taps(), 0);
}

// The view (GetKeyState) lags where the thread never saw the press as a
// message: showing it on, or, after a press of ours, still off.
TEST_F(LockKeysTest, AUsersNumLockPressIsUndoneWhatTheThreadsViewOfTheKeyboardShows) {
    for (const bool ownPressBefore : {false, true}) {
        SCOPED_TRACE(ownPressBefore ? "after a press of ours" : "a view showing it on");
        LockKeys fresh{keyboard, hotkeys};
        keyboard.numLockShown.reset();
        keyboard.numLock = !ownPressBefore;
        fresh.Set(LockKey::NumLock, true, kNumId);
        keyboard.numLock = false;  // the user's press
        keyboard.numLockShown = !ownPressBefore;
        log.clear();
        fresh.UndoNumLockPress(kNumId);
        EXPECT_TRUE(keyboard.numLock);
        EXPECT_EQ(Taps(), 1);
    }
    // The program's own press coming back leaves the key on.
    keyboard.numLockShown.reset();
    keyboard.numLock = false;
    keys.Set(LockKey::NumLock, true, kNumId);
    log.clear();
    keys.UndoNumLockPress(kNumId);
    EXPECT_EQ(Taps(), 0);
    EXPECT_TRUE(keyboard.numLock);
}

// A system that hands every press of the program's own back as its hot key
// although the grab was released (none known does): each such press is
// recognised and changes nothing, so the chain ends after one.
TEST_F(LockKeysTest, AnOwnPressThatComesBackChangesNothingAndNoLoopCanStart) {
    int tapsDelivered = 0;
    int ownPresses = 0;
    const auto deliverOwnPresses = [&] {
        for (int round = 0; Taps() > tapsDelivered && round < 10; ++round) {
            ++tapsDelivered;
            if (!keys.TakeScrollLockPress(kScrollId)) ++ownPresses;
        }
    };

    keys.Set(LockKey::ScrollLock, true, kScrollId);  // the program switches the light on
    deliverOwnPresses();
    EXPECT_EQ(ownPresses, 1);
    EXPECT_TRUE(keys.IsOn(LockKey::ScrollLock));
    EXPECT_EQ(Taps(), 1);

    // A user's press that toggled the light is the user's.
    keyboard.scrollLock = false;
    EXPECT_TRUE(keys.TakeScrollLockPress(kScrollId));
    EXPECT_FALSE(keys.IsOn(LockKey::ScrollLock));
    deliverOwnPresses();
    EXPECT_EQ(Taps(), 1);

    // A user's press that left the light alone makes one press of ours,
    // whose return ends the chain.
    EXPECT_TRUE(keys.TakeScrollLockPress(kScrollId));
    deliverOwnPresses();
    EXPECT_EQ(Taps(), 2);
    EXPECT_EQ(ownPresses, 2);
    EXPECT_TRUE(keys.IsOn(LockKey::ScrollLock));
    EXPECT_TRUE(keyboard.scrollLock);
}

}  // namespace
}  // namespace keytide
