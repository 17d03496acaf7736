#include "shell/TrayAnimation.h"

#include <algorithm>

namespace keytide {

int FollowingAnimationPicture(const TrayAnimationPace& pace, int picture) {
    return picture < pace.lastPicture ? picture + 1 : pace.loopStart;
}

std::optional<TrayAnimationStep> NextAnimationStep(const TrayAnimationPace& pace, int shown,
                                                   const PicturesLookAlike& lookAlike, bool opening) {
    // Past the loop's length every picture has come once.
    const int loopLength = std::max(pace.lastPicture - pace.loopStart + 1, 1) + 1;
    int next = FollowingAnimationPicture(pace, shown);
    if (lookAlike(next, shown)) {
        // A rest: the first picture that differs, after the rest's time.
        for (int step = 0; step < loopLength; ++step) {
            next = FollowingAnimationPicture(pace, next);
            if (!lookAlike(next, shown)) return TrayAnimationStep{next, opening ? pace.frameMs : pace.restMs};
        }
        return std::nullopt;
    }
    // A sweep: stride pictures on, unless that one looks like the shown one
    // again; then the first that did not.
    const int firstChange = next;
    for (int step = 1; step < pace.stride; ++step) next = FollowingAnimationPicture(pace, next);
    if (lookAlike(next, shown)) next = firstChange;
    return TrayAnimationStep{next, pace.frameMs};
}

}  // namespace keytide
