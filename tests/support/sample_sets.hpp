#pragma once

// The bundled sample element sets, for the suites that load a real file
// (header only: this folder builds no test executable of its own).
#include <fstream>
#include <sstream>
#include <string>

namespace vantrek::testing {

// res/TLE/sample.tle: eight sets, ISS (25544) first.
inline std::string SampleSets() {
    std::ifstream in(std::string(VANTREK_RES_DIR) + "/TLE/sample.tle", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace vantrek::testing
