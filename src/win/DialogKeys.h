#pragma once
// Tab, Enter and Esc for a top-level window with controls, as a dialog has
// them: the window marks itself, and the message loop hands its keys to the
// dialog manager, which sends Esc as IDCANCEL.
#include <windows.h>

namespace win {

void StartDialogKeys(HWND window);
void StopDialogKeys(HWND window);
// True when the message was a key of such a window, and was handled.
bool TakeDialogKeys(MSG& message);

}  // namespace win
