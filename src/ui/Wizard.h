#pragma once
#include <windows.h>

// Runs the set-up wizard from its first page until Finish or Cancel. Each
// page is a modal dialog of its own, closed before the next opens, and
// stores its answer when the user leaves it with Next.
void RunWizard(HWND owner);
