#pragma once

#include <cstddef>
#include <string>

namespace vantrek {

// Status-bar lines and message texts are formatted into the shared text
// buffer of 204 characters; a longer text keeps its first 203.
constexpr std::size_t kSharedTextCapacity = 204;

// printf-style formatting into `buffer` (UTF-8), cut to the shared text
// buffer's capacity in characters, never in the middle of one.
void formatWide(std::string& buffer, const char* format, ...)
    __attribute__((format(printf, 2, 3)));

// One number printf-formatted ("%6.8fdays", "%.1f°"): a dialog cell's text.
std::string FormatNumber(const char* format, double value);

// Cuts UTF-8 `text` to at most `characters` characters.
void CutToCharacters(std::string& text, std::size_t characters);

}  // namespace vantrek
