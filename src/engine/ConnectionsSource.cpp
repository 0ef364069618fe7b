#include "engine/ConnectionsSource.h"

#include "res/AppMessages.h"
#include "win/CodePageText.h"
#include "win/IpHelper.h"

#include <algorithm>

namespace {

constexpr UINT kPollMs = 3000;
// A burst of notifications (an adapter coming up brings several) is read once.
constexpr UINT kSettleMs = 500;
constexpr USHORT kAnyFamily = 0;  // AF_UNSPEC

}  // namespace

// On the system's thread: the context is the window, nothing of this object.
void WINAPI CConnectionsSource::Notified(void* context, void*, int)
{
    PostMessageA(static_cast<HWND>(context), WM_SWITCH_CONNECTIONS, 0, 0);
}

void CConnectionsSource::Start(HWND messageWindow, const std::vector<std::string>& chosen)
{
    Stop();
    if (chosen.empty()) {
        return;
    }
    window = messageWindow;
    names = chosen;
    wideNames.clear();
    for (const std::string& name : names) {
        wideNames.push_back(win::ToWide(name));
    }
    Look();
    // Polled until the first notification proves that they come: the
    // initial one asked for here arrives at once where they work.
    SetTimer(window, TIMER_CONNECTIONS_POLL, kPollMs, nullptr);
    const win::CIpHelper* helper = win::CIpHelper::Get();
    if (helper != nullptr && helper->notifyIpInterfaceChange != nullptr &&
        helper->notifyIpInterfaceChange(kAnyFamily, &Notified, window, TRUE, &notification) != NO_ERROR) {
        notification = nullptr;
    }
}

void CConnectionsSource::Stop()
{
    if (window == nullptr) {
        return;
    }
    if (notification != nullptr) {
        // Waits for a callback under way, which only posts.
        win::CIpHelper::Get()->cancelMibChangeNotify2(notification);
        notification = nullptr;
    }
    KillTimer(window, TIMER_CONNECTIONS_POLL);
    KillTimer(window, TIMER_CONNECTIONS_SETTLE);
    window = nullptr;
    names.clear();
    wideNames.clear();
    up.clear();
}

void CConnectionsSource::OnNotified()
{
    if (window == nullptr) {
        return;
    }
    KillTimer(window, TIMER_CONNECTIONS_POLL);
    SetTimer(window, TIMER_CONNECTIONS_SETTLE, kSettleMs, nullptr);
}

bool CConnectionsSource::OnTimer(UINT_PTR timerId)
{
    if (window == nullptr) {
        return false;
    }
    if (timerId == TIMER_CONNECTIONS_SETTLE) {
        KillTimer(window, TIMER_CONNECTIONS_SETTLE);
    }
    return Look();
}

bool CConnectionsSource::Look()
{
    std::vector<win::NetworkAdapter> adapters;
    // When the system cannot say, nothing is taken to have changed.
    if (window == nullptr || !win::ReadNetworkAdapters(adapters)) {
        return false;
    }
    const bool held = Holds();
    up.clear();
    for (std::size_t i = 0; i < names.size(); ++i) {
        const bool connected = std::any_of(adapters.begin(), adapters.end(), [&](const win::NetworkAdapter& adapter) {
            return adapter.connected && lstrcmpiW(adapter.friendlyName.c_str(), wideNames[i].c_str()) == 0;
        });
        if (connected) {
            up.push_back(names[i]);
        }
    }
    return held != Holds();
}
