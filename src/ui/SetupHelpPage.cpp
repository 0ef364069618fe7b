#include "ui/SetupHelpPage.h"

#include "res/resource.h"

namespace {

constexpr int kControls[] = {IDC_HELP_LINE_1, IDC_HELP_LINE_2, IDC_FAQ};

}  // namespace

CSetupHelpPage::CSetupHelpPage() : CSetupPage("Online Help", kControls) {}
