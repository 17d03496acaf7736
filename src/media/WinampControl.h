#pragma once
// What the key actions ask of the media player's remote control.

namespace keytide {

enum class PlayState { Stopped = 0, Playing = 1, Paused = 2 };

class WinampControl {
public:
    virtual ~WinampControl() = default;
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
