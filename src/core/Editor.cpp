#include "core/Editor.h"

#include "model/ActionCatalog.h"
#include "core/EditorLayout.h"
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

void AssignmentEditor::OnShown() {
    services_.display.ShowSwitches(services_.controller.IsActive(), services_.controller.IsOsdEnabled());
    SelectKey(selectedSlot_);
}

void AssignmentEditor::ChooseKind(AssignmentKind kind) { SetKind(kind); }

void AssignmentEditor::EnterActionList() {
    services_.display.ShowKind(AssignmentKind::Action);
    SetKind(AssignmentKind::Action);
}

void AssignmentEditor::EnterAddressField() {
    services_.display.ShowKind(AssignmentKind::GoToAddress);
    SetKind(AssignmentKind::GoToAddress);
}

void AssignmentEditor::PickAction(int index) {
    if (!IsActionIndex(index)) return;
    KeyAssignment& record = Record();
    record.actionIndex = index;
    SetKind(AssignmentKind::Action);
    record.osdLabel = kActionCatalog[static_cast<std::size_t>(index)].proposedLabel;
    services_.display.ShowLabel(record.osdLabel);
}

void AssignmentEditor::TypeAddress(const std::string& text) {
    Record().address = text;
    SetKind(AssignmentKind::GoToAddress);
}

void AssignmentEditor::TypeLabel(const std::string& text) { Record().osdLabel = text; }

void AssignmentEditor::BrowseForFile() {
    const std::optional<std::string> chosen = services_.fileChooser.ChooseFile(lastChosenFile_);
    if (!chosen) return;
    lastChosenFile_ = *chosen;
    KeyAssignment& record = Record();
    services_.display.ShowKind(AssignmentKind::RunFile);
    SetKind(AssignmentKind::RunFile);
    record.fileName = *chosen;
    services_.display.ShowFileName(record.fileName);
    record.osdLabel = LabelForFile(*chosen);
    services_.display.ShowLabel(record.osdLabel);
}

void AssignmentEditor::SetActive(bool active) { services_.controller.SetActiveFlag(active); }

void AssignmentEditor::SetOsdEnabled(bool enabled) { services_.controller.SetOsdFlag(enabled); }

void AssignmentEditor::Ok() {
    MainController& controller = services_.controller;
    controller.SaveAssignments();
    SelectKey(0);
    services_.tray.SetActiveCheck(controller.IsActive());
    services_.tray.SetOsdEnabledCheck(controller.IsOsdEnabled());
    if (controller.IsActive()) {
        controller.RegisterSlotHotkeys();
    } else {
        controller.UnregisterSlotHotkeys();
    }
    if (services_.settings.useScrollLock) controller.SetScrollLockState(controller.IsActive());
    controller.UpdateNumLock();
    controller.ShowActiveState();
    // The window goes before the icon comes, as in Cancel. (Under Wine, hiding
    // the active window just after the icon is added holds the program up
    // for about two seconds.)
    services_.display.Hide();
    services_.tray.SetIconVisible(true);
}

void AssignmentEditor::Cancel() {
    MainController& controller = services_.controller;
    services_.display.Hide();
    controller.LoadAssignments();
    services_.display.ShowSwitches(controller.IsActive(), controller.IsOsdEnabled());
    SelectKey(0);
    controller.ShowActiveState();
    services_.tray.SetIconVisible(true);
}

void AssignmentEditor::OpenSettings() {
    services_.display.SetEnabled(false);
    services_.settingsDialog.OpenSettingsDialog();
}

}  // namespace keytide
