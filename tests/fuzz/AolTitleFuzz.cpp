// The America Online version boxes under any clicks: the two boxes never
// end up both checked, a click checks or clears the clicked one, and only a
// standard title follows the version.
#include "FuzzInput.h"
#include "ui/AolChoice.h"

#include <string>

namespace {

bool IsStandard(const std::string& title)
{
    return title == StandardAolTitle(AolVersion::Aol3) || title == StandardAolTitle(AolVersion::Aol4);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CFuzzInput input(data, size);
    AolChoice choice;
    choice.isAol = input.Number<int>();
    choice.isAol4 = input.Number<int>();
    choice.title = input.Text(64);
    while (!input.Empty()) {
        const AolVersion clicked = input.Number<std::uint8_t>() % 2 == 0 ? AolVersion::Aol3 : AolVersion::Aol4;
        const AolChoice next = ClickAolVersion(choice, clicked);
        const int chosenBefore = clicked == AolVersion::Aol4 ? choice.isAol4 : choice.isAol;
        const int chosenAfter = clicked == AolVersion::Aol4 ? next.isAol4 : next.isAol;
        const int otherAfter = clicked == AolVersion::Aol4 ? next.isAol : next.isAol4;
        FUZZ_CHECK(otherAfter == 0);
        FUZZ_CHECK(chosenAfter == (chosenBefore == 0 ? 1 : 0));
        FUZZ_CHECK(IsStandard(choice.title) ? next.title == StandardAolTitle(clicked) : next.title == choice.title);
        FUZZ_CHECK(next.ShowsTitle() == (chosenAfter != 0));
        choice = next;
    }
    return 0;
}
