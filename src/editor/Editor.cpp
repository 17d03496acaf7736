#include "editor/Editor.h"

#include "editor/EditorLayout.h"
#include "model/ActionCatalog.h"
#include "platform/FilePath.h"

namespace keytide {

std::string FileBaseName(std::string_view path) {
    const std::string_view name = platform::FileNameOf(path);
    const std::size_t dot = name.find_last_of('.');
    return std::string(dot == std::string_view::npos ? name : name.substr(0, dot));
}

namespace {

// The first `count` characters of UTF-8 text: a character's continuation
// bytes stay with it.
std::string FirstCharacters(std::string_view utf8, std::size_t count) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if ((byte & 0xC0) == 0x80) continue;
        if (characters == count) return std::string(utf8.substr(0, i));
        ++characters;
    }
    return std::string(utf8);
}

}  // namespace

std::string LabelForFile(std::string_view path) {
    return FirstCharacters(FileBaseName(path), static_cast<std::size_t>(editor::kLabelTypingLimit));
}

void AssignmentEditor::Open() {
    draft_ = services_.controller.BeginEditing();
    services_.display.ShowSwitches(draft_.switches.active, draft_.switches.osd);
    SelectKey(selectedSlot_);
    services_.display.Show();
}

void AssignmentEditor::SelectKey(int slot) {
    if (!IsSlot(slot)) return;
    selectedSlot_ = slot;
    const KeyAssignment& record = Selected();
    EditorDisplay& display = services_.display;
    display.ShowSelectedKey(slot);
    // Any other stored kind leaves the option buttons as they were.
    if (const std::optional<AssignmentKind> kind = record.kind.Known()) display.ShowKind(*kind);
    display.ShowAction(IsActionIndex(record.actionIndex) ? record.actionIndex : -1);
    display.ShowFileName(record.fileName);
    display.ShowLabel(record.osdLabel);
    display.ShowAddress(record.address);
}

void AssignmentEditor::ChooseKind(AssignmentKind kind) { Record().kind = kind; }

void AssignmentEditor::EnterActionList() {
    services_.display.ShowKind(AssignmentKind::Action);
    Record().kind = AssignmentKind::Action;
}

void AssignmentEditor::EnterAddressField() {
    services_.display.ShowKind(AssignmentKind::GoToAddress);
    Record().kind = AssignmentKind::GoToAddress;
}

void AssignmentEditor::PickAction(int index) {
    if (!IsActionIndex(index)) return;
    KeyAssignment& record = Record();
    record.actionIndex = index;
    record.kind = AssignmentKind::Action;
    record.osdLabel = kActionCatalog[static_cast<std::size_t>(index)].proposedLabel;
    services_.display.ShowLabel(record.osdLabel);
}

void AssignmentEditor::TypeAddress(const std::string& text) {
    Record().address = text;
    Record().kind = AssignmentKind::GoToAddress;
}

void AssignmentEditor::TypeLabel(const std::string& text) { Record().osdLabel = text; }

void AssignmentEditor::BrowseForFile() {
    const std::optional<std::string> chosen = services_.fileChooser.ChooseFile(lastChosenFile_);
    if (!chosen) return;
    lastChosenFile_ = *chosen;
    KeyAssignment& record = Record();
    services_.display.ShowKind(AssignmentKind::RunFile);
    record.kind = AssignmentKind::RunFile;
    record.fileName = *chosen;
    services_.display.ShowFileName(record.fileName);
    record.osdLabel = LabelForFile(*chosen);
    services_.display.ShowLabel(record.osdLabel);
}

void AssignmentEditor::SetActive(bool active) { draft_.switches.active = active; }

void AssignmentEditor::SetOsdEnabled(bool enabled) { draft_.switches.osd = enabled; }

void AssignmentEditor::Ok() {
    services_.controller.Commit(draft_);
    selectedSlot_ = 0;
    // The window goes before the icon comes, as in Cancel. (Under Wine, hiding
    // the active window just after the icon is added holds the program up
    // for about two seconds.)
    services_.display.Hide();
    services_.controller.EndEditing();
}

void AssignmentEditor::Cancel() {
    services_.display.Hide();
    selectedSlot_ = 0;
    services_.controller.Revert();
    services_.controller.EndEditing();
}

void AssignmentEditor::OpenSettings() {
    services_.display.SetEnabled(false);
    services_.settingsDialog.OpenSettingsDialog();
}

}  // namespace keytide
