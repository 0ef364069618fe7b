#pragma once
// The tray's pictures as the user's desktop asks for them now: the set drawn
// for a light or a dark taskbar, at the small-icon size, and one still
// picture in place of the blinking for users who switched animations off.
#include "win/Handles.h"

#include <windows.h>

#include <array>

class CTrayPictureSet {
public:
    // Loads the pictures that suit the settings of this moment.
    CTrayPictureSet();

    HICON Idle() const { return idle.Get(); }
    // The pictures that show the activity running, and how many of them to
    // show in turn: both, or the first alone when animations are off.
    std::array<HICON, 2> Running() const { return {running[0].Get(), running[1].Get()}; }
    int RunningCount() const { return still ? 1 : 2; }

    // Drawn for the same taskbar, size and animation setting: nothing to
    // change on screen.
    bool SameAs(const CTrayPictureSet& other) const;

private:
    bool light;
    bool still;
    int size;
    win::CIconHandle idle;
    std::array<win::CIconHandle, 2> running;
};
