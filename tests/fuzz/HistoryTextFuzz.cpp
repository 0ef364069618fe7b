// The record read from any text: never past the cap, every event read is a
// line of at most the longest length with a stamp in range, and what is
// an event written again reads back the same.
#include "FuzzInput.h"
#include "history/HistoryText.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const history::Reading reading = history::ReadText(text);
    FUZZ_CHECK(reading.events.size() + reading.skipped <= size);
    for (const history::Event& event : reading.events) {
        FUZZ_CHECK(!event.name.empty());
        FUZZ_CHECK(event.at.month >= 1 && event.at.month <= 12 && event.at.hour <= 23);
        const std::string line = history::FormatLine(event);
        // Written again, a line read is never longer than it was.
        history::Event again;
        FUZZ_CHECK(history::ParseLine(std::string_view(line).substr(0, line.size() - 2), again));
        FUZZ_CHECK(again.name == event.name && again.details == event.details);
    }
    const std::string_view newer = history::NewerHalf(text);
    FUZZ_CHECK(newer.size() <= size);
    FUZZ_CHECK(newer.empty() || text[size - newer.size() - 1] == '\n');
    history::LooksLikeRecord(text);
    return 0;
}
