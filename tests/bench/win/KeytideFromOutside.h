#pragma once
// keytide.exe from the outside, for the benchmarks that drive it: started
// from a work folder with a ktd.ini of the bench's own, its windows found,
// keys pressed, its queue drained, and closed as a user's Exit closes it.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

#include "model/Names.h"

namespace keytide::bench {

using Clock = std::chrono::steady_clock;

inline double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

inline bool WaitFor(const std::function<bool()>& condition, int timeoutMs) {
    const auto start = Clock::now();
    while (!condition()) {
        if (MillisecondsSince(start) > timeoutMs) return false;
        Sleep(1);
    }
    return true;
}

namespace detail {

struct WindowSearch {
    DWORD pid;
    const char* className;
    HWND found;
};

inline BOOL CALLBACK FindClass(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (pid == search->pid && std::strcmp(name, search->className) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace detail

inline HWND FindProcessWindow(DWORD pid, const char* className) {
    detail::WindowSearch search{pid, className, nullptr};
    EnumWindows(&detail::FindClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Whether another program holds the key (a brief registration fails).
inline bool HotKeyHeld(UINT vk) {
    constexpr int kProbeId = 0xBEEF;
    if (RegisterHotKey(nullptr, kProbeId, 0, vk)) {
        UnregisterHotKey(nullptr, kProbeId);
        return false;
    }
    return true;
}

inline void PressKey(WORD vk) {
    INPUT inputs[2] = {};
    for (INPUT& input : inputs) {
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    }
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
}

// Returns once the program has handled everything queued before the call:
// the second round trip can only be answered after the handler of a message
// that was already waiting.
inline void Drain(HWND window) {
    for (int i = 0; i < 2; ++i) {
        DWORD_PTR result = 0;
        SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
    }
}

inline bool WriteText(const std::string& path, const std::string& text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                    written == text.size();
    CloseHandle(file);
    return ok;
}

// A copy of keytide.exe run from the work folder with this ktd.ini. Ready()
// once its windows are there and it holds keypad 5; ended with the object.
class KeytideRun {
public:
    KeytideRun(const std::string& keytideExe, const std::string& work, const std::string& ini) {
        CreateDirectoryA(work.c_str(), nullptr);
        const std::string exe = work + "\\keytide.exe";
        if (!CopyFileA(keytideExe.c_str(), exe.c_str(), FALSE) || !WriteText(work + "\\ktd.ini", ini)) {
            std::printf("cannot prepare %s\n", work.c_str());
            return;
        }
        std::string commandLine = "\"" + exe + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, work.c_str(),
                            &startup, &process_)) {
            std::printf("cannot start %s\n", exe.c_str());
            return;
        }
        CloseHandle(process_.hThread);
        ready_ = WaitFor(
            [&] {
                programWindow_ = FindProcessWindow(process_.dwProcessId, names::kTrayWindowClass);
                return programWindow_ && FindProcessWindow(process_.dwProcessId, names::kOsdTextWindowClass) &&
                       HotKeyHeld(VK_NUMPAD5);
            },
            20000);
        if (!ready_) std::printf("keytide.exe did not get ready (windows and hot keys)\n");
    }
    KeytideRun(const KeytideRun&) = delete;
    KeytideRun& operator=(const KeytideRun&) = delete;
    ~KeytideRun() {
        if (process_.hProcess == nullptr) return;
        if (programWindow_) PostMessageA(programWindow_, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process_.hProcess, 1);
        CloseHandle(process_.hProcess);
    }

    bool Ready() const { return ready_; }
    DWORD Pid() const { return process_.dwProcessId; }
    HANDLE Process() const { return process_.hProcess; }
    // The tray's top-level window: its queue is the program's.
    HWND ProgramWindow() const { return programWindow_; }

private:
    PROCESS_INFORMATION process_{};
    HWND programWindow_ = nullptr;
    bool ready_ = false;
};

}  // namespace keytide::bench
