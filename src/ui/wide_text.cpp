#include "ui/wide_text.hpp"

namespace vantrek {

std::string toWideText(const char* text, std::size_t count) {
    std::string wide;
    if (text == nullptr) return wide;
    for (std::size_t i = 0; i < count && text[i] != '\0'; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            wide += static_cast<char>(c);
        } else {
            wide += static_cast<char>(0xC0 | (c >> 6));
            wide += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return wide;
}

}  // namespace vantrek
