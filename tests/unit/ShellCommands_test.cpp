// The program seen from the tray: the real controller, tray icon and launcher
// behind the mouse, the menus and the About window, with the shell, the
// windows and the files as doubles.
#include <gtest/gtest.h>

#include <algorithm>

#include "actions/Launcher.h"
#include "core/DefaultIni.h"
#include "core/MainController.h"
#include "doubles/ControllerDoubles.h"
#include "doubles/FakeIntervalTimer.h"
#include "doubles/FakeCodePage.h"
#include "doubles/MemoryFileSystem.h"
#include "doubles/PlatformDoubles.h"
#include "doubles/ShellDoubles.h"
#include "settings/ini/IniText.h"
#include "shell/AboutWindow.h"
#include "shell/ShellCommands.h"
#include "shell/TrayIconResources.h"
#include "shell/TrayPresenter.h"

namespace keytide {
namespace {

using fakes::CallLog;

constexpr char kIniPath[] = "C:\\Keytide\\ktd.ini";
constexpr char kHelpPath[] = "C:\\Keytide\\Help\\topics.htm";

class ShellCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        icon.SetEvents(&shell);
        icon.SetHint(u"Keytide");
        settings.welcomeScreen = false;
    }

    void StartWith(const std::string& isKtdActive) {
        std::string text(kDefaultIniText);
        text.replace(text.find("IsKTDActive=1"), 13, "IsKTDActive=" + isKtdActive);
        files.files[kIniPath] = text;
        controller.OnCreate();
        controller.OnDeferredStart();
        log.clear();
        area.calls.clear();
        area.pictures.clear();
    }
    void Click(TrayPoint at = {5, 5}) {
        icon.OnNotification(TrayNotification::LeftDown, at);
        icon.OnNotification(TrayNotification::LeftUp, at);
        icon.OnNotification(TrayNotification::Select, at);
    }
    void RightClick(TrayPoint at) {
        icon.OnNotification(TrayNotification::RightDown, at);
        icon.OnNotification(TrayNotification::RightUp, at);
        icon.OnNotification(TrayNotification::ContextMenu, at);
    }
    std::string IniValue(const char* section, const char* key) const {
        return ini::ReadString(files.files.at(kIniPath), section, key, "<missing>");
    }
    int MenusOpened() const {
        return static_cast<int>(std::count_if(log.begin(), log.end(), [](const std::string& entry) {
            return entry.find(" menu at ") != std::string::npos;
        }));
    }

    CallLog log;
    fakes::MemoryFileSystem files;
    fakes::RecordingMessages messages;
    fakes::FakeHotkeys hotkeys{log};
    fakes::FakeLockKeyboard keyboard{log, hotkeys};
    fakes::RecordingStartup startup{log};
    fakes::RecordingDispatcher dispatcher{log};
    fakes::FakeRegistry registry;
    fakes::FakeWindowSystem windowSystem;
    fakes::RecordingStarter starter;
    fakes::RecordingKeyInput keyInput;
    fakes::FakeShellAssociations associations;
    Settings settings;

    fakes::FakeNotificationArea area;
    fakes::ManualIntervalTimer cycleTimer;
    TrayIcon icon{area, cycleTimer, icons::kTrayPictureCount};
    fakes::FakePopupMenus menus{log};
    fakes::FakeOwnWindows windows{log};
    fakes::FakeAboutBox about{log};
    TrayPresenter tray{icon, menus};
    fakes::FakeSystemVersion systemVersion;
    Launcher launcher{
        LauncherServices{files, messages, starter, registry, windowSystem, keyInput, associations, systemVersion}};
    fakes::Latin1CodePage codePage;
    ConfigFile iniFile{files, codePage, messages, kIniPath};
    MainController controller{
        ControllerServices{files, messages, hotkeys, keyboard, tray, startup, dispatcher, settings}, iniFile};
    ShellCommands shell{ShellServices{controller, icon, menus, windows, about, launcher}, kHelpPath};
};

TEST_F(ShellCommandsTest, TheAnimationShowsZeroOnceThenOneTo88OverAndOverAndNever89) {
    StartWith("0");
    EXPECT_EQ(area.shown.picture, kTrayInactiveIcon);

    Click();  // switched on: the animation starts at picture 0
    EXPECT_EQ(area.shown.picture, 0);
    area.pictures.clear();
    cycleTimer.Tick(2 * 44);

    // Pictures that all differ: every second one of each loop.
    std::vector<int> expected;
    for (int cycle = 0; cycle < 2; ++cycle) {
        for (int picture = 2; picture <= 88; picture += 2) expected.push_back(picture);
    }
    EXPECT_EQ(area.pictures, expected) << "two full loops";

    // Still picture without the animation; the inactive picture when off.
    settings.animateTray = false;
    controller.SettingsChanged();
    EXPECT_FALSE(cycleTimer.running);
    EXPECT_EQ(area.shown.picture, kTrayStillActiveIcon);
}

