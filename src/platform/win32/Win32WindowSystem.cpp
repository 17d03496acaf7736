#include "platform/win32/Win32WindowSystem.h"

#include <shellapi.h>
#include <shlobj.h>

#include <iterator>
#include <string>
#include <string_view>

#include "platform/win32/UniqueHandle.h"
#include "platform/win32/Win32Launch.h"
#include "platform/win32/WideText.h"
#include "platform/win32/WindowBase.h"

namespace keytide::win32 {

namespace {

// The command of the desktop view's "Refresh" menu item.
constexpr WPARAM kDesktopRefreshCommand = 0xA065;

void PostSysCommand(platform::WindowId window, WPARAM command) {
    if (window == 0) return;  // a null handle would post to this thread's queue
    PostMessageA(ToHwnd(window), WM_SYSCOMMAND, command, 0);
}

UINT ShowCommandFor(platform::ShowState show) {
    switch (show) {
    case platform::ShowState::Normal:
        break;
    }
    return SW_SHOWNORMAL;
}

bool HasStyle(platform::WindowId window, LONG style) {
    return window != 0 && (GetWindowLongA(ToHwnd(window), GWL_STYLE) & style) != 0;
}

// Store apps show in a frame that the shell's frame host owns; the app's own
// process draws into a child window of the frame.
constexpr wchar_t kAppFrameClass[] = L"ApplicationFrameWindow";

struct AppFrameSearch {
    std::wstring programFile;
    HWND frame = nullptr;
    bool childMatches = false;
};

// The file name of the program behind the window; "" when it cannot be asked.
std::wstring ProgramFileOf(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    UniqueKernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process) return {};
    wchar_t path[1024];
    DWORD size = std::size(path);
    if (!QueryFullProcessImageNameW(process.get(), 0, path, &size)) return {};
    const std::wstring_view full(path, size);
    const auto slash = full.find_last_of(L"\\/");
    return std::wstring(slash == std::wstring_view::npos ? full : full.substr(slash + 1));
}

BOOL CALLBACK MatchAppChild(HWND child, LPARAM parameter) {
    auto* search = reinterpret_cast<AppFrameSearch*>(parameter);
    GuardCallback([&] {
        const std::wstring program = ProgramFileOf(child);
        search->childMatches = !program.empty() && CompareStringOrdinal(program.c_str(), -1,
                                                                        search->programFile.c_str(), -1,
                                                                        TRUE) == CSTR_EQUAL;
    });
    return search->childMatches ? FALSE : TRUE;
}

BOOL CALLBACK MatchAppFrame(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<AppFrameSearch*>(parameter);
    wchar_t className[64]{};
    if (GetClassNameW(window, className, static_cast<int>(std::size(className))) == 0 ||
        std::wstring_view(className) != kAppFrameClass) {
        return TRUE;
    }
    EnumChildWindows(window, &MatchAppChild, parameter);
    if (!search->childMatches) return TRUE;
    search->frame = window;
    return FALSE;
}

}  // namespace

platform::WindowId Win32WindowSystem::ForegroundWindow() { return ToWindowId(GetForegroundWindow()); }

platform::WindowId Win32WindowSystem::FindTopWindow(const char* className, const char* title) {
    return ToWindowId(FindWindowA(className, title));
}

platform::WindowId Win32WindowSystem::FindAppFrame(const char* programFile) {
    AppFrameSearch search{Widen(programFile)};
    EnumWindows(&MatchAppFrame, reinterpret_cast<LPARAM>(&search));
    return ToWindowId(search.frame);
}

bool Win32WindowSystem::IsWindow(platform::WindowId window) { return ::IsWindow(ToHwnd(window)) != FALSE; }

bool Win32WindowSystem::HasMaximizeBox(platform::WindowId window) { return HasStyle(window, WS_MAXIMIZEBOX); }

bool Win32WindowSystem::HasMinimizeBox(platform::WindowId window) { return HasStyle(window, WS_MINIMIZEBOX); }

void Win32WindowSystem::RequestClose(platform::WindowId window) { PostSysCommand(window, SC_CLOSE); }

