#pragma once
// What the settings dialog asks of the program around it, answered by the
// main window (the assignment editor that opens the dialog), its controller,
// and the on-screen display's preview.
#include <windows.h>

#include "core/EditorPorts.h"
#include "core/MainWindow_win.h"
#include "osd/OsdController.h"
#include "settings/SettingsDialog_win.h"

namespace keytide::win32 {

class EditorSettingsHost final : public SettingsDialogHost {
public:
    explicit EditorSettingsHost(MainWindow& mainWindow) : mainWindow_(mainWindow) {}
    void EnableEditor(bool enabled) override { EnableWindow(mainWindow_.hwnd(), enabled ? TRUE : FALSE); }
    void SettingsChanged() override { mainWindow_.Controller().SettingsChanged(); }

private:
    MainWindow& mainWindow_;
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

}  // namespace keytide::win32
