#pragma once
// The America Online version boxes of the Set Up dialog and the title of the
// idle-warning window that goes with them, without any window.
#include <string>

enum class AolVersion { Aol3, Aol4 };

struct AolChoice {
    int isAol = 0;   // "I'm Using AOL 3.0"
    int isAol4 = 0;  // "I'm Using AOL 4.0"
    std::string title;

    // The title box and its label belong to a chosen version.
    bool ShowsTitle() const { return isAol != 0 || isAol4 != 0; }
};

// The title each version's client gives its idle-warning window.
const char* StandardAolTitle(AolVersion version);

// A click on one version's box: the two boxes exclude each other and a click
// on the chosen one clears both. A standard title follows the clicked version
// (also when the click clears it); a title of the user's own is kept.
AolChoice ClickAolVersion(const AolChoice& current, AolVersion clicked);
