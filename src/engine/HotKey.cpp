#include "engine/HotKey.h"

#include "engine/HotKeyChord.h"

namespace {

// Windows 7's: a key held down toggles once, not once per repeat. Older
// systems refuse the flag.
constexpr UINT kModNoRepeat = 0x4000;

}  // namespace

bool CHotKey::Register(HWND target, int controlValue)
{
    Unregister();
    const HotKeyChord chord = HotKeyChordFromControl(controlValue);
    if (chord.virtualKey == 0) {
        return false;
    }
    BOOL registered = RegisterHotKey(target, kId, chord.modifiers | kModNoRepeat, chord.virtualKey);
    if (!registered && GetLastError() == ERROR_INVALID_PARAMETER) {
        registered = RegisterHotKey(target, kId, chord.modifiers, chord.virtualKey);
    }
    if (!registered) {
        taken = GetLastError() == ERROR_HOTKEY_ALREADY_REGISTERED;
        return false;
    }
    window = target;
    return true;
}

void CHotKey::Unregister()
{
    if (window != nullptr) {
        UnregisterHotKey(window, kId);
        window = nullptr;
    }
    taken = false;
}
