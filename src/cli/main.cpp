// vantrek-cli: the tracker's computations for scripts, validation and benchmarks.
#include <cstdio>
#include <cstring>

#include "cli/cli_commands.hpp"

namespace {

struct Subcommand {
    const char* name;
    int (*run)(int, char**);
    const char* usage;
};

const Subcommand kSubcommands[] = {
    {"tle", vantrek::cli::runTle, "tle FILE"},
    {"propagate", vantrek::cli::runPropagate,
     "propagate FILE [--index N] [--engine 4|8] --minutes LIST [--summary]"},
    {"look", vantrek::cli::runLook,
     "look FILE --index N --lat DEG --lon DEG --alt KM --time YYYY-MM-DDTHH:MM:SS[.fff] "
     "[--engine 4|8] [--refraction]"},
    {"passes", vantrek::cli::runPasses,
     "passes FILE --lat DEG --lon DEG --alt KM --start YYYY-MM-DDTHH:MM:SS --hours H [--flares] "
     "[--min-mag M] [--sat-elev DEG] [--sun-elev DEG] [--engine 4|8] [--details] [--ics FILE] [--csv FILE]"},
    {"nmea", vantrek::cli::runNmea, "nmea [FILE | - | --device PATH --baud B --seconds S]"},
    {"draw", vantrek::cli::runDraw,
     "draw sky|map|space|info|gps|pass FILE --lat DEG --lon DEG --alt KM --time YYYY-MM-DDTHH:MM:SS "
     "[--index N] [--width W] [--height H] [--engine 4|8] [--refraction] [--all-paths] [--planets] [--compare] "
     "[--stars-mag M] [--nmea FILE] [--repeat N]"},
    {"download", vantrek::cli::runDownload, "download GROUP|--all [--url TEMPLATE] [--folder DIR]"},
    {"track", vantrek::cli::runTrack,
     "track FILE --index N --lat DEG --lon DEG --alt KM --start YYYY-MM-DDTHH:MM:SS --minutes M "
     "[--rotator HOST:PORT] [--radio HOST:PORT] [--az-range MIN:MAX] [--el-max 90|180] "
     "[--track-elevation DEG] [--step-seconds S] [--plan]"},
};

int usage() {
    std::fprintf(stderr, "usage:\n");
    for (const Subcommand& s : kSubcommands) std::fprintf(stderr, "  vantrek-cli %s\n", s.usage);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    for (const Subcommand& s : kSubcommands) {
        if (std::strcmp(argv[1], s.name) == 0) return s.run(argc - 2, argv + 2);
    }
    return usage();
}
