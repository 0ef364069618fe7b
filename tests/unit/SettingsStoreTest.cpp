#include "QuellorRegistry.h"
#include "settings/Settings.h"
#include "settings/SettingsStore.h"
#include "settings/SwitchSettings.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

const char* const kAppKey = "software\\Marrowby\\quellor_unit_tests";
const char* const kSectionKey = "software\\Marrowby\\quellor_unit_tests\\Quellor";
constexpr DWORD kOne = 1;

class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CSettingsStore::Global().SetRegistryKey("Marrowby");
        RegDeleteTreeOrKey(kSectionKey);
        RegDeleteTreeOrKey(kAppKey);
        quellor_registry::ClearPolicies();
    }

    void TearDown() override { quellor_registry::ClearPolicies(); }

    static void RegDeleteTreeOrKey(const char* path) { RegDeleteKeyA(HKEY_CURRENT_USER, path); }

    // Stores raw bytes under a key of the test's own section, bypassing the store.
    static void PutRaw(const char* name, DWORD type, const void* data, DWORD size)
    {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kSectionKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(key);
    }

    static DWORD RawType(const char* name)
    {
        HKEY key = nullptr;
        DWORD type = REG_NONE;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kSectionKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
            if (RegQueryValueExA(key, name, nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS) {
                type = REG_NONE;
            }
            RegCloseKey(key);
        }
        return type;
    }
};

