#pragma once
// When the animated tray icon shows its next picture. Every new picture costs
// the whole machine: the shell redraws the notification area for it. So the
// tide sweeps across the keypad now and then and the icon rests in between,
// and no timer runs while the picture stays the same.
#include <functional>
#include <optional>

namespace keytide {

struct TrayAnimationPace {
    // The animation shows 0 .. lastPicture once, then again and again from loopStart.
    int lastPicture = 0;
    int loopStart = 0;
    // While the pictures change, every stride-th is shown, frameMs apart.
    int stride = 1;
    unsigned frameMs = 100;
    // Where the coming pictures look like the one shown the icon rests this
    // long, however many of them the rest covers.
    unsigned restMs = 100;
};

struct TrayAnimationStep {
    int picture = 0;       // the next picture to show
    unsigned delayMs = 0;  // how long the shown one stays before it
};

// Whether two pictures look the same on the screen.
using PicturesLookAlike = std::function<bool(int picture, int other)>;

// The picture that follows `picture` in the animation's order.
int FollowingAnimationPicture(const TrayAnimationPace& pace, int picture);

// What comes after `shown`: always a picture that looks different from it,
// or nothing when every picture of the loop looks like it. An opening step
// (the animation switched on, or the icon shown again) cuts a rest short, so
// that a sweep shows at once.
std::optional<TrayAnimationStep> NextAnimationStep(const TrayAnimationPace& pace, int shown,
                                                   const PicturesLookAlike& lookAlike, bool opening = false);

}  // namespace keytide
