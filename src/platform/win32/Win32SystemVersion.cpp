#include "platform/win32/Win32SystemVersion.h"

#include <windows.h>

namespace keytide::win32 {

namespace {
using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);
}  // namespace

platform::WindowsVersion Win32SystemVersion::Windows() {
    // GetVersionEx answers 6.2 on every later Windows to a program whose
    // manifest does not name it; the kernel's own call tells the truth.
    const auto getVersion = reinterpret_cast<RtlGetVersionFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "RtlGetVersion")));
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (getVersion == nullptr || getVersion(&info) != 0) return {};
    return {static_cast<int>(info.dwMajorVersion), static_cast<int>(info.dwMinorVersion)};
}

}  // namespace keytide::win32
