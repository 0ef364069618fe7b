// A stored string value of any bytes and any size: its text is the bytes up
// to the first terminator, never beyond the value.
#include "FuzzInput.h"
#include "settings/StoredText.h"

#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // A copy of exactly the value's bytes, so that a read past it is seen.
    const std::vector<char> value(data, data + size);
    const std::string text = StoredText(value.data(), value.size());
    FUZZ_CHECK(text.size() <= size);
    FUZZ_CHECK(text.find('\0') == std::string::npos);
    FUZZ_CHECK(text.size() == size || value[text.size()] == '\0');
    FUZZ_CHECK(text.compare(0, text.size(), value.data(), text.size()) == 0);
    return 0;
}
