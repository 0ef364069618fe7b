#pragma once
// Keeps the record of the line: each event stamped on the user-interface
// thread and handed to a writer thread, so that a slow disk or a file that
// another program holds never stops the program. The writer starts at an
// event and ends once everything is written, so an idle program has no
// thread and no wake-up for it. While the file cannot be opened the last
// kMostPending events wait in memory and the writer tries again every
// kRetryMs. The History setting 0 writes nothing.
#include "win/CriticalSection.h"
#include "win/Handles.h"
#include "win/SharedHold.h"

#include <string>
#include <vector>

class CHistoryRecord {
public:
    static constexpr std::size_t kMostPending = 200;
    static constexpr DWORD kRetryMs = 2000;

    CHistoryRecord() = default;
    CHistoryRecord(const CHistoryRecord&) = delete;
    CHistoryRecord& operator=(const CHistoryRecord&) = delete;
    ~CHistoryRecord() { Stop(); }

    // Keeps the record, or stops keeping it, as the History setting says.
    void Follow();
    // Stamps the event with the local time now and queues it for writing.
    void Add(const std::string& event, const std::vector<std::string>& details);
    // Writes what is pending once more, waiting at most a moment; a writer
    // that runs on ends by itself.
    void Stop();

private:
    // Held by the writer's thread and this object, so that neither depends
    // on the other still being there.
    struct Shared {
        win::CCriticalSection lock;
        std::vector<std::string> pending;
        bool writerRunning = false;
        bool stopping = false;
        win::CKernelHandle wake{CreateEventA(nullptr, FALSE, FALSE, nullptr)};
    };

    void StartWriter();
    static DWORD WINAPI ThreadMain(void* shared);
    // False when the file could not be opened and lines wait.
    static bool WritePending(Shared& shared, const std::string& path);

    win::CSharedHold<Shared> shared;
    win::CKernelHandle thread;
};
