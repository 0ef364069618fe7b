#pragma once
// A critical section that lives as long as its owner, and the scoped hold of
// it: entered on construction, left on every path out of the scope.
#include <windows.h>

namespace win {

class CCriticalSection {
public:
    CCriticalSection() { InitializeCriticalSection(&section); }
    ~CCriticalSection() { DeleteCriticalSection(&section); }
    CCriticalSection(const CCriticalSection&) = delete;
    CCriticalSection& operator=(const CCriticalSection&) = delete;

    class CHold {
    public:
        explicit CHold(CCriticalSection& owner) : owner(owner) { EnterCriticalSection(&owner.section); }
        ~CHold() { LeaveCriticalSection(&owner.section); }
        CHold(const CHold&) = delete;
        CHold& operator=(const CHold&) = delete;

    private:
        CCriticalSection& owner;
    };

private:
    CRITICAL_SECTION section;
};

}  // namespace win
