#pragma once
// The small dialog that replaces one host entry with whatever text the user
// types; Cancel gives back the entry it was given.
#include "win/Dialog.h"

#include <string>

class CChangeUrlDialog : public win::CDialog {
public:
    explicit CChangeUrlDialog(std::string entry);

    // The entry as it stands after the modal run.
    const std::string& Text() const { return text; }

protected:
    BOOL OnInitDialog() override;
    void Exchange(win::CDataExchange& dx) override;

private:
    std::string text;
};
