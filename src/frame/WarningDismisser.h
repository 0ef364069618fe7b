#pragma once
// Clicks away the warning windows that online-service clients put up,
// looking for each of a list of window titles in turn.
#include <windows.h>

#include <string>
#include <vector>

class CWarningDismisser {
public:
    // A window that stays in spite of the clicks is left to the next tick
    // after this long, so a pass over four titles never holds the
    // user-interface thread for more than 0.4 s.
    static constexpr DWORD kDefaultBudgetMs = 100;

    explicit CWarningDismisser(std::vector<std::string> titles, DWORD budgetPerTitleMs = kDefaultBudgetMs);

    // One pass over every title. Returns the number of clicks posted.
    int DismissAll() const;

private:
    int Dismiss(const std::string& title) const;

    std::vector<std::string> titles;
    DWORD budgetPerTitleMs;
};
