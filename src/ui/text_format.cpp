#include "ui/text_format.hpp"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace vantrek {

void CutToCharacters(std::string& text, std::size_t characters) {
    std::size_t seen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool starts = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
        if (starts && seen++ == characters) {
            text.resize(i);
            return;
        }
    }
}

void formatWide(std::string& buffer, const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    if (length < 0) {
        va_end(again);
        buffer.clear();
        return;
    }
    std::vector<char> text(static_cast<std::size_t>(length) + 1);
    std::vsnprintf(text.data(), text.size(), format, again);
    va_end(again);
    buffer.assign(text.data(), static_cast<std::size_t>(length));
    CutToCharacters(buffer, kSharedTextCapacity - 1);
}

std::string FormatNumber(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

}  // namespace vantrek
