#include "history/HistoryRecord.h"

#include "history/HistoryFile.h"
#include "history/HistoryText.h"
#include "settings/Settings.h"

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
    const bool wanted = settings::Read(keys::History) != 0;
    if (!wanted) {
        Stop();
        return;
    }
    if (thread) {
        return;
    }
    auto state = std::make_shared<Shared>();
    state->path = CHistoryFile::Path();
    if (!state->wake || state->path.empty()) {
        return;
    }
    auto threadShare = std::make_unique<std::shared_ptr<Shared>>(state);
    win::CKernelHandle started(CreateThread(nullptr, 0, ThreadMain, threadShare.get(), 0, nullptr));
    if (!started) {
        return;
    }
    threadShare.release();  // NOLINT(bugprone-unused-return-value): the thread owns it from now on
    thread = std::move(started);
    shared = std::move(state);
}

void CHistoryRecord::Add(const std::string& event, const std::vector<std::string>& details)
{
    if (!shared) {
        return;
    }
    std::string line = history::FormatLine({LocalStamp(), event, details});
    {
        const win::CCriticalSection::CHold hold(shared->lock);
        shared->pending.push_back(std::move(line));
        if (shared->pending.size() > kMostPending) {
            shared->pending.erase(shared->pending.begin());
        }
    }
    SetEvent(shared->wake.Get());
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
    WaitForSingleObject(thread.Get(), kStopWaitMs);
    thread.Reset();
    shared.reset();
}

// Writes the pending lines, those that come meanwhile included; puts them
// back in front of any newer ones when the file cannot be opened. True when
// none is left.
bool CHistoryRecord::WritePending(Shared& shared)
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
        if (!CHistoryFile::Append(shared.path, lines)) {
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

DWORD WINAPI CHistoryRecord::ThreadMain(void* sharedState)
{
    const std::unique_ptr<std::shared_ptr<Shared>> owned(static_cast<std::shared_ptr<Shared>*>(sharedState));
    Shared& state = **owned;
    try {
        DWORD wait = INFINITE;
        bool stopping = false;
        while (!stopping) {
            WaitForSingleObject(state.wake.Get(), wait);
            {
                const win::CCriticalSection::CHold hold(state.lock);
                stopping = state.stopping;
            }
            wait = WritePending(state) ? INFINITE : kRetryMs;
        }
    } catch (...) {  // NOLINT(bugprone-empty-catch): nothing may leave a thread's entry point
        // Out of memory for a line: the record stops, the program goes on.
    }
    return 0;
}
