#include "ui/dialog_numbers.hpp"

#include <cmath>

#include <gtest/gtest.h>

using namespace vantrek;

TEST(DialogNumbers, SevenCharactersOfTheFirstTwentyAsSinglePrecision) {
    const double nan = std::nan("");
    const std::pair<std::string, double> numbers[] = {
        {"435.123450", 435.123f},
        {"  12.5 MHz", 12.5},     // leading blanks do not count
        {"-122.4194", -122.41f},  // a cut among the decimals rounds
        {"9999999", 9999999.0},
        // A cut among integer or exponent digits would misread the number tenfold.
        {"20000000", nan},
        {"1.5e1000", nan},
        {"", nan},
        {std::string(20, ' ') + "5", nan},  // beyond 20 characters
    };
    for (const auto& [text, expected] : numbers) {
        const double got = readDialogNumber(text);
        EXPECT_TRUE(std::isnan(expected) ? std::isnan(got) : got == expected) << text << ' ' << got;
    }
    const std::pair<std::string, uint32_t> unsignedNumbers[] = {
        {" 7 ", 7}, {"x", 0}, {"-5", 0}, {"12a", 0}, {"99999999999", 0}};  // the last does not fit
    for (const auto& [text, expected] : unsignedNumbers)
        EXPECT_EQ(readDialogUnsigned(text), expected) << text;
}
