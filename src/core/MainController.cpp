#include "core/MainController.h"

#include "model/Error.h"
#include "model/Names.h"

namespace keytide {

MainController::MainController(ControllerServices services, ConfigFile& iniFile)
    : services_(services), store_(iniFile) {}

void MainController::OnCreate() {
    if (!WriteDefaultIni(services_.files, store_.Path())) {
        // The records exist all the same and load with their defaults.
        services_.messages.ShowError(names::kProgramTitle,
                                     platform::ErrorBoxText(FillTemplate("Cannot create file %s", store_.Path())));
    }
    RegisterEntry(kScrollLockEntry, kScrollLockHotkeyName, kVkScrollLock);
    Load();
}

void MainController::OnDeferredStart() {
    services_.startup.FillFontList();
    services_.startup.LoadSettings();
    settingsLoaded_ = true;
    // Before the welcome screen's wait, so that presses during it wait in the
    // queue instead of reaching the program in front.
    if (config_.switches.active) RegisterSlotHotkeys();
    if (services_.settings.welcomeScreen) services_.startup.ShowWelcomeScreen();
    services_.startup.HideWelcomeScreen();
    services_.tray.SetIconVisible(true);
    ApplyActiveState(Cause::Command);
}

void MainController::ToggleActive() { SetActive(!config_.switches.active, Cause::Command); }

void MainController::ToggleOsd() {
    config_.switches.osd = !config_.switches.osd;
    services_.tray.SetOsdEnabledCheck(config_.switches.osd);
    Save();
}

void MainController::OnHotKey(int id) {
    if (id == 0) return;  // no key of ours carries identifier zero
    if (id == hotkeyIds_[kNumLockEntry]) lockKeys_.UndoNumLockPress(id);

    if (id == hotkeyIds_[kScrollLockEntry]) {
        if (!lockKeys_.TakeScrollLockPress(id)) return;  // our own press: nothing happened
        if (editing_) return;
        // Until the settings are loaded Scroll Lock only toggles its light.
        if (settingsLoaded_ && services_.settings.useScrollLock) {
            SetActive(lockKeys_.IsOn(platform::LockKey::ScrollLock), Cause::ScrollLockPress);
        } else {
            ShowSwitches();
        }
    }

    if (editing_) return;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (id == hotkeyIds_[static_cast<std::size_t>(slot)]) {
            services_.dispatcher.Dispatch(slot, config_.keys[slot], config_.switches.osd);
            return;
        }
    }
}

void MainController::OnCloseQuery() { ReleaseHotkeysAtExit(); }

void MainController::OnDestroy() { ReleaseHotkeysAtExit(); }

void MainController::SessionEndCancelled() {
    RegisterEntry(kScrollLockEntry, kScrollLockHotkeyName, kVkScrollLock);
    if (config_.switches.active) RegisterSlotHotkeys();
    UpdateNumLock();
}

KeyConfiguration MainController::BeginEditing() {
    editing_ = true;
    services_.tray.SetIconVisible(false);
    return config_;
}

void MainController::Commit(const KeyConfiguration& draft) {
    store_.Save(draft.keys, draft.switches);
    config_ = draft;
    ApplyActiveState(Cause::Command);
}

void MainController::Revert() {
    Load();
    ApplyActiveState(Cause::Command);
}

void MainController::EndEditing() {
    editing_ = false;
    services_.tray.SetIconVisible(true);
}

void MainController::SettingsChanged() { ApplyActiveState(Cause::Command); }

void MainController::SetActive(bool active, Cause cause) {
    config_.switches.active = active;
    ApplyActiveState(cause);
    // Saved last: a failed save leaves the change in force for this run.
    Save();
}

void MainController::ApplyActiveState(Cause cause) {
    const bool active = config_.switches.active;
    if (active) {
        RegisterSlotHotkeys();
    } else {
        UnregisterSlotHotkeys();
    }
    if (cause == Cause::Command && settingsLoaded_ && services_.settings.useScrollLock) SetScrollLockState(active);
    UpdateNumLock();
    ShowSwitches();
}

void MainController::ShowSwitches() {
    services_.tray.SetActiveCheck(config_.switches.active);
    services_.tray.SetOsdEnabledCheck(config_.switches.osd);
    if (!config_.switches.active) {
        services_.tray.SetCycleIcons(false);
        services_.tray.SetIconIndex(kTrayInactiveIcon);
    } else if (services_.settings.animateTray) {
        services_.tray.SetCycleIcons(true);
    } else {
        services_.tray.SetCycleIcons(false);
        services_.tray.SetIconIndex(kTrayStillActiveIcon);
    }
}

void MainController::Load() {
    store_.Load(config_.keys, config_.switches);
    services_.tray.SetActiveCheck(config_.switches.active);
    services_.tray.SetOsdEnabledCheck(config_.switches.osd);
}

void MainController::Save() { store_.Save(config_.keys, config_.switches); }

void MainController::ReleaseHotkeysAtExit() {
    services_.hotkeys.Unregister(hotkeyIds_[kScrollLockEntry]);
    services_.hotkeys.Unregister(hotkeyIds_[kNumLockEntry]);
    UnregisterSlotHotkeys();
    DeleteHotkeyAtoms();
}

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
    if (settingsLoaded_ && services_.settings.useScrollLock && config_.switches.active) {
        SetNumLockHotkey(true);
        ForceNumLockOn();
    } else {
        SetNumLockHotkey(false);
    }
}

void MainController::DeleteHotkeyAtoms() {
    for (int& id : hotkeyIds_) {
        if (id != 0) services_.hotkeys.DeleteAtom(id);
        id = 0;
    }
}

}  // namespace keytide
