#pragma once

#include <cstdint>
#include <string>

namespace vantrek {

// Reads a number from an edit's text as every dialog does: of at most the
// first 20 characters, at most 7 are converted as a single-precision number
// ("%7f"), so 435.123450 reads back as 435.123. NaN when nothing converts, or
// when the cut falls among integer or exponent digits (20000000 is not read as
// 2000000), so that every range test sends it to the default.
double readDialogNumber(const std::string& text);

// An edit's text for a number: "%f", six decimals.
std::string writeDialogNumber(double value);

// An edit that accepts digits only: its unsigned value, 0 when the text is not
// a number or does not fit 32 bits.
uint32_t readDialogUnsigned(const std::string& text);

}  // namespace vantrek
