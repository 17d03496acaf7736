#pragma once
// Doubles of the registry, window-system, program-starting and key-input
// seams. Calls are recorded as readable strings in a shared log.
#include <algorithm>
#include <deque>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "platform/ProgramStarter.h"
#include "platform/Registry.h"
#include "platform/ShellAssociations.h"
#include "platform/SystemVersion.h"
#include "platform/WindowSystem.h"

namespace keytide::fakes {

class FakeRegistry : public platform::Registry {
public:
    struct Key {
        std::map<std::string, platform::RegistryValue> values;
        bool writable = true;
    };
    using Path = std::pair<platform::RegistryRoot, std::string>;

    Key& AddKey(platform::RegistryRoot root, const std::string& path) { return keys[{root, path}]; }
    void SetString(platform::RegistryRoot root, const std::string& path, const std::string& name,
                   const std::string& data) {
        AddKey(root, path).values[name] = {platform::RegistryValueType::String, data};
    }

    std::optional<platform::RegistryValue> ReadValue(platform::RegistryRoot root, const std::string& keyPath,
                                                     const std::string& valueName) override {
        auto key = keys.find({root, keyPath});
        if (key == keys.end()) return std::nullopt;
        auto value = key->second.values.find(valueName);
        if (value == key->second.values.end()) return platform::RegistryValue{};
        return value->second;
    }
    bool WriteString(platform::RegistryRoot root, const std::string& keyPath, const std::string& valueName,
                     const std::string& data) override {
        writes.push_back(keyPath + "\\" + valueName + "=" + data);
        auto key = keys.find({root, keyPath});
        if (key == keys.end()) {
            if (!keysCreatable) return false;
            key = keys.emplace(Path{root, keyPath}, Key{}).first;
        }
        if (!key->second.writable) return false;
        key->second.values[valueName] = {platform::RegistryValueType::String, data};
        return true;
    }
    void DeleteValue(platform::RegistryRoot root, const std::string& keyPath, const std::string& valueName) override {
        deletes.push_back(keyPath + "\\" + valueName);
        auto key = keys.find({root, keyPath});
        if (key != keys.end() && key->second.writable) key->second.values.erase(valueName);
    }

    std::map<Path, Key> keys;
    bool keysCreatable = true;  // false: as for a user who may not create them
    std::vector<std::string> writes;
    std::vector<std::string> deletes;
};

// Windows are numbers with a class, a title and the boxes of their frame;
// what is asked of them is logged in the program's terms.
class FakeWindowSystem : public platform::WindowSystem {
public:
    struct Window {
        std::string className;
        std::string title;
        bool maximizeBox = false;
        bool minimizeBox = false;
        bool visible = true;
        std::string appProgram = {};  // a store app's frame: the program behind it
    };

    platform::WindowId Add(Window window) {
        const platform::WindowId id = nextId++;
        windows[id] = std::move(window);
        return id;
    }

    platform::WindowId ForegroundWindow() override {
        log.push_back("foreground?");
        return foreground;
    }
    platform::WindowId FindTopWindow(const char* className, const char* title) override {
        for (const auto& [id, window] : windows) {
            if (window.className == className && (title == nullptr || window.title == title)) return id;
        }
        return 0;
    }
    platform::WindowId FindAppFrame(const char* programFile) override {
        for (const auto& [id, window] : windows) {
            if (!window.appProgram.empty() && window.appProgram == programFile) return id;
        }
        return 0;
    }
    bool IsWindow(platform::WindowId window) override { return windows.count(window) != 0; }
    bool HasMaximizeBox(platform::WindowId window) override {
        auto found = windows.find(window);
        return found != windows.end() && found->second.maximizeBox;
    }
    bool HasMinimizeBox(platform::WindowId window) override {
        auto found = windows.find(window);
        return found != windows.end() && found->second.minimizeBox;
    }
    void RequestClose(platform::WindowId window) override { Log("close", window); }
    void RequestMaximize(platform::WindowId window) override { Log("maximize", window); }
    void RequestMinimize(platform::WindowId window) override { Log("minimize", window); }
    void RequestRestore(platform::WindowId window) override { Log("restore", window); }
    void StartScreenSaver(platform::WindowId window) override { Log("screen saver", window); }
    void RefreshDesktopWindow(platform::WindowId desktop) override { Log("refresh desktop", desktop); }
    void RepaintDesktop() override { log.push_back("repaint desktop"); }
    std::optional<std::intptr_t> SendPlayerRequest(platform::WindowId window, std::int32_t code, std::int32_t argument,
                                                   unsigned /*timeoutMs*/) override {
        log.push_back("request " + std::to_string(code) + " arg " + std::to_string(argument) + " " +
                      std::to_string(window));
        if (window == 0 || hung) return std::nullopt;
        return 0;
    }
    void PostPlayerCommand(platform::WindowId window, std::uint32_t id) override {
        log.push_back("command " + std::to_string(id) + " " + std::to_string(window));
    }

    static std::string Describe(const char* verb, platform::WindowId window) {
        return std::string(verb) + " " + std::to_string(window);
    }

    std::map<platform::WindowId, Window> windows;
    platform::WindowId foreground = 0;
    platform::WindowId nextId = 100;
    bool hung = false;
    std::vector<std::string> log;

private:
    void Log(const char* verb, platform::WindowId window) { log.push_back(Describe(verb, window)); }
};

// The shell's answers by protocol; a protocol not listed has none.
class FakeShellAssociations : public platform::ShellAssociations {
public:
    std::optional<std::string> ProtocolOpenCommand(const std::string& protocol) override {
        auto found = commands.find(protocol);
        if (found == commands.end()) return std::nullopt;
        return found->second;
    }
    std::map<std::string, std::string> commands;
};

class FakeSystemVersion : public platform::SystemVersion {
public:
    platform::WindowsVersion Windows() override { return version; }
    platform::WindowsVersion version{10, 0};
};

class RecordingStarter : public platform::ProgramStarter {
public:
    void ShellOpen(const std::string& file) override { log.push_back("open " + file); }
    void StartProgram(const std::string& commandLine, platform::ShowState show) override {
        log.push_back("start " + commandLine + (show == platform::ShowState::Normal ? " /normal" : " /?"));
    }
    std::vector<std::string> log;
};

class RecordingKeyInput : public platform::KeyInput {
public:
    void Press(std::uint8_t virtualKey) override { log.push_back(std::to_string(virtualKey) + " down"); }
    void Release(std::uint8_t virtualKey) override { log.push_back(std::to_string(virtualKey) + " up"); }
    std::vector<std::string> log;
};

}  // namespace keytide::fakes
