#include "settings/StoredText.h"

#include <algorithm>

std::string StoredText(const char* bytes, std::size_t size)
{
    if (bytes == nullptr) {
        return {};
    }
    return std::string(bytes, std::find(bytes, bytes + size, '\0'));
}
