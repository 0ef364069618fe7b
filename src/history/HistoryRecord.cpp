#include "history/HistoryRecord.h"

#include "history/HistoryFile.h"
#include "history/HistoryText.h"
#include "settings/Settings.h"

#include <memory>

namespace {

// The end takes at most this long to write what is pending.
constexpr DWORD kStopWaitMs = 2000;

history::Stamp LocalStamp()
{
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

}  // namespace

void CHistoryRecord::Follow()
{
    if (settings::Read(keys::History) == 0) {
        Stop();
    } else if (!shared) {
        shared = win::CSharedHold<Shared>::Make();
    }
}

void CHistoryRecord::Add(const std::string& event, const std::vector<std::string>& details)
{
    if (!shared || !shared->wake) {
        return;
    }
    std::string line = history::FormatLine({LocalStamp(), event, details});
    bool start = false;
    {
        const win::CCriticalSection::CHold hold(shared->lock);
        shared->pending.push_back(std::move(line));
        if (shared->pending.size() > kMostPending) {
            shared->pending.erase(shared->pending.begin());
        }
        start = !shared->writerRunning;
        shared->writerRunning = true;
    }
    if (start) {
        StartWriter();
    } else {
        SetEvent(shared->wake.Get());
    }
}

// Every writer before this one has ended or is ending: it let go of the
// queue under the lock before it said so.
void CHistoryRecord::StartWriter()
{
    auto threadShare = std::make_unique<win::CSharedHold<Shared>>(shared);
    win::CKernelHandle started(CreateThread(nullptr, 0, ThreadMain, threadShare.get(), 0, nullptr));
    if (!started) {
        const win::CCriticalSection::CHold hold(shared->lock);
        shared->writerRunning = false;
        return;
    }
    threadShare.release();  // NOLINT(bugprone-unused-return-value): the thread owns it from now on
    thread = std::move(started);
}

void CHistoryRecord::Stop()
{
    if (!shared) {
        return;
    }
    {
        const win::CCriticalSection::CHold hold(shared->lock);
        shared->stopping = true;
    }
    SetEvent(shared->wake.Get());
    if (thread) {
        WaitForSingleObject(thread.Get(), kStopWaitMs);
    }
    thread.Reset();
    shared.Reset();
}

// Writes the pending lines, those that come meanwhile included; puts them
// back in front of any newer ones when the file cannot be opened.
bool CHistoryRecord::WritePending(Shared& shared, const std::string& path)
{
    while (true) {
        std::vector<std::string> taken;
        {
            const win::CCriticalSection::CHold hold(shared.lock);
            taken.swap(shared.pending);
        }
        if (taken.empty()) {
            return true;
        }
        std::string lines;
        for (const std::string& line : taken) {
            lines += line;
        }
        if (path.empty() || !CHistoryFile::Append(path, lines)) {
            const win::CCriticalSection::CHold hold(shared.lock);
            shared.pending.insert(shared.pending.begin(), taken.begin(), taken.end());
            if (shared.pending.size() > kMostPending) {
                shared.pending.erase(shared.pending.begin(),
                                     shared.pending.end() - static_cast<std::ptrdiff_t>(kMostPending));
            }
            return false;
        }
    }
}

// Ends once nothing is pending (the next event starts another), or at the
// end of the program after one more try.
DWORD WINAPI CHistoryRecord::ThreadMain(void* sharedState)
{
    const std::unique_ptr<win::CSharedHold<Shared>> owned(static_cast<win::CSharedHold<Shared>*>(sharedState));
    Shared& state = **owned;
    try {
        const std::string path = CHistoryFile::Path();
        bool done = false;
        while (!done) {
            const bool written = WritePending(state, path);
            {
                const win::CCriticalSection::CHold hold(state.lock);
                done = state.stopping || (written && state.pending.empty());
                state.writerRunning = !done;
            }
            if (!done && !written) {
                WaitForSingleObject(state.wake.Get(), kRetryMs);
            }
        }
    } catch (...) {  // NOLINT(bugprone-empty-catch): nothing may leave a thread's entry point
        // Out of memory for a line: the record stops, the program goes on.
    }
    return 0;
}
