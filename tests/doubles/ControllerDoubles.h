#pragma once
// Doubles of the hot-key, keyboard, tray, dispatcher and start-up seams. Every
// call is appended to one shared log, so tests can check the order of effects
// across seams.
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "actions/Dispatcher.h"
#include "core/ControllerPorts.h"
#include "platform/Hotkeys.h"
#include "platform/UserMessages.h"

namespace keytide::fakes {

using CallLog = std::vector<std::string>;

class FakeHotkeys : public platform::Hotkeys {
public:
    explicit FakeHotkeys(CallLog& log) : log_(log) {}

    int AtomForName(const char* name) override {
        ++uses[name];
        return IdOf(name);
    }
    void DeleteAtom(int atom) override {
        log_.push_back("delete atom " + NameOf(atom));
        --uses[NameOf(atom)];
    }
    bool Register(int id, std::uint32_t virtualKey) override {
        log_.push_back("register " + NameOf(id));
        if (heldElsewhere.count(virtualKey) || registered.count(id)) return false;
        registered[id] = virtualKey;
        return true;
    }
    bool Unregister(int id) override {
        log_.push_back("unregister " + NameOf(id));
        return registered.erase(id) != 0;
    }

    bool IsRegistered(const std::string& name) const {
        auto atom = atoms.find(name);
        return atom != atoms.end() && registered.count(atom->second) != 0;
    }
    // The atom's value, without adding a use.
    int IdOf(const std::string& name) {
        return atoms.try_emplace(name, 0xC000 + static_cast<int>(atoms.size())).first->second;
    }
    bool HoldsKey(std::uint32_t virtualKey) const {
        for (const auto& [id, key] : registered)
            if (key == virtualKey) return true;
        return false;
    }
    std::string NameOf(int id) const {
        for (const auto& [name, atom] : atoms)
            if (atom == id) return name;
        return "#" + std::to_string(id);
    }

    std::map<std::string, int> atoms;
    std::map<std::string, int> uses;          // adds minus deletes per name
    std::map<int, std::uint32_t> registered;  // id -> virtual key
    std::set<std::uint32_t> heldElsewhere;    // keys another program holds

private:
    CallLog& log_;
};

// The lock keys' toggle states as the system holds them. A tap toggles the
// key, unless refused; a tap made while the program holds the key's hot key
// would come back to the program as that hot key, and is listed in echoes.
class FakeLockKeyboard : public platform::LockKeyboard {
public:
    FakeLockKeyboard(CallLog& log, const FakeHotkeys& hotkeys) : log_(log), hotkeys_(hotkeys) {}

    std::optional<bool> IsOn(platform::LockKey key) override {
        if (!readable) return std::nullopt;
        if (key == platform::LockKey::NumLock && numLockShown) return numLockShown;
        return State(key);
    }
    bool Tap(platform::LockKey key) override {
        log_.push_back(key == platform::LockKey::ScrollLock ? "tap scroll lock" : "tap num lock");
        if (refused) return false;
        State(key) = !State(key);
        if (hotkeys_.HoldsKey(key == platform::LockKey::ScrollLock ? 0x91 : 0x90)) echoes.push_back(key);
        return true;
    }
    bool& State(platform::LockKey key) { return key == platform::LockKey::ScrollLock ? scrollLock : numLock; }

    bool numLock = false;
    bool scrollLock = false;
    bool readable = true;
    // What the thread's view of the keyboard shows of Num Lock where it lags
    // behind the key (a press it never saw as a message).
    std::optional<bool> numLockShown;
    bool refused = false;
    std::vector<platform::LockKey> echoes;

private:
    CallLog& log_;
    const FakeHotkeys& hotkeys_;
};

class RecordingTray : public TrayControl {
public:
    explicit RecordingTray(CallLog& log) : log_(log) {}
    void SetActiveCheck(bool checked) override { activeChecked = checked; }
    void SetOsdEnabledCheck(bool checked) override { osdChecked = checked; }
    void SetCycleIcons(bool cycling) override {
        cycleIcons = cycling;
        log_.push_back(std::string("tray cycle ") + (cycling ? "on" : "off"));
    }
    void SetIconIndex(int index) override {
        iconIndex = index;
        log_.push_back("tray icon " + std::to_string(index));
    }
    void SetIconVisible(bool visible) override {
        iconVisible = visible;
        log_.push_back(std::string("tray visible ") + (visible ? "on" : "off"));
    }
    bool activeChecked = false;
    bool osdChecked = false;
    bool cycleIcons = false;
    int iconIndex = -1;
    bool iconVisible = false;

private:
    CallLog& log_;
};

class RecordingStartup : public StartupSteps {
public:
    explicit RecordingStartup(CallLog& log) : log_(log) {}
    void FillFontList() override { log_.push_back("fill font list"); }
    void LoadSettings() override { log_.push_back("load settings"); }
    void ShowWelcomeScreen() override { log_.push_back("welcome shown"); }
    void HideWelcomeScreen() override { log_.push_back("welcome hidden"); }

private:
    CallLog& log_;
};

class RecordingDispatcher : public SlotDispatcher {
public:
    explicit RecordingDispatcher(CallLog& log) : log_(log) {}
    void Dispatch(int slot, const KeyAssignment& assignment, bool osdEnabled) override {
        log_.push_back("dispatch " + std::to_string(slot));
        slots.push_back(slot);
        labels.push_back(assignment.osdLabel);
        osdFlags.push_back(osdEnabled);
    }
    std::vector<int> slots;
    std::vector<std::string> labels;
    std::vector<bool> osdFlags;

private:
    CallLog& log_;
};

class RecordingMessages : public platform::UserMessages {
public:
    void ShowError(std::string_view caption, std::string_view text) override {
        boxes.push_back(std::string(caption) + "|" + std::string(text));
    }
    std::vector<std::string> boxes;
};

}  // namespace keytide::fakes
