#include <cstdio>

#include "cli/cli_commands.hpp"

namespace vantrek::cli {

int runLook(int, char**) {
    std::fprintf(stderr, "vantrek-cli: 'look' is not available in this build\n");
    return 2;
}

}  // namespace vantrek::cli
