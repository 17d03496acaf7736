#include "shell/OwnWindows_win.h"

namespace keytide::win32 {

void Win32OwnWindows::ShowMainWindow() {
    ShowWindow(main_, IsIconic(main_) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(main_);
}

}  // namespace keytide::win32
