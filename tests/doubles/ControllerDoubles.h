#pragma once
// Doubles of the hot-key, keyboard, tray, dispatcher and start-up seams. Every
// call is appended to one shared log, so tests can check the order of effects
// across seams.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/ControllerPorts.h"
#include "platform/Hotkeys.h"
#include "platform/UserMessages.h"

namespace keytide::testing {

using CallLog = std::vector<std::string>;

class FakeHotkeys : public platform::Hotkeys {
public:
    explicit FakeHotkeys(CallLog& log) : log_(log) {}

    int AtomForName(const char* name) override {
        auto [entry, added] = atoms.try_emplace(name, 0xC000 + static_cast<int>(atoms.size()));
        (void)added;
        return entry->second;
    }
    bool Register(int id, std::uint32_t virtualKey) override {
        log_.push_back("register " + NameOf(id));
        if (heldElsewhere.count(virtualKey) || registered.count(id)) return false;
        registered[id] = virtualKey;
        return true;
    }
    void Unregister(int id) override {
        log_.push_back("unregister " + NameOf(id));
        registered.erase(id);
    }

    bool IsRegistered(const std::string& name) const {
        auto atom = atoms.find(name);
        return atom != atoms.end() && registered.count(atom->second) != 0;
    }
    int IdOf(const std::string& name) { return AtomForName(name.c_str()); }
    std::string NameOf(int id) const {
        for (const auto& [name, atom] : atoms)
            if (atom == id) return name;
        return "#" + std::to_string(id);
    }

    std::map<std::string, int> atoms;
    std::map<int, std::uint32_t> registered;  // id -> virtual key
    std::set<std::uint32_t> heldElsewhere;    // keys another program holds

private:
    CallLog& log_;
};

class FakeKeyboard : public platform::KeyboardState {
public:
    explicit FakeKeyboard(CallLog& log) : log_(log) {}
    platform::KeyboardStateTable Read() override { return table; }
    void Write(const platform::KeyboardStateTable& newTable) override {
        log_.push_back("keyboard scroll=" + std::to_string(newTable[0x91]) + " num=" + std::to_string(newTable[0x90]));
        table = newTable;
    }
    platform::KeyboardStateTable table{};

private:
    CallLog& log_;
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

}  // namespace keytide::testing
