#pragma once
// Remote control of the Winamp media player by window messages to its main
// window (class "Winamp v1.x"), looked up afresh for every request. Queries
// wait for the player's reply, at most about half a second; a player that does
// not answer in time counts as replying 0, as when none runs. Commands are
// posted and not waited for. A 20 ms timer watches the playlist (the track
// watch) for as long as the component lives.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "media/Id3Tag.h"
#include "media/WinampOperations.h"
#include "platform/FileSystem.h"
#include "platform/FileTail.h"
#include "platform/IntervalTimer.h"
#include "platform/ProgramStarter.h"
#include "platform/Registry.h"
#include "platform/WindowSystem.h"

namespace keytide {

enum class TPlaySequence { psqNext = 0, psqRandom = 1 };

struct WinampServices {
    platform::WindowSystem& windows;
    platform::Registry& registry;
    platform::ProgramStarter& starter;
    platform::FileSystem& files;
    platform::FileTailReader& tails;
    platform::IntervalTimer& timer;
};

class TWinAmpCtr final : public WinampOperations {
public:
    using TNotifyEvent = std::function<void(TWinAmpCtr& Sender)>;

    static constexpr unsigned kTrackWatchIntervalMs = 20;
    static constexpr unsigned kQueryTimeoutMs = 500;

    // Starts the track watch.
    explicit TWinAmpCtr(WinampServices services);
    TWinAmpCtr(const TWinAmpCtr&) = delete;
    TWinAmpCtr& operator=(const TWinAmpCtr&) = delete;
    ~TWinAmpCtr() override;

    bool Started() override;
    void SetStarted(bool started) override;
    bool Visible();
    void SetVisible(bool visible);
    std::int32_t TrackNumber();
    void SetTrackNumber(std::int32_t number);
    TPlayState PlayState() override;
    void SetPlayState(TPlayState state) override;
    TPlaySequence PlaySequence();
    void SetPlaySequence(TPlaySequence sequence);
    std::int32_t TrackTime();
    void SetTrackTime(std::int32_t time);
    const TTrackData& TrackData() const { return trackData_; }

    void NextTrack() override;
    void PreviousTrack() override;
    void StepForward() override;
    void StepBackward() override;

    // The player's installation folder with a trailing backslash, from its
    // uninstall entry; "" when there is none.
    std::string GetPlayerDirectory();

    // Never raised: nothing watches the play state.
    TNotifyEvent OnPlayChange;
    TNotifyEvent OnTrackChange;
    TNotifyEvent OnListChange;

    // One tick of the track watch (run by the timer).
    void TrackWatch();

private:
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
    TTrackData trackData_;
};

}  // namespace keytide
