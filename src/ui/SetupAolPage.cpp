#include "ui/SetupAolPage.h"

#include "res/resource.h"
#include "settings/Settings.h"

namespace {

constexpr int kControls[] = {IDC_AOL4, IDC_AOL3, IDC_AOL_TITLE_LABEL, IDC_AOL_TITLE, IDC_AOL_HINT};

constexpr SettingControl kManaged[] = {
    {IDC_AOL_TITLE, keys::AOL47},
};

UINT CheckState(int value)
{
    return value != 0 ? BST_CHECKED : BST_UNCHECKED;
}

}  // namespace

const win::CommandEntry<CSetupAolPage> CSetupAolPage::commands[] = {
    {IDC_AOL3, &CSetupAolPage::OnAol3Clicked},
    {IDC_AOL4, &CSetupAolPage::OnAol4Clicked},
};

const win::MessageMap<CSetupAolPage> CSetupAolPage::messageMap = {{}, commands, {}, {}};

CSetupAolPage::CSetupAolPage() : CSetupPage("AOL", kControls) {}

void CSetupAolPage::Read()
{
    aol.isAol = settings::Read(keys::IsAOL);
    aol.isAol4 = settings::Read(keys::IsAOL4);
    aol.title = settings::Read(keys::AOL47);
}

void CSetupAolPage::Exchange(win::CDataExchange& exchange)
{
    exchange.Check(IDC_AOL3, aol.isAol);
    exchange.Text(IDC_AOL_TITLE, aol.title);
    if (!exchange.IsSaving()) {
        // The 4.0 box follows its click rule; it is never read back.
        exchange.Check(IDC_AOL4, aol.isAol4);
    }
}

void CSetupAolPage::Write() const
{
    settings::Write(keys::IsAOL, aol.isAol);
    settings::Write(keys::IsAOL4, aol.isAol4);
    settings::Write(keys::AOL47, aol.title);
}

bool CSetupAolPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    return win::DispatchMessageMap(*this, messageMap, message, wParam, lParam, result);
}

win::TableRef<SettingControl> CSetupAolPage::ManagedControls() const
{
    return kManaged;
}

// The title box and its companions belong to a chosen version.
bool CSetupAolPage::ShowsNow(int controlId) const
{
    return controlId == IDC_AOL3 || controlId == IDC_AOL4 || aol.ShowsTitle();
}

void CSetupAolPage::OnVersionClicked(AolVersion version)
{
    // What the user has typed into the title box is the title the rule sees.
    aol.title = win::WindowText(Item(IDC_AOL_TITLE));
    AolChoice next = ClickAolVersion(aol, version);
    if (!IsWindowEnabled(Item(IDC_AOL_TITLE))) {
        next.title = aol.title;  // as a policy sets it
    }
    if (next.title != aol.title) {
        SetDlgItemTextA(Dialog(), IDC_AOL_TITLE, next.title.c_str());
    }
    aol = next;
    CheckDlgButton(Dialog(), IDC_AOL3, CheckState(aol.isAol));
    CheckDlgButton(Dialog(), IDC_AOL4, CheckState(aol.isAol4));
    ShowAgain();
}
