#include <winsock2.h>

#include "win/IpHelper.h"

#include "win/CodePageText.h"
#include "win/SystemLibrary.h"

#include <ws2ipdef.h>
#include <iphlpapi.h>
#include <netioapi.h>

#include <algorithm>

namespace win {

namespace {

// Only the names and states: every address list is skipped.
constexpr ULONG kNamesOnly =
    GAA_FLAG_SKIP_UNICAST | GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST | GAA_FLAG_SKIP_DNS_SERVER;
// Microsoft's advice for the first try; the system names the size it needs.
constexpr ULONG kFirstBufferBytes = 15 * 1024;
constexpr int kAttempts = 3;
constexpr DWORD kSoftwareLoopback = 24;  // IF_TYPE_SOFTWARE_LOOPBACK
constexpr int kUp = 1;                   // IfOperStatusUp

CIpHelper Bind()
{
    CIpHelper calls;
    const HMODULE module = LoadSystemLibrary("iphlpapi.dll");
    calls.getAdaptersAddresses = FindFunction<CIpHelper::GetAdaptersAddressesFunction>(module, "GetAdaptersAddresses");
    calls.notifyIpInterfaceChange =
        FindFunction<CIpHelper::NotifyIpInterfaceChangeFunction>(module, "NotifyIpInterfaceChange");
    calls.cancelMibChangeNotify2 =
        FindFunction<CIpHelper::CancelMibChangeNotify2Function>(module, "CancelMibChangeNotify2");
    calls.getBestInterfaceEx = FindFunction<CIpHelper::GetBestInterfaceExFunction>(module, "GetBestInterfaceEx");
    calls.getIfEntry2 = FindFunction<CIpHelper::GetIfEntry2Function>(module, "GetIfEntry2");
    if (calls.cancelMibChangeNotify2 == nullptr) {
        calls.notifyIpInterfaceChange = nullptr;
    }
    return calls;
}

}  // namespace

const CIpHelper* CIpHelper::Get()
{
    static const CIpHelper calls = Bind();
    return calls.getAdaptersAddresses != nullptr ? &calls : nullptr;
}

bool ReadNetworkAdapters(std::vector<NetworkAdapter>& adapters)
{
    const CIpHelper* helper = CIpHelper::Get();
    if (helper == nullptr) {
        return false;
    }
    // ULONGLONG elements keep the records aligned.
    std::vector<ULONGLONG> buffer(kFirstBufferBytes / sizeof(ULONGLONG));
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        ULONG size = static_cast<ULONG>(buffer.size()) * static_cast<ULONG>(sizeof(ULONGLONG));
        const ULONG status = helper->getAdaptersAddresses(AF_UNSPEC, kNamesOnly, nullptr, buffer.data(), &size);
        if (status == ERROR_BUFFER_OVERFLOW) {
            buffer.resize(size / sizeof(ULONGLONG) + 1);
            continue;
        }
        if (status == ERROR_NO_DATA) {
            adapters.clear();
            return true;
        }
        if (status != ERROR_SUCCESS) {
            return false;
        }
        adapters.clear();
        for (auto* adapter = reinterpret_cast<const IP_ADAPTER_ADDRESSES*>(buffer.data()); adapter != nullptr;
             adapter = adapter->Next) {
            if (adapter->IfType == kSoftwareLoopback || adapter->FriendlyName == nullptr) {
                continue;
            }
            adapters.push_back({adapter->FriendlyName, adapter->OperStatus == kUp});
        }
        return true;
    }
    return false;
}

bool ReadLineTraffic(LineTraffic& traffic)
{
    const CIpHelper* helper = CIpHelper::Get();
    if (helper == nullptr || helper->getBestInterfaceEx == nullptr || helper->getIfEntry2 == nullptr) {
        return false;
    }
    // A documentation address, never contacted: any address off the local
    // networks leaves by the default route.
    sockaddr_in outside = {};
    outside.sin_family = AF_INET;
    outside.sin_addr.S_un.S_un_b = {192, 0, 2, 1};
    DWORD index = 0;
    if (helper->getBestInterfaceEx(&outside, &index) != NO_ERROR) {
        return false;
    }
    MIB_IF_ROW2 row = {};
    row.InterfaceIndex = index;
    if (helper->getIfEntry2(&row) != NO_ERROR) {
        return false;
    }
    traffic.interfaceIndex = index;
    traffic.octets = row.InOctets + row.OutOctets;
    return true;
}

std::vector<std::string> CurrentConnectionNames()
{
    std::vector<NetworkAdapter> adapters;
    std::vector<std::string> names;
    if (!ReadNetworkAdapters(adapters)) {
        return names;
    }
    for (const NetworkAdapter& adapter : adapters) {
        std::string name = ToAnsi(adapter.friendlyName);
        if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end()) {
            names.push_back(std::move(name));
        }
    }
    return names;
}

}  // namespace win
