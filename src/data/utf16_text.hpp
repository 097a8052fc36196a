#pragma once

#include <string>
#include <string_view>

namespace vantrek {

// UTF-8 (the program's text) to UTF-16 (the stored form of paths). A byte
// that does not begin a valid sequence becomes U+FFFD.
std::u16string utf16FromUtf8(std::string_view text);

// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string utf8FromUtf16(std::u16string_view text);

}  // namespace vantrek
