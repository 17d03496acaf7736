#pragma once
// What the key actions ask of the media player's remote control.

namespace keytide {

enum class TPlayState { psStop = 0, psPlay = 1, psPause = 2 };

class WinampOperations {
public:
    virtual ~WinampOperations() = default;
    virtual bool Started() = 0;
    virtual void SetStarted(bool started) = 0;
    virtual TPlayState PlayState() = 0;
    virtual void SetPlayState(TPlayState state) = 0;
    virtual void StepBackward() = 0;
    virtual void StepForward() = 0;
    virtual void NextTrack() = 0;
    virtual void PreviousTrack() = 0;
};

}  // namespace keytide
