#pragma once
// The one table of settings keys, each with its name as stored and the
// default a read yields when the key is missing. Some readers use another
// default; they pass it explicitly.
#include "settings/MakerSite.h"

namespace keys {

inline constexpr const char* kSection = "Quellor";

struct IntKey {
    const char* name;
    int defaultValue;
};

struct TextKey {
    const char* name;
    const char* defaultValue;
};

inline constexpr IntKey FirstRunMarker{"2.8", 999};
inline constexpr IntKey StartUp{"StartUp", 0};
inline constexpr IntKey AutoNetSense{"AutoNetSense", 0};
inline constexpr IntKey IsAOL{"IsAOL", 0};
inline constexpr IntKey IsAOL4{"IsAOL4", 0};
inline constexpr IntKey Prodigy{"Prodigy", 0};
inline constexpr IntKey IsHttp{"IsHttp", 1};
inline constexpr IntKey IsRand{"IsRand", 1};
inline constexpr IntKey DefaultMin{"DefaultMin", 1};
// The minutes between contacts that the dialogs' sliders offer.
inline constexpr int kFewestMinutes = 1;
inline constexpr int kMostMinutes = 10;
inline constexpr IntKey Proxy{"Proxy", 0};
inline constexpr IntKey Port{"Port", 80};
// The port numbers the dialogs accept; 0 stands for no proxy port.
inline constexpr int kLowestPort = 0;
inline constexpr int kHighestPort = 65535;

inline constexpr TextKey ProxyIP3{"ProxyIP3", ""};
inline constexpr TextKey AOL47{"AOL47", "America Online"};
inline constexpr TextKey ProdigyMSG{"ProdigyMSG", "Prodigy Internet Needs Your Attention"};
inline constexpr TextKey AOL10{"AOL10", nullptr};
inline constexpr TextKey DefaultURL{"DefaultURL", maker::kWebHost};

// When the activity switches itself: a missing or bad value leaves that
// source off. Names as scripts and administrators write them.
inline constexpr TextKey WhenConnections{"WhenConnections", ""};
inline constexpr TextKey WhenPrograms{"WhenPrograms", ""};
inline constexpr IntKey WhenDays{"WhenDays", 0};
inline constexpr IntKey WhenFrom{"WhenFrom", 0};
inline constexpr IntKey WhenTo{"WhenTo", 0};
inline constexpr IntKey HotKey{"HotKey", 0};
inline constexpr IntKey KeepAwake{"KeepAwake", 0};

inline constexpr int kHostCount = 10;

enum class HostList { Http, Ftp };

// HTTPURL0 .. HTTPURL9 and FTPURL0 .. FTPURL9, each read as the maker's web
// host when missing. index must be 0 to 9.
const TextKey& HostKey(HostList list, int index);

}  // namespace keys
