#include "engine/WinInet.h"

#include "win/SystemLibrary.h"

#include <type_traits>

namespace {

bool Bind(CWinInet& calls)
{
    const HMODULE module = win::LoadSystemLibrary("wininet.dll");
    if (module == nullptr) {
        return false;
    }
    const auto find = [module](auto& function, const char* name) {
        function = win::FindFunction<std::remove_reference_t<decltype(function)>>(module, name);
        return function != nullptr;
    };
    return find(calls.getConnectedState, "InternetGetConnectedState") && find(calls.open, "InternetOpenA") &&
           find(calls.setOption, "InternetSetOptionA") && find(calls.connect, "InternetConnectA") &&
           find(calls.openRequest, "HttpOpenRequestA") && find(calls.sendRequest, "HttpSendRequestA") &&
           find(calls.closeHandle, "InternetCloseHandle");
}

}  // namespace

const CWinInet* CWinInet::Get()
{
    // Bound once, by whichever thread comes first; the others wait for it.
    static CWinInet calls = {};
    static const bool bound = Bind(calls);
    return bound ? &calls : nullptr;
}
