#include "tray/TrayPictureSet.h"

#include "res/resource.h"
#include "tray/TrayNotifyIcon.h"

namespace {

// Not in the headers for the oldest Windows this builds for; Windows before
// Vista fail the call, and they animate.
constexpr UINT kGetClientAreaAnimation = 0x1042;

// Windows 10 and 11 keep the taskbar's colours here: 1 for light. Without
// the value (Windows 7 and 8) the taskbar is dark.
bool TaskbarIsLight()
{
    win::CRegistryKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize", 0,
                      KEY_QUERY_VALUE, key.Receive()) != ERROR_SUCCESS) {
        return false;
    }
    DWORD type = REG_NONE;
    DWORD value = 0;
    DWORD bytes = sizeof value;
    return RegQueryValueExA(key.Get(), "SystemUsesLightTheme", nullptr, &type, reinterpret_cast<BYTE*>(&value),
                            &bytes) == ERROR_SUCCESS &&
           type == REG_DWORD && value == 1;
}

// "Show animations in Windows" switched off.
bool AnimationsOff()
{
    BOOL animate = TRUE;
    return SystemParametersInfoA(kGetClientAreaAnimation, 0, &animate, 0) && !animate;
}

}  // namespace

CTrayPictureSet::CTrayPictureSet()
    : light(TaskbarIsLight()),
      still(AnimationsOff()),
      size(GetSystemMetrics(SM_CXSMICON)),
      idle(LoadNotificationIcon(light ? IDI_IDLE_LIGHT : IDI_IDLE_DARK)),
      running{LoadNotificationIcon(light ? IDI_ACTIVE_1 : IDI_ACTIVE_1_DARK),
              LoadNotificationIcon(light ? IDI_ACTIVE_2 : IDI_ACTIVE_2_DARK)}
{
}

bool CTrayPictureSet::SameAs(const CTrayPictureSet& other) const
{
    return light == other.light && still == other.still && size == other.size;
}
