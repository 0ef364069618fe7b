#pragma once
#include <windows.h>

// Runs the set-up wizard from its first page; each page stores its answer
// when the user leaves it forward.
void RunWizard(HWND owner);
