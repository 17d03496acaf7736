#include "media/WinampRemote.h"

#include <cctype>

namespace keytide {

namespace {

constexpr char kPlayerClass[] = "Winamp v1.x";
// Request codes.
constexpr std::int32_t kQueryVersion = 0;
constexpr std::int32_t kQueryPlayState = 104;
constexpr std::int32_t kQueryPlaylistLength = 124;

// Play-state replies.
constexpr std::int32_t kReplyStopped = 0;
constexpr std::int32_t kReplyPlaying = 1;
constexpr std::int32_t kReplyPaused = 3;

// Command ids of the player's menus.
constexpr std::uint32_t kCommandClose = 40001;
constexpr std::uint32_t kCommandPrevious = 40044;
constexpr std::uint32_t kCommandPlay = 40045;
constexpr std::uint32_t kCommandPause = 40046;
constexpr std::uint32_t kCommandStop = 40047;
constexpr std::uint32_t kCommandNext = 40048;
constexpr std::uint32_t kCommandStepBackward = 40144;
constexpr std::uint32_t kCommandStepForward = 40148;

constexpr char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Winamp";
constexpr char kUninstallValue[] = "UninstallString";
constexpr char kPlayerProgram[] = "Winamp.exe";

std::string AsciiUpperCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

platform::WindowId WinampRemote::PlayerWindow() { return services_.windows.FindTopWindow(kPlayerClass, nullptr); }

std::int32_t WinampRemote::Query(std::int32_t code, std::int32_t argument) {
    const auto reply = services_.windows.SendPlayerRequest(PlayerWindow(), code, argument, kQueryTimeoutMs);
    return static_cast<std::int32_t>(reply.value_or(0));
}

void WinampRemote::Command(std::uint32_t id) { services_.windows.PostPlayerCommand(PlayerWindow(), id); }

bool WinampRemote::HasMainWindow() { return PlayerWindow() != 0; }

bool WinampRemote::IsInstalled() {
    const std::string directory = PlayerDirectory();
    if (directory.empty()) return false;
    const std::optional<platform::FileAttributes> program = services_.files.Attributes(directory + kPlayerProgram);
    return program.has_value() && !program->directory;
}

bool WinampRemote::IsRunning() { return Query(kQueryVersion) != 0; }

void WinampRemote::SetRunning(bool started) {
    if (started) {
        if (!IsRunning()) StartPlayer();
    } else if (IsRunning()) {
        Command(kCommandClose);
    }
}

PlayState WinampRemote::QueryPlayState() {
    switch (Query(kQueryPlayState)) {
    case kReplyPlaying:
        return PlayState::Playing;
    case kReplyPaused:
        return PlayState::Paused;
    default:
        return PlayState::Stopped;
    }
}

void WinampRemote::SetPlayState(PlayState state) {
    switch (state) {
    case PlayState::Stopped:
        Command(kCommandStop);
        break;
    case PlayState::Playing:
        if (PlaylistLength() > 0) {
            const std::int32_t current = Query(kQueryPlayState);
            if (current == kReplyStopped) {
                Command(kCommandPlay);
            } else if (current == kReplyPaused) {
                Command(kCommandPause);  // the pause command resumes a paused player
            }
        }
        break;
    case PlayState::Paused:
        if (Query(kQueryPlayState) == kReplyPlaying) Command(kCommandPause);
        break;
    }
}

void WinampRemote::NextTrack() { Command(kCommandNext); }
void WinampRemote::PreviousTrack() { Command(kCommandPrevious); }
void WinampRemote::StepForward() { Command(kCommandStepForward); }
void WinampRemote::StepBackward() { Command(kCommandStepBackward); }

std::int32_t WinampRemote::PlaylistLength() { return Query(kQueryPlaylistLength); }

std::string WinampRemote::PlayerDirectory() {
    const auto value =
        services_.registry.ReadValue(platform::RegistryRoot::LocalMachine, kUninstallKey, kUninstallValue);
    if (!value || value->type != platform::RegistryValueType::String) return {};
    std::string path = AsciiUpperCase(value->text);
    if (!path.empty() && path.front() == '"') path.erase(0, 1);
    const auto lastBackslash = path.rfind('\\');
    if (lastBackslash == std::string::npos) return {};
    path.resize(lastBackslash + 1);
    return path;
}

void WinampRemote::StartPlayer() {
    const std::string path = PlayerDirectory() + kPlayerProgram;
    // No file name holds a double quote: such a path can only come from a
    // damaged entry, and quoting it would hand the system a different command.
    if (path.find('"') != std::string::npos) return;
    // Quoted, so that a folder with blanks is not tried piece by piece
    // ("C:\PROGRAM.exe" first).
    services_.starter.StartProgram("\"" + path + "\"", platform::ShowState::Normal);
}

}  // namespace keytide
