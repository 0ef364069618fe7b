#include "ShellIcon.h"

#include <shellapi.h>

namespace {

NOTIFYICONDATAA Record(HWND window, UINT id)
{
    NOTIFYICONDATAA record = {};
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = window;
    record.uID = id;
    return record;
}

}  // namespace

bool ShellShowsIcon(HWND window, UINT id)
{
    // A change of nothing, so that the icon's tip and picture stay as the
    // program set them.
    NOTIFYICONDATAA record = Record(window, id);
    return Shell_NotifyIconA(NIM_MODIFY, &record) != FALSE;
}

bool ForgetShellIcon(HWND window, UINT id)
{
    NOTIFYICONDATAA record = Record(window, id);
    return Shell_NotifyIconA(NIM_DELETE, &record) != FALSE;
}
