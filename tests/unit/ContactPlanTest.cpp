// The pure pieces of a contact: period, host choice, target, proxy text and
// the form of the contact.
#include "engine/ContactPlan.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <set>
#include <string>

namespace {

// The linked C runtime's own generator, as the reference: the Windows one.
// A native build (for the sanitizers) has another runtime and checks the
// generator against the documented draws alone.
#ifdef _WIN32
constexpr bool kRuntimeIsTheReference = true;
#else
constexpr bool kRuntimeIsTheReference = false;
#endif

int NextRuntimeHostIndex()
{
    int drawn = std::rand();
    while (drawn > 9) {
        drawn = std::rand();
    }
    return drawn;
}

int RuntimeHostIndex(unsigned int seed)
{
    std::srand(seed);
    return NextRuntimeHostIndex();
}

TEST(ContactPeriod, AlwaysAtLeastAMinuteAndAValidTimerPeriod)
{
    EXPECT_EQ(ContactPeriodMs(1), 60000u);
    EXPECT_EQ(ContactPeriodMs(15), 900000u);
    EXPECT_EQ(ContactPeriodMs(0), 60000u);
    EXPECT_EQ(ContactPeriodMs(-1), 60000u);
    EXPECT_EQ(ContactPeriodMs(INT_MIN), 60000u);
    // 71583 minutes would wrap to 12.7 s in 32 bits, 1360073 to 1.4 s.
    for (int minutes : {35791, 35792, 71583, 1360073, INT_MAX}) {
        const unsigned int period = ContactPeriodMs(minutes);
        EXPECT_GE(period, 35791u * 60000u) << minutes;
        EXPECT_LE(period, 0x7FFFFFFFu) << minutes << ": beyond the longest window-timer period";
    }
}

TEST(RuntimeRandom, MatchesTheRuntimesGenerator)
{
    // The documented first draws after srand(1).
    CRuntimeRandom seededWithOne(1);
    for (int expected : {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464}) {
        EXPECT_EQ(seededWithOne.Next(), expected);
    }
    for (unsigned int seed : {0u, 2u, 12345u, 1700000000u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
        if (!kRuntimeIsTheReference) {
            break;
        }
        std::srand(seed);
        CRuntimeRandom generator(seed);
        for (int i = 0; i < 1000; ++i) {
            ASSERT_EQ(generator.Next(), std::rand()) << "seed " << seed << " draw " << i;
        }
    }
}

TEST(HostChoice, RandomIndexIsTheRuntimesAndAlwaysNamesAnEntry)
{
    std::set<int> seen;
    const unsigned int someSecond = 1765000000u;
    for (unsigned int seed = someSecond; seed < someSecond + 2000; ++seed) {
        CRuntimeRandom generator(seed);
        const int index = RandomHostIndex(generator);
        ASSERT_GE(index, 0);
        ASSERT_LE(index, 9);
        if (kRuntimeIsTheReference) {
            ASSERT_EQ(index, RuntimeHostIndex(seed)) << "seed " << seed;
        }
        seen.insert(index);
    }
    EXPECT_EQ(seen.size(), 10u);
    // One generator keeps drawing where the last choice stopped.
    CRuntimeRandom generator(7);
    std::srand(7);
    for (int i = 0; i < 20 && kRuntimeIsTheReference; ++i) {
        EXPECT_EQ(RandomHostIndex(generator), NextRuntimeHostIndex());
    }
}

TEST(HostChoice, SequentialStartsAtOneAndEntryZeroComesTenth)
{
    int last = 0;
    std::string order;
    for (int i = 0; i < 21; ++i) {
        order += std::to_string(NextSequentialIndex(last));
    }
    EXPECT_EQ(order, "123456789012345678901");
    last = 0;
    EXPECT_EQ(NextSequentialIndex(last), 1);
    last = 9;
    EXPECT_EQ(NextSequentialIndex(last), 0);
    EXPECT_EQ(last, 0);
}

TEST(ContactTarget, PrefixAndHostWithinNinetyNineCharacters)
{
    EXPECT_EQ(BuildTarget(1, "www.example.org").value_or("none"), "http://www.example.org");
    for (int ftpMode : {0, 2, -1}) {
        EXPECT_EQ(BuildTarget(ftpMode, "ftp.example.org").value_or("none"), "ftp://ftp.example.org");
    }
    EXPECT_EQ(BuildTarget(1, std::string(92, 'h')).value_or("none").size(), 99u);
    EXPECT_FALSE(BuildTarget(1, std::string(93, 'h')).has_value());
    EXPECT_EQ(BuildTarget(0, std::string(93, 'f')).value_or("none").size(), 99u);
    EXPECT_FALSE(BuildTarget(0, std::string(94, 'f')).has_value());
    EXPECT_FALSE(BuildTarget(1, std::string(5000, 'h')).has_value());
    EXPECT_FALSE(BuildTarget(1, "").has_value());
    EXPECT_FALSE(BuildTarget(0, "").has_value());
}

TEST(ProxyText, PrefixOnlyWhenNotAlreadyThereByteForByte)
{
    EXPECT_EQ(ProxyServerText(1, "proxy.isp.net"), "http://proxy.isp.net");
    EXPECT_EQ(ProxyServerText(1, "http://proxy.isp.net"), "http://proxy.isp.net");
    EXPECT_EQ(ProxyServerText(1, "HTTP://proxy.isp.net"), "http://HTTP://proxy.isp.net");
    EXPECT_EQ(ProxyServerText(1, "Http://proxy"), "http://Http://proxy");
    EXPECT_EQ(ProxyServerText(1, "ftp://proxy"), "http://ftp://proxy");
    EXPECT_EQ(ProxyServerText(1, "http:/proxy"), "http://http:/proxy");
    EXPECT_EQ(ProxyServerText(1, ""), "http://");
    EXPECT_EQ(ProxyServerText(1, "http://"), "http://");

    EXPECT_EQ(ProxyServerText(0, "proxy.isp.net"), "ftp://proxy.isp.net");
    EXPECT_EQ(ProxyServerText(0, "ftp://proxy.isp.net"), "ftp://proxy.isp.net");
    EXPECT_EQ(ProxyServerText(0, "FTP://proxy"), "ftp://FTP://proxy");
    EXPECT_EQ(ProxyServerText(0, "http://proxy"), "ftp://http://proxy");
    EXPECT_EQ(ProxyServerText(2, "proxy"), "ftp://proxy");
    EXPECT_EQ(ProxyServerText(0, ""), "ftp://");
}

TEST(ProxyText, ListCarriesThePortInFull)
{
    EXPECT_EQ(ProxyListText("http://proxy", 8080), "http://proxy:8080");
    EXPECT_EQ(ProxyListText("ftp://proxy", 21), "ftp://proxy:21");
    EXPECT_EQ(ProxyListText("http://proxy", 0), "http://proxy:0");
    EXPECT_EQ(ProxyListText("http://proxy", -1), "http://proxy:-1");
    EXPECT_EQ(ProxyListText("http://proxy", 70000), "http://proxy:70000");
    EXPECT_EQ(ProxyListText("http://proxy", INT_MIN), "http://proxy:-2147483648");
    EXPECT_EQ(ProxyListText("http://proxy", INT_MAX), "http://proxy:2147483647");
}

TEST(ContactForm, ProxyFormsOnlyWithAServerAfterThePrefix)
{
    EXPECT_EQ(ChooseContactForm(1, "http://proxy"), ContactForm::HttpProxy);
    EXPECT_EQ(ChooseContactForm(1, "ftp://proxy"), ContactForm::FtpProxy);
    EXPECT_EQ(ChooseContactForm(1, "http://"), ContactForm::Direct);
    EXPECT_EQ(ChooseContactForm(1, "ftp://"), ContactForm::Direct);
    EXPECT_EQ(ChooseContactForm(1, "http:// "), ContactForm::HttpProxy);
    EXPECT_EQ(ChooseContactForm(0, "http://proxy"), ContactForm::Direct);
    EXPECT_EQ(ChooseContactForm(2, "http://proxy"), ContactForm::Direct);
    EXPECT_EQ(ChooseContactForm(-1, "ftp://proxy"), ContactForm::Direct);
    EXPECT_EQ(ChooseContactForm(1, ""), ContactForm::Direct);
    EXPECT_EQ(ChooseContactForm(1, "HTTP://proxy"), ContactForm::Direct);
}

TEST(ContactForm, HostAndPortsOfTheContact)
{
    EXPECT_EQ(TargetHost("http://www.example.org", ContactForm::HttpProxy), "www.example.org");
    EXPECT_EQ(TargetHost("ftp://ftp.example.org", ContactForm::FtpProxy), "ftp.example.org");
    EXPECT_EQ(TargetHost("http://www.example.org", ContactForm::Direct), "www.example.org");
    EXPECT_EQ(TargetHost("ftp://ftp.example.org", ContactForm::Direct), "ftp.example.org");
    EXPECT_EQ(TargetHost("http://", ContactForm::HttpProxy), "");
    EXPECT_EQ(TargetHost("ftp:/", ContactForm::FtpProxy), "");

    EXPECT_EQ(LowPort(80), 80);
    EXPECT_EQ(LowPort(65535), 65535);
    EXPECT_EQ(LowPort(65536), 0);
    EXPECT_EQ(LowPort(70000), 4464);
    EXPECT_EQ(LowPort(-1), 65535);
    EXPECT_EQ(LowPort(INT_MIN), 0);
}

}  // namespace
