#pragma once
// The system's IP helper (iphlpapi.dll), loaded from the system directory
// at first use: it is not a known DLL, so an import would take a file of
// that name from the program's own folder first.
#include <windows.h>

#include <string>
#include <vector>

namespace win {

class CIpHelper {
public:
    // The loaded IP helper, or null when it cannot be loaded or lacks
    // GetAdaptersAddresses.
    static const CIpHelper* Get();

    using GetAdaptersAddressesFunction = ULONG(WINAPI*)(ULONG family, ULONG flags, void* reserved, void* addresses,
                                                        ULONG* size);
    // The interface-change callback: context, MIB_IPINTERFACE_ROW*, notification type.
    using InterfaceChangeCallback = void(WINAPI*)(void* context, void* row, int type);
    using NotifyIpInterfaceChangeFunction = DWORD(WINAPI*)(USHORT family, InterfaceChangeCallback callback,
                                                           void* context, BOOLEAN initial, HANDLE* notification);
    using CancelMibChangeNotify2Function = DWORD(WINAPI*)(HANDLE notification);
    // sockaddr*, interface index; MIB_IF_ROW2*.
    using GetBestInterfaceExFunction = DWORD(WINAPI*)(void* destination, DWORD* interfaceIndex);
    using GetIfEntry2Function = DWORD(WINAPI*)(void* row);

    GetAdaptersAddressesFunction getAdaptersAddresses = nullptr;
    // Both null before Windows Vista.
    NotifyIpInterfaceChangeFunction notifyIpInterfaceChange = nullptr;
    CancelMibChangeNotify2Function cancelMibChangeNotify2 = nullptr;
    // Null before Windows Vista.
    GetBestInterfaceExFunction getBestInterfaceEx = nullptr;
    GetIfEntry2Function getIfEntry2 = nullptr;
};

struct NetworkAdapter {
    // As Network Connections shows it.
    std::wstring friendlyName;
    // Its operational status is up.
    bool connected = false;
};

// The computer's network adapters now, loopback left out; false (and the
// list untouched) when the system cannot say.
bool ReadNetworkAdapters(std::vector<NetworkAdapter>& adapters);

// The bytes that the interface of the default route has carried, both ways,
// since it came up.
struct LineTraffic {
    DWORD interfaceIndex = 0;
    ULONGLONG octets = 0;
};

// One route lookup (nothing is sent) and one row of the interface table;
// false when the system cannot say.
bool ReadLineTraffic(LineTraffic& traffic);

// The friendly names of the computer's network adapters now, in the ANSI
// code page, for the user to pick from; empty when the system cannot say.
std::vector<std::string> CurrentConnectionNames();

}  // namespace win
