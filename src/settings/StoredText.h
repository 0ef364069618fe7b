#pragma once
// The text of a stored string value, whatever its bytes: up to the first
// terminator, or all of them when the stored value lacks one.
#include <cstddef>
#include <string>

std::string StoredText(const char* bytes, std::size_t size);
