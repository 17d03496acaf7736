#pragma once
// The multimedia command interpreter, for the CD door.
#include <string>

#include "platform/WindowSystem.h"

namespace keytide::platform {

class Mci {
public:
    virtual ~Mci() = default;
    // Carries out a command string with no return buffer; notifications would
    // go to callbackWindow. The result is not used.
    virtual void SendString(const std::string& command, WindowId callbackWindow) = 0;
};

}  // namespace keytide::platform
