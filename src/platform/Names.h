#pragma once
// Every name that another process or the system sees: window classes and
// titles, files, registry paths. Kept in one place so that the program, its
// second copy and the test driver agree.

namespace keytide::names {

inline constexpr char kProgramTitle[] = "Keytide";

// The first top-level window: carries the taskbar button and owns every other
// window. A second copy recognises a running one by this class and title.
inline constexpr char kApplicationWindowClass[] = "KeytideApplication";

// The main window (the assignment editor), hidden almost all the time.
inline constexpr char kMainWindowClass[] = "Tktdform";
inline constexpr char kMainWindowTitle[] = "Keytide";

inline constexpr char kOsdTextWindowClass[] = "TktdOSDTextForm";
inline constexpr char kOsdProgressWindowClass[] = "TktdOSDProgressForm";
inline constexpr char kSettingsWindowClass[] = "TktdSettingsForm";
inline constexpr char kSettingsWindowTitle[] = "Keytide - settings";
inline constexpr char kWelcomeWindowClass[] = "TktdWelcomeForm";
inline constexpr char kAboutWindowClass[] = "TktdAboutForm";
inline constexpr char kAboutWindowTitle[] = "Keytide - About";

inline constexpr char kIniFileName[] = "ktd.ini";
inline constexpr char kHelpDocument[] = "Help\\topics.htm";

}  // namespace keytide::names
