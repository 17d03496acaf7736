#pragma once
// The application window: the first top-level window, titled with the
// program's title. It carries the program's taskbar button and owns every
// other window; a second copy recognises a running one by its class and title.
#include "platform/win32/WindowBase.h"

namespace keytide::win32 {

class ApplicationWindow final : public WindowBase {
public:
    void Create();
};

}  // namespace keytide::win32
