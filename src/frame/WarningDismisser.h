#pragma once
// Clicks away the warning windows that online-service clients put up,
// looking for each of a list of window titles in turn.
#include <windows.h>

#include <string>
#include <vector>

class CWarningDismisser {
public:
    // A pass clicks each window found once, and again only within this
    // long from its start: a window that stays is left to the next tick, and
    // the user-interface thread is never held much longer than this.
    static constexpr DWORD kDefaultBudgetMs = 100;

    explicit CWarningDismisser(std::vector<std::string> titles, DWORD budgetMs = kDefaultBudgetMs);

    // One pass over every title. Returns the number of clicks posted.
    int DismissAll() const;

private:
    int Dismiss(const std::string& title, DWORD started) const;

    std::vector<std::string> titles;
    DWORD budgetMs;
};
