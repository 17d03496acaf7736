#pragma once
// Doubles of the notification area, the popup menus, the program's own
// windows and the About window. Calls go to one log so that tests can check
// the order of effects across them.
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "shell/ShellPorts.h"
#include "shell/TrayIcon.h"

namespace keytide::fakes {

// The shell's side: which icon it holds, under which identity, and every
// request in order. Identities in `refused` are turned away.
class FakeNotificationArea : public NotificationArea {
public:
    bool Add(TrayIdentity identity, const TrayIconFace& face) override {
        calls.push_back("add " + Name(identity) + " " + std::to_string(face.picture));
        if (refused.count(identity) || held) return false;
        held = identity;
        shown = face;
        return true;
    }
    bool Modify(TrayIdentity identity, const TrayIconFace& face) override {
        calls.push_back("modify " + Name(identity) + " " + std::to_string(face.picture));
        if (held != identity) return false;
        shown = face;
        pictures.push_back(face.picture);
        return true;
    }
    bool Remove(TrayIdentity identity) override {
        calls.push_back("remove " + Name(identity));
        if (held != identity) return false;
        held.reset();
        return true;
    }
    bool UseCurrentCallbacks(TrayIdentity identity) override {
        calls.push_back("version " + Name(identity));
        return currentCallbacks && held == identity;
    }

    bool LookAlike(int picture, int other) const override {
        return picture == other || (lookAlike && lookAlike(picture, other));
    }

    static std::string Name(TrayIdentity identity) { return identity == TrayIdentity::Guid ? "guid" : "id"; }

    std::optional<TrayIdentity> held;  // the icon the shell holds, if any
    TrayIconFace shown;                // what it shows
    std::function<bool(int, int)> lookAlike;  // pictures that look the same, besides equal ones
    std::vector<int> pictures;         // pictures of accepted modifies, in order
    std::vector<std::string> calls;
    std::set<TrayIdentity> refused;
    bool currentCallbacks = true;
};

// Records menus opened and check marks set; Track answers from `choices`
// (an empty answer: the user left the menu).
class FakePopupMenus : public PopupMenus {
public:
    explicit FakePopupMenus(std::vector<std::string>& log) : log_(log) {}

    void SetChecked(MenuCommand command, bool isChecked) override { checked[command] = isChecked; }
    std::optional<MenuCommand> Track(ProgramMenu menu, TrayPoint at) override {
        log_.push_back(std::string(menu == ProgramMenu::Tray ? "tray" : "help") + " menu at " +
                       std::to_string(at.x) + "," + std::to_string(at.y));
        if (whileOpen) whileOpen();
        if (choices.empty()) return std::nullopt;
        const std::optional<MenuCommand> choice = choices.front();
        choices.erase(choices.begin());
        return choice;
    }

    std::map<MenuCommand, bool> checked;
    std::vector<std::optional<MenuCommand>> choices;
    std::function<void()> whileOpen;  // runs while the menu is up

private:
    std::vector<std::string>& log_;
};

class FakeOwnWindows : public OwnWindows {
public:
    explicit FakeOwnWindows(std::vector<std::string>& log) : log_(log) {}

    void OpenEditor() override { log_.push_back("editor opened"); }
    void EnableEditor(bool enabled) override {
        editorEnabled = enabled;
        log_.push_back(enabled ? "editor enabled" : "editor disabled");
    }
    void CloseProgram() override { log_.push_back("program closed"); }

    bool editorEnabled = true;

private:
    std::vector<std::string>& log_;
};

class FakeAboutBox : public AboutBox {
public:
    explicit FakeAboutBox(std::vector<std::string>& log) : log_(log) {}
    void Show() override {
        visible = true;
        log_.push_back("about shown");
    }
    void Hide() override {
        visible = false;
        log_.push_back("about hidden");
    }
    bool IsVisible() const override { return visible; }
    bool visible = false;

private:
    std::vector<std::string>& log_;
};

}  // namespace keytide::fakes
