#pragma once
// A held key acts once. The system repeats a held key's hot key (Wine does so
// even for a key registered without repeat), and a file, the calculator's
// toggle or minimize/restore would run again at every repeat. Held volume
// keys go on repeating: that is how the volume ramps.
#include <array>

#include "actions/Dispatcher.h"
#include "model/KeySlots.h"
#include "platform/Hotkeys.h"
#include "platform/IntervalTimer.h"

namespace keytide {

// Whether a held key goes on carrying out its assignment.
bool RepeatsWhileHeld(const KeyAssignment& key);

// Lets a slot's hot key through when it is a new press, or a repeat of an
// assignment that repeats. A press is a repeat when the key has stayed down
// since the last press of the same slot; the release is watched while a key
// is held, as no message tells of it.
class HeldKeyFilter final : public SlotDispatcher {
public:
    // Short against a typematic repeat or a quick second press.
    static constexpr unsigned kReleaseWatchMs = 20;

    HeldKeyFilter(SlotDispatcher& dispatcher, platform::KeyState& keys, platform::IntervalTimer& releaseWatch);

    void Dispatch(int slot, const KeyAssignment& key, bool osdEnabled) override;

private:
    void WatchReleases();

    SlotDispatcher& dispatcher_;
    platform::KeyState& keys_;
    platform::IntervalTimer& releaseWatch_;
    std::array<bool, kSlotCount> held_{};
    bool watching_ = false;
};

}  // namespace keytide
