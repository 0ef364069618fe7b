#pragma once
// Makes sure that only one copy of the program runs: a named mutex, and a
// window class of the same name.
#include "win/Handles.h"

#include <string>

class CInstanceLock {
public:
    // True when this is the only running copy and the instance class is
    // registered.
    bool Acquire(UINT resourceId);
    const std::string& Name() const { return name; }

private:
    win::CKernelHandle mutex;
    std::string name;
};
