#pragma once
// The program's own top-level windows, as the actions that touch them see them.
#include "platform/WindowSystem.h"

namespace keytide::platform {

class ProgramWindows {
public:
    virtual ~ProgramWindows() = default;
    // The main window (the assignment editor), 0 while it does not exist.
    virtual WindowId MainWindow() = 0;
    // The window that carries the program's taskbar button.
    virtual WindowId ApplicationWindow() = 0;
    virtual bool IsAboutWindowVisible() = 0;
};

}  // namespace keytide::platform
