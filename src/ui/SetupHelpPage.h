#pragma once
// The "Online Help" tab: the FAQ button and its explanation. The button
// saves like OK, which is the dialog's to do.
#include "ui/SetupPage.h"

class CSetupHelpPage : public CSetupPage {
public:
    CSetupHelpPage();
};
