#include "engine/HotKeyChord.h"

namespace {

constexpr unsigned kControlShift = 0x01;
constexpr unsigned kControlControl = 0x02;
constexpr unsigned kControlAlt = 0x04;
constexpr unsigned kModAlt = 0x01;
constexpr unsigned kModControl = 0x02;
constexpr unsigned kModShift = 0x04;

}  // namespace

HotKeyChord HotKeyChordFromControl(int value)
{
    HotKeyChord chord;
    if (value <= 0 || value > 0xFFFF) {
        return chord;
    }
    const auto bits = static_cast<unsigned>(value);
    const unsigned flags = bits >> 8U;
    chord.virtualKey = bits & 0xFFU;
    if (chord.virtualKey == 0) {
        return chord;
    }
    chord.modifiers = ((flags & kControlShift) != 0 ? kModShift : 0U) |
                      ((flags & kControlControl) != 0 ? kModControl : 0U) | ((flags & kControlAlt) != 0 ? kModAlt : 0U);
    return chord;
}
