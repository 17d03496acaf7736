#pragma once
// What the windows ask of the program around them, answered by the editor's
// window, the main controller, the settings dialog and the on-screen
// display's preview.
#include <windows.h>

#include "core/MainController.h"
#include "editor/Editor.h"
#include "editor/EditorPorts.h"
#include "editor/EditorWindow_win.h"
#include "osd/OsdController.h"
#include "settings/SettingsDialog_win.h"
#include "shell/ShellPorts.h"

namespace keytide::win32 {

class EditorSettingsHost final : public SettingsDialogHost {
public:
    EditorSettingsHost(EditorWindow& editor, MainController& controller) : editor_(editor), controller_(controller) {}
    void EnableEditor(bool enabled) override { editor_.SetEnabled(enabled); }
    void SettingsChanged() override { controller_.SettingsChanged(); }

private:
    EditorWindow& editor_;
    MainController& controller_;
};

class SettingsDialogFromEditor final : public SettingsDialogOpener {
public:
    explicit SettingsDialogFromEditor(SettingsDialogWindow& dialog) : dialog_(dialog) {}
    void OpenSettingsDialog() override { dialog_.Open(); }

private:
    SettingsDialogWindow& dialog_;
};

class OsdSettingsPreview final : public OsdPreview {
public:
    explicit OsdSettingsPreview(OsdController& osd) : osd_(osd) {}
    void Preview(const Settings& settings) override { osd_.Preview(settings); }

private:
    OsdController& osd_;
};

// The program's windows as the tray and help menus reach them.
class ProgramWindows final : public OwnWindows {
public:
    ProgramWindows(AssignmentEditor& editor, EditorWindow& editorWindow, HWND programWindow)
        : editor_(editor), editorWindow_(editorWindow), programWindow_(programWindow) {}
    void OpenEditor() override { editor_.Open(); }
    void EnableEditor(bool enabled) override { editorWindow_.SetEnabled(enabled); }
    // Posted: the menu command that asks has returned before the program goes.
    void CloseProgram() override { PostMessageW(programWindow_, WM_CLOSE, 0, 0); }

private:
    AssignmentEditor& editor_;
    EditorWindow& editorWindow_;
    HWND programWindow_;
};

}  // namespace keytide::win32
