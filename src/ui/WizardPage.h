#pragma once
// A page of the set-up wizard: the picture across the top, Back, Next and
// Cancel at the bottom, and check boxes that act as one group of radio
// buttons. Each page starts from its own fixed choice and stores its answer
// when the user leaves it with Next; a setting that a policy sets shows the
// policy's value in a disabled control instead, and is not stored.
#include "ui/OptionGroup.h"
#include "win/Dialog.h"

#include <initializer_list>

class CWizardPage : public win::CDialog {
public:
    // How the user left the page: the dialog's end result.
    enum class Exit { Next, Back, Cancel };

    Exit Run(HWND owner);

protected:
    // optionIds: the page's check boxes; initialChoice: the one checked when
    // the page opens, or 0 for none.
    CWizardPage(UINT templateId, std::initializer_list<int> optionIds, int initialChoice);

    // Writes the page's answer; false keeps the page open.
    virtual bool StoreAnswer() = 0;

    // The option's flag, 0 or 1.
    int Flag(int optionId) const { return options.Flag(optionId); }
    bool AnyChosen() const { return options.AnyChosen(); }

    BOOL OnInitDialog() override;
    void Exchange(win::CDataExchange& exchange) override;
    void OnOK() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnBack();
    void FitPicture();

    COptionGroup options;
};
