#pragma once
// What the assignment editor asks of the window that shows it, of the file
// dialog and of the settings dialog. Implemented by the Win32 editor view and
// the program's dialogs, and by recording doubles in the unit tests.
#include <optional>
#include <string>

#include "model/KeyAssignment.h"

namespace keytide {

// The editor's controls. Filling them here is never an edit: the window does
// not report these changes back as the user's typing.
class EditorDisplay {
public:
    virtual ~EditorDisplay() = default;
    // That key down, every other key up.
    virtual void ShowSelectedKey(int slot) = 0;
    virtual void ShowKind(AssignmentKind kind) = 0;
    // The action list's entry; -1 selects none.
    virtual void ShowAction(int index) = 0;
    virtual void ShowFileName(const std::string& text) = 0;
    virtual void ShowAddress(const std::string& text) = 0;
    virtual void ShowLabel(const std::string& text) = 0;
    // The Active and OSD toggle buttons.
    virtual void ShowSwitches(bool active, bool osd) = 0;
    // In front, restored if it was minimized.
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual void SetEnabled(bool enabled) = 0;
};

// The open-file dialog for the program to run.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    // Offers `offered` (empty: nothing) with its folder; the chosen full path,
    // or nothing when the user cancels.
    virtual std::optional<std::string> ChooseFile(const std::string& offered) = 0;
};

// The settings dialog. The editor is disabled while it is open; the dialog
// enables the editor again when it closes.
class SettingsDialogOpener {
public:
    virtual ~SettingsDialogOpener() = default;
    virtual void OpenSettingsDialog() = 0;
};

}  // namespace keytide
