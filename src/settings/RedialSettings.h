#pragma once
// The stored values of dialing dropped connections again, as plain values.
#include <string>
#include <string_view>
#include <vector>

struct RedialSettings {
    // Phonebook entry names of the dial-up service.
    std::vector<std::string> entries;
    bool balloons = true;

    static RedialSettings Read();
    // Stores both values; false when the registry refused one.
    bool Write() const;
};

namespace redial {

// The longest name a phonebook entry can have.
constexpr std::size_t kMostEntryNameChars = 256;

// The names of a ';'-separated list as the connection lists read it, without
// those longer than an entry's name can be, each once.
std::vector<std::string> SplitEntryNames(std::string_view text);

}  // namespace redial
