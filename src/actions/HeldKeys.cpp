#include "actions/HeldKeys.h"

namespace keytide {

bool RepeatsWhileHeld(const KeyAssignment& key) { return CarriesVolumeAction(key); }

HeldKeyFilter::HeldKeyFilter(SlotDispatcher& dispatcher, platform::KeyState& keys,
                             platform::IntervalTimer& releaseWatch)
    : dispatcher_(dispatcher), keys_(keys), releaseWatch_(releaseWatch) {}

void HeldKeyFilter::Dispatch(int slot, const KeyAssignment& key, bool osdEnabled) {
    if (!IsSlot(slot)) return;
    bool& held = held_[static_cast<std::size_t>(slot)];
    const bool down = keys_.IsDown(kKeySlots[static_cast<std::size_t>(slot)].virtualKey);
    const bool repeat = held && down;
    // Marked before the dispatch: a box it shows runs a message loop in which
    // the repeats of this very key arrive.
    held = down;
    if (down && !watching_) {
        watching_ = true;
        releaseWatch_.Start(kReleaseWatchMs, [this] { WatchReleases(); });
    }
    if (repeat && !RepeatsWhileHeld(key)) return;
    dispatcher_.Dispatch(slot, key, osdEnabled);
}

void HeldKeyFilter::WatchReleases() {
    bool anyHeld = false;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        bool& held = held_[static_cast<std::size_t>(slot)];
        if (held) held = keys_.IsDown(kKeySlots[static_cast<std::size_t>(slot)].virtualKey);
        anyHeld = anyHeld || held;
    }
    if (!anyHeld) {
        watching_ = false;
        releaseWatch_.Stop();
    }
}

}  // namespace keytide
