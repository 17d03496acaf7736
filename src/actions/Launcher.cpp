#include "actions/Launcher.h"

#include <algorithm>
#include <cctype>

#include "model/Error.h"

namespace keytide {

namespace {

constexpr char kNoCommand[] = "none";
constexpr char kCalculatorProgram[] = "calc.exe";
constexpr std::uint8_t kVkLeftWindows = 0x5B;
// An Explorer window searching the indexed places, its search box waiting.
constexpr char kFileSearch[] = "search-ms:";

// The classic calculator's and the Windows 7 calculator's window classes.
constexpr const char* kCalculatorClasses[] = {"SciCalc", "CalcFrame"};
// Today's calculator app by its program, Windows 11's and Windows 10's: its
// frame's title is in the user's language.
constexpr const char* kCalculatorApps[] = {"CalculatorApp.exe", "Calculator.exe"};

bool StartsWithIgnoringAsciiCase(const std::string& text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    return std::equal(prefix.begin(), prefix.end(), text.begin(), [](char expected, char actual) {
        return expected == static_cast<char>(std::tolower(static_cast<unsigned char>(actual)));
    });
}

}  // namespace

std::string CutQuotedCommand(const std::string& command) {
    // A quoted program path ends at its closing quote, so that a quoted
    // argument such as "%1" after it (the form today's browsers register)
    // does not become part of the path.
    const auto closingQuote =
        !command.empty() && command.front() == '"' ? command.find('"', 1) : command.rfind('"');
    if (closingQuote == std::string::npos || closingQuote < 2) return {};
    return command.substr(1, closingQuote - 1);
}

std::string AddressToOpen(const std::string& address) {
    if (StartsWithIgnoringAsciiCase(address, "http://") || StartsWithIgnoringAsciiCase(address, "https://")) {
        return address;
    }
    return "http://" + address;
}

void Launcher::RunFile(const std::string& path) {
    if (path.empty() || path == kNoCommand) return;
    if (services_.files.FileExists(path)) {
        services_.starter.ShellOpen(path);
    } else {
        services_.messages.ShowError("Error", "File \"" + path + "\" does not exists!");
    }
}

void Launcher::OpenAddress(const std::string& address) {
    if (address.empty()) return;
    services_.starter.ShellOpen(AddressToOpen(address));
}

platform::WindowId FindCalculator(platform::WindowSystem& windows) {
    for (const char* className : kCalculatorClasses) {
        if (const auto window = windows.FindTopWindow(className, nullptr)) return window;
    }
    for (const char* program : kCalculatorApps) {
        if (const auto frame = windows.FindAppFrame(program)) return frame;
    }
    return 0;
}

std::string Launcher::ReadShellOpenCommand(const std::string& protocol) {
    // Today's systems keep the user's choice apart from the protocol's own
    // key, which names the program that registered itself there last.
    if (const auto chosen = services_.associations.ProtocolOpenCommand(protocol); chosen && !chosen->empty()) {
        return CutQuotedCommand(*chosen);
    }
    const auto value = services_.registry.ReadValue(platform::RegistryRoot::ClassesRoot,
                                                    protocol + "\\shell\\open\\command", "");
    if (!value) return kNoCommand;
    switch (value->type) {
    case platform::RegistryValueType::Missing:
        return {};
    case platform::RegistryValueType::Other:
        throw KeytideError(FillTemplate("Invalid data type for '%s'", ""));
    case platform::RegistryValueType::String:
        break;
    }
    return CutQuotedCommand(value->text);
}

void Launcher::ToggleCalculator() {
    if (const auto calculator = FindCalculator(services_.windows)) {
        services_.windows.RequestClose(calculator);
    } else {
        services_.starter.ShellOpen(kCalculatorProgram);
    }
}

void Launcher::RunControlPanelApplet(const std::string& commandLine) {
    services_.starter.StartProgram(commandLine, platform::ShowState::Normal);
}

bool WindowsKeyFindsFiles(platform::WindowsVersion version) { return version.major < 10; }

void Launcher::FindFiles() {
    if (WindowsKeyFindsFiles(services_.system.Windows())) {
        WinKeyChord('F');
    } else {
        services_.starter.ShellOpen(kFileSearch);
    }
}

void Launcher::WinKeyChord(char letter) {
    const auto letterKey = static_cast<std::uint8_t>(std::toupper(static_cast<unsigned char>(letter)));
    services_.keys.Press(kVkLeftWindows);
    services_.keys.Press(letterKey);
    services_.keys.Release(letterKey);
    services_.keys.Release(kVkLeftWindows);
}

}  // namespace keytide