void Win32WindowSystem::RequestMaximize(platform::WindowId window) { PostSysCommand(window, SC_MAXIMIZE); }

void Win32WindowSystem::RequestMinimize(platform::WindowId window) { PostSysCommand(window, SC_MINIMIZE); }

void Win32WindowSystem::RequestRestore(platform::WindowId window) { PostSysCommand(window, SC_RESTORE); }

void Win32WindowSystem::StartScreenSaver(platform::WindowId window) {
    if (window == 0) return;
    SendMessageA(ToHwnd(window), WM_SYSCOMMAND, SC_SCREENSAVE, 0);
}

void Win32WindowSystem::RefreshDesktopWindow(platform::WindowId desktop) {
    if (desktop == 0) return;
    SendMessageA(ToHwnd(desktop), WM_COMMAND, kDesktopRefreshCommand, 0);
}

void Win32WindowSystem::RepaintDesktop() {
    // The shell rereads the desktop folder when told it changed; the redraw
    // repaints the screen as it stands.
    PIDLIST_ABSOLUTE desktopFolder = nullptr;
    if (SUCCEEDED(SHGetFolderLocation(nullptr, CSIDL_DESKTOP, nullptr, 0, &desktopFolder))) {
        SHChangeNotify(SHCNE_UPDATEDIR, SHCNF_IDLIST, desktopFolder, nullptr);
        CoTaskMemFree(desktopFolder);
    }
    RedrawWindow(nullptr, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

std::optional<std::intptr_t> Win32WindowSystem::SendPlayerRequest(platform::WindowId window, std::int32_t code,
                                                                  std::int32_t argument, unsigned timeoutMs) {
    if (window == 0) return std::nullopt;
    // The player reads the request code from lParam and the argument, a
    // signed number (-1 stays all ones), from wParam.
    const auto wParam = static_cast<WPARAM>(static_cast<INT_PTR>(argument));
    DWORD_PTR reply = 0;
    if (!SendMessageTimeoutA(ToHwnd(window), WM_USER, wParam, code, SMTO_ABORTIFHUNG | SMTO_BLOCK, timeoutMs, &reply)) {
        return std::nullopt;
    }
    return static_cast<std::intptr_t>(reply);
}

void Win32WindowSystem::PostPlayerCommand(platform::WindowId window, std::uint32_t id) {
    if (window == 0) return;
    PostMessageA(ToHwnd(window), WM_COMMAND, id, 0);
}

void Win32ProgramStarter::ShellOpen(const std::string& file) { OpenWithShell(file); }

void Win32ProgramStarter::StartProgram(const std::string& commandLine, platform::ShowState show) {
    StartCommandLine(commandLine, static_cast<int>(ShowCommandFor(show)));
}

void Win32KeyInput::Press(std::uint8_t virtualKey) { keybd_event(virtualKey, 0, 0, 0); }

void Win32KeyInput::Release(std::uint8_t virtualKey) { keybd_event(virtualKey, 0, KEYEVENTF_KEYUP, 0); }

void Win32MediaKeys::Tap(platform::MediaKey key) {
    WORD virtualKey = VK_MEDIA_PLAY_PAUSE;
    switch (key) {
    case platform::MediaKey::PlayPause: virtualKey = VK_MEDIA_PLAY_PAUSE; break;
    case platform::MediaKey::NextTrack: virtualKey = VK_MEDIA_NEXT_TRACK; break;
    case platform::MediaKey::PreviousTrack: virtualKey = VK_MEDIA_PREV_TRACK; break;
    case platform::MediaKey::Stop: virtualKey = VK_MEDIA_STOP; break;
    }
    INPUT events[2]{};
    for (INPUT& event : events) {
        event.type = INPUT_KEYBOARD;
        event.ki.wVk = virtualKey;
        event.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
        // Media keys are extended keys on every keyboard: without the flag
        // their scan codes would read as letters.
        event.ki.dwFlags = KEYEVENTF_EXTENDEDKEY;
        event.ki.dwExtraInfo = platform::kOwnInputMark;
    }
    events[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    SendInput(2, events, sizeof(INPUT));
}

}  // namespace keytide::win32
