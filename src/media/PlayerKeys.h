#pragma once
// The six player keys, for whatever player the user runs: Winamp's own
// requests while its main window exists, the keyboard's media keys otherwise.
#include "media/WinampControl.h"
#include "platform/ProgramStarter.h"

namespace keytide {

enum class PlayerKey { Backward, Forward, Next, PlayPause, Previous, Stop };

enum class PlayerRoute { Winamp, MediaKey, Nothing };

// Without a Winamp window, Play/Pause starts Winamp only where it is
// installed, and the two seek keys, which have no media key, do nothing.
PlayerRoute RoutePlayerKey(PlayerKey key, bool winampWindow, bool winampInstalled);

class PlayerKeys {
public:
    virtual ~PlayerKeys() = default;
    virtual void Press(PlayerKey key) = 0;
};

class RoutedPlayerKeys final : public PlayerKeys {
public:
    RoutedPlayerKeys(WinampControl& winamp, platform::MediaKeys& mediaKeys) : winamp_(winamp), mediaKeys_(mediaKeys) {}

    void Press(PlayerKey key) override;

private:
    void PressOnWinamp(PlayerKey key);

    WinampControl& winamp_;
    platform::MediaKeys& mediaKeys_;
};

}  // namespace keytide
