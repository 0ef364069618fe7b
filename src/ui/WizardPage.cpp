#include "ui/WizardPage.h"

#include "res/resource.h"
#include "ui/SettingControl.h"

namespace {

// Every control of the wizard that shows a setting, whichever page has it.
constexpr SettingControl kSettingControls[] = {
    {IDC_WIZ_AUTONETSENSE, keys::AutoNetSense, 1},
    {IDC_WIZ_MANUAL, keys::AutoNetSense, 0},
    {IDC_WIZ_NO_PROXY, keys::Proxy, 0},
    {IDC_WIZ_USE_PROXY, keys::Proxy, 1},
    {IDC_WIZ_PROXY_ADDRESS, keys::ProxyIP3},
    {IDC_WIZ_PORT, keys::Port},
    {IDC_WIZ_SLIDER, keys::DefaultMin},
    {IDC_WIZ_HTTP, keys::IsHttp, 1},
    {IDC_WIZ_FTP, keys::IsHttp, 0},
    {IDC_WIZ_RANDOM, keys::IsRand, 1},
    {IDC_WIZ_SEQUENTIAL, keys::IsRand, 0},
};

}  // namespace

CWizardPage::CWizardPage(UINT templateId, std::initializer_list<int> optionIds, int initialChoice)
    : CDialog(templateId), options(optionIds, initialChoice)
{
}

CWizardPage::Exit CWizardPage::Run(HWND owner)
{
    switch (DoModal(owner)) {
    case IDOK:
        return Exit::Next;
    case IDC_WIZARD_BACK:
        return Exit::Back;
    default:
        return Exit::Cancel;
    }
}

BOOL CWizardPage::OnInitDialog()
{
    FitPicture();
    const BOOL result = CDialog::OnInitDialog();
    if (ShowManaged(hwnd, kSettingControls)) {
        // The choice a policy makes is the page's own.
        win::CDataExchange fromBoxes(hwnd, true);
        options.Exchange(fromBoxes);
    }
    return result;
}

void CWizardPage::Exchange(win::CDataExchange& exchange)
{
    options.Exchange(exchange);
}

void CWizardPage::OnOK()
{
    if (StoreAnswer()) {
        EndDialog(IDOK);
    }
}

// Back stores nothing, but reads the controls as Next does, so a value the
// page cannot take keeps it open for correction.
void CWizardPage::OnBack()
{
    if (UpdateData(true)) {
        EndDialog(IDC_WIZARD_BACK);
    }
}

bool CWizardPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        const int id = LOWORD(wParam);
        if (id == IDC_WIZARD_BACK) {
            OnBack();
            result = 0;
            return true;
        }
        if (options.OnClicked(hwnd, id)) {
            result = 0;
            return true;
        }
    }
    return CDialog::OnMessage(message, wParam, lParam, result);
}

// The picture keeps its pixels whatever the dialog font makes of the
// template's units: the control is sized to the bitmap plus its sunken
// border and centred across the page.
void CWizardPage::FitPicture()
{
    const HWND picture = Item(IDC_WIZ_PICTURE);
    // NOLINTNEXTLINE(performance-no-int-to-ptr): STM_GETIMAGE answers with the bitmap's handle
    const auto bitmap = reinterpret_cast<HBITMAP>(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP size = {};
    if (bitmap == nullptr || GetObjectA(bitmap, sizeof size, &size) == 0) {
        return;
    }
    RECT frame = {0, 0, size.bmWidth, size.bmHeight};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(picture, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(picture, GWL_EXSTYLE)));
    RECT placed = {};
    GetWindowRect(picture, &placed);
    MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&placed), 2);
    RECT client = {};
    GetClientRect(hwnd, &client);
    const int width = frame.right - frame.left;
    SetWindowPos(picture, nullptr, (client.right - width) / 2, placed.top, width, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}
