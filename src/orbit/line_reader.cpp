#include "orbit/line_reader.hpp"

#include <cstring>

namespace vantrek {

void startLines(LineReader& reader, const char* buffer, long length) {
    reader.buffer = buffer;
    reader.length = buffer != nullptr && length > 0 ? length : 0;
    reader.position = 0;
}

bool readLine(LineReader& reader, char* destination, std::size_t capacity) {
    if (capacity == 0) return false;
    std::memset(destination, 0, capacity);
    if (reader.position >= reader.length) {
        reader.position = 0;
        return false;
    }

    long end = reader.position;
    while (end < reader.length && reader.buffer[end] != '\n') ++end;
    const long next = end < reader.length ? end + 1 : end;  // past the LF, if any
    if (end > reader.position && reader.buffer[end - 1] == '\r') --end;

    std::size_t copied = 0;
    for (long i = reader.position; i < end && copied + 1 < capacity; ++i) {
        destination[copied++] = reader.buffer[i];
    }
    reader.position = next;
    return true;
}

}  // namespace vantrek
