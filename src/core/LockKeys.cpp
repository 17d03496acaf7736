#include "core/LockKeys.h"

#include "model/KeySlots.h"

namespace keytide {

using platform::LockKey;

bool LockKeys::IsOn(LockKey key) const { return records_[static_cast<std::size_t>(key)].on.value_or(false); }

bool LockKeys::Tap(LockKey key, int grabId) {
    const bool released = grabId != 0 && hotkeys_.Unregister(grabId);
    const bool tapped = keyboard_.Tap(key);
    if (released) hotkeys_.Register(grabId, key == LockKey::ScrollLock ? kVkScrollLock : kVkNumLock);
    return tapped;
}

void LockKeys::Set(LockKey key, bool on, int grabId) {
    Record& record = RecordOf(key);
    // Without the system's state, the record says where the key stands; with
    // neither, nothing is known and a press could as well switch it off.
    const std::optional<bool> system = keyboard_.IsOn(key);
    const std::optional<bool> current = system.has_value() ? system : record.on;
    if (current.has_value() && *current != on && Tap(key, grabId)) record.ownPressOut = true;
    record.on = on;
}

bool LockKeys::OwnPressCameBack(LockKey key, std::optional<bool> system) {
    Record& record = RecordOf(key);
    if (!record.ownPressOut) return false;
    record.ownPressOut = false;
    // Our own press leaves the system where we put it; a user's press
    // toggles it away from there.
    return system.has_value() && record.on.has_value() && *system == *record.on;
}

bool LockKeys::TakeScrollLockPress(int grabId) {
    Record& record = RecordOf(LockKey::ScrollLock);
    const std::optional<bool> system = keyboard_.IsOn(LockKey::ScrollLock);
    if (OwnPressCameBack(LockKey::ScrollLock, system)) return false;
    // The grabbed press has already toggled the system's state (as Windows
    // and Wine do), so the state before it is the record's, or the opposite
    // of what the system reads now.
    const bool before = record.on.has_value() ? *record.on : (system.has_value() && !*system);
    record.on = !before;
    if (system.has_value() && *system != *record.on && Tap(LockKey::ScrollLock, grabId)) record.ownPressOut = true;
    return true;
}

void LockKeys::UndoNumLockPress(int grabId) {
    if (OwnPressCameBack(LockKey::NumLock, keyboard_.IsOn(LockKey::NumLock))) return;
    // The press was swallowed as the hot key, so this thread's view of the
    // keyboard need not show that it switched the key off: what the key was
    // before, on, says so.
    Record& record = RecordOf(LockKey::NumLock);
    if (Tap(LockKey::NumLock, grabId)) record.ownPressOut = true;
    record.on = true;
}

}  // namespace keytide
