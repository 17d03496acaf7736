#pragma once
// Every name that another process or the system sees: window classes and
// titles, files, registry paths. Kept in one place so that the program, its
// second copy and the test driver agree.

namespace keytide::names {

inline constexpr char kProgramTitle[] = "Keytide";

// Taken by the first copy before it looks for a running one, so that two
// copies started at the same moment cannot both go on. "Local\": one per
// log-on session.
inline constexpr wchar_t kSingleInstanceLock[] = L"Local\\Keytide.SingleInstance";

// The tray icon's hidden top-level window: it hears the shell's broadcasts
// (a new taskbar, the end of the session) and owns the tray menu; WM_CLOSE to
// it ends the program. The icon's number, and the message its notifications
// come as (0x800, WM_APP) to the message window.
inline constexpr char kTrayWindowClass[] = "TktdTrayIconWindow";
inline constexpr unsigned kTrayIconNumber = 1;
inline constexpr unsigned kTrayCallbackMessage = 0x800;

// The tray icon's lasting identity: by it the shell keeps the user's choice
// to always show the icon.
struct Guid {
    unsigned long data1;
    unsigned short data2;
    unsigned short data3;
    unsigned char data4[8];
};
inline constexpr Guid kTrayIconGuid{0x8d6a658e, 0x8e5e, 0x41ab, {0xa2, 0xbf, 0xa8, 0x97, 0x9a, 0x2b, 0x8f, 0x4c}};

// Broadcast by the shell when it has made its taskbar anew (after a restart).
inline constexpr char kTaskbarCreatedMessage[] = "TaskbarCreated";

// The message-only window that hot keys, timers and the tray icon's
// notifications go to.
inline constexpr char kMessageWindowClass[] = "TktdMessageWindow";

// The assignment editor, hidden almost all the time. The program's first
// window: a second copy recognises a running one by this class and title.
inline constexpr char kEditorWindowClass[] = "Tktdform";
inline constexpr char kEditorWindowTitle[] = "Keytide";

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
