// Contacts made on the worker's own thread, in this process, against
// listeners on this machine: one at a time, and nothing waits for one.
#include "engine/ContactWorker.h"

#include "LoopbackListener.h"
#include "ProcessCounts.h"
#include "TestWindows.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Mode = CLoopbackListener::Mode;

constexpr unsigned short kDirectPort = 81;
// Far less than the contact's own time limit (10 s) for every wait.
constexpr DWORD kPromptEndMs = 1000;

// The outcomes told to the window of OutcomeWindow, in order.
std::vector<ContactOutcome> told;

LRESULT CALLBACK RecordOutcome(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CONTACT_DONE) {
        told.push_back(static_cast<ContactOutcome>(wParam));
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class ContactWorkerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WSADATA data = {};
        ASSERT_EQ(WSAStartup(MAKEWORD(1, 1), &data), 0);
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = RecordOutcome;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "ContactOutcomeTestWindow";
        RegisterClassA(&windowClass);
        window = CreateWindowA(windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               windowClass.hInstance, nullptr);
        ASSERT_NE(window, nullptr);
        told.clear();
    }
    void TearDown() override
    {
        DestroyWindow(window);
        WSACleanup();
    }

    static std::unique_ptr<CActivityProbe> DirectProbe(unsigned short localPort)
    {
        auto probe = std::make_unique<CActivityProbe>();
        probe->SetContactPort(localPort);
        return probe;
    }

    static std::size_t Threads() { return ProcessThreadCount(GetCurrentProcessId()); }

    static unsigned long ElapsedSince(DWORD start) { return GetTickCount() - start; }

    HWND window = nullptr;
};

TEST_F(ContactWorkerTest, OneContactAtATimeAndOneCutShortEndsAfterItsStepTellingNothing)
{
    // A host that drops the connection attempt holds a direct contact for
    // its whole time limit; its wait looks at the cut between short slices.
    CLoopbackListener dropping;
    ASSERT_TRUE(dropping.Start(kDirectPort, Mode::NeverAccept));
    ASSERT_TRUE(dropping.AttemptHangs(2000)) << "the listener answers connection attempts";
    const std::size_t idleThreads = Threads();
    CContactWorker worker;
    EXPECT_FALSE(worker.IsBusy());

    worker.Start(DirectProbe(18150), "http://127.0.0.1", window);
    ASSERT_TRUE(WaitUntil([&] { return Threads() == idleThreads + 1; }, 5000));
    EXPECT_TRUE(worker.IsBusy());
    for (unsigned short i = 1; i <= 4; ++i) {
        worker.Start(DirectProbe(static_cast<unsigned short>(18150 + i)), "http://127.0.0.1", window);
    }
    PumpFor(500);
    EXPECT_EQ(Threads(), idleThreads + 1);

    DWORD start = GetTickCount();
    worker.CutShort();
    EXPECT_LT(ElapsedSince(start), 100u);
    EXPECT_TRUE(WaitUntil([&] { return !worker.IsBusy(); }, kPromptEndMs)) << "the cut did not end the contact";
    PumpFor(300);
    EXPECT_TRUE(told.empty()) << "a contact cut short told its outcome";

    // Free again: the next contact is made.
    worker.Start(DirectProbe(18155), "http://127.0.0.1", window);
    ASSERT_TRUE(WaitUntil([&] { return Threads() == idleThreads + 1; }, 5000));
    start = GetTickCount();
    worker.CutShort();
    EXPECT_LT(ElapsedSince(start), 100u);
    EXPECT_TRUE(WaitUntil([&] { return Threads() == idleThreads; }, kPromptEndMs));
}

TEST_F(ContactWorkerTest, AContactThatEndsTellsTheWindowItsOutcome)
{
    CContactWorker worker;
    {
        CLoopbackListener accepting;
        ASSERT_TRUE(accepting.Start(kDirectPort, Mode::Silent));
        worker.Start(DirectProbe(18156), "http://127.0.0.1", window);
        ASSERT_TRUE(WaitUntil([] { return !told.empty(); }, 5000));
    }
    {
        CLoopbackListener refusing;
        ASSERT_TRUE(refusing.Start(kDirectPort, Mode::Refuse));
        ASSERT_TRUE(WaitUntil([&] { return !worker.IsBusy(); }, kPromptEndMs));
        worker.Start(DirectProbe(18157), "http://127.0.0.1", window);
        ASSERT_TRUE(WaitUntil([] { return told.size() == 2; }, 5000));
        // No window, no word.
        ASSERT_TRUE(WaitUntil([&] { return !worker.IsBusy(); }, kPromptEndMs));
        worker.Start(DirectProbe(18158), "http://127.0.0.1", nullptr);
        ASSERT_TRUE(WaitUntil([&] { return !worker.IsBusy(); }, 5000));
    }
    PumpFor(300);
    EXPECT_EQ(told, (std::vector<ContactOutcome>{ContactOutcome::Answered, ContactOutcome::Refused}));
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
    worker->Start(DirectProbe(18159), "http://127.0.0.1", window);
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
