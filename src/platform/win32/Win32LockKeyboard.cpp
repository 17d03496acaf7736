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
    const auto keyEvent = [&](DWORD flags) {
        INPUT event{};
        event.type = INPUT_KEYBOARD;
        event.ki.wVk = virtualKey;
        event.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
        event.ki.dwFlags = extended | flags;
        return event;
    };
    // A key that is down does not toggle when it goes down again. While the
    // press being answered is still held (a user's finger is slower than the
    // program), ours would change nothing, so that key is let go first.
    INPUT events[3]{};
    UINT count = 0;
    if ((GetAsyncKeyState(virtualKey) & 0x8000) != 0) events[count++] = keyEvent(KEYEVENTF_KEYUP);
    events[count++] = keyEvent(0);
    events[count++] = keyEvent(KEYEVENTF_KEYUP);
    return SendInput(count, events, sizeof(INPUT)) == count;
}

bool Win32KeyState::IsDown(std::uint32_t virtualKey) {
    return (GetAsyncKeyState(static_cast<int>(virtualKey)) & 0x8000) != 0;
}

}  // namespace keytide::win32
