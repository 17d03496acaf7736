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
#include "platform/WindowSystem.h"

namespace keytide::testing {

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
        if (key == keys.end() || !key->second.writable) return false;
        key->second.values[valueName] = {platform::RegistryValueType::String, data};
        return true;
    }
    void DeleteValue(platform::RegistryRoot root, const std::string& keyPath, const std::string& valueName) override {
        deletes.push_back(keyPath + "\\" + valueName);
        auto key = keys.find({root, keyPath});
        if (key != keys.end() && key->second.writable) key->second.values.erase(valueName);
    }

    std::map<Path, Key> keys;
    std::vector<std::string> writes;
    std::vector<std::string> deletes;
};

// Windows are numbers with a class, a title and a style; messages sent or
// posted to them are logged, and sends are answered from a script.
class FakeWindowSystem : public platform::WindowSystem {
public:
    struct Window {
        std::string className;
        std::string title;
        std::uint32_t style = 0;
        bool visible = true;
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
    std::uint32_t WindowStyle(platform::WindowId window) override {
        auto found = windows.find(window);
        return found == windows.end() ? 0 : found->second.style;
    }
    bool IsWindow(platform::WindowId window) override { return windows.count(window) != 0; }
    bool IsWindowVisible(platform::WindowId window) override {
        auto found = windows.find(window);
        return found != windows.end() && found->second.visible;
    }
    void Post(platform::WindowId window, std::uint32_t message, std::uintptr_t wParam,
              std::intptr_t lParam) override {
        log.push_back(Describe("post", window, message, wParam, lParam));
    }
    std::intptr_t Send(platform::WindowId window, std::uint32_t message, std::uintptr_t wParam,
                       std::intptr_t lParam) override {
        log.push_back(Describe("send", window, message, wParam, lParam));
        return Reply(window, message, wParam, lParam).value_or(0);
    }
    std::optional<std::intptr_t> SendWithTimeout(platform::WindowId window, std::uint32_t message,
                                                 std::uintptr_t wParam, std::intptr_t lParam,
                                                 unsigned /*timeoutMs*/) override {
        log.push_back(Describe("send", window, message, wParam, lParam));
        if (window == 0 || hung) return std::nullopt;
        return Reply(window, message, wParam, lParam);
    }
    void ShowWindow(platform::WindowId window, int command) override {
        log.push_back("show " + std::to_string(window) + " " + std::to_string(command));
    }

    static std::string Describe(const char* verb, platform::WindowId window, std::uint32_t message,
                                std::uintptr_t wParam, std::intptr_t lParam) {
        return std::string(verb) + " " + std::to_string(window) + " " + std::to_string(message) + " " +
               std::to_string(wParam) + " " + std::to_string(lParam);
    }

    // Replies by (message, lParam); the most common scripting key for queries.
    std::map<std::pair<std::uint32_t, std::intptr_t>, std::intptr_t> replies;
    std::map<platform::WindowId, Window> windows;
    platform::WindowId foreground = 0;
    platform::WindowId nextId = 100;
    bool hung = false;
    std::vector<std::string> log;

private:
    std::optional<std::intptr_t> Reply(platform::WindowId window, std::uint32_t message, std::uintptr_t,
                                       std::intptr_t lParam) {
        if (window == 0) return 0;
        auto reply = replies.find({message, lParam});
        return reply == replies.end() ? 0 : reply->second;
    }
};

class RecordingStarter : public platform::ProgramStarter {
public:
    void ShellOpen(const std::string& file) override { log.push_back("open " + file); }
    void WinExec(const std::string& commandLine, int showCommand) override {
        log.push_back("exec " + commandLine + " /" + std::to_string(showCommand));
    }
    std::vector<std::string> log;
};

class RecordingKeyInput : public platform::KeyInput {
public:
    void KeyEvent(std::uint8_t virtualKey, std::uint32_t flags) override {
        log.push_back(std::to_string(virtualKey) + (flags & 2 ? " up" : " down"));
    }
    std::vector<std::string> log;
};

}  // namespace keytide::testing
