#include "core/AssignmentStore.h"

#include "core/DefaultIni.h"
#include "model/Error.h"
#include "model/Names.h"
#include "platform/FilePath.h"

namespace keytide {

namespace {
constexpr char kActiveSection[] = "IsActive";
constexpr char kActiveKey[] = "IsKTDActive";
constexpr char kOsdKey[] = "IsOSDActive";
constexpr char kUnstorableFileName[] = "Cannot store file name %s in the system's code page";
constexpr char kUnstorableText[] = "Cannot store %s in the system's code page";
constexpr char kNothingSaved[] = "; nothing was saved";
}  // namespace

std::string IniFilePathFor(std::string_view executablePath) {
    return std::string(platform::DirectoryOf(executablePath)) + names::kIniFileName;
}

bool WriteDefaultIni(platform::FileSystem& files, const std::string& path) {
    if (files.FileExists(path)) return true;
    return files.WriteReplacing(path, kDefaultIniText);
}

void ReadAssignments(const ini::IniDocument& file, KeyAssignments& keys, ProgramSwitches& switches) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const std::string section = SlotSection(slot);
        KeyAssignment& key = keys[slot];
        key.osdLabel = file.ReadString(section, "OSDLabel", "None");
        key.fileName = file.ReadString(section, "FileName", "");
        key.address = file.ReadString(section, "GoToAdress", "");
        key.actionIndex = file.ReadInteger(section, "Action", 0);
        key.kind = StoredKind::FromFile(file.ReadInteger(section, "SelectedFunction", 1));
    }
    switches.active = file.ReadBool(kActiveSection, kActiveKey, true);
    switches.osd = file.ReadBool(kActiveSection, kOsdKey, true);
}

std::optional<std::string> WriteAssignments(ini::IniDocument& file, const KeyAssignments& keys,
                                            const ProgramSwitches& switches) {
    std::optional<std::string> unstorable;
    const auto writeText = [&](const std::string& section, const char* key, const std::string& value) {
        if (file.WriteString(section, key, value) || unstorable) return;
        unstorable = FillTemplate(std::string_view(key) == "FileName" ? kUnstorableFileName : kUnstorableText, value);
    };
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const std::string section = SlotSection(slot);
        const KeyAssignment& key = keys[slot];
        writeText(section, "OSDLabel", key.osdLabel);
        writeText(section, "FileName", key.fileName);
        writeText(section, "GoToAdress", key.address);
        file.WriteInteger(section, "Action", key.actionIndex);
        file.WriteInteger(section, "SelectedFunction", key.kind.FileValue());
    }
    file.WriteBool(kActiveSection, kActiveKey, switches.active);
    file.WriteBool(kActiveSection, kOsdKey, switches.osd);
    return unstorable;
}

AssignmentStore::AssignmentStore(ConfigFile& file)
    : file_(file, [this](ini::IniDocument& document) { (void)WriteAssignments(document, held_.keys, held_.switches); }) {}

void AssignmentStore::Load(KeyAssignments& keys, ProgramSwitches& switches) {
    ReadAssignments(file_.Load(), keys, switches);
    held_ = {keys, switches};
}

void AssignmentStore::Save(const KeyAssignments& keys, const ProgramSwitches& switches) {
    file_.Save([&](ini::IniDocument& document) {
        // Thrown before the file is written: it stays as it was.
        if (std::optional<std::string> unstorable = WriteAssignments(document, keys, switches)) {
            throw KeytideError(*unstorable + kNothingSaved);
        }
    });
    held_ = {keys, switches};
}

}  // namespace keytide
