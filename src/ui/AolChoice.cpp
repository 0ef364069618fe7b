#include "ui/AolChoice.h"

const char* StandardAolTitle(AolVersion version)
{
    return version == AolVersion::Aol4 ? "America Online Timer" : "America Online";
}

AolChoice ClickAolVersion(const AolChoice& current, AolVersion clicked)
{
    AolChoice next = current;
    if (current.title == StandardAolTitle(AolVersion::Aol3) || current.title == StandardAolTitle(AolVersion::Aol4)) {
        next.title = StandardAolTitle(clicked);
    }
    int& chosen = clicked == AolVersion::Aol4 ? next.isAol4 : next.isAol;
    int& other = clicked == AolVersion::Aol4 ? next.isAol : next.isAol4;
    other = 0;
    chosen = chosen == 0 ? 1 : 0;
    return next;
}
