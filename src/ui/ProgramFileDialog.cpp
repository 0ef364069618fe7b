#include "ui/ProgramFileDialog.h"

#include "settings/SwitchSettings.h"
#include "win/Failure.h"
#include "win/SystemLibrary.h"

#include <commdlg.h>

bool ChooseProgramFile(HWND owner, std::string& fileName)
{
    // Loaded at the click, not imported: the Open dialog is rarely wanted and
    // its DLL would cost memory from the start.
    using GetOpenFileNameFunction = BOOL(WINAPI*)(OPENFILENAMEA*);
    const auto getOpenFileName =
        win::FindFunction<GetOpenFileNameFunction>(win::LoadSystemLibrary("comdlg32.dll"), "GetOpenFileNameA");
    if (getOpenFileName == nullptr) {
        MessageBoxA(owner, "The Open dialog is not available. Please type the program's file name.",
                    win::ApplicationName(), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    char path[MAX_PATH] = {};
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = "Programs (*.exe)\0*.exe\0All files (*.*)\0*.*\0";
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path;
    dialog.lpstrTitle = "Switch ON while this program runs";
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!getOpenFileName(&dialog)) {
        return false;
    }
    fileName = switch_settings::ProgramFileName(path);
    return !fileName.empty();
}
