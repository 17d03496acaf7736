#include "media/PlayerKeys.h"

namespace keytide {

namespace {

using platform::MediaKey;

MediaKey MediaKeyOf(PlayerKey key) {
    switch (key) {
    case PlayerKey::Next: return MediaKey::NextTrack;
    case PlayerKey::Previous: return MediaKey::PreviousTrack;
    case PlayerKey::Stop: return MediaKey::Stop;
    case PlayerKey::PlayPause:
    case PlayerKey::Backward:  // no media key: never routed to one
    case PlayerKey::Forward:
        break;
    }
    return MediaKey::PlayPause;
}

}  // namespace

PlayerRoute RoutePlayerKey(PlayerKey key, bool winampWindow, bool winampInstalled) {
    if (winampWindow) return PlayerRoute::Winamp;
    switch (key) {
    case PlayerKey::Backward:
    case PlayerKey::Forward:
        return PlayerRoute::Nothing;
    case PlayerKey::PlayPause:
        return winampInstalled ? PlayerRoute::Winamp : PlayerRoute::MediaKey;
    case PlayerKey::Next:
    case PlayerKey::Previous:
    case PlayerKey::Stop:
        break;
    }
    return PlayerRoute::MediaKey;
}

void RoutedPlayerKeys::Press(PlayerKey key) {
    const bool window = winamp_.HasMainWindow();
    // The registry and the disk are asked only where the answer counts.
    const bool installed = !window && key == PlayerKey::PlayPause && winamp_.IsInstalled();
    switch (RoutePlayerKey(key, window, installed)) {
    case PlayerRoute::Winamp: PressOnWinamp(key); break;
    case PlayerRoute::MediaKey: mediaKeys_.Tap(MediaKeyOf(key)); break;
    case PlayerRoute::Nothing: break;
    }
}

void RoutedPlayerKeys::PressOnWinamp(PlayerKey key) {
    switch (key) {
    case PlayerKey::Backward: winamp_.StepBackward(); break;
    case PlayerKey::Forward: winamp_.StepForward(); break;
    case PlayerKey::Next: winamp_.NextTrack(); break;
    case PlayerKey::PlayPause:
        if (!winamp_.IsRunning()) winamp_.SetRunning(true);
        winamp_.SetPlayState(winamp_.QueryPlayState() == PlayState::Playing ? PlayState::Paused
                                                                              : PlayState::Playing);
        break;
    case PlayerKey::Previous: winamp_.PreviousTrack(); break;
    case PlayerKey::Stop: winamp_.SetPlayState(PlayState::Stopped); break;
    }
}

}  // namespace keytide
