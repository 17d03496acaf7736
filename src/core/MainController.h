#pragma once
// The main controller: the live model of the key slots and switches, the
// program's life from creation to shutdown, and the hot keys. The main window
// translates its messages into calls here.
#include <array>
#include <string>

#include "core/AssignmentStore.h"
#include "actions/Dispatcher.h"
#include "core/ControllerPorts.h"
#include "model/KeySlots.h"
#include "model/KeyAssignment.h"
#include "core/LockKeys.h"
#include "platform/FileSystem.h"
#include "platform/Hotkeys.h"
#include "platform/UserMessages.h"
#include "model/Settings.h"

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

    // The main window has been created.
    void OnCreate();
    // The deferred start, about a second later with the message loop running.
    void OnDeferredStart();
    // Tray menu "Active" (also the left click on the tray icon).
    void ToggleActive();
    // Tray menu "OSD Enabled".
    void ToggleOsd();
    // A hot key arrived with this identifier. While the editor is shown (even
    // minimized or disabled) no slot key is carried out.
    void OnHotKey(int id, bool editorVisible);
    // Before the main window closes, and again as it is destroyed.
    void OnCloseQuery();
    void OnDestroy();
    // The end of the log-on that OnCloseQuery agreed to was called off (another
    // program refused it): the keys released for it are grabbed again.
    void SessionEndCancelled();

    void LoadAssignments();
    void SaveAssignments();

    void RegisterSlotHotkeys();
    void UnregisterSlotHotkeys();
    void SetNumLockHotkey(bool on);
    void SetScrollLockState(bool on);
    void ForceNumLockOn();
    void UpdateNumLock();
    void ShowActiveState();

    KeyAssignments& Assignments() { return keys_; }
    const KeyAssignments& Assignments() const { return keys_; }
    bool IsActive() const { return switches_.active; }
    bool IsOsdEnabled() const { return switches_.osd; }
    void SetActiveFlag(bool active) { switches_.active = active; }
    void SetOsdFlag(bool osd) { switches_.osd = osd; }
    bool IsStartupDone() const { return startupDone_; }
    const std::string& IniFilePath() const { return store_.Path(); }
    int HotkeyId(int entry) const { return hotkeyIds_.at(static_cast<std::size_t>(entry)); }

private:
    void RegisterEntry(int entry, const char* name, std::uint32_t virtualKey);
    void ReleaseHotkeysAtExit();
    void DeleteHotkeyAtoms();

    ControllerServices services_;
    AssignmentStore store_;
    KeyAssignments keys_;
    ProgramSwitches switches_;
    bool startupDone_ = false;
    bool settingsLoaded_ = false;
    // Zero until an entry's key is first registered.
    std::array<int, kHotkeyEntryCount> hotkeyIds_{};
    LockKeys lockKeys_{services_.keyboard, services_.hotkeys};
};

}  // namespace keytide
