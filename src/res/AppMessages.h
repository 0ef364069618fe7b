#pragma once
// Every window message the program defines for itself, in one place so that
// no two can share a value. Registered messages ("TaskbarCreated", the
// second start's command) are not here: the system numbers them.
#include <windows.h>

#include <iterator>

// The tray icon's callback message.
constexpr UINT WM_TRAY_CALLBACK = 0x8068;
// Posted by the frame to itself: the tray's pictures may no longer suit the
// desktop.
constexpr UINT WM_TRAY_PICTURES = 0x8069;
// AutoNetSense's watch, sent to the frame; the disconnected message carries
// the vanished connection's record, valid during the call.
constexpr UINT WM_NET_CONNECTED = 0x806E;
constexpr UINT WM_NET_DISCONNECTED = 0x80DC;
// Posted by a contact's thread when the contact has ended without being
// cut short; wParam is its ContactOutcome.
constexpr UINT WM_CONTACT_DONE = 0x8070;
// AutoNetSense's news, posted by the frame to itself: wParam 1 for a
// connection, 0 for the end of the last one.
constexpr UINT WM_NET_CHANGE_POSTED = WM_APP + 1;
// A second start's command, posted by the frame to itself: wParam and
// lParam as the registered command message brought them.
constexpr UINT WM_REMOTE_COMMAND_POSTED = WM_APP + 2;
// Posted by the Set Up dialog to its owner once Apply has stored the
// settings, so that the sources, which read them when they start, start
// again; wParam is the dialog's window, for the answer below.
constexpr UINT WM_SETUP_APPLIED = WM_APP + 10;
// To the Set Up dialog: wParam nonzero when another program holds the
// stored hot key, zero when it is free or none is set.
constexpr UINT WM_HOTKEY_TAKEN = WM_APP + 11;

namespace app_messages {
constexpr UINT kAll[] = {
    WM_TRAY_CALLBACK,     WM_TRAY_PICTURES,         WM_NET_CONNECTED, WM_NET_DISCONNECTED, WM_CONTACT_DONE,
    WM_NET_CHANGE_POSTED, WM_REMOTE_COMMAND_POSTED, WM_SETUP_APPLIED, WM_HOTKEY_TAKEN,
};

constexpr bool AllDistinct()
{
    for (std::size_t i = 0; i < std::size(kAll); ++i) {
        for (std::size_t j = i + 1; j < std::size(kAll); ++j) {
            if (kAll[i] == kAll[j]) {
                return false;
            }
        }
    }
    return true;
}
}  // namespace app_messages

static_assert(app_messages::AllDistinct(), "two of the program's window messages share a value");
