#include "engine/ContactHandles.h"

bool CContactHandles::Keep(HINTERNET handle)
{
    win::CInternetHandle owned(handle);
    const win::CCriticalSection::CHold hold(lock);
    if (!owned || cutShort || keptCount == kMostHandles) {
        return false;
    }
    kept[keptCount++] = std::move(owned);
    return true;
}

void CContactHandles::CloseAll()
{
    const win::CCriticalSection::CHold hold(lock);
    while (keptCount > 0) {
        kept[--keptCount].Reset();
    }
}

void CContactHandles::CutShort()
{
    {
        const win::CCriticalSection::CHold hold(lock);
        cutShort = true;
    }
    CloseAll();
}

bool CContactHandles::IsCutShort() const
{
    const win::CCriticalSection::CHold hold(lock);
    return cutShort;
}
