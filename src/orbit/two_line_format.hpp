#pragma once

#include "orbit/element_set.hpp"

namespace vantrek {

// Converts a name line and the two element lines (NUL-terminated) into `slot`,
// which is written whatever the result. Returns true when the catalogue number
// is not 0. Blanks inside a field are ignored, a field without a number is 0,
// columns beyond a short line count as blank; no checksum is verified.
bool parseElementSet(const char* nameLine, const char* line1, const char* line2, ElementSet& slot);

// Reads columns first..last (numbered from 1) of a line as a decimal integer:
// blanks removed, an optional sign, then digits up to the first other character.
long readIntegerField(const char* line, int first, int last);

// Catalogue numbers: five digits, or the Alpha-5 form of a letter (A = 10 ..
// Z = 33, without I and O) and four digits, so "A0001" is 100001.
long readCatalogNumber(const char* line);

}  // namespace vantrek
