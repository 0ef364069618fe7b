#pragma once
// The controls of a dialog that show settings, each with its setting, so
// that a setting an administrator sets by policy shows as such: the
// policy's value, in a control the user cannot change.
#include "settings/SettingsKeys.h"

#include <windows.h>

#include <cstddef>

struct SettingControl {
    constexpr SettingControl(int id, const keys::IntKey& key, int checkedValue = 1)
        : id(id), number(&key), checkedValue(checkedValue)
    {
    }
    constexpr SettingControl(int id, const keys::TextKey& key) : id(id), text(&key) {}

    int id;
    const keys::IntKey* number = nullptr;
    const keys::TextKey* text = nullptr;
    // A check box shows its setting checked at this value, unchecked at any other.
    int checkedValue = 1;
};

// Disables each control of the dialog whose setting a policy sets, for a
// dialog that shows the settings as read; true when a policy sets any.
// Controls the dialog lacks are passed over.
bool DisableManaged(HWND dialog, const SettingControl* controls, std::size_t count);
// The same, for a dialog that starts from values of its own: each such
// check box, trackbar or edit box shows the policy's value first.
bool ShowManaged(HWND dialog, const SettingControl* controls, std::size_t count);

template <std::size_t N>
bool DisableManaged(HWND dialog, const SettingControl (&controls)[N])
{
    return DisableManaged(dialog, controls, N);
}

template <std::size_t N>
bool ShowManaged(HWND dialog, const SettingControl (&controls)[N])
{
    return ShowManaged(dialog, controls, N);
}
