#pragma once
// The pure pieces of a keep-alive contact: the contact period, the choice of
// host, the target text, the proxy text and the form the contact takes. None
// of them touches a window, the registry or the network.
#include <cstddef>
#include <optional>
#include <string>

// The contact timer's period for a number of minutes, always a valid
// positive window-timer period.
unsigned int ContactPeriodMs(int minutes);

// The C runtime's rand() step, written out so the host choice is the same
// whichever runtime the program is linked with.
class CRuntimeRandom {
public:
    explicit CRuntimeRandom(unsigned int seed) : state(seed) {}
    // 0 to 32767: bits 16 to 30 of the next state.
    int Next();

private:
    unsigned int state;
};

// Draws until a number is 9 or less: a host index, each with the same chance.
int RandomHostIndex(CRuntimeRandom& generator);

// Advances the position of the last host used, wrapping after 9 back to 0,
// and returns it: after a reset to 0 the order is 1, 2, ..., 9, 0.
int NextSequentialIndex(int& lastIndex);

inline constexpr const char* kHttpPrefix = "http://";
inline constexpr const char* kFtpPrefix = "ftp://";
// The longest target a contact takes, with room for a terminating NUL: the
// target is at most kTargetCapacity - 1 characters.
inline constexpr std::size_t kTargetCapacity = 100;

// "http://" for mode 1, "ftp://" for any other mode.
const char* SchemePrefix(int httpMode);

// The scheme prefix followed by the host, or nothing when the host is empty
// or the target would not fit in kTargetCapacity - 1 characters: a cut name
// would name a host the user never typed.
std::optional<std::string> BuildTarget(int httpMode, const std::string& host);

// The proxy server with its scheme prefix, unless the text already starts
// with exactly that prefix (case-sensitive).
std::string ProxyServerText(int httpMode, const std::string& server);

// The proxy list handed to the session: "server:port", port in full decimal.
std::string ProxyListText(const std::string& proxyServer, int port);

enum class ContactForm { HttpProxy, FtpProxy, Direct };

// Through the proxy only when it is switched on and names a server after its
// prefix; the prefix alone (an empty server) means a direct contact.
ContactForm ChooseContactForm(int useProxy, const std::string& proxyServer);

// The host part of a target for a form: the proxy forms cut their own prefix,
// the direct form cuts whichever of the two prefixes the target starts with.
std::string TargetHost(const std::string& target, ContactForm form);

// The low 16 bits of the port setting, as the server or local port.
unsigned short LowPort(int port);
