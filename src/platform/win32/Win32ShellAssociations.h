#pragma once
#include "platform/ShellAssociations.h"

namespace keytide::win32 {

// AssocQueryString for the protocol's open verb. Wine's shell answers from
// the protocol's own key only and does not read the user's choice.
class Win32ShellAssociations final : public platform::ShellAssociations {
public:
    std::optional<std::string> ProtocolOpenCommand(const std::string& protocol) override;
};

}  // namespace keytide::win32
