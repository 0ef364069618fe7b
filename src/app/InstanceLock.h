#pragma once
// Makes sure that only one copy of the program runs: a named mutex.
#include "win/Handles.h"

class CInstanceLock {
public:
    // True when this is the only running copy. The name is the first line
    // of the string resource followed by " Class".
    bool Acquire(UINT resourceId);

private:
    win::CKernelHandle mutex;
};
