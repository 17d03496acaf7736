#include "platform/win32/Win32LockKeyboard.h"

#include <windows.h>

namespace keytide::win32 {

namespace {

WORD VirtualKeyOf(platform::LockKey key) { return key == platform::LockKey::ScrollLock ? VK_SCROLL : VK_NUMLOCK; }

}  // namespace

std::optional<bool> Win32LockKeyboard::IsOn(platform::LockKey key) { return (GetKeyState(VirtualKeyOf(key)) & 1) != 0; }

bool Win32LockKeyboard::Tap(platform::LockKey key) {
    const WORD virtualKey = VirtualKeyOf(key);
    // Num Lock is an extended key on the keyboard; typed, it carries the flag.
    const DWORD extended = key == platform::LockKey::NumLock ? KEYEVENTF_EXTENDEDKEY : 0;
    INPUT events[2]{};
    for (INPUT& event : events) {
        event.type = INPUT_KEYBOARD;
        event.ki.wVk = virtualKey;
        event.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
        event.ki.dwFlags = extended;
    }
    events[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    return SendInput(2, events, sizeof(INPUT)) == 2;
}

}  // namespace keytide::win32
