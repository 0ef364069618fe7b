// The host choice from any seed and any kept position: every choice names
// one of the ten entries, the generator stays within its 15 bits, and the
// order in turn goes on from where it was.
#include "FuzzInput.h"
#include "engine/ContactPlan.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CFuzzInput input(data, size);
    CRuntimeRandom generator(input.Number<unsigned int>());
    int last = input.Number<int>();
    for (int draw = 0; draw < 50; ++draw) {
        const int index = RandomHostIndex(generator);
        FUZZ_CHECK(index >= 0 && index <= 9);
        const int next = generator.Next();
        FUZZ_CHECK(next >= 0 && next <= 32767);
        const int before = last;
        const int turn = NextSequentialIndex(last);
        FUZZ_CHECK(turn == last && turn >= 0 && turn <= 9);
        FUZZ_CHECK(before < 0 || before >= 9 ? turn == 0 : turn == before + 1);
    }
    return 0;
}