TEST_F(SettingsStoreTest, LivesUnderTheCompanyAndApplicationName)
{
    EXPECT_TRUE(settings::Write(keys::Port, 8080));
    EXPECT_EQ(RawType("Port"), static_cast<DWORD>(REG_DWORD));
    EXPECT_TRUE(settings::Write(keys::ProxyIP3, "proxy.local"));
    EXPECT_EQ(RawType("ProxyIP3"), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(settings::Read(keys::Port), 8080);
    EXPECT_EQ(settings::Read(keys::ProxyIP3), "proxy.local");
}

TEST_F(SettingsStoreTest, MissingKeysAndPathsReadAsTheCallersDefault)
{
    // The whole path is missing here; the read creates it and still answers the default.
    EXPECT_EQ(settings::Read(keys::Port), 80);
    EXPECT_EQ(settings::Read(keys::IsHttp), 1);
    EXPECT_EQ(settings::Read(keys::FirstRunMarker), 999);
    EXPECT_EQ(settings::Read(keys::DefaultMin, 7), 7);
    EXPECT_EQ(settings::Read(keys::AOL47), "America Online");
    EXPECT_EQ(settings::Read(keys::AOL47, ""), "");
    EXPECT_EQ(settings::Read(keys::HostKey(keys::HostList::Ftp, 9)), "www.marrowby.com");
    EXPECT_EQ(CSettingsStore::Global().GetString("Quellor", "Nothing", nullptr), "");
}

TEST_F(SettingsStoreTest, ValuesOfTheWrongKindReadAsTheDefault)
{
    PutRaw("Port", REG_SZ, "8080", 5);
    EXPECT_EQ(settings::Read(keys::Port), 80);
    const WORD shortNumber = 5;
    PutRaw("DefaultMin", REG_BINARY, &shortNumber, sizeof shortNumber);
    EXPECT_EQ(settings::Read(keys::DefaultMin), 1);
    const unsigned long long wide = 3;
    PutRaw("IsRand", REG_QWORD, &wide, sizeof wide);
    EXPECT_EQ(settings::Read(keys::IsRand), 1);
    const DWORD number = 42;
    PutRaw("ProxyIP3", REG_DWORD, &number, sizeof number);
    EXPECT_EQ(settings::Read(keys::ProxyIP3, "fallback"), "fallback");
}

TEST_F(SettingsStoreTest, TextsAreReadWholeAndTerminated)
{
    const std::string longText(70000, 'x');
    EXPECT_TRUE(settings::Write(keys::ProxyIP3, longText));
    EXPECT_EQ(settings::Read(keys::ProxyIP3), longText);

    // Stored without its terminating NUL by another program.
    PutRaw("AOL47", REG_SZ, "Timer", 5);
    EXPECT_EQ(settings::Read(keys::AOL47), "Timer");

    EXPECT_TRUE(settings::Write(keys::AOL47, ""));
    EXPECT_EQ(RawType("AOL47"), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(settings::Read(keys::AOL47), "");
}

TEST_F(SettingsStoreTest, AWriteWithoutValueRemovesTheKey)
{
    EXPECT_TRUE(settings::Write(keys::AOL10, "old"));
    EXPECT_EQ(RawType("AOL10"), static_cast<DWORD>(REG_SZ));
    EXPECT_TRUE(settings::Remove(keys::AOL10));
    EXPECT_EQ(RawType("AOL10"), static_cast<DWORD>(REG_NONE));
    // Removing what is not there is harmless.
    EXPECT_TRUE(settings::Remove(keys::AOL10));
    EXPECT_EQ(settings::Read(keys::AOL10, "gone"), "gone");
}

TEST_F(SettingsStoreTest, NegativeAndLargeNumbersSurviveTheRoundTrip)
{
    EXPECT_TRUE(settings::Write(keys::Port, -1));
    EXPECT_EQ(settings::Read(keys::Port), -1);
    EXPECT_TRUE(settings::Write(keys::Port, 2147483647));
    EXPECT_EQ(settings::Read(keys::Port), 2147483647);
}

TEST_F(SettingsStoreTest, SwitchSourcesReadAsOffWhenMissingBadOrOutOfRange)
{
    // Nothing stored: every source off.
    SwitchSettings read = SwitchSettings::Read();
    EXPECT_TRUE(read.connections.empty());
    EXPECT_TRUE(read.programs.empty());
    EXPECT_FALSE(read.HasSchedule());
    EXPECT_EQ(read.hotKey, 0);
    EXPECT_FALSE(read.keepAwake);

    // What a script writes: lists with blanks, empties and folders.
    EXPECT_TRUE(settings::Write(keys::WhenConnections, " Office VPN ;;Mobile\t; "));
    EXPECT_TRUE(settings::Write(keys::WhenPrograms, "C:\\Tools\\download.exe; backup.EXE ;C:\\dir\\"));
    EXPECT_TRUE(settings::Write(keys::WhenDays, 0x41));
    EXPECT_TRUE(settings::Write(keys::WhenFrom, 1320));
    EXPECT_TRUE(settings::Write(keys::WhenTo, 360));
    EXPECT_TRUE(settings::Write(keys::HotKey, 0x0651));
    EXPECT_TRUE(settings::Write(keys::KeepAwake, 1));
    EXPECT_TRUE(settings::Write(keys::KeepAwakeOnBattery, 1));
    read = SwitchSettings::Read();
    EXPECT_EQ(read.connections, (std::vector<std::string>{"Office VPN", "Mobile"}));
    EXPECT_EQ(read.programs, (std::vector<std::string>{"download.exe", "backup.EXE"}));
    EXPECT_EQ(read.days, 0x41);
    EXPECT_EQ(read.fromMinute, 1320);
    EXPECT_EQ(read.toMinute, 360);
    EXPECT_EQ(read.hotKey, 0x0651);
    EXPECT_TRUE(read.keepAwake);
    EXPECT_TRUE(read.keepAwakeOnBattery);

    // Out of range or of the wrong type: that source alone goes off.
    EXPECT_TRUE(settings::Write(keys::WhenTo, 1440));
    EXPECT_TRUE(settings::Write(keys::HotKey, 0x1051));
    EXPECT_TRUE(settings::Write(keys::KeepAwake, 2));
    PutRaw("KeepAwakeOnBattery", REG_SZ, "1", 2);
    PutRaw("WhenConnections", REG_DWORD, &kOne, sizeof kOne);
    read = SwitchSettings::Read();
    EXPECT_FALSE(read.HasSchedule());
    EXPECT_EQ(read.hotKey, 0);
    EXPECT_FALSE(read.keepAwake);
    EXPECT_FALSE(read.keepAwakeOnBattery);
    EXPECT_TRUE(read.connections.empty());
    EXPECT_EQ(read.programs.size(), 2U);
    EXPECT_EQ(settings::Read(keys::WhenTo), 1440);  // shown as off, left as stored

    EXPECT_TRUE(settings::Write(keys::WhenTo, 360));
    PutRaw("WhenFrom", REG_SZ, "1320", 5);
    EXPECT_FALSE(SwitchSettings::Read().HasSchedule());
    EXPECT_TRUE(settings::Write(keys::WhenFrom, 1320));
    EXPECT_TRUE(settings::Write(keys::WhenDays, 0x80));
    EXPECT_FALSE(SwitchSettings::Read().HasSchedule());
    EXPECT_TRUE(settings::Write(keys::WhenDays, -1));
    EXPECT_FALSE(SwitchSettings::Read().HasSchedule());

    // A very long list is cut at whole names; nothing else is touched.
    std::string longList;
    while (longList.size() < 70000) {
        longList += "program" + std::to_string(longList.size()) + ".exe;";
    }
    EXPECT_TRUE(settings::Write(keys::WhenPrograms, longList));
    read = SwitchSettings::Read();
    EXPECT_LE(switch_settings::JoinNames(read.programs).size(), switch_settings::kMostListChars);
    EXPECT_EQ(longList.compare(0, switch_settings::JoinNames(read.programs).size() + 1,
                               switch_settings::JoinNames(read.programs) + ";"),
              0);
    EXPECT_GT(read.programs.size(), 100U);
    EXPECT_EQ(settings::Read(keys::WhenPrograms), longList);
}

TEST_F(SettingsStoreTest, PoliciesOverrideTheUsersValuesMachineFirstAndAreNeverWritten)
{
    using quellor_registry::Scope;
    ASSERT_TRUE(settings::Write(keys::Port, 8080) && settings::Write(keys::ProxyIP3, "mine"));
    ASSERT_TRUE(settings::Write(keys::IsAOL, 1));
    quellor_registry::WritePolicyInt(Scope::User, "Port", 3128);
    quellor_registry::WritePolicyString(Scope::User, "ProxyIP3", "proxy.corp");
    EXPECT_EQ(settings::Read(keys::Port), 3128);
    EXPECT_EQ(settings::Read(keys::ProxyIP3), "proxy.corp");
    EXPECT_TRUE(settings::IsManaged(keys::Port) && settings::IsManaged(keys::ProxyIP3));
    quellor_registry::WritePolicyInt(Scope::Machine, "Port", 8000);
    EXPECT_EQ(settings::Read(keys::Port), 8000);

    // Out of range or of the wrong kind, the machine's value gives way to the
    // user's policy, and that to the user's own value.
    quellor_registry::WritePolicyInt(Scope::Machine, "Port", 65536);
    EXPECT_EQ(settings::Read(keys::Port), 3128);
    quellor_registry::WritePolicyString(Scope::Machine, "Port", "8000");
    quellor_registry::WritePolicyInt(Scope::User, "Port", -1);
    quellor_registry::WritePolicyInt(Scope::User, "ProxyIP3", 1);
    quellor_registry::WritePolicyInt(Scope::User, "DefaultMin", 11);
    EXPECT_EQ(settings::Read(keys::Port), 8080);
    EXPECT_EQ(settings::Read(keys::ProxyIP3), "mine");
    EXPECT_EQ(settings::Read(keys::DefaultMin, 5), 5);
    EXPECT_FALSE(settings::IsManaged(keys::Port) || settings::IsManaged(keys::DefaultMin));
    // Keys that are not open to policy stay the user's.
    quellor_registry::WritePolicyInt(Scope::User, "IsAOL", 0);
    EXPECT_EQ(settings::Read(keys::IsAOL), 1);

    // A managed key keeps the user's own value for when the policy goes; no
    // write reaches the policies, and only the first start's values go in.
    const keys::TextKey& host = keys::HostKey(keys::HostList::Http, 3);
    quellor_registry::WritePolicyString(Scope::Machine, "HTTPURL3", "intranet.example.com");
    quellor_registry::WritePolicyInt(Scope::User, "Port", 3128);
    EXPECT_FALSE(settings::Write(host, "public.example.org") || settings::Write(keys::Port, 1));
    EXPECT_TRUE(settings::Seed(host, "first.example.org"));
    EXPECT_EQ(settings::Read(host), "intranet.example.com");
    EXPECT_EQ(quellor_registry::ReadPolicyInt(Scope::User, "Port", 0), 3128);
    quellor_registry::ClearPolicies();
    EXPECT_EQ(settings::Read(host), "first.example.org");
    EXPECT_EQ(settings::Read(keys::Port), 8080);
}

TEST_F(SettingsStoreTest, EveryHostKeyHasItsOwnName)
{
    for (int i = 0; i < keys::kHostCount; ++i) {
        EXPECT_EQ(std::string(keys::HostKey(keys::HostList::Http, i).name), "HTTPURL" + std::to_string(i));
        EXPECT_EQ(std::string(keys::HostKey(keys::HostList::Ftp, i).name), "FTPURL" + std::to_string(i));
    }
}

}  // namespace
