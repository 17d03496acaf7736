#pragma once
// The [Settings] section of ktd.ini and the start-with-Windows entry: loading
// the section into the settings in force, saving them back, and writing the
// registry value from AutoLoad.
#include <string>
#include <string_view>
#include <vector>

#include "model/Settings.h"
#include "platform/Registry.h"
#include "settings/ConfigFile.h"

namespace keytide {

// The start-with-Windows entry. It lives under the current user's Run key:
// a standard account cannot write the machine-wide one.
inline constexpr platform::RegistryRoot kRunKeyRoot = platform::RegistryRoot::CurrentUser;
inline constexpr char kRunKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kRunValueName[] = "Keytide";

class SettingsStore {
public:
    // installedFonts: the faces the OSD font may take, filled at the deferred start.
    SettingsStore(Settings& settings, const std::vector<std::string>& installedFonts, ConfigFile& iniFile,
                  platform::Registry& registry, std::string executablePath);

    // Reads the section into the settings (one read of the file), rewriting
    // the start-with-Windows entry right after AutoLoad. The font takes the
    // installed face of the stored name (letter case counting); failing that
    // it stays, if installed, and otherwise falls back to "Arial" or none. A refused registry
    // write or an undecodable OSDColor does not end the load: the colour takes
    // its default, the rest loads, and the messages come back to be shown.
    // A missing or unreadable file gives every setting its default; a file
    // that has gone since it was read or saved is written back first.
    [[nodiscard]] std::vector<std::string> Load();

    // Writes the settings into the section, in the file's key order, in one
    // save. Throws KeytideError "Unable to write to <path>" when the file
    // cannot be written (nothing is then), or while the settings in force
    // stand in for a file that could not be read; "Cannot store <font name>
    // in the system's code page" after saving the rest when the file's ANSI
    // text cannot hold the font name.
    void Save();

    // Brings the start-with-Windows entry in line with the switch: when on,
    // the executable's path in quotes (a path with blanks is otherwise read
    // as a program at its first blank), the Run key created if missing; when
    // off, empty data where a value is there. An entry that already says it
    // is left alone, and so is an old unquoted path of this very program when
    // it cannot be quoted. Throws KeytideError "Failed to set data for
    // 'Keytide'" when a needed write fails.
    void SetAutoLoad(bool on);

    // Removes the Run value named after the executable's file name, if any;
    // failures are ignored.
    void RemoveExecutableRunValue();

private:
    Settings& settings_;
    const std::vector<std::string>& installedFonts_;
    platform::Registry& registry_;
    std::string executablePath_;
    Settings held_;  // what the file held at the last load or save
    ConfigPart iniFile_;
};

}  // namespace keytide
