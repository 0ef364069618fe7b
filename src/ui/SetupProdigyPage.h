#pragma once
// The "Prodigy/MSN" tab: whether the warning windows of those services are
// answered too.
#include "ui/SetupPage.h"

class CSetupProdigyPage : public CSetupPage {
public:
    CSetupProdigyPage();

    void Read() override;
    void Exchange(win::CDataExchange& exchange) override;
    void Write() const override;

private:
    int prodigy = 0;
};
