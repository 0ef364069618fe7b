#pragma once
// When Quellor dials a dropped entry again, and when it gives up. Pure, so
// that it can be tested without the dial-up service.
#include <cstdint>

namespace redial {

// Failures in a row after which Quellor stops dialing an entry.
constexpr int kMostFailures = 10;

// The pause after the given number of failures in a row (1 after the
// first): 30 s, 2 min, 5 min, then 15 min each time.
std::uint32_t PauseAfterFailures(int failuresInRow);

// Errors that dialing again cannot mend: a wrong password or a disabled
// account (where every further try counts towards a lock-out), an entry that
// does not exist, a connection that needs the user or a certificate, and a
// computer without a dial-up service.
bool RetryCannotMend(std::uint32_t error);

}  // namespace redial
