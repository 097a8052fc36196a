#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <ctime>
#include <string>
#include <vector>

#include "astro/constants.hpp"
#include "astro/observer.hpp"
#include "cli/cli_commands.hpp"
#include "cli/cli_support.hpp"
#include "observe/pass_detail_cells.hpp"
#include "observe/pass_details.hpp"
#include "observe/pass_export.hpp"
#include "observe/pass_search.hpp"
#include "observe/prediction_cells.hpp"
#include "observe/visibility_code.hpp"
#include "orbit/propagation.hpp"

namespace vantrek::cli {

namespace {

int passesUsage() {
    std::fprintf(stderr,
                 "usage: vantrek-cli passes FILE --lat DEG --lon DEG --alt KM "
                 "--start YYYY-MM-DDTHH:MM:SS --hours H [--flares] [--min-mag M] "
                 "[--sat-elev DEG] [--sun-elev DEG] [--engine 4|8] [--max-rows N] [--details] [--ics FILE] [--csv FILE]\n");
    return 2;
}

// The system clock as a UTC Julian date, the calendar's time of writing.
double nowJulianDate() {
    return 2440587.5 + static_cast<double>(std::time(nullptr)) / 86400.0;
}

// Writes one export; a file that cannot be written is reported.
bool exportPasses(const std::string& path, const std::vector<PassDetails>& details) {
    if (path.empty() || SavePassesFile(path, details, nowJulianDate())) return true;
    std::fprintf(stderr, "vantrek-cli: cannot write %s\n", path.c_str());
    return false;
}

}  // namespace

int runPasses(int argc, char** argv) {
    if (argc < 1) return passesUsage();
    const std::string file = argv[0];
    PassSearchOptions options;
    double latitude = NAN, longitude = NAN, altitude = NAN;
    bool haveStart = false, haveHours = false, details = false;
    std::string icsPath, csvPath;
    double value = 0.0;
    for (int a = 1; a < argc; ++a) {
        const char* option = argv[a];
        const bool hasValue = a + 1 < argc;
        if (std::strcmp(option, "--flares") == 0) {
            options.flareMode = 1;
        } else if (std::strcmp(option, "--details") == 0) {
            details = true;
        } else if ((std::strcmp(option, "--ics") == 0 || std::strcmp(option, "--csv") == 0) && hasValue) {
            (option[2] == 'i' ? icsPath : csvPath) = argv[++a];
        } else if (std::strcmp(option, "--start") == 0 && hasValue) {
            if (!parseUtcTime(argv[++a], options.start)) return passesUsage();
            haveStart = true;
        } else if (std::strcmp(option, "--engine") == 0 && hasValue) {
            const std::string engine = argv[++a];
            if (engine != "4" && engine != "8") return passesUsage();
            options.engine = engine == "8" ? kEngineSgp8 : 0;
        } else if (hasValue && parseNumber(argv[a + 1], value)) {
            ++a;
            if (std::strcmp(option, "--lat") == 0) {
                latitude = value;
            } else if (std::strcmp(option, "--lon") == 0) {
                longitude = value;
            } else if (std::strcmp(option, "--alt") == 0) {
                altitude = value;
            } else if (std::strcmp(option, "--hours") == 0) {
                options.hours = value;
                haveHours = true;
            } else if (std::strcmp(option, "--min-mag") == 0) {
                options.magnitudeFilter = 1;
                options.minimumMagnitude = value;
            } else if (std::strcmp(option, "--sat-elev") == 0) {
                options.limits.satelliteElevation = value * kDegree;
            } else if (std::strcmp(option, "--sun-elev") == 0) {
                options.limits.sunElevation = value * kDegree;
            } else if (std::strcmp(option, "--max-rows") == 0) {
                if (!(value >= 1.0 && value <= kPredictionRowLimit) || value != std::floor(value))
                    return passesUsage();
                options.maxRows = static_cast<int32_t>(value);
            } else {
                return passesUsage();
            }
        } else {
            return passesUsage();
        }
    }
    if (!haveStart || !haveHours || std::isnan(latitude) || std::isnan(longitude) ||
        std::isnan(altitude) || std::fabs(latitude) > 90.0) {
        return passesUsage();
    }

    auto catalog = std::make_unique<SatelliteCatalog>();
    if (!loadElementFile(file, *catalog)) return 2;
    Observer observer;
    observer.latitude = latitude * kDegree;
    observer.longitude = longitude * kDegree;
    observer.height = altitude;
    auto results = std::make_unique<PredictionResults>();

    const auto began = std::chrono::steady_clock::now();
    const int32_t passes =
        RunPassSearchOnThreads(*catalog, observer, options, *results, PassSearchThreadCount());
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - began;

    std::vector<PassDetails> passDetails;
    if (details || !icsPath.empty() || !csvPath.empty()) {
        ComputePassDetails(*catalog, observer, options, *results, passDetails, PassSearchThreadCount());
    }
    for (int r = 0; r < results->count; ++r) {
        const PredictionRow& row = results->rows[static_cast<std::size_t>(r)];
        std::printf("%d\t%s\t%s\t%s\t%s\t%s", row.satelliteIndex,
                    trimmedName(catalog->entries[static_cast<std::size_t>(row.satelliteIndex)]).c_str(),
                    PaddedTimeText(row.time).c_str(), VisibilityWord(row.code),
                    PredictionMagnitudeText(row).c_str(), PredictionFlareAngleText(row, false).c_str());
        if (details) std::printf("\t%s", PassDetailFields(passDetails[r]).c_str());
        std::printf("\n");
    }
    std::printf("%s\n", PassSearchSummaryText(passes, elapsed.count()).c_str());
    const bool icsWritten = exportPasses(icsPath, passDetails);
    const bool csvWritten = exportPasses(csvPath, passDetails);
    return icsWritten && csvWritten ? 0 : 2;
}

}  // namespace vantrek::cli
