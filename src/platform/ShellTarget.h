#pragma once
// How a file, document or address is handed to the shell's execute path.
//
// A name of MAX_PATH (260) UTF-16 units or more never goes to the shell's
// lookup by name: Wine's ShellExecute (8.0) copies it into a MAX_PATH buffer
// on its stack there. A long address goes through the handler of its scheme
// instead, which takes it whole on Windows. A long path is nothing the program
// can open: without long-path support (which the program does not declare)
// Windows finds no file by such a name, so it never passes the existence test.
#include <optional>
#include <string>
#include <string_view>

namespace keytide::platform {

inline constexpr std::size_t kMaxPathUnits = 260;

struct ShellOpenPlan {
    std::string file;       // what the shell is given as the file (UTF-8)
    std::string className;  // empty: found by the file's name; else the class whose handler opens it

    bool operator==(const ShellOpenPlan&) const = default;
};

// The scheme of an address ("http" of "http://example.com", "mailto" of
// "mailto:me@example.com"): a letter, then letters, digits, "+", "-" or ".",
// then ":". One letter before the colon is a drive ("C:\..."), no scheme.
std::optional<std::string> UrlScheme(std::string_view target);

// Length of UTF-8 text in UTF-16 units.
std::size_t Utf16Length(std::string_view utf8);

// True for a path the system's file functions take: shorter than MAX_PATH.
bool FitsMaxPath(std::string_view path);

// How to open the target; nothing for a long name that is no address.
std::optional<ShellOpenPlan> PlanShellOpen(std::string_view target);

}  // namespace keytide::platform
