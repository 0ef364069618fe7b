#include "settings/RedialSettings.h"

#include "settings/Settings.h"
#include "settings/SwitchSettings.h"

#include <algorithm>

namespace redial {

std::vector<std::string> SplitEntryNames(std::string_view text)
{
    std::vector<std::string> names;
    for (std::string& name : switch_settings::SplitNames(text)) {
        if (name.size() <= kMostEntryNameChars && std::find(names.begin(), names.end(), name) == names.end()) {
            names.push_back(std::move(name));
        }
    }
    return names;
}

}  // namespace redial

RedialSettings RedialSettings::Read()
{
    RedialSettings read;
    read.entries = redial::SplitEntryNames(settings::Read(keys::Redial));
    read.balloons = settings::Read(keys::Balloons) != 0;
    return read;
}

bool RedialSettings::Write() const
{
    const bool written = settings::Write(keys::Redial, switch_settings::JoinNames(entries));
    return settings::Write(keys::Balloons, balloons ? 1 : 0) && written;
}
