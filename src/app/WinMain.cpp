#include "app/QuellorApp.h"
#include "win/SystemLibrary.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int)
{
    // Before anything can load a DLL: none may come from the program's own
    // folder or the current directory.
    win::LimitDllSearchToSystem();
    return theApp.Run(arguments);
}
