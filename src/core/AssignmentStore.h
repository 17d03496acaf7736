#pragma once
// Moves the key slots and the two program switches between memory and the
// key sections of ktd.ini.
#include <optional>
#include <string>
#include <string_view>

#include "model/KeyAssignment.h"
#include "platform/FileSystem.h"
#include "settings/ConfigFile.h"
#include "settings/ini/IniDocument.h"

namespace keytide {

// The program's directory (everything up to and including the last "\" or ":"
// of its full file name) followed by "ktd.ini".
std::string IniFilePathFor(std::string_view executablePath);

// Creates the file with the built-in text when nothing exists at path; an
// existing file, even an empty one, is left alone. False when it could not be
// written.
bool WriteDefaultIni(platform::FileSystem& files, const std::string& path);

// Reads every slot and both switches, each missing or unreadable value giving
// its default.
void ReadAssignments(const ini::IniDocument& file, KeyAssignments& keys, ProgramSwitches& switches);

// Writes all 77 values in a fixed order. A text that the file's encoding
// cannot hold is left out (its line keeps what it had); the message naming the
// first such text is returned.
std::optional<std::string> WriteAssignments(ini::IniDocument& file, const KeyAssignments& keys,
                                            const ProgramSwitches& switches);

class AssignmentStore {
public:
    explicit AssignmentStore(ConfigFile& file);

    const std::string& Path() const { return file_.Path(); }

    // One read of the file; every value of a missing or unreadable file is
    // its default. A file that has gone since it was read or saved is written
    // back with the values it held, which load again.
    void Load(KeyAssignments& keys, ProgramSwitches& switches);

    // One save of all 77 values, or of none. Throws KeytideError:
    // - "Unable to write to <path>" when the file cannot be written, or while
    //   the values in memory are the defaults that stand in for a file that
    //   could not be read (saving them would wipe the user's assignments);
    // - "Cannot store file name <name> in the system's code page; nothing was
    //   saved" (and "Cannot store <text> ..." for a label or address) when
    //   the file's ANSI text cannot hold a value: half a record would change
    //   what a key does.
    void Save(const KeyAssignments& keys, const ProgramSwitches& switches);

private:
    ConfigPart file_;
    KeyConfiguration held_;  // what the file held at the last load or save
};

}  // namespace keytide
