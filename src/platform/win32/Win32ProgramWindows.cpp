#include "platform/win32/Win32ProgramWindows.h"

#include <cstring>

#include "platform/Names.h"
#include "platform/win32/Win32WindowSystem.h"

namespace keytide::win32 {

namespace {

struct ClassSearch {
    const char* className;
    HWND found;
};

BOOL CALLBACK MatchClass(HWND window, LPARAM parameter) noexcept {
    auto* search = reinterpret_cast<ClassSearch*>(parameter);
    char className[64]{};
    if (GetClassNameA(window, className, sizeof className) > 0 && std::strcmp(className, search->className) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND Win32ProgramWindows::FindOwnWindow(const char* className) const {
    ClassSearch search{className, nullptr};
    EnumThreadWindows(threadId_, &MatchClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

platform::WindowId Win32ProgramWindows::MainWindow() { return ToWindowId(FindOwnWindow(names::kMainWindowClass)); }

platform::WindowId Win32ProgramWindows::ApplicationWindow() {
    return ToWindowId(FindOwnWindow(names::kApplicationWindowClass));
}

bool Win32ProgramWindows::IsAboutWindowVisible() { return isAboutVisible_ && isAboutVisible_(); }

}  // namespace keytide::win32
