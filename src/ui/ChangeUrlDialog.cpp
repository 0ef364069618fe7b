#include "ui/ChangeUrlDialog.h"

#include "res/resource.h"

#include <utility>

namespace {

// Centres the dialog over the window that owns it (the Set Up dialog).
void CenterOverOwner(HWND dialog)
{
    const HWND owner = GetWindow(dialog, GW_OWNER);
    RECT ownerRect = {};
    RECT dialogRect = {};
    if (owner == nullptr || !GetWindowRect(owner, &ownerRect) || !GetWindowRect(dialog, &dialogRect)) {
        return;
    }
    const int width = dialogRect.right - dialogRect.left;
    const int height = dialogRect.bottom - dialogRect.top;
    const int left = (ownerRect.left + ownerRect.right - width) / 2;
    const int top = (ownerRect.top + ownerRect.bottom - height) / 2;
    SetWindowPos(dialog, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

CChangeUrlDialog::CChangeUrlDialog(std::string entry) : CDialog(IDD_CHANGE_URL), text(std::move(entry)) {}

BOOL CChangeUrlDialog::OnInitDialog()
{
    CenterOverOwner(hwnd);
    // TRUE: the focus starts on the first control, the OK button, so Enter
    // at once keeps the entry as it was.
    return CDialog::OnInitDialog();
}

void CChangeUrlDialog::Exchange(win::CDataExchange& dx)
{
    dx.Text(IDC_URL_TEXT, text);
}
