#include "ui/ChangeUrlDialog.h"

#include "res/resource.h"

#include <utility>

CChangeUrlDialog::CChangeUrlDialog(std::string entry) : CDialog(IDD_CHANGE_URL), text(std::move(entry)) {}

BOOL CChangeUrlDialog::OnInitDialog()
{
    // Over the Set Up dialog that owns it.
    RECT owner = {};
    if (GetWindowRect(GetWindow(hwnd, GW_OWNER), &owner)) {
        CentreOn(owner);
    }
    // TRUE: the focus starts on the first control, the OK button, so Enter
    // at once keeps the entry as it was.
    return CDialog::OnInitDialog();
}

void CChangeUrlDialog::Exchange(win::CDataExchange& dx)
{
    dx.Text(IDC_URL_TEXT, text);
}
