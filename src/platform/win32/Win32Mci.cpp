#include "platform/win32/Win32Mci.h"

#include <windows.h>
#include <mmsystem.h>

namespace keytide::win32 {

void Win32Mci::SendString(const std::string& command, platform::WindowId callbackWindow) {
    mciSendStringA(command.c_str(), nullptr, 0, reinterpret_cast<HWND>(callbackWindow));
}

}  // namespace keytide::win32
