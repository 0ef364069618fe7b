#include "app/InstanceLock.h"

#include <string>

namespace {

// The first line of a string resource, or "" when there is none.
std::string FirstLineOfString(UINT id)
{
    char buffer[256] = {};
    if (LoadStringA(GetModuleHandleA(nullptr), id, buffer, sizeof buffer) <= 0) {
        return {};
    }
    std::string text = buffer;
    return text.substr(0, text.find('\n'));
}

}  // namespace

// A second copy ends without a word while the first carries on.
bool CInstanceLock::Acquire(UINT resourceId)
{
    const std::string name = FirstLineOfString(resourceId) + " Class";
    mutex.Reset(CreateMutexA(nullptr, FALSE, name.c_str()));
    const DWORD error = GetLastError();
    // A mutex of another user's copy cannot be opened at all.
    if (error == ERROR_ALREADY_EXISTS || (!mutex && error == ERROR_ACCESS_DENIED)) {
        mutex.Reset();
        return false;
    }
    return true;
}
