#pragma once
// Reads a fuzzer's bytes as the values a harness needs, in order; past the
// end every read gives zeros and empty texts.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

class CFuzzInput {
public:
    CFuzzInput(const std::uint8_t* data, std::size_t size) : data(data), size(size) {}

    template <class T>
    T Number()
    {
        T value{};
        const std::size_t taken = size - position < sizeof value ? size - position : sizeof value;
        std::memcpy(&value, data + position, taken);
        position += taken;
        return value;
    }

    // A text of up to `most` bytes, its length taken from the input first.
    std::string Text(std::size_t most)
    {
        std::size_t length = Number<std::uint8_t>();
        length = length > most ? most : length;
        length = length > size - position ? size - position : length;
        std::string text(reinterpret_cast<const char*>(data + position), length);
        position += length;
        return text;
    }

    std::string Rest()
    {
        std::string text(reinterpret_cast<const char*>(data + position), size - position);
        position = size;
        return text;
    }

    bool Empty() const { return position >= size; }

private:
    const std::uint8_t* data;
    std::size_t size;
    std::size_t position = 0;
};

// A failed property ends the run where the fuzzer can see it.
#define FUZZ_CHECK(condition) \
    do {                      \
        if (!(condition)) {   \
            __builtin_trap(); \
        }                     \
    } while (0)
