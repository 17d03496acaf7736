#pragma once
#include "platform/ProgramWindows.h"

namespace keytide::fakes {

class FakeProgramWindows : public platform::ProgramWindows {
public:
    platform::WindowId MainWindow() override { return mainWindow; }
    platform::WindowId ApplicationWindow() override { return applicationWindow; }
    bool IsAboutWindowVisible() override { return aboutVisible; }

    platform::WindowId mainWindow = 0;
    platform::WindowId applicationWindow = 0;
    bool aboutVisible = false;
};

}  // namespace keytide::fakes
