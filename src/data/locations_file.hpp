#pragma once

#include <string>
#include <vector>

namespace vantrek {

// Cities.loc: one place per line, "name latitude longitude altitude" (degrees
// north, degrees east, metres). Lines are read in pieces of at most 39 bytes,
// each piece counting as a line, and at most 1800 lines are used.
constexpr int kLocationLinesMax = 1800;
constexpr std::size_t kLocationNameMax = 20;   // characters of a name shown
constexpr std::size_t kLocationNumberMax = 7;  // characters of a number handed on

// The first word of every line, cut to 20 characters; a blank line gives an
// empty name, so name k - 1 always belongs to line k. False when the file
// cannot be opened.
bool readLocationNames(const std::string& path, std::vector<std::string>& names);

// The four words of one line, the numbers as written (cut to 7 characters).
struct LocationLine {
    std::string name;
    std::string latitude;
    std::string longitude;
    std::string altitude;
};

// Line `lineNumber` (1 to 1800) of the file; false when the file cannot be
// opened, the line does not exist or holds fewer than four words.
bool readLocationLine(const std::string& path, int lineNumber, LocationLine& line);

}  // namespace vantrek
