#pragma once
// What the player keys ask of the media player's remote control.

namespace keytide {

enum class PlayState { Stopped = 0, Playing = 1, Paused = 2 };

class WinampControl {
public:
    virtual ~WinampControl() = default;
    // Whether the player's main window exists now.
    virtual bool HasMainWindow() = 0;
    // Whether its uninstall entry names a folder that holds the player's program.
    virtual bool IsInstalled() = 0;

    virtual bool IsRunning() = 0;
    virtual void SetRunning(bool running) = 0;
    virtual PlayState QueryPlayState() = 0;
    virtual void SetPlayState(PlayState state) = 0;
    virtual void StepBackward() = 0;
    virtual void StepForward() = 0;
    virtual void NextTrack() = 0;
    virtual void PreviousTrack() = 0;
};

}  // namespace keytide
