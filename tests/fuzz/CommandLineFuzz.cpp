// Any command line a caller can give: one request, ON only with a limit or
// a clock time in range, and every mistake with a text to show.
#include "FuzzInput.h"
#include "app/CommandLine.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string arguments(reinterpret_cast<const char*>(data), size);
    const CommandLineRequest request = ParseCommandLine(arguments);
    using Kind = CommandLineRequest::Kind;
    FUZZ_CHECK(request.minutes >= 0 && request.minutes <= kMostOnMinutes);
    FUZZ_CHECK(request.minutes == 0 || request.kind == Kind::On);
    FUZZ_CHECK(request.untilMinuteOfDay >= -1 && request.untilMinuteOfDay < 1440);
    FUZZ_CHECK(request.untilMinuteOfDay < 0 || (request.kind == Kind::On && request.minutes == 0));
    FUZZ_CHECK((request.kind == Kind::Mistake) == !request.mistake.empty());
    return 0;
}
