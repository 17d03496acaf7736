#pragma once
// Remote control of the Winamp media player by window messages to its main
// window (class "Winamp v1.x"), looked up afresh for every request. Queries
// wait for the player's reply, at most about half a second; a player that does
// not answer in time counts as replying 0, as when none runs. Commands are
// posted and not waited for.
#include <cstdint>
#include <string>

#include "media/WinampControl.h"
#include "platform/FileSystem.h"
#include "platform/ProgramStarter.h"
#include "platform/Registry.h"
#include "platform/WindowSystem.h"

namespace keytide {

struct WinampServices {
    platform::WindowSystem& windows;
    platform::Registry& registry;
    platform::ProgramStarter& starter;
    const platform::FileSystem& files;
};

class WinampRemote final : public WinampControl {
public:
    static constexpr unsigned kQueryTimeoutMs = 500;

    explicit WinampRemote(WinampServices services) : services_(services) {}

    bool HasMainWindow() override;
    bool IsInstalled() override;

    bool IsRunning() override;
    void SetRunning(bool running) override;
    PlayState QueryPlayState() override;
    void SetPlayState(PlayState state) override;

    void NextTrack() override;
    void PreviousTrack() override;
    void StepForward() override;
    void StepBackward() override;

    // The player's installation folder with a trailing backslash, from its
    // uninstall entry; "" when there is none.
    std::string PlayerDirectory();

private:
    platform::WindowId PlayerWindow();
    std::int32_t Query(std::int32_t code, std::int32_t argument = 0);
    void Command(std::uint32_t id);
    void StartPlayer();
    std::int32_t PlaylistLength();

    WinampServices services_;
};

}  // namespace keytide
