#pragma once
// Moves the key slots and the two program switches between memory and the
// key sections of ktd.ini.
#include <string>
#include <string_view>

#include "core/KeyAssignment.h"
#include "settings/ini/IniFile.h"
#include "platform/FileSystem.h"

namespace keytide {

// The program's directory (everything up to and including the last "\" or ":"
// of its full file name) followed by "ktd.ini".
std::string IniFilePathFor(std::string_view executablePath);

// Creates the file with the built-in text when nothing exists at path; an
// existing file, even an empty one, is left alone. False when it could not be
// written.
bool WriteDefaultIni(platform::FileSystem& files, const std::string& path);

struct ProgramSwitches {
    bool active = true;  // slot hot keys registered
    bool osd = true;     // key presses show the on-screen display
};

// Reads every slot and both switches, each missing or unreadable value giving
// its default.
void ReadAssignments(const ini::IniFile& file, KeyAssignments& keys, ProgramSwitches& switches);

// Writes all 77 values in a fixed order; throws KeytideError at the first value
// that cannot be written, leaving the earlier ones written.
void WriteAssignments(ini::IniFile& file, const KeyAssignments& keys, const ProgramSwitches& switches);

}  // namespace keytide
