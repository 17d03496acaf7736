#pragma once
// The assignment editor without its window: what each of the user's actions
// in the editor does to the live key records and the two switches, and how
// OK and Cancel bring the rest of the program into line. The editor writes
// into the records at once; that is safe because no key is carried out while
// the editor is shown.
#include <string>
#include <string_view>

#include "core/ControllerPorts.h"
#include "core/EditorPorts.h"
#include "core/MainController.h"
#include "model/Settings.h"

namespace keytide {

// The name of a chosen file without folder and extension: the extension runs
// from the name's last "." (so "C:\my.dir\tool" has none).
std::string FileBaseName(std::string_view path);

// The label a browsed file gets: its base name, cut to 8 characters. Paths
// are UTF-8, and a character is cut whole.
std::string LabelForFile(std::string_view path);

struct EditorServices {
    MainController& controller;
    TrayControl& tray;
    const Settings& settings;
    EditorDisplay& display;
    FileChooser& fileChooser;
    SettingsDialogOpener& settingsDialog;
};

class AssignmentEditor {
public:
    explicit AssignmentEditor(EditorServices services) : services_(services) {}
    AssignmentEditor(const AssignmentEditor&) = delete;
    AssignmentEditor& operator=(const AssignmentEditor&) = delete;

    int SelectedSlot() const { return selectedSlot_; }
    const KeyAssignment& Selected() const { return services_.controller.Assignments()[selectedSlot_]; }

    // Shows the key's record; changes nothing in it. Not a slot: ignored.
    void SelectKey(int slot);
    // The window has been shown: the switches and the selected key as they are now.
    void OnShown();

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
    // The toggle buttons: the flags change in memory; OK applies and saves them.
    void SetActive(bool active);
    void SetOsdEnabled(bool enabled);

    // Saves, applies the switches and goes back to the tray. A failing save
    // throws before anything else changes: the window stays with its edits.
    void Ok();
    // Goes back to the tray and reads everything back from the file.
    void Cancel();
    void OpenSettings();

private:
    KeyAssignment& Record() { return services_.controller.Assignments()[selectedSlot_]; }
    void SetKind(AssignmentKind kind) { Record().kind = kind; }

    EditorServices services_;
    int selectedSlot_ = 0;
    std::string lastChosenFile_;
};

}  // namespace keytide
