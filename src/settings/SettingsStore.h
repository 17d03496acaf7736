#pragma once
// The [Settings] section of ktd.ini and the start-with-Windows entry: loading
// the section into the settings in force, saving them back, and writing the
// registry value from AutoLoad.
#include <string>
#include <string_view>

#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "settings/Settings.h"

namespace keytide {

// The start-with-Windows entry. It lives under the current user's Run key:
// a standard account cannot write the machine-wide one.
inline constexpr platform::RegistryRoot kRunKeyRoot = platform::RegistryRoot::CurrentUser;
inline constexpr char kRunKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kRunValueName[] = "Keytide";

inline constexpr char kDefaultFontName[] = "Arial";

// The part of a path after its last "\", ":" or "/".
std::string ExecutableFileName(std::string_view path);

class SettingsStore {
public:
    SettingsStore(Settings& settings, platform::FileSystem& files, std::string iniFilePath,
                  platform::Registry& registry, std::string executablePath);

    // Reads the section into the settings, rewriting the start-with-Windows
    // entry right after AutoLoad. A refused registry write or an undecodable
    // OSDColor throws KeytideError; the settings after it keep their values.
    void Load();

    // Writes the settings into the section, in the file's key order. A failed
    // write throws KeytideError; the keys before it stay written.
    void Save();

    // Writes the start-with-Windows entry: the executable's path when on,
    // empty data when off. Throws KeytideError "Failed to set data for
    // 'Keytide'" when the Run key cannot be written.
    void SetAutoLoad(bool on);

    // Removes the Run value named after the executable's file name, if any;
    // failures are ignored.
    void RemoveExecutableRunValue();

private:
    Settings& settings_;
    platform::FileSystem& files_;
    std::string iniFilePath_;
    platform::Registry& registry_;
    std::string executablePath_;
};

}  // namespace keytide
