#pragma once
// Starting things outside the program: files, documents, addresses, the
// protocol handlers, the calculator, control-panel applets, shell shortcuts,
// the shell's file search.
#include <string>

namespace keytide {

class LaunchOperations {
public:
    virtual ~LaunchOperations() = default;
    virtual void RunFile(const std::string& path) = 0;
    virtual void OpenAddress(const std::string& address) = 0;
    // The program path cut out of the open command of the program the user
    // chose for a protocol, else of the protocol's own key; "" or "none".
    virtual std::string ReadShellOpenCommand(const std::string& protocol) = 0;
    virtual void ToggleCalculator() = 0;
    virtual void RunControlPanelApplet(const std::string& commandLine) = 0;
    virtual void WinKeyChord(char letter) = 0;
    virtual void FindFiles() = 0;
};

}  // namespace keytide
