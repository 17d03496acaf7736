#pragma once
// Doubles of the editor's window, file dialog and settings dialog. The window
// keeps what it was last told to show, and logs to the shared call log, so
// that tests see both the screen and the order of effects.
#include <optional>
#include <string>
#include <vector>

#include "editor/EditorPorts.h"
#include "doubles/ControllerDoubles.h"

namespace keytide::fakes {

class RecordingDisplay : public EditorDisplay {
public:
    explicit RecordingDisplay(CallLog& log) : log_(log) {}

    void ShowSelectedKey(int slot) override { selectedKey = slot; }
    void ShowKind(AssignmentKind shown) override { kind = shown; }
    void ShowAction(int index) override { action = index; }
    void ShowFileName(const std::string& text) override { fileName = text; }
    void ShowAddress(const std::string& text) override { address = text; }
    void ShowLabel(const std::string& text) override { label = text; }
    void ShowSwitches(bool activeDown, bool osdDown) override {
        active = activeDown;
        osd = osdDown;
    }
    void Show() override {
        visible = true;
        log_.push_back("editor shown");
    }
    void Hide() override {
        visible = false;
        log_.push_back("editor hidden");
    }
    void SetEnabled(bool on) override {
        enabled = on;
        log_.push_back(on ? "editor enabled" : "editor disabled");
    }

    int selectedKey = -1;
    std::optional<AssignmentKind> kind;
    int action = -2;  // -1 is "no entry"
    std::string fileName, address, label;
    bool active = false;
    bool osd = false;
    bool visible = false;
    bool enabled = true;

private:
    CallLog& log_;
};

// Answers each dialog with the next of `answers` (nothing: cancelled).
class ScriptedFileChooser : public FileChooser {
public:
    std::optional<std::string> ChooseFile(const std::string& offered) override {
        offers.push_back(offered);
        if (answers.empty()) return std::nullopt;
        std::optional<std::string> answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }
    std::vector<std::optional<std::string>> answers;
    std::vector<std::string> offers;
};

class RecordingSettingsDialog : public SettingsDialogOpener {
public:
    explicit RecordingSettingsDialog(CallLog& log) : log_(log) {}
    void OpenSettingsDialog() override { log_.push_back("settings dialog opened"); }

private:
    CallLog& log_;
};

}  // namespace keytide::fakes
