#pragma once
// The main controller: the key assignments and switches in force, the
// program's life from creation to shutdown, the hot keys, and what "active"
// means. The program's windows state their intent here (a hot key arrived,
// the editor commits its draft, the settings changed); the rule behind each
// lives in one place below.
#include <array>
#include <string>

#include "actions/Dispatcher.h"
#include "core/AssignmentStore.h"
#include "core/ControllerPorts.h"
#include "core/LockKeys.h"
#include "model/KeyAssignment.h"
#include "model/KeySlots.h"
#include "model/Settings.h"
#include "platform/FileSystem.h"
#include "platform/Hotkeys.h"
#include "platform/UserMessages.h"

namespace keytide {

struct ControllerServices {
    platform::FileSystem& files;
    platform::UserMessages& messages;
    platform::Hotkeys& hotkeys;
    platform::LockKeyboard& keyboard;
    TrayControl& tray;
    StartupSteps& startup;
    SlotDispatcher& dispatcher;
    const Settings& settings;
};

// Tray pictures: 0-88 animate while active.
inline constexpr int kTrayLastAnimationPicture = 88;
inline constexpr int kTrayStillActiveIcon = 10;
inline constexpr int kTrayInactiveIcon = 89;

class MainController {
public:
    MainController(ControllerServices services, ConfigFile& iniFile);
    MainController(const MainController&) = delete;
    MainController& operator=(const MainController&) = delete;

    // The program's windows exist: the default file, Scroll Lock, the keys.
    void OnCreate();
    // The deferred start, about a second later with the message loop running.
    void OnDeferredStart();
    // Tray menu "Active" (also the left click on the tray icon).
    void ToggleActive();
    // Tray menu "OSD Enabled".
    void ToggleOsd();
    // A hot key arrived with this identifier.
    void OnHotKey(int id);
    // Before the program ends (the end of the log-on included), and again as
    // it goes.
    void OnCloseQuery();
    void OnDestroy();
    // The end of the log-on that OnCloseQuery agreed to was called off (another
    // program refused it): the keys released for it are grabbed again.
    void SessionEndCancelled();

    // The editor opens on a copy of the keys and switches in force. Until
    // EndEditing the tray icon is away, no slot key is carried out and Scroll
    // Lock only toggles its light.
    KeyConfiguration BeginEditing();
    // The editor's OK: saves the draft and puts it in force. A failing save
    // throws before anything changes.
    void Commit(const KeyConfiguration& draft);
    // The editor's Cancel: the keys and switches are read back from the file.
    void Revert();
    // The editor has gone: the tray icon comes back.
    void EndEditing();
    bool IsEditing() const { return editing_; }

    // The settings dialog's OK.
    void SettingsChanged();

    const KeyConfiguration& InForce() const { return config_; }
    bool IsActive() const { return config_.switches.active; }
    bool IsOsdEnabled() const { return config_.switches.osd; }
    const std::string& IniFilePath() const { return store_.Path(); }

private:
    // Whether a Scroll Lock press brought the change, and so has already put
    // its light where it belongs.
    enum class Cause { Command, ScrollLockPress };

    void SetActive(bool active, Cause cause);
    // The activation rule: the slot keys grabbed exactly while active, the
    // Scroll Lock light showing the state when the option is on, Num Lock held
    // while both are on, and the tray's check marks and picture.
    void ApplyActiveState(Cause cause);
    void ShowSwitches();
    void Load();
    void Save();

    void RegisterEntry(int entry, const char* name, std::uint32_t virtualKey);
    void RegisterSlotHotkeys();
    void UnregisterSlotHotkeys();
    void SetNumLockHotkey(bool on);
    void SetScrollLockState(bool on);
    void ForceNumLockOn();
    void UpdateNumLock();
    void ReleaseHotkeysAtExit();
    void DeleteHotkeyAtoms();

    ControllerServices services_;
    AssignmentStore store_;
    KeyConfiguration config_;
    bool settingsLoaded_ = false;
    bool editing_ = false;
    // Zero until an entry's key is first registered.
    std::array<int, kHotkeyEntryCount> hotkeyIds_{};
    LockKeys lockKeys_{services_.keyboard, services_.hotkeys};
};

}  // namespace keytide
