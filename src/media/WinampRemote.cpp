#include "media/WinampRemote.h"

#include <cctype>

#include "media/Playlist.h"

namespace keytide {

namespace {

constexpr char kPlayerClass[] = "Winamp v1.x";
// Request codes.
constexpr std::int32_t kQueryVersion = 0;
constexpr std::int32_t kQueryWritePlaylist = 120;
constexpr std::int32_t kQueryPlayState = 104;
constexpr std::int32_t kQueryPlaylistLength = 124;
constexpr std::int32_t kQueryPlaylistPosition = 125;

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
constexpr char kPlaylistFile[] = "winamp.m3u";

// What the track watch holds once a tick has found no player: every reply
// then counts as 0, so the list length as 0 and the track number as 1.
constexpr std::int32_t kListLengthWithoutPlayer = 0;
constexpr std::int32_t kTrackNumberWithoutPlayer = 1;

std::string AsciiUpperCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

WinampRemote::WinampRemote(WinampServices services) : services_(services) { StartTrackWatch(); }

WinampRemote::~WinampRemote() {
    services_.timer.Stop();
}

platform::WindowId WinampRemote::PlayerWindow() { return services_.windows.FindTopWindow(kPlayerClass, nullptr); }

std::int32_t WinampRemote::Query(std::int32_t code, std::int32_t argument) {
    const auto reply = services_.windows.SendPlayerRequest(PlayerWindow(), code, argument, kQueryTimeoutMs);
    return static_cast<std::int32_t>(reply.value_or(0));
}

void WinampRemote::Command(std::uint32_t id) { services_.windows.PostPlayerCommand(PlayerWindow(), id); }

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

std::int32_t WinampRemote::TrackNumber() { return Query(kQueryPlaylistPosition) + 1; }

void WinampRemote::NextTrack() { Command(kCommandNext); }
void WinampRemote::PreviousTrack() { Command(kCommandPrevious); }
void WinampRemote::StepForward() { Command(kCommandStepForward); }
void WinampRemote::StepBackward() { Command(kCommandStepBackward); }

std::int32_t WinampRemote::PlaylistLength() { return Query(kQueryPlaylistLength); }

void WinampRemote::WritePlaylist() { Query(kQueryWritePlaylist); }

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

void WinampRemote::StartTrackWatch() {
    services_.timer.Start(kTrackWatchIntervalMs, [this] { OnTrackWatchTick(); });
}

void WinampRemote::StartPlayerCheck() {
    services_.timer.StartCoalescable(kPlayerCheckIntervalMs, kPlayerCheckToleranceMs, [this] { OnPlayerCheck(); });
}

void WinampRemote::OnTrackWatchTick() {
    WatchTrack();
    // Once the watch holds what a tick without a player leaves, further ticks
    // without one would change nothing: the slow check takes over until a
    // player window appears, and the watch goes on from the same values. A
    // player that has just gone but left other values gets one more tick.
    if (storedListLength_ == kListLengthWithoutPlayer && storedTrackNumber_ == kTrackNumberWithoutPlayer &&
        PlayerWindow() == 0) {
        StartPlayerCheck();
    }
}

void WinampRemote::OnPlayerCheck() {
    if (PlayerWindow() != 0) StartTrackWatch();
}

void WinampRemote::WatchTrack() {
    if (PlaylistLength() != storedListLength_) {
        WritePlaylist();
        storedListLength_ = PlaylistLength();
    }
    const std::int32_t track = TrackNumber();
    if (track != storedTrackNumber_) {
        storedTrackNumber_ = track;
        if (const auto entry = FindPlaylistEntry(track)) ReadTag(*entry);
    }
}

std::optional<std::string> WinampRemote::FindPlaylistEntry(std::int32_t number) {
    if (!services_.files.FileExists(PlayerDirectory() + kPlaylistFile)) WritePlaylist();
    const auto list = services_.files.ReadFile(PlayerDirectory() + kPlaylistFile, platform::kMaxReadSize);
    if (list.status != platform::FileReadStatus::Read) return std::nullopt;
    const auto entry = PlaylistEntry(list.bytes, number);
    if (!entry) return std::nullopt;
    return services_.codePage.AnsiToUtf8(*entry);
}

void WinampRemote::ReadTag(const std::string& file) {
    trackData_ = TrackTags{};
    if (!services_.files.FileExists(file)) return;
    if (const auto tail = services_.tails.ReadTail(file, kId3v1TagSize)) trackData_ = ReadId3v1Tag(*tail);
}

}  // namespace keytide
