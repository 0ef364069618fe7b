// The dialogs' whole-number reading: any text is read or refused safely,
// what it accepts is a number it could have been given, and every number
// written out in full is read back as itself.
#include "FuzzInput.h"
#include "win/IntegerText.h"

#include <climits>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CFuzzInput input(data, size);
    const int written = input.Number<int>();
    int value = 12345;
    FUZZ_CHECK(win::ParseDialogInteger(std::to_string(written), value) && value == written);

    const std::string text = input.Rest();
    value = 12345;
    if (win::ParseDialogInteger(text, value)) {
        const std::string read = text.substr(0, 31);
        FUZZ_CHECK(read.find_first_of("0123456789") != std::string::npos);
        FUZZ_CHECK(read.find_first_not_of(" \t+-0123456789") == std::string::npos);
        FUZZ_CHECK(value == 0 || read.find_first_of("123456789") != std::string::npos);
    } else {
        FUZZ_CHECK(value == 12345);
    }
    return 0;
}
