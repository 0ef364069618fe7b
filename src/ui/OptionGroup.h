#pragma once
// Check boxes that act as one group of radio buttons, each with its flag (0
// or 1): a click chooses the clicked box, even one chosen already, clears
// the others and sets every box to its flag.
#include "win/DataExchange.h"

#include <initializer_list>
#include <vector>

class COptionGroup {
public:
    // chosenId: the box chosen at first, or 0 for none.
    COptionGroup(std::initializer_list<int> boxIds, int chosenId);

    int Flag(int boxId) const;
    bool AnyChosen() const;
    // Chooses the box and clears the others (all of them for an id of none).
    void Choose(int boxId);
    // A click on one of the group's boxes; false for any other control.
    bool OnClicked(HWND dialog, int controlId);
    // Each box's flag, as a check box.
    void Exchange(win::CDataExchange& exchange);

private:
    struct Option {
        int boxId;
        int flag;
    };

    bool Has(int controlId) const;
    void ShowChoice(HWND dialog) const;

    std::vector<Option> options;
};
