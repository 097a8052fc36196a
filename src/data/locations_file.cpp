#include "data/locations_file.hpp"

#include <cstdio>

namespace vantrek {

namespace {

constexpr int kPieceBufferBytes = 40;

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

// Up to `count` white-space separated words of a piece.
std::vector<std::string> splitWords(const char* piece, std::size_t count) {
    std::vector<std::string> words;
    const char* p = piece;
    while (words.size() < count) {
        while (*p != '\0' && isBlank(*p)) ++p;
        if (*p == '\0') break;
        const char* start = p;
        while (*p != '\0' && !isBlank(*p)) ++p;
        words.emplace_back(start, static_cast<std::size_t>(p - start));
    }
    return words;
}

// Calls `visit(lineNumber, piece)` for the pieces of the file, numbered from 1,
// until it returns false or 1800 lines have been seen.
template <typename Visit>
bool forEachLocationLine(const std::string& path, Visit visit) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    char piece[kPieceBufferBytes];
    for (int lineNumber = 1; lineNumber <= kLocationLinesMax; ++lineNumber) {
        if (std::fgets(piece, sizeof piece, file) == nullptr) break;
        if (!visit(lineNumber, static_cast<const char*>(piece))) break;
    }
    std::fclose(file);
    return true;
}

}  // namespace

bool readLocationNames(const std::string& path, std::vector<std::string>& names) {
    names.clear();
    return forEachLocationLine(path, [&names](int, const char* piece) {
        const std::vector<std::string> words = splitWords(piece, 1);
        names.push_back(words.empty() ? std::string() : words[0].substr(0, kLocationNameMax));
        return true;
    });
}

bool readLocationLine(const std::string& path, int lineNumber, LocationLine& line) {
    if (lineNumber < 1 || lineNumber > kLocationLinesMax) return false;
    bool found = false;
    const bool opened = forEachLocationLine(path, [&](int number, const char* piece) {
        if (number < lineNumber) return true;
        const std::vector<std::string> words = splitWords(piece, 4);
        if (words.size() == 4) {
            line.name = words[0].substr(0, kLocationNameMax);
            line.latitude = words[1].substr(0, kLocationNumberMax);
            line.longitude = words[2].substr(0, kLocationNumberMax);
            line.altitude = words[3].substr(0, kLocationNumberMax);
            found = true;
        }
        return false;
    });
    return opened && found;
}

}  // namespace vantrek
