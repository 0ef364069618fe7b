#include "engine/RedialPlan.h"

#include <algorithm>
#include <iterator>

namespace redial {

namespace {

constexpr std::uint32_t kSecondMs = 1000;
constexpr std::uint32_t kPausesMs[] = {30 * kSecondMs, 120 * kSecondMs, 300 * kSecondMs, 900 * kSecondMs};

constexpr std::uint32_t kNeedTheUser[] = {
    1,    // the function is missing: a service that cannot dial
    120,  // not implemented
    126,  // no dial-up service DLL
    127,  // a dial-up service without dialing
    623,  // no such phonebook entry
    631,  // the user hung up the dial
    646,  // the account may not log on at this time of day
    647,  // account disabled
    648,  // password expired
    649,  // no dial-in permission
    691,  // user name or password not valid
    703,  // the connection needs the user's input
    708,  // account expired
    709,  // the password must be changed
    764,  // no smart card reader
    766,  // no certificate
    778,  // the server could not be authenticated
    779,  // a smart card is required
    786,  // no machine certificate for IPsec
    798,  // no certificate for EAP-TLS
    801,  // the server's certificate could not be validated
    802,  // the smart card could not be read
};

}  // namespace

std::uint32_t PauseAfterFailures(int failuresInRow)
{
    const auto step = static_cast<std::size_t>(std::clamp(failuresInRow, 1, static_cast<int>(std::size(kPausesMs))));
    return kPausesMs[step - 1];
}

bool RetryCannotMend(std::uint32_t error)
{
    return std::find(std::begin(kNeedTheUser), std::end(kNeedTheUser), error) != std::end(kNeedTheUser);
}

}  // namespace redial
