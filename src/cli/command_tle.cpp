#include <cstdio>
#include <memory>

#include "astro/julian_date.hpp"
#include "cli/cli_commands.hpp"
#include "cli/cli_support.hpp"

namespace vantrek::cli {

int runTle(int argc, char** argv) {
    if (argc != 1) {
        std::fprintf(stderr, "usage: vantrek-cli tle FILE\n");
        return 2;
    }
    auto catalog = std::make_unique<SatelliteCatalog>();
    if (!loadElementFile(argv[0], *catalog)) return 2;
    for (int i = 0; i < catalog->count; ++i) {
        const ElementSet& set = catalog->entries[i];
        std::printf("%d\t%d\t%.8f\t%s\n", i, set.catalogNumber, JulianDateFromEpoch(set.epoch),
                    trimmedName(set).c_str());
    }
    std::printf("count %d\n", catalog->count);
    return 0;
}

}  // namespace vantrek::cli
