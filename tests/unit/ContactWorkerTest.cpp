// Contacts made on the worker's own thread, in this process, against
// listeners on this machine: one at a time, and nothing waits for one.
#include "engine/ContactWorker.h"

#include "LoopbackListener.h"
#include "ProcessCounts.h"
#include "TestWindows.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using Mode = CLoopbackListener::Mode;

constexpr unsigned short kDirectPort = 81;
// Far less than the contact's own time limit (10 s) for every wait.
constexpr DWORD kPromptEndMs = 1000;

class ContactWorkerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WSADATA data = {};
        ASSERT_EQ(WSAStartup(MAKEWORD(1, 1), &data), 0);
    }
    void TearDown() override { WSACleanup(); }

    // Wine ignores an ftp:// proxy and logs in at the host, on the port.
    static std::unique_ptr<CActivityProbe> FtpProbe(unsigned short port)
    {
        auto probe = std::make_unique<CActivityProbe>();
        probe->SetProxy(0, "127.0.0.1");
        probe->SetPort(port);
        return probe;
    }

    static std::unique_ptr<CActivityProbe> DirectProbe(unsigned short localPort)
    {
        auto probe = std::make_unique<CActivityProbe>();
        probe->SetPort(localPort);
        return probe;
    }

    static std::size_t Threads() { return ProcessThreadCount(GetCurrentProcessId()); }

    static unsigned long ElapsedSince(DWORD start) { return GetTickCount() - start; }
};

TEST_F(ContactWorkerTest, OneContactAtATimeAndCuttingItShortWaitsForNothing)
{
    // An FTP server that greets nobody holds the login for a minute.
    CLoopbackListener silent;
    ASSERT_TRUE(silent.Start(18150, Mode::Silent));
    const std::size_t idleThreads = Threads();
    CContactWorker worker;
    EXPECT_FALSE(worker.IsBusy());

    worker.Start(FtpProbe(18150), "ftp://127.0.0.1");
    ASSERT_TRUE(silent.WaitForConnections(1, 5000));
    EXPECT_TRUE(worker.IsBusy());
    EXPECT_EQ(Threads(), idleThreads + 1);
    for (int i = 0; i < 4; ++i) {
        worker.Start(FtpProbe(18150), "ftp://127.0.0.1");
    }
    PumpFor(500);
    EXPECT_EQ(silent.ConnectionCount(), 1u);
    EXPECT_EQ(Threads(), idleThreads + 1);

    DWORD start = GetTickCount();
    worker.CutShort();
    EXPECT_LT(ElapsedSince(start), 100u);
    EXPECT_TRUE(WaitUntil([&] { return !worker.IsBusy(); }, kPromptEndMs)) << "the cut did not end the login";
    EXPECT_TRUE(silent.WaitUntilFinished(kPromptEndMs));

    // Free again: the next contact is made.
    worker.Start(FtpProbe(18150), "ftp://127.0.0.1");
    ASSERT_TRUE(silent.WaitForConnections(2, 5000));
    start = GetTickCount();
    worker.CutShort();
    EXPECT_LT(ElapsedSince(start), 100u);
    EXPECT_TRUE(WaitUntil([&] { return Threads() == idleThreads; }, kPromptEndMs));
}

TEST_F(ContactWorkerTest, AContactOutlivesItsWorkerAndEndsByItself)
{
    // A host that drops the connection attempt holds a direct contact for
    // its whole time limit unless it is cut short.
    CLoopbackListener dropping;
    ASSERT_TRUE(dropping.Start(kDirectPort, Mode::NeverAccept));
    ASSERT_TRUE(dropping.AttemptHangs(2000)) << "the listener answers connection attempts";
    const std::size_t idleThreads = Threads();

    auto worker = std::make_unique<CContactWorker>();
    worker->Start(DirectProbe(18151), "http://127.0.0.1");
    ASSERT_TRUE(WaitUntil([&] { return Threads() == idleThreads + 1; }, 5000));
    PumpFor(300);
    ASSERT_TRUE(worker->IsBusy());
    const DWORD start = GetTickCount();
    worker.reset();
    EXPECT_LT(ElapsedSince(start), 100u) << "destroying the worker waited for its contact";
    // The contact, now the thread's alone, still hears of the cut.
    EXPECT_TRUE(WaitUntil([&] { return Threads() == idleThreads; }, kPromptEndMs));
}

}  // namespace
