#include "win/DialogKeys.h"

namespace win {
namespace {

constexpr const char* kMark = "QuellorDialogKeys";

}  // namespace

void StartDialogKeys(HWND window)
{
    SetPropA(window, kMark, window);
}

void StopDialogKeys(HWND window)
{
    RemovePropA(window, kMark);
}

bool TakeDialogKeys(MSG& message)
{
    if (message.hwnd == nullptr || message.message < WM_KEYFIRST || message.message > WM_KEYLAST) {
        return false;
    }
    const HWND root = GetAncestor(message.hwnd, GA_ROOT);
    return root != nullptr && GetPropA(root, kMark) != nullptr && IsDialogMessageA(root, &message) != FALSE;
}

}  // namespace win
