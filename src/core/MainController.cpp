#include "core/MainController.h"

#include "core/Error.h"
#include "core/Names.h"

namespace keytide {

namespace {
constexpr std::size_t kScrollLockByte = kVkScrollLock;
constexpr std::size_t kNumLockByte = kVkNumLock;
}  // namespace

MainController::MainController(ControllerServices services, std::string iniFilePath)
    : services_(services), iniFile_(services.files, std::move(iniFilePath)) {}

void MainController::FormCreate() {
    if (!WriteDefaultIni(services_.files, iniFile_.Path())) {
        // The records exist all the same and load with their defaults.
        services_.messages.ShowError(names::kProgramTitle,
                                     ErrorBoxText(FormatMessage("Cannot create file %s", iniFile_.Path())));
    }
    startupDone_ = false;
    RegisterEntry(kScrollLockEntry, kScrollLockHotkeyName, kVkScrollLock);
    LoadKeys();
    startupDone_ = true;
}

void MainController::kesesTimer() {
    services_.startup.FillFontList();
    services_.startup.LoadSettings();
    if (switches_.active) RegHotkeys();
    if (services_.settings.WelcomeScrChk) services_.startup.ShowWelcomeScreen();
    services_.startup.HideWelcomeScreen();
    services_.tray.SetIconVisible(true);
    if (services_.settings.UseScrollLockChk) SetScrollLockState(switches_.active);
    UpdateNumLock();
    ShowActiveState();
}

void MainController::Active1Click() {
    switches_.active = !switches_.active;
    services_.tray.SetActiveCheck(switches_.active);
    if (switches_.active) {
        RegHotkeys();
    } else {
        UnRegHotKeys();
    }
    ShowActiveState();
    if (services_.settings.UseScrollLockChk) SetScrollLockState(switches_.active);
    UpdateNumLock();
    SaveKeys();
}

void MainController::OSDEnabled1Click() {
    switches_.osd = !switches_.osd;
    services_.tray.SetOsdEnabledCheck(switches_.osd);
    SaveKeys();
}

void MainController::WMHotKey(int id) {
    if (id == 0) return;  // no key of ours carries identifier zero
    if (id == hotkeyIds_[kNumLockEntry]) ForceNumLockOn();

    if (id == hotkeyIds_[kScrollLockEntry]) {
        // The grab swallows the press, so the light is toggled here; any entry
        // other than exactly 1 (0x81: held and toggled) counts as off.
        auto table = services_.keyboard.Read();
        table[kScrollLockByte] = table[kScrollLockByte] == 1 ? 0 : 1;
        services_.keyboard.Write(table);
        if (services_.mainWindow.IsVisible()) return;
        if (services_.settings.UseScrollLockChk) {
            if (table[kScrollLockByte] == 1) {
                RegHotkeys();
                switches_.active = true;
            } else {
                UnRegHotKeys();
                switches_.active = false;
            }
            SaveKeys();
            UpdateNumLock();
        }
        ShowActiveState();
    }

    if (services_.mainWindow.IsVisible()) return;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (id == hotkeyIds_[static_cast<std::size_t>(slot)]) {
            if (dispatcher_ != nullptr) dispatcher_->DispatchSlot(slot);
            return;
        }
    }
}

void MainController::FormCloseQuery() { ReleaseHotkeysAtExit(); }

void MainController::FormDestroy() { ReleaseHotkeysAtExit(); }

void MainController::SessionEndCancelled() {
    RegisterEntry(kScrollLockEntry, kScrollLockHotkeyName, kVkScrollLock);
    if (switches_.active) RegHotkeys();
    UpdateNumLock();
}

void MainController::ReleaseHotkeysAtExit() {
    services_.hotkeys.Unregister(hotkeyIds_[kScrollLockEntry]);
    services_.hotkeys.Unregister(hotkeyIds_[kNumLockEntry]);
    UnRegHotKeys();
}

void MainController::LoadKeys() {
    ReadAssignments(iniFile_, keys_, switches_);
    services_.tray.SetActiveCheck(switches_.active);
    services_.tray.SetOsdEnabledCheck(switches_.osd);
    if (startupDone_ && services_.settings.UseScrollLockChk) SetScrollLockState(switches_.active);
}

void MainController::SaveKeys() { WriteAssignments(iniFile_, keys_, switches_); }

void MainController::RegisterEntry(int entry, const char* name, std::uint32_t virtualKey) {
    const int id = services_.hotkeys.AtomForName(name);
    hotkeyIds_[static_cast<std::size_t>(entry)] = id;
    // A key already held (by us or another program) is simply not delivered.
    services_.hotkeys.Register(id, virtualKey);
}

void MainController::RegHotkeys() {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const KeySlot& key = kKeySlots[static_cast<std::size_t>(slot)];
        RegisterEntry(slot, key.hotkeyName, key.virtualKey);
    }
    RegisterEntry(kScrollLockEntry, kScrollLockHotkeyName, kVkScrollLock);
}

void MainController::UnRegHotKeys() {
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
    auto table = services_.keyboard.Read();
    table[kScrollLockByte] = on ? 1 : 0;
    services_.keyboard.Write(table);
}

void MainController::ForceNumLockOn() {
    auto table = services_.keyboard.Read();
    table[kNumLockByte] = 1;
    services_.keyboard.Write(table);
}

void MainController::UpdateNumLock() {
    if (services_.settings.UseScrollLockChk && switches_.active) {
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
    } else if (services_.settings.AnimateSystrayChk) {
        services_.tray.SetCycleIcons(true);
    } else {
        services_.tray.SetCycleIcons(false);
        services_.tray.SetIconIndex(kTrayStillActiveIcon);
    }
}

}  // namespace keytide
