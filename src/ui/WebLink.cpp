#include "ui/WebLink.h"

#include <shellapi.h>

void OpenWebPage(HWND owner, const char* address)
{
    ShellExecuteA(owner, "open", address, nullptr, nullptr, SW_SHOW);
}
