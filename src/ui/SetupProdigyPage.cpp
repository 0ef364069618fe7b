#include "ui/SetupProdigyPage.h"

#include "res/resource.h"
#include "settings/Settings.h"

namespace {

constexpr int kControls[] = {IDC_PRODIGY_LABEL, IDC_PRODIGY};

}  // namespace

CSetupProdigyPage::CSetupProdigyPage() : CSetupPage("Prodigy/MSN", kControls) {}

void CSetupProdigyPage::Read()
{
    prodigy = settings::Read(keys::Prodigy);
}

void CSetupProdigyPage::Exchange(win::CDataExchange& exchange)
{
    exchange.Check(IDC_PRODIGY, prodigy);
}

void CSetupProdigyPage::Write() const
{
    settings::Write(keys::Prodigy, prodigy);
}
