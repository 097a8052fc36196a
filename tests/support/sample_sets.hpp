#pragma once

// Files read whole, and the bundled sample element sets, for the suites that
// load a real file (header only: this folder builds no test executable of its own).
#include <fstream>
#include <sstream>
#include <string>

namespace vantrek::testing {

inline std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// tests/data/sample.tle: the eight sets the program shipped as its sample
// until 2026 (the 2008 ISS first, the report test sets, five demo orbits).
inline std::string SampleSets() { return readText(std::string(VANTREK_TESTS_DIR) + "/data/sample.tle"); }

}  // namespace vantrek::testing
