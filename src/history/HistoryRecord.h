#pragma once
// Keeps the record of the line: each event stamped on the user-interface
// thread and handed to a writer thread of its own, so that a slow disk or a
// file another program holds never stops the program. While the file cannot
// be opened the last kMostPending events wait in memory, and the writer
// tries again every kRetryMs; with nothing pending it sleeps until the next
// event. The History setting 0 writes nothing and runs no thread.
#include "win/CriticalSection.h"
#include "win/Handles.h"

#include <memory>
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

    // Starts or stops the writer as the History setting says.
    void Follow();
    // Stamps the event with the local time now and queues it for writing.
    void Add(const std::string& event, const std::vector<std::string>& details);
    // Writes what is pending once more and ends the writer, waiting at most
    // a moment; a writer that runs on ends by itself.
    void Stop();

private:
    // Shared by the writer's thread and this object, so that neither
    // depends on the other still being there.
    struct Shared {
        win::CCriticalSection lock;
        std::vector<std::string> pending;
        bool stopping = false;
        win::CKernelHandle wake{CreateEventA(nullptr, FALSE, FALSE, nullptr)};
        std::string path;
    };

    static DWORD WINAPI ThreadMain(void* shared);
    static bool WritePending(Shared& shared);

    std::shared_ptr<Shared> shared;
    win::CKernelHandle thread;
};
