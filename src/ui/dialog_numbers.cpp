#include "ui/dialog_numbers.hpp"

#include <cstdio>
#include <limits>

namespace vantrek {

namespace {

constexpr std::size_t kEditTextMax = 20;

}  // namespace

double readDialogNumber(const std::string& text) {
    const std::string head = text.substr(0, kEditTextMax);
    float value = 0.0f;
    if (std::sscanf(head.c_str(), "%7f", &value) != 1) return std::numeric_limits<double>::quiet_NaN();
    return value;
}

std::string writeDialogNumber(double value) {
    char text[352];  // "%f" of the largest double
    std::snprintf(text, sizeof text, "%f", value);
    return text;
}

uint32_t readDialogUnsigned(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    uint64_t value = 0;
    std::size_t digits = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
        value = value * 10 + static_cast<uint64_t>(text[i] - '0');
        if (value > std::numeric_limits<uint32_t>::max()) return 0;
    }
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    if (digits == 0 || i != text.size()) return 0;
    return static_cast<uint32_t>(value);
}

}  // namespace vantrek
