#pragma once
// The system registry, as far as the program uses it: string values read from
// existing keys, and the start-with-Windows value, whose key may be missing.
#include <optional>
#include <string>

namespace keytide::platform {

enum class RegistryRoot { ClassesRoot, CurrentUser, LocalMachine };

enum class RegistryValueType { Missing, String, Other };

struct RegistryValue {
    RegistryValueType type = RegistryValueType::Missing;
    std::string text;  // the data of a string value (plain or expandable, not expanded)
};

class Registry {
public:
    virtual ~Registry() = default;

    // The value of an existing key opened for reading (never created);
    // nothing when the key cannot be opened.
    virtual std::optional<RegistryValue> ReadValue(RegistryRoot root, const std::string& keyPath,
                                                   const std::string& valueName) = 0;

    // Writes a string value, creating the key when it is missing; false when
    // the key can be neither opened nor created, or the write fails.
    virtual bool WriteString(RegistryRoot root, const std::string& keyPath, const std::string& valueName,
                             const std::string& data) = 0;

    // Removes a value if it is there; failures are ignored.
    virtual void DeleteValue(RegistryRoot root, const std::string& keyPath, const std::string& valueName) = 0;
};

}  // namespace keytide::platform
