#include "ui/dialog_numbers.hpp"

#include <cctype>
#include <cstdio>
#include <limits>

namespace vantrek {

namespace {

constexpr std::size_t kEditTextMax = 20;

}  // namespace

double readDialogNumber(const std::string& text) {
    const double notANumber = std::numeric_limits<double>::quiet_NaN();
    const std::string head = text.substr(0, kEditTextMax);
    float value = 0.0f;
    int start = 0;
    int end = 0;
    if (std::sscanf(head.c_str(), " %n%7f%n", &start, &value, &end) != 1) return notANumber;
    // Cutting decimals only rounds; cutting integer or exponent digits would
    // read 20000000 as 2000000, so such a number counts as unreadable.
    const std::string converted = head.substr(start, end - start);
    const bool cutInsideFraction = converted.find('.') != std::string::npos &&
                                   converted.find_first_of("eE") == std::string::npos;
    if (std::isdigit(static_cast<unsigned char>(head[end])) && !cutInsideFraction) return notANumber;
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
