#include "core/MainController.h"

#include "platform/Error.h"
#include "platform/Names.h"

namespace keytide {

MainController::MainController(ControllerServices services, ConfigFile& iniFile)
    : services_(services), store_(iniFile) {}

void MainController::OnCreate() {
    if (!WriteDefaultIni(services_.files, store_.Path())) {
        // The records exist all the same and load with their defaults.
        services_.messages.ShowError(names::kProgramTitle,
                                     ErrorBoxText(FormatMessage("Cannot create file %s", store_.Path())));
    }
    startupDone_ = false;
    RegisterEntry(kScrollLockEntry, kScrollLockHotkeyName, kVkScrollLock);
    LoadAssignments();
    startupDone_ = true;
}

void MainController::OnDeferredStart() {
    services_.startup.FillFontList();
    services_.startup.LoadSettings();
    if (switches_.active) RegisterSlotHotkeys();
    if (services_.settings.welcomeScreen) services_.startup.ShowWelcomeScreen();
    services_.startup.HideWelcomeScreen();
    services_.tray.SetIconVisible(true);
    if (services_.settings.useScrollLock) SetScrollLockState(switches_.active);
    UpdateNumLock();
    ShowActiveState();
}

void MainController::ToggleActive() {
    switches_.active = !switches_.active;
    services_.tray.SetActiveCheck(switches_.active);
    if (switches_.active) {
        RegisterSlotHotkeys();
    } else {
        UnregisterSlotHotkeys();
    }
    ShowActiveState();
    if (services_.settings.useScrollLock) SetScrollLockState(switches_.active);
    UpdateNumLock();
    SaveAssignments();
}

void MainController::ToggleOsd() {
    switches_.osd = !switches_.osd;
    services_.tray.SetOsdEnabledCheck(switches_.osd);
    SaveAssignments();
}

void MainController::OnHotKey(int id, bool editorVisible) {
    if (id == 0) return;  // no key of ours carries identifier zero
    if (id == hotkeyIds_[kNumLockEntry]) lockKeys_.UndoNumLockPress(id);

    if (id == hotkeyIds_[kScrollLockEntry]) {
        if (!lockKeys_.TakeScrollLockPress(id)) return;  // our own press: nothing happened
        if (editorVisible) return;
        if (services_.settings.useScrollLock) {
            if (lockKeys_.IsOn(platform::LockKey::ScrollLock)) {
                RegisterSlotHotkeys();
                switches_.active = true;
            } else {
                UnregisterSlotHotkeys();
                switches_.active = false;
            }
            SaveAssignments();
            UpdateNumLock();
        }
        ShowActiveState();
    }

    if (editorVisible) return;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (id == hotkeyIds_[static_cast<std::size_t>(slot)]) {
            services_.dispatcher.Dispatch(slot, keys_[slot], switches_.osd);
            return;
        }
    }
}

void MainController::OnCloseQuery() { ReleaseHotkeysAtExit(); }

void MainController::OnDestroy() { ReleaseHotkeysAtExit(); }

void MainController::SessionEndCancelled() {
    RegisterEntry(kScrollLockEntry, kScrollLockHotkeyName, kVkScrollLock);
    if (switches_.active) RegisterSlotHotkeys();
    UpdateNumLock();
}

void MainController::ReleaseHotkeysAtExit() {
    services_.hotkeys.Unregister(hotkeyIds_[kScrollLockEntry]);
    services_.hotkeys.Unregister(hotkeyIds_[kNumLockEntry]);
    UnregisterSlotHotkeys();
    DeleteHotkeyAtoms();
}

void MainController::LoadAssignments() {
    store_.Load(keys_, switches_);
    services_.tray.SetActiveCheck(switches_.active);
    services_.tray.SetOsdEnabledCheck(switches_.osd);
    if (startupDone_ && services_.settings.useScrollLock) SetScrollLockState(switches_.active);
}

void MainController::SaveAssignments() { store_.Save(keys_, switches_); }

void MainController::RegisterEntry(int entry, const char* name, std::uint32_t virtualKey) {
    int& id = hotkeyIds_[static_cast<std::size_t>(entry)];
    // Each atom is added once and deleted once at exit: adding it at every
    // registration would only count up uses that nothing gives back.
    if (id == 0) id = services_.hotkeys.AtomForName(name);
    // A key already held (by us or another program) is simply not delivered.
    services_.hotkeys.Register(id, virtualKey);
}

void MainController::RegisterSlotHotkeys() {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const KeySlot& key = kKeySlots[static_cast<std::size_t>(slot)];
        RegisterEntry(slot, key.hotkeyName, key.virtualKey);
    }
    RegisterEntry(kScrollLockEntry, kScrollLockHotkeyName, kVkScrollLock);
}

void MainController::UnregisterSlotHotkeys() {
    for (int slot = 0; slot < kSlotCount; ++slot) services_.hotkeys.Unregister(hotkeyIds_[static_cast<std::size_t>(slot)]);
}

void MainController::SetNumLockHotkey(bool on) {
    if (on) {
        RegisterEntry(kNumLockEntry, kNumLockHotkeyName, kVkNumLock);
    } else {
        services_.hotkeys.Unregister(hotkeyIds_[kNumLockEntry]);
    }
}

void MainController::SetScrollLockState(bool on) {
    lockKeys_.Set(platform::LockKey::ScrollLock, on, hotkeyIds_[kScrollLockEntry]);
}

void MainController::ForceNumLockOn() { lockKeys_.Set(platform::LockKey::NumLock, true, hotkeyIds_[kNumLockEntry]); }

void MainController::UpdateNumLock() {
    if (services_.settings.useScrollLock && switches_.active) {
        SetNumLockHotkey(true);
        ForceNumLockOn();
    } else {
        SetNumLockHotkey(false);
    }
}

void MainController::ShowActiveState() {
    services_.tray.SetActiveCheck(switches_.active);
    if (!switches_.active) {
        services_.tray.SetCycleIcons(false);
        services_.tray.SetIconIndex(kTrayInactiveIcon);
    } else if (services_.settings.animateTray) {
        services_.tray.SetCycleIcons(true);
    } else {
        services_.tray.SetCycleIcons(false);
        services_.tray.SetIconIndex(kTrayStillActiveIcon);
    }
}

void MainController::DeleteHotkeyAtoms() {
    for (int& id : hotkeyIds_) {
        if (id != 0) services_.hotkeys.DeleteAtom(id);
        id = 0;
    }
}

}  // namespace keytide
