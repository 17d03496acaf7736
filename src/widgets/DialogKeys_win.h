#pragma once
// The dialog keyboard for the program's own dialog-like windows: Tab and the
// arrow keys move the focus through their controls, Esc sends IDCANCEL and
// Enter IDOK. The message loop offers every message to HandleDialogKeys
// before it translates and dispatches it.
#include <windows.h>

namespace keytide::win32 {

void EnableDialogKeys(HWND window);
void DisableDialogKeys(HWND window);

// True when the message was a dialog key of an enabled window (and has been
// handled); the loop then goes on with the next message.
bool HandleDialogKeys(MSG& message);

}  // namespace keytide::win32