TEST_F(ShellCommandsTest, ALeftClickSwitchesTheProgramOffAndASecondOneBackOn) {
    StartWith("1");
    ASSERT_TRUE(cycleTimer.running);

    Click();
    EXPECT_FALSE(controller.IsActive());
    EXPECT_EQ(IniValue("IsActive", "IsKTDActive"), "0");
    EXPECT_FALSE(hotkeys.IsRegistered("Hotkey8"));
    EXPECT_FALSE(cycleTimer.running);
    EXPECT_EQ(area.shown.picture, kTrayInactiveIcon);
    EXPECT_FALSE(menus.checked[MenuCommand::Active]);
    EXPECT_EQ(MenusOpened(), 0) << "a left click opens no menu";

    Click();
    EXPECT_TRUE(controller.IsActive());
    EXPECT_EQ(IniValue("IsActive", "IsKTDActive"), "1");
    EXPECT_TRUE(cycleTimer.running);
    EXPECT_TRUE(menus.checked[MenuCommand::Active]);
}

TEST_F(ShellCommandsTest, TheRightButtonOpensTheMenuOnceAndItsChecksFollowTheFlags) {
    StartWith("1");
    EXPECT_TRUE(menus.checked[MenuCommand::Active]);
    EXPECT_TRUE(menus.checked[MenuCommand::OsdEnabled]);

    RightClick({900, 740});
    EXPECT_EQ(log, (CallLog{"tray menu at 900,740"}));

    // Chosen commands run after the menu has closed.
    menus.choices = {MenuCommand::OsdEnabled};
    RightClick({900, 740});
    EXPECT_FALSE(controller.IsOsdEnabled());
    EXPECT_FALSE(menus.checked[MenuCommand::OsdEnabled]);
    EXPECT_TRUE(menus.checked[MenuCommand::Active]);
    EXPECT_EQ(IniValue("IsActive", "IsOSDActive"), "0");

    menus.choices = {MenuCommand::Active};
    RightClick({900, 740});
    EXPECT_FALSE(controller.IsActive());
    EXPECT_FALSE(menus.checked[MenuCommand::Active]);

    // Notifications that arrive while the menu is up open no second one.
    log.clear();
    menus.whileOpen = [&] { RightClick({1, 1}); };
    RightClick({900, 740});
    EXPECT_EQ(MenusOpened(), 1);
}

TEST_F(ShellCommandsTest, ShowHelpAndExitCommands) {
    StartWith("1");
    menus.choices = {MenuCommand::Show};
    RightClick({10, 10});
    EXPECT_EQ(log.back(), "editor opened");

    EXPECT_EQ(HelpDocumentPathFor("C:\\Program Files\\Keytide\\keytide.exe"),
              "C:\\Program Files\\Keytide\\Help\\topics.htm");
    shell.Run(MenuCommand::Help);
    ASSERT_FALSE(messages.boxes.empty());
    EXPECT_EQ(messages.boxes.back(), "Error|File \"C:\\Keytide\\Help\\topics.htm\" does not exists!");
    files.files[kHelpPath] = "<html></html>";
    shell.Run(MenuCommand::Help);
    EXPECT_EQ(starter.log, (std::vector<std::string>{"open C:\\Keytide\\Help\\topics.htm"}));

    log.clear();
    shell.Run(MenuCommand::Exit);
    EXPECT_EQ(log, (CallLog{"program closed"}));
}

TEST_F(ShellCommandsTest, WhileAboutIsUpTheTrayIgnoresTheMouseAndTheEditorIsDisabled) {
    StartWith("1");
    menus.choices = {MenuCommand::About};
    RightClick({10, 10});
    EXPECT_EQ(log, (CallLog{"tray menu at 10,10", "about shown", "editor disabled"}));
    EXPECT_FALSE(icon.Enabled());

    Click();
    RightClick({10, 10});
    EXPECT_TRUE(controller.IsActive());
    EXPECT_EQ(MenusOpened(), 1);

    log.clear();
    shell.CloseAbout();
    EXPECT_EQ(log, (CallLog{"editor enabled", "about hidden"}));
    Click();
    EXPECT_FALSE(controller.IsActive());
}

TEST_F(ShellCommandsTest, EveryWayOfClosingTheAboutWindowUndoesWhatItsShowingDid) {
    StartWith("1");
    AboutActions actions(starter, [this] { shell.CloseAbout(); });
    const struct {
        const char* way;
        void (AboutActions::*close)();
    } ways[] = {{"Ok", &AboutActions::Ok}, {"X", &AboutActions::Ok}, {"Alt+F4", &AboutActions::WindowClosed}};
    for (const auto& way : ways) {
        menus.choices = {MenuCommand::About};
        RightClick({10, 10});
        ASSERT_TRUE(about.visible) << way.way;
        ASSERT_FALSE(windows.editorEnabled) << way.way;
        ASSERT_FALSE(icon.Enabled()) << way.way;

        (actions.*way.close)();
        EXPECT_FALSE(about.visible) << way.way;
        EXPECT_TRUE(windows.editorEnabled) << way.way;
        EXPECT_TRUE(icon.Enabled()) << way.way;
        // The tray answers the mouse again.
        Click();
        EXPECT_FALSE(controller.IsActive()) << way.way;
        Click();
        ASSERT_TRUE(controller.IsActive()) << way.way;
    }
    EXPECT_TRUE(starter.log.empty());
}

}  // namespace
}  // namespace keytide
