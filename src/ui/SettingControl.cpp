#include "ui/SettingControl.h"

#include "settings/Settings.h"

#include <commctrl.h>

#include <string>

namespace {

bool IsManaged(const SettingControl& control)
{
    return control.number != nullptr ? settings::IsManaged(*control.number) : settings::IsManaged(*control.text);
}

void ShowValue(HWND window, const SettingControl& control)
{
    if (control.text != nullptr) {
        SetWindowTextA(window, settings::Read(*control.text).c_str());
        return;
    }
    const int value = settings::Read(*control.number);
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpiA(className, TRACKBAR_CLASSA) == 0) {
        SendMessageA(window, TBM_SETPOS, TRUE, value);
    } else if (lstrcmpiA(className, "Button") == 0) {
        SendMessageA(window, BM_SETCHECK, value == control.checkedValue ? BST_CHECKED : BST_UNCHECKED, 0);
    } else {
        SetWindowTextA(window, std::to_string(value).c_str());
    }
}

bool Manage(HWND dialog, const SettingControl* controls, std::size_t count, bool showValues)
{
    bool any = false;
    for (std::size_t i = 0; i < count; ++i) {
        const HWND window = GetDlgItem(dialog, controls[i].id);
        if (window == nullptr || !IsManaged(controls[i])) {
            continue;
        }
        if (showValues) {
            ShowValue(window, controls[i]);
        }
        EnableWindow(window, FALSE);
        any = true;
    }
    return any;
}

}  // namespace

bool DisableManaged(HWND dialog, const SettingControl* controls, std::size_t count)
{
    return Manage(dialog, controls, count, false);
}

bool ShowManaged(HWND dialog, const SettingControl* controls, std::size_t count)
{
    return Manage(dialog, controls, count, true);
}
