// The player keys: Winamp's requests while its window exists, the media keys
// for any other player, and Play/Pause starting Winamp only where it is
// installed.
#include "media/PlayerKeys.h"

#include <gtest/gtest.h>

namespace keytide {
namespace {

using Log = std::vector<std::string>;

class RecordingPlayer : public WinampControl, public platform::MediaKeys {
public:
    bool HasMainWindow() override { return window; }
    bool IsInstalled() override { return installed; }
    bool IsRunning() override { return Logged("IsRunning?", running); }
    void SetRunning(bool on) override { log.push_back(on ? "SetRunning 1" : "SetRunning 0"); }
    PlayState QueryPlayState() override { return Logged("PlayState?", state); }
    void SetPlayState(PlayState to) override { log.push_back("SetPlayState " + std::to_string(static_cast<int>(to))); }
    void StepBackward() override { log.push_back("StepBackward"); }
    void StepForward() override { log.push_back("StepForward"); }
    void NextTrack() override { log.push_back("NextTrack"); }
    void PreviousTrack() override { log.push_back("PreviousTrack"); }
    void Tap(platform::MediaKey key) override { log.push_back("media key " + std::to_string(static_cast<int>(key))); }

    bool window = false;
    bool installed = false;
    bool running = false;
    PlayState state = PlayState::Stopped;
    Log log;

private:
    template <class T>
    T Logged(const char* call, T answer) {
        log.push_back(call);
        return answer;
    }
};

TEST(PlayerKeys, WinampWhileItsWindowExistsElseTheMediaKeys) {
    using K = PlayerKey;
    using platform::MediaKey;
    auto media = [](MediaKey key) { return "media key " + std::to_string(static_cast<int>(key)); };
    struct Case {
        K key;
        bool window, installed, running;
        PlayState state;
        Log expected;
    };
    const Case cases[] = {
        // A Winamp window: today's requests, whatever else is installed.
        {K::Backward, true, false, true, PlayState::Playing, {"StepBackward"}},
        {K::Forward, true, false, true, PlayState::Playing, {"StepForward"}},
        {K::Next, true, true, true, PlayState::Playing, {"NextTrack"}},
        {K::Previous, true, true, true, PlayState::Playing, {"PreviousTrack"}},
        {K::Stop, true, true, true, PlayState::Playing, {"SetPlayState 0"}},
        {K::PlayPause, true, true, true, PlayState::Playing, {"IsRunning?", "PlayState?", "SetPlayState 2"}},
        {K::PlayPause, true, false, true, PlayState::Paused, {"IsRunning?", "PlayState?", "SetPlayState 1"}},
        // A window that does not answer yet counts as not running.
        {K::PlayPause, true, false, false, PlayState::Stopped,
         {"IsRunning?", "SetRunning 1", "PlayState?", "SetPlayState 1"}},
        // None, but installed: only Play/Pause starts it.
        {K::PlayPause, false, true, false, PlayState::Stopped,
         {"IsRunning?", "SetRunning 1", "PlayState?", "SetPlayState 1"}},
        {K::Next, false, true, false, PlayState::Stopped, {media(MediaKey::NextTrack)}},
        {K::Backward, false, true, false, PlayState::Stopped, {}},
        // Neither: the media keys; the seek keys have none.
        {K::PlayPause, false, false, false, PlayState::Stopped, {media(MediaKey::PlayPause)}},
        {K::Next, false, false, false, PlayState::Stopped, {media(MediaKey::NextTrack)}},
        {K::Previous, false, false, false, PlayState::Stopped, {media(MediaKey::PreviousTrack)}},
        {K::Stop, false, false, false, PlayState::Stopped, {media(MediaKey::Stop)}},
        {K::Backward, false, false, false, PlayState::Stopped, {}},
        {K::Forward, false, false, false, PlayState::Stopped, {}},
    };
    for (const Case& c : cases) {
        RecordingPlayer player;
        player.window = c.window;
        player.installed = c.installed;
        player.running = c.running;
        player.state = c.state;
        RoutedPlayerKeys keys(player, player);
        keys.Press(c.key);
        EXPECT_EQ(player.log, c.expected) << "key " << static_cast<int>(c.key) << ", window " << c.window
                                          << ", installed " << c.installed;
    }
}

}  // namespace
}  // namespace keytide
