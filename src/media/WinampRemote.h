#pragma once
// Remote control of the Winamp media player by window messages to its main
// window (class "Winamp v1.x"), looked up afresh for every request. Queries
// wait for the player's reply, at most about half a second; a player that does
// not answer in time counts as replying 0, as when none runs. Commands are
// posted and not waited for. A 20 ms timer watches the playlist (the track
// watch) while a player window exists; while none does, a check about once a
// second looks for one, so that an idle program is not woken 50 times a second.
#include <cstdint>
#include <optional>
#include <string>

#include "media/Id3Tag.h"
#include "media/WinampControl.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "platform/FileTail.h"
#include "platform/IntervalTimer.h"
#include "platform/ProgramStarter.h"
#include "platform/Registry.h"
#include "platform/WindowSystem.h"

namespace keytide {

struct WinampServices {
    platform::WindowSystem& windows;
    platform::Registry& registry;
    platform::ProgramStarter& starter;
    platform::FileSystem& files;
    platform::FileTailReader& tails;
    platform::IntervalTimer& timer;
    const platform::CodePage& codePage;  // the player's playlist file is ANSI text
};

class WinampRemote final : public WinampControl {
public:
    static constexpr unsigned kTrackWatchIntervalMs = 20;
    static constexpr unsigned kPlayerCheckIntervalMs = 1000;
    static constexpr unsigned kPlayerCheckToleranceMs = 250;
    static constexpr unsigned kQueryTimeoutMs = 500;

    // Starts the track watch.
    explicit WinampRemote(WinampServices services);
    WinampRemote(const WinampRemote&) = delete;
    WinampRemote& operator=(const WinampRemote&) = delete;
    ~WinampRemote() override;

    bool IsRunning() override;
    void SetRunning(bool running) override;
    PlayState QueryPlayState() override;
    void SetPlayState(PlayState state) override;
    // The tag of the playing track's file, as the track watch last read it.
    const TrackTags& CurrentTrack() const { return trackData_; }

    void NextTrack() override;
    void PreviousTrack() override;
    void StepForward() override;
    void StepBackward() override;

    // The player's installation folder with a trailing backslash, from its
    // uninstall entry; "" when there is none.
    std::string PlayerDirectory();

private:
    // One tick of the track watch (run by the timer).
    void WatchTrack();
    std::int32_t TrackNumber();
    void StartTrackWatch();
    void StartPlayerCheck();
    void OnTrackWatchTick();
    void OnPlayerCheck();
    platform::WindowId PlayerWindow();
    std::int32_t Query(std::int32_t code, std::int32_t argument = 0);
    void Command(std::uint32_t id);
    void StartPlayer();
    std::int32_t PlaylistLength();
    void WritePlaylist();
    std::optional<std::string> FindPlaylistEntry(std::int32_t number);
    void ReadTag(const std::string& file);

    WinampServices services_;
    std::int32_t storedListLength_ = 0;
    std::int32_t storedTrackNumber_ = 0;
    TrackTags trackData_;
};

}  // namespace keytide
