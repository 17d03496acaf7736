#include "core/AssignmentStore.h"

#include "core/DefaultIni.h"
#include "platform/Names.h"

namespace keytide {

namespace {
constexpr char kActiveSection[] = "IsActive";
constexpr char kActiveKey[] = "IsKTDActive";
constexpr char kOsdKey[] = "IsOSDActive";
}  // namespace

std::string IniFilePathFor(std::string_view executablePath) {
    auto separator = executablePath.find_last_of("\\:");
    std::string directory(separator == std::string_view::npos ? std::string_view{}
                                                               : executablePath.substr(0, separator + 1));
    return directory + names::kIniFileName;
}

bool WriteDefaultIni(platform::FileSystem& files, const std::string& path) {
    if (files.FileExists(path)) return true;
    return files.WriteFile(path, kDefaultIniText);
}

void ReadAssignments(const ini::IniFile& file, KeyAssignments& keys, ProgramSwitches& switches) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const std::string section = SlotSection(slot);
        KeyAssignment& key = keys[slot];
        key.osdLabel = file.ReadString(section, "OSDLabel", "None");
        key.fileName = file.ReadString(section, "FileName", "");
        key.address = file.ReadString(section, "GoToAdress", "");
        key.actionIndex = file.ReadInteger(section, "Action", 0);
        key.kind = file.ReadInteger(section, "SelectedFunction", 1);
    }
    switches.active = file.ReadBool(kActiveSection, kActiveKey, true);
    switches.osd = file.ReadBool(kActiveSection, kOsdKey, true);
}

void WriteAssignments(ini::IniFile& file, const KeyAssignments& keys, const ProgramSwitches& switches) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const std::string section = SlotSection(slot);
        const KeyAssignment& key = keys[slot];
        file.WriteString(section, "OSDLabel", key.osdLabel);
        file.WriteString(section, "FileName", key.fileName);
        file.WriteString(section, "GoToAdress", key.address);
        file.WriteInteger(section, "Action", key.actionIndex);
        file.WriteInteger(section, "SelectedFunction", key.kind);
    }
    file.WriteBool(kActiveSection, kActiveKey, switches.active);
    file.WriteBool(kActiveSection, kOsdKey, switches.osd);
}

}  // namespace keytide
