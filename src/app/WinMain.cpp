#include "app/QuellorApp.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int)
{
    return theApp.Run(arguments);
}
