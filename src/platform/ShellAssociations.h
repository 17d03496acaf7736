#pragma once
// The shell's associations: which program opens what.
#include <optional>
#include <string>

namespace keytide::platform {

class ShellAssociations {
public:
    virtual ~ShellAssociations() = default;
    // The open command of the program that opens a protocol ("mailto",
    // "http") for this user, as the shell reports it; where the user chose one,
    // that choice. Nothing when the shell names none.
    virtual std::optional<std::string> ProtocolOpenCommand(const std::string& protocol) = 0;
};

}  // namespace keytide::platform
