#pragma once
// DLLs that are not among the system's known DLLs are loaded by hand, from
// the system directory only, when they are first needed: imported, they
// would be taken from the program's own folder first, where anyone can put
// a file of the same name.
#include <windows.h>

namespace win {

// Narrows the search for every DLL loaded from now on to the system
// directory; where the system cannot (before its 2011 loader update), takes
// at least the current directory out of the search.
void LimitDllSearchToSystem();

// The DLL of this name from the system directory, or null. Never freed: the
// program keeps what it loads until it ends.
HMODULE LoadSystemLibrary(const char* name);

// The named export of the module as the function type the caller declares,
// or null.
template <class Function>
Function FindFunction(HMODULE module, const char* name)
{
    if (module == nullptr) {
        return nullptr;
    }
    // Through the generic function type, which converts to any other.
    using AnyFunction = void (*)();
    return reinterpret_cast<Function>(reinterpret_cast<AnyFunction>(GetProcAddress(module, name)));
}

}  // namespace win
