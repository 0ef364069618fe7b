#pragma once
// The tabbed Set Up dialog in which every option can be edited.
#include "win/Dialog.h"

class CSetupDialog : public win::CDialog {
public:
    // startUp: the state of "Don't Show this Dialog Again on Startup".
    explicit CSetupDialog(int startUp);

private:
    int startUp;
};
