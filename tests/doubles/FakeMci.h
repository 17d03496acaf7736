#pragma once
#include <string>
#include <vector>

#include "platform/Mci.h"

namespace keytide::fakes {

class RecordingMci : public platform::Mci {
public:
    void SendString(const std::string& command, platform::WindowId callbackWindow) override {
        log.push_back(command + " -> " + std::to_string(callbackWindow));
    }
    std::vector<std::string> log;
};

}  // namespace keytide::fakes
