#pragma once

#include <cstddef>

// Copies src (len bytes of UTF-8) into dst of capacity cap, terminator
// included. When it does not fit, the copy ends after the last whole
// character that fits, so a text cut for a fixed field never ends in half a
// character. Returns the number of bytes copied.
std::size_t copyUtf8Truncated(char* dst, std::size_t cap, const char* src, std::size_t len);
