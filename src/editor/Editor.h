#pragma once
// The assignment editor without its window: what each of the user's actions
// in the editor does to its draft of the key assignments and switches. OK
// hands the draft to the main controller, Cancel drops it.
#include <string>
#include <string_view>

#include "editor/EditorPorts.h"
#include "core/MainController.h"

namespace keytide {

// The name of a chosen file without folder and extension: the extension runs
// from the name's last "." (so "C:\my.dir\tool" has none).
std::string FileBaseName(std::string_view path);

// The label a browsed file gets: its base name, cut to 8 characters. Paths
// are UTF-8, and a character is cut whole.
std::string LabelForFile(std::string_view path);

struct EditorServices {
    MainController& controller;
    EditorDisplay& display;
    FileChooser& fileChooser;
    SettingsDialogOpener& settingsDialog;
};

class AssignmentEditor {
public:
    explicit AssignmentEditor(EditorServices services) : services_(services) {}
    AssignmentEditor(const AssignmentEditor&) = delete;
    AssignmentEditor& operator=(const AssignmentEditor&) = delete;

    // "Show...": the editor comes up with a copy of the keys and switches in
    // force, its draft, and the key shown last.
    void Open();

    int SelectedSlot() const { return selectedSlot_; }
    const KeyAssignment& Selected() const { return draft_.keys[selectedSlot_]; }
    const KeyConfiguration& Draft() const { return draft_; }

    // Shows the key's assignment; changes nothing in it. Not a slot: ignored.
    void SelectKey(int slot);

    // An option button was clicked.
    void ChooseKind(AssignmentKind kind);
    // The focus entered the action list or the address field.
    void EnterActionList();
    void EnterAddressField();
    // The user picked an entry of the action list; not an action index: ignored.
    void PickAction(int index);
    void TypeAddress(const std::string& text);
    void TypeLabel(const std::string& text);
    // The "..." button: the file dialog, and the chosen file with its label.
    void BrowseForFile();
    // The toggle buttons.
    void SetActive(bool active);
    void SetOsdEnabled(bool enabled);

    // Hands the draft over and goes back to the tray. A failing save throws
    // before anything else changes: the window stays with its edits.
    void Ok();
    // Drops the draft and goes back to the tray.
    void Cancel();
    void OpenSettings();

private:
    KeyAssignment& Record() { return draft_.keys[selectedSlot_]; }

    EditorServices services_;
    KeyConfiguration draft_;
    int selectedSlot_ = 0;
    std::string lastChosenFile_;
};

}  // namespace keytide
