#pragma once
// The single-instance check on Windows: the start-up lock (a named mutex of
// the log-on session) and the search of the top-level windows for a running
// copy's editor window.
#include <windows.h>

#include "platform/win32/UniqueHandle.h"

namespace keytide::win32 {

class SingleInstance {
public:
    // Runs the check with the program's own editor window (its title
    // already set). True when this copy is to end; a running copy's window
    // has then been brought forward. The lock is kept for the program's life.
    bool AnotherCopyRuns(HWND ownWindow);

private:
    UniqueKernelHandle lock_;
};

}  // namespace keytide::win32
