#pragma once
#include "platform/Hotkeys.h"

namespace keytide::win32 {

// GetKeyState reads this thread's view of the keys, which the system brings
// up to date with the keyboard while the thread is not itself handling key
// input (as here: the program never has the keyboard focus when it asks).
// Wine (8.0) leaves out toggles made before the thread first took input until
// the key is toggled again. SetKeyboardState would only change this thread's
// view, never the keyboard's, so the keys are toggled by synthetic input as
// the user toggles them.
class Win32LockKeyboard final : public platform::LockKeyboard {
public:
    std::optional<bool> IsOn(platform::LockKey key) override;
    bool Tap(platform::LockKey key) override;
};

class Win32KeyState final : public platform::KeyState {
public:
    bool IsDown(std::uint32_t virtualKey) override;
};

}  // namespace keytide::win32
