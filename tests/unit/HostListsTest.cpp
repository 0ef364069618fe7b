#include "ui/HostLists.h"

#include "settings/Settings.h"
#include "settings/SettingsStore.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

const char* const kSectionKey = "software\\Marrowby\\quellor_unit_tests\\Quellor";

class HostLists : public ::testing::Test {
protected:
    void SetUp() override
    {
        CSettingsStore::Global().SetRegistryKey("Marrowby");
        RegDeleteKeyA(HKEY_CURRENT_USER, kSectionKey);
    }
    void TearDown() override { RegDeleteKeyA(HKEY_CURRENT_USER, kSectionKey); }

    static std::string Stored(const char* name)
    {
        char text[256] = {};
        DWORD size = sizeof text - 1;
        DWORD type = REG_NONE;
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kSectionKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
            return "<no section>";
        }
        const bool found =
            RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) == ERROR_SUCCESS;
        RegCloseKey(key);
        return !found ? "<missing>" : type == REG_SZ ? text : "<not text>";
    }

    static std::string Name(const char* list, int index) { return list + std::to_string(index); }
};

TEST_F(HostLists, MissingEntriesReadAsTheMakersHostAndStoredOnesAsStored)
{
    settings::Write(keys::HostKey(keys::HostList::Http, 0), "127.0.0.1");
    settings::Write(keys::HostKey(keys::HostList::Ftp, 9), "");
    settings::Write(keys::HostKey(keys::HostList::Ftp, 4), " ftp.localhost ");
    CHostLists lists;
    lists.Read();
    const auto& http = lists.Entries(keys::HostList::Http);
    const auto& ftp = lists.Entries(keys::HostList::Ftp);
    EXPECT_EQ(http[0], "127.0.0.1");
    EXPECT_EQ(ftp[4], " ftp.localhost ");
    EXPECT_EQ(ftp[9], "");
    for (int i = 1; i < keys::kHostCount; ++i) {
        EXPECT_EQ(http[i], "www.marrowby.com") << i;
    }
    for (int i : {0, 1, 2, 3, 5, 6, 7, 8}) {
        EXPECT_EQ(ftp[i], "www.marrowby.com") << i;
    }
}

TEST_F(HostLists, WriteStoresBothListsWithEditsUnderTheirOwnKeys)
{
    CHostLists lists;
    lists.Read();
    for (int i = 0; i < keys::kHostCount; ++i) {
        lists.Entry(keys::HostList::Http, i) = "web" + std::to_string(i);
        lists.Entry(keys::HostList::Ftp, i) = "ftp" + std::to_string(i);
    }
    lists.Entry(keys::HostList::Ftp, 3) = "";
    lists.Write();
    for (int i = 0; i < keys::kHostCount; ++i) {
        EXPECT_EQ(Stored(Name("HTTPURL", i).c_str()), "web" + std::to_string(i));
        EXPECT_EQ(Stored(Name("FTPURL", i).c_str()), i == 3 ? "" : "ftp" + std::to_string(i));
    }
    EXPECT_EQ(Stored("HTTPURL10"), "<missing>");
    EXPECT_EQ(Stored("FTPURL10"), "<missing>");

    CHostLists again;
    again.Read();
    EXPECT_EQ(again.Entries(keys::HostList::Http), lists.Entries(keys::HostList::Http));
    EXPECT_EQ(again.Entries(keys::HostList::Ftp), lists.Entries(keys::HostList::Ftp));
}

}  // namespace
