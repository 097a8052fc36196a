#include <cstdio>

#include "cli/cli_commands.hpp"

namespace vantrek::cli {

int runNmea(int, char**) {
    std::fprintf(stderr, "vantrek-cli: 'nmea' is not available in this build\n");
    return 2;
}

}  // namespace vantrek::cli
