#pragma once
// The one table of settings keys, each with its name as stored and the
// default a read yields when the key is missing. Some readers use another
// default; they pass it explicitly. A key an administrator may set by
// policy says so, and an integer key gives the values a policy may set.
#include "settings/MakerSite.h"
#include "settings/TimeUnits.h"

namespace keys {

inline constexpr const char* kSection = "Quellor";
// Where Group Policy puts the values that override the user's own, under
// HKEY_LOCAL_MACHINE first and then HKEY_CURRENT_USER, whatever the
// executable is called. Nothing but an administrator's tools writes there.
inline constexpr const char* kPolicyPath = "Software\\Policies\\Marrowby\\Quellor";

enum class Policy : bool { No, Yes };

struct IntKey {
    const char* name;
    int defaultValue;
    Policy policy = Policy::No;
    // A policy value outside these is ignored; most keys are flags.
    int lowest = 0;
    int highest = 1;
};

struct TextKey {
    const char* name;
    const char* defaultValue;
    Policy policy = Policy::No;
};

// The minutes between contacts that the dialogs' sliders offer.
inline constexpr int kFewestMinutes = 1;
inline constexpr int kMostMinutes = 10;
// The port numbers the dialogs accept; 0 stands for no proxy port.
inline constexpr int kLowestPort = 0;
inline constexpr int kHighestPort = 65535;

inline constexpr IntKey FirstRunMarker{"2.8", 999};
inline constexpr IntKey StartUp{"StartUp", 0, Policy::Yes};
inline constexpr IntKey AutoNetSense{"AutoNetSense", 0, Policy::Yes};
inline constexpr IntKey IsAOL{"IsAOL", 0};
inline constexpr IntKey IsAOL4{"IsAOL4", 0};
inline constexpr IntKey Prodigy{"Prodigy", 0};
inline constexpr IntKey IsHttp{"IsHttp", 1, Policy::Yes};
inline constexpr IntKey IsRand{"IsRand", 1, Policy::Yes};
inline constexpr IntKey DefaultMin{"DefaultMin", 1, Policy::Yes, kFewestMinutes, kMostMinutes};
inline constexpr IntKey Proxy{"Proxy", 0, Policy::Yes};
inline constexpr IntKey Port{"Port", 80, Policy::Yes, kLowestPort, kHighestPort};

inline constexpr TextKey ProxyIP3{"ProxyIP3", "", Policy::Yes};
inline constexpr TextKey AOL47{"AOL47", "America Online", Policy::Yes};
inline constexpr TextKey ProdigyMSG{"ProdigyMSG", "Prodigy Internet Needs Your Attention", Policy::Yes};
inline constexpr TextKey AOL10{"AOL10", nullptr};
inline constexpr TextKey DefaultURL{"DefaultURL", maker::kWebHost};

// When the activity switches itself: a missing or bad value leaves that
// source off. Names as scripts and administrators write them.
inline constexpr TextKey WhenConnections{"WhenConnections", "", Policy::Yes};
inline constexpr TextKey WhenPrograms{"WhenPrograms", "", Policy::Yes};
// Bit 0 Sunday to bit 6 Saturday; the times in minutes after midnight.
inline constexpr IntKey WhenDays{"WhenDays", 0, Policy::Yes, 0, 0x7F};
inline constexpr IntKey WhenFrom{"WhenFrom", 0, Policy::Yes, 0, kMinutesPerDay - 1};
inline constexpr IntKey WhenTo{"WhenTo", 0, Policy::Yes, 0, kMinutesPerDay - 1};
// The hot-key control's value: the virtual key, and HOTKEYF_* above it.
inline constexpr IntKey HotKey{"HotKey", 0, Policy::Yes, 0, 0x0FFF};
inline constexpr IntKey KeepAwake{"KeepAwake", 0, Policy::Yes};
// 0: keep awake on mains power only; the computer sleeps on battery as its
// power plan says.
inline constexpr IntKey KeepAwakeOnBattery{"KeepAwakeOnBattery", 0, Policy::Yes};
// 1: a contact tick makes no contact while the line carries traffic anyway.
inline constexpr IntKey OnlyWhenQuiet{"OnlyWhenQuiet", 0, Policy::Yes};

// Phonebook entries that Quellor dials again when they drop while it is ON,
// separated by ';'; and whether it tells of that in balloons.
inline constexpr TextKey Redial{"Redial", "", Policy::Yes};
inline constexpr IntKey Balloons{"Balloons", 1, Policy::Yes};

// Whether Quellor keeps the record of the line (history.csv).
inline constexpr IntKey History{"History", 1, Policy::Yes};

inline constexpr int kHostCount = 10;

enum class HostList { Http, Ftp };

// HTTPURL0 .. HTTPURL9 and FTPURL0 .. FTPURL9, each read as the maker's web
// host when missing, and each open to policy. index must be 0 to 9.
const TextKey& HostKey(HostList list, int index);

}  // namespace keys
