// SwitchSettings' reads through the key table, apart from its
// pure parsing, which also builds natively.
#include "settings/Settings.h"
#include "settings/SwitchSettings.h"

namespace {

constexpr int kMissing = -1;

}  // namespace

SwitchSettings SwitchSettings::Read()
{
    SwitchSettings read;
    read.connections = switch_settings::SplitNames(settings::Read(keys::WhenConnections));
    read.programs = switch_settings::SplitProgramNames(settings::Read(keys::WhenPrograms));
    switch_settings::StoredNumbers stored;
    // A missing value reads as 0 for the days (no schedule), the hot key (none)
    // and keep awake (off); a missing time leaves the schedule off.
    stored.days = settings::Read(keys::WhenDays);
    stored.fromMinute = settings::Read(keys::WhenFrom, kMissing);
    stored.toMinute = settings::Read(keys::WhenTo, kMissing);
    stored.hotKey = settings::Read(keys::HotKey);
    stored.keepAwake = settings::Read(keys::KeepAwake);
    stored.keepAwakeOnBattery = settings::Read(keys::KeepAwakeOnBattery);
    switch_settings::ApplyNumbers(stored, read);
    return read;
}
