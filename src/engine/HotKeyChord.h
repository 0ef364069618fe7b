#pragma once
// The hot-key control's value in the form RegisterHotKey wants: no Windows
// header, so that the conversion is tested anywhere.
struct HotKeyChord {
    unsigned modifiers = 0;   // MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4
    unsigned virtualKey = 0;  // 0: no key, nothing to register
};

// value: the virtual key in the low byte and the control's HOTKEYF_SHIFT 1,
// HOTKEYF_CONTROL 2, HOTKEYF_ALT 4 and HOTKEYF_EXT 8 in the next. Shift and
// Alt swap places; the extended-key flag names a key, not a modifier.
HotKeyChord HotKeyChordFromControl(int value);
