#pragma once
// The system's Open dialog, for choosing a program by its file.
#include <windows.h>

#include <string>

// Asks the user for a program; true with the chosen file's name, without its
// folder, false when the user cancelled or the dialog could not be shown.
bool ChooseProgramFile(HWND owner, std::string& fileName);
