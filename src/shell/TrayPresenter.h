#pragma once
// The main controller's view of the tray: the check marks go to the tray
// menu, the pictures and the visibility to the tray icon.
#include "core/ControllerPorts.h"
#include "shell/ShellPorts.h"
#include "shell/TrayIcon.h"

namespace keytide {

class TrayPresenter final : public TrayControl {
public:
    TrayPresenter(TrayIcon& icon, PopupMenus& menus) : icon_(icon), menus_(menus) {}

    void SetActiveCheck(bool checked) override { menus_.SetChecked(MenuCommand::Active, checked); }
    void SetOsdEnabledCheck(bool checked) override { menus_.SetChecked(MenuCommand::OsdEnabled, checked); }
    void SetCycleIcons(bool cycling) override { icon_.SetCycleIcons(cycling); }
    void SetIconIndex(int index) override { icon_.SetIconIndex(index); }
    void SetIconVisible(bool visible) override { icon_.SetIconVisible(visible); }

private:
    TrayIcon& icon_;
    PopupMenus& menus_;
};

}  // namespace keytide
