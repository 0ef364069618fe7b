#include "ui/OptionGroup.h"

#include <algorithm>

COptionGroup::COptionGroup(std::initializer_list<int> boxIds, int chosenId)
{
    for (const int id : boxIds) {
        options.push_back({id, id == chosenId ? 1 : 0});
    }
}

int COptionGroup::Flag(int boxId) const
{
    const auto option =
        std::find_if(options.begin(), options.end(), [boxId](const Option& option) { return option.boxId == boxId; });
    return option != options.end() ? option->flag : 0;
}

bool COptionGroup::AnyChosen() const
{
    return std::any_of(options.begin(), options.end(), [](const Option& option) { return option.flag != 0; });
}

void COptionGroup::Choose(int boxId)
{
    for (Option& option : options) {
        option.flag = option.boxId == boxId ? 1 : 0;
    }
}

bool COptionGroup::OnClicked(HWND dialog, int controlId)
{
    if (!Has(controlId)) {
        return false;
    }
    Choose(controlId);
    ShowChoice(dialog);
    return true;
}

void COptionGroup::Exchange(win::CDataExchange& exchange)
{
    for (Option& option : options) {
        exchange.Check(option.boxId, option.flag);
    }
}

bool COptionGroup::Has(int controlId) const
{
    return std::any_of(options.begin(), options.end(),
                       [controlId](const Option& option) { return option.boxId == controlId; });
}

void COptionGroup::ShowChoice(HWND dialog) const
{
    for (const Option& option : options) {
        SendDlgItemMessageA(dialog, option.boxId, BM_SETCHECK, static_cast<WPARAM>(option.flag), 0);
    }
}
