#pragma once
// Every window message the program defines for itself, in one place so that
// no two can share a value, and the main frame's timers. Registered messages ("TaskbarCreated", the
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
// Posted from the system's thread that tells of a change of the network
// interfaces: the named connections are looked at again.
constexpr UINT WM_SWITCH_CONNECTIONS = WM_APP + 3;
// Posted from the system's wait thread when a named program that was waited
// for has ended.
constexpr UINT WM_SWITCH_PROGRAM_ENDED = WM_APP + 4;
// Posted by the frame to itself when Group Policy has told running programs
// of a change: the settings are read again from the message loop.
constexpr UINT WM_POLICY_CHANGED = WM_APP + 6;
// Posted by the Set Up dialog to its owner once Apply has stored the
// settings, so that the sources, which read them when they start, start
// again; wParam is the dialog's window, for the answer below.
constexpr UINT WM_SETUP_APPLIED = WM_APP + 10;
// Dialing dropped connections again. Sent by its watch after every
// enumeration, with the entries up (lParam: a std::vector<std::string>,
// valid during the call); posted by the frame to itself to act on them;
// posted by a dial's thread when the dial has ended; posted by the frame to
// itself when it stops dialing an entry, so that AutoNetSense looks again.
constexpr UINT WM_REDIAL_POLLED = WM_APP + 12;
constexpr UINT WM_REDIAL_LOOK = WM_APP + 13;
constexpr UINT WM_REDIAL_DIALED = WM_APP + 14;
constexpr UINT WM_REDIAL_STOPPED = WM_APP + 15;
// To the Set Up dialog: wParam nonzero when another program holds the
// stored hot key, zero when it is free or none is set.
constexpr UINT WM_HOTKEY_TAKEN = WM_APP + 11;

// The main frame's window timers.
constexpr UINT_PTR TIMER_CONTACT = 1;
constexpr UINT_PTR TIMER_WARNINGS = 2;
constexpr UINT_PTR TIMER_AOL_PRESENCE = 3;
// Tries the tray icon's add again while the shell has not taken it.
constexpr UINT_PTR TIMER_TRAY_RETRY = 4;
// Ends an ON that was given a limit.
constexpr UINT_PTR TIMER_ON_LIMIT = 5;
// The sources that switch the activity by themselves: the schedule's next
// edge; a look for the named programs while none of them is waited for; a
// look at the network adapters where the system does not tell of changes,
// and one shortly after it told of a change.
constexpr UINT_PTR TIMER_SCHEDULE = 6;
constexpr UINT_PTR TIMER_PROGRAMS_POLL = 7;
constexpr UINT_PTR TIMER_CONNECTIONS_POLL = 8;
constexpr UINT_PTR TIMER_CONNECTIONS_SETTLE = 9;
// The next try of an entry dialed again after a failure.
constexpr UINT_PTR TIMER_REDIAL = 10;

namespace app_messages {
constexpr UINT kAll[] = {
    WM_TRAY_CALLBACK, WM_TRAY_PICTURES,        WM_NET_CONNECTED,         WM_NET_DISCONNECTED,
    WM_CONTACT_DONE,  WM_NET_CHANGE_POSTED,    WM_REMOTE_COMMAND_POSTED, WM_SWITCH_CONNECTIONS,
    WM_SWITCH_PROGRAM_ENDED, WM_SETUP_APPLIED, WM_HOTKEY_TAKEN, WM_POLICY_CHANGED,
    WM_REDIAL_POLLED, WM_REDIAL_LOOK, WM_REDIAL_DIALED, WM_REDIAL_STOPPED,
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
