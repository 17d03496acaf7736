// The tray benchmark's Windows side, run under Wine by scripts/bench.sh
// (make bench). The script starts keytide.exe itself and measures its CPU time
// from outside Wine; this program answers what only a Windows program can see.
//
//   traybench ready     Waits (up to 30 s) until keytide.exe's tray icon is up,
//                       so the deferred start is over; prints "ready".
//   traybench start <keytide.exe>
//                       Starts it from its folder and waits (up to 30 s) for
//                       its tray icon; prints "tray icon after N ms".
//   traybench objects   Prints keytide.exe's GDI and USER object counts
//                       ("gdi N" and "user N" lines, then how they were counted).
//   traybench close     Closes keytide.exe like "Exit" does and prints its exit
//                       code ("exit N").
//
// keytide.exe is found by its tray icon's hidden window; one copy runs at a
// time (the program sees to that). Exit code 0 on success, 2 when something
// could not be measured.
#include <windows.h>
// windows.h first: shellapi.h depends on it.
#include <shellapi.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "GuiObjects.h"
#include "model/Names.h"

using namespace keytide;

namespace {

HWND TrayWindow() { return FindWindowExA(HWND_MESSAGE, nullptr, names::kMessageWindowClass, nullptr); }

bool TrayIconUp(HWND window) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = names::kTrayIconNumber;
    // An empty change: the shell accepts it only for an icon it holds.
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

HANDLE OpenKeytide(DWORD access) {
    HWND window = TrayWindow();
    DWORD pid = 0;
    if (window != nullptr) GetWindowThreadProcessId(window, &pid);
    return pid == 0 ? nullptr : OpenProcess(access, FALSE, pid);
}

int Ready() {
    for (int waited = 0; waited < 30000; waited += 50) {
        HWND window = TrayWindow();
        if (window != nullptr && TrayIconUp(window)) {
            std::printf("ready\n");
            return 0;
        }
        Sleep(50);
    }
    std::printf("keytide.exe's tray icon did not come within 30 s\n");
    return 2;
}

int Start(const std::string& exe) {
    const std::string folder = exe.substr(0, exe.find_last_of('\\'));
    std::string commandLine = "\"" + exe + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const auto started = std::chrono::steady_clock::now();
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process)) {
        std::printf("cannot start %s\n", exe.c_str());
        return 2;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    for (;;) {
        const double waited =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
        HWND window = TrayWindow();
        if (window != nullptr && TrayIconUp(window)) {
            std::printf("tray icon after %.0f ms\n", waited);
            return 0;
        }
        if (waited > 30000) break;
        Sleep(10);
    }
    std::printf("keytide.exe's tray icon did not come within 30 s\n");
    return 2;
}

int Objects() {
    HANDLE process = OpenKeytide(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ);
    if (process == nullptr) {
        std::printf("keytide.exe is not running\n");
        return 2;
    }
    // The program's thread keeps working while the counts are read (the
    // animation, the window manager): the lowest of a few readings is the
    // resting count.
    bench::ObjectCount gdi = bench::GdiObjects(process);
    bench::ObjectCount user = bench::UserObjects(process);
    for (int i = 0; i < 5; ++i) {
        Sleep(100);
        const bench::ObjectCount gdiNow = bench::GdiObjects(process);
        const bench::ObjectCount userNow = bench::UserObjects(process);
        if (gdiNow.count >= 0 && (gdi.count < 0 || gdiNow.count < gdi.count)) gdi = gdiNow;
        if (userNow.count >= 0 && (user.count < 0 || userNow.count < user.count)) user = userNow;
    }
    CloseHandle(process);
    std::printf("gdi %ld\nuser %ld\n", gdi.count, user.count);
    std::printf("counted as: GDI %s; USER %s\n", gdi.method.c_str(), user.method.c_str());
    return gdi.count >= 0 && user.count >= 0 ? 0 : 2;
}

int Close() {
    HANDLE process = OpenKeytide(SYNCHRONIZE | PROCESS_QUERY_INFORMATION);
    HWND program = FindWindowA(names::kTrayWindowClass, nullptr);
    if (process == nullptr || program == nullptr) {
        std::printf("keytide.exe is not running\n");
        return 2;
    }
    PostMessageA(program, WM_CLOSE, 0, 0);
    DWORD code = 0;
    const bool ended = WaitForSingleObject(process, 15000) == WAIT_OBJECT_0 && GetExitCodeProcess(process, &code);
    CloseHandle(process);
    if (!ended) {
        std::printf("keytide.exe did not end within 15 s\n");
        return 2;
    }
    std::printf("exit %lu\n", code);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "ready") return Ready();
    if (command == "start" && argc > 2) return Start(argv[2]);
    if (command == "objects") return Objects();
    if (command == "close") return Close();
    std::printf("usage: traybench ready | start <keytide.exe> | objects | close\n");
    return 2;
}
