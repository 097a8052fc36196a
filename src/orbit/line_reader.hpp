#pragma once

#include <cstddef>

namespace vantrek {

// Splits a text buffer into lines ending in CR LF or a bare LF.
struct LineReader {
    const char* buffer = nullptr;
    long length = 0;
    long position = 0;
};

// Points the reader at a buffer and rewinds it.
void startLines(LineReader& reader, const char* buffer, long length);

// Copies the next line, without its line end, into `destination` (first filled
// with zeros; at most capacity - 1 characters, always NUL-terminated; the rest
// of a longer line is skipped). A last line that the buffer ends without a line
// end is returned like any other. Returns false, and rewinds to the start of the
// buffer, when no line is left.
bool readLine(LineReader& reader, char* destination, std::size_t capacity);

}  // namespace vantrek
