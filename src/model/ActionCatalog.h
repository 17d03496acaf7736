#pragma once
// The 31 predefined actions. An action's index is what ktd.ini stores, so the
// order is fixed (and not alphabetical at its end).
#include <array>

namespace keytide {

inline constexpr int kActionCount = 31;

struct CatalogEntry {
    const char* text;           // entry in the editor's action list
    const char* proposedLabel;  // OSD label the editor proposes, at most 8 characters
    const char* hint = nullptr; // the action list's hint while the entry is chosen; nullptr: the list's own
};

inline constexpr std::array<CatalogEntry, kActionCount> kActionCatalog{{
    {"Active Application - Close", "Close"},
    {"Active Application - Maximize", "Maxim"},
    {"Active Application - Minimize", "Minimize"},
    {"Active Application - Restore", "Restor"},
    {"Eject CD", "Eject"},
    {"Launch Calculator", "Calc"},
    {"Launch Default E-mail Client", "Mail"},
    {"Launch Default Web Browser", "WWW"},
    {"Launch Run... Dialog", "Run"},
    {"Launch Windows Explorer", "Explre"},
    {"Log Off", "LogOff"},
    {"Minimize/Restore All Windows", "Min/Res"},
    {"Mute", "Mute"},
    {"Open Add/Remove Programs Dialog", "AddRem"},
    {"Open Display Properties", "DispPr"},
    {"Open System Properties", "SysPrp"},
    {"Refresh Desktop", "Refrs"},
    {"Restart Computer", "Restrt"},
    {"Run Screensaver", "SSaver"},
    {"Shut Down Computer", "ShtDwn"},
    {"Find File...", "Find"},
    {"Volume Down", "Vol-"},
    {"Volume Up", "Vol+"},
    // The four player keys with a system media key work with any player; the
    // two seek keys only with Winamp.
    {"Winamp Backward", "Back", "Steps back in Winamp; without Winamp running this key does nothing"},
    {"Winamp Forward", "Frwrd", "Steps forward in Winamp; without Winamp running this key does nothing"},
    {"Media Next", "Next"},
    {"Media Play/Pause", "Ply/Paus"},
    {"Media Previous", "Prev"},
    {"Media Stop", "Stop"},
    {"Open Shutdown dialog", "ShdwnDlg"},
    {"Suspend Computer", "Suspend"},
}};

// Action indices the program's logic refers to by meaning.
namespace action {
inline constexpr int kClose = 0, kMaximize = 1, kMinimize = 2, kRestore = 3, kEjectCD = 4, kCalculator = 5,
                     kMail = 6, kBrowser = 7, kRunDialog = 8, kExplorer = 9, kLogOff = 10, kMinimizeAll = 11,
                     kMute = 12, kAddRemovePrograms = 13, kDisplayProperties = 14, kSystemProperties = 15,
                     kRefreshDesktop = 16, kRestart = 17, kScreenSaver = 18, kShutDown = 19, kFindFile = 20,
                     kVolumeDown = 21, kVolumeUp = 22, kWinampBackward = 23, kWinampForward = 24,
                     kMediaNext = 25, kMediaPlayPause = 26, kMediaPrevious = 27, kMediaStop = 28,
                     kShutdownDialog = 29, kSuspend = 30;
}  // namespace action

constexpr bool IsActionIndex(int index) { return index >= 0 && index < kActionCount; }

}  // namespace keytide
