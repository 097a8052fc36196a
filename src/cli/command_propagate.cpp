#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "astro/julian_date.hpp"
#include "cli/cli_commands.hpp"
#include "cli/cli_support.hpp"
#include "orbit/propagation.hpp"

namespace vantrek::cli {

namespace {

constexpr const char* kUsage = "usage: vantrek-cli propagate FILE [--index N] [--engine 4|8] --minutes LIST [--summary]\n";

// The whole text as one finite number.
bool parseNumber(const std::string& text, double& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtod(text.c_str(), &end);
    return errno == 0 && *end == '\0' && std::isfinite(value);
}

bool parseInteger(const std::string& text, long& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtol(text.c_str(), &end, 10);
    return errno == 0 && *end == '\0';
}

// Minutes since epoch: "a,b,c" or "START:END:STEP" (START, then every STEP
// while not past END). A range is kept as its three numbers.
struct MinuteList {
    std::vector<double> values;
    bool isRange = false;
    double start = 0.0;
    double end = 0.0;
    double step = 0.0;
};

bool parseMinuteList(const std::string& text, MinuteList& list) {
    std::vector<std::string> parts;
    const char separator = text.find(':') != std::string::npos ? ':' : ',';
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = text.find(separator, from);
        parts.push_back(text.substr(from, at == std::string::npos ? std::string::npos : at - from));
        if (at == std::string::npos) break;
        from = at + 1;
    }
    if (separator == ':') {
        list.isRange = true;
        return parts.size() == 3 && parseNumber(parts[0], list.start) && parseNumber(parts[1], list.end) &&
               parseNumber(parts[2], list.step) && list.step > 0.0 && list.start <= list.end;
    }
    for (const std::string& part : parts) {
        double value = 0.0;
        if (!parseNumber(part, value)) return false;
        list.values.push_back(value);
    }
    return true;
}

struct PropagateOptions {
    std::string path;
    long index = 0;
    int32_t engine = 0;
    MinuteList minutes;
    bool haveMinutes = false;
    bool summary = false;
};

// Fills the options; false (after a message) when the arguments are unusable.
bool parseOptions(int argc, char** argv, PropagateOptions& options) {
    for (int i = 0; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--summary") {
            options.summary = true;
        } else if (arg == "--index" && hasValue) {
            if (!parseInteger(argv[++i], options.index)) {
                std::fprintf(stderr, "vantrek-cli: --index needs a whole number\n");
                return false;
            }
        } else if (arg == "--engine" && hasValue) {
            const std::string engine = argv[++i];
            if (engine != "4" && engine != "8") {
                std::fprintf(stderr, "vantrek-cli: --engine is 4 or 8\n");
                return false;
            }
            options.engine = engine == "8" ? kEngineSgp8 : 0;
        } else if (arg == "--minutes" && hasValue) {
            if (!parseMinuteList(argv[++i], options.minutes)) {
                std::fprintf(stderr, "vantrek-cli: --minutes needs numbers a,b,c or START:END:STEP with STEP > 0 and START <= END\n");
                return false;
            }
            options.haveMinutes = true;
        } else if (options.path.empty() && arg.rfind("--", 0) != 0) {
            options.path = arg;
        } else {
            std::fputs(kUsage, stderr);
            return false;
        }
    }
    if (options.path.empty() || !options.haveMinutes) {
        std::fputs(kUsage, stderr);
        return false;
    }
    return true;
}

void printState(double minutes, const Vector4& position, const Vector4& velocity) {
    std::printf("%.8f %.8f %.8f %.8f %.9f %.9f %.9f\n", minutes, position.x, position.y, position.z,
                velocity.x, velocity.y, velocity.z);
}

}  // namespace

int runPropagate(int argc, char** argv) {
    PropagateOptions options;
    if (!parseOptions(argc, argv, options)) return 2;
    auto catalog = std::make_unique<SatelliteCatalog>();
    if (!loadElementFile(options.path, *catalog)) return 2;
    if (options.index < 0 || options.index >= catalog->count) {
        std::fprintf(stderr, "vantrek-cli: index %ld is outside the %d element sets of %s\n", options.index,
                     catalog->count, options.path.c_str());
        return 2;
    }

    const int index = static_cast<int>(options.index);
    const double epoch = JulianDateFromEpoch(catalog->entries[index].epoch);
    PropagatorState model;
    ElementSet working;
    Vector4 position, velocity;
    long count = 0;
    long failed = 0;
    double minutes = 0.0;
    auto propagate = [&](double t) {
        propagateSatellite(model, *catalog, epoch + t / 1440.0, working, index, velocity, position,
                           count == 0 ? 0 : 1, options.engine);
        if (propagationFailed(position)) ++failed;
        if (!options.summary) printState(t, position, velocity);
        minutes = t;
        ++count;
    };
    const MinuteList& list = options.minutes;
    if (list.isRange) {
        for (long k = 0;; ++k) {
            const double t = list.start + static_cast<double>(k) * list.step;
            if (t > list.end) break;
            propagate(t);
        }
    } else {
        for (double t : list.values) propagate(t);
    }

    if (options.summary) {
        std::printf("count %ld\n", count);
        printState(minutes, position, velocity);
    }
    if (failed > 0) {
        std::fprintf(stderr, "vantrek-cli: %ld of %ld times gave no finite state (shown as zeros)\n", failed, count);
        return 2;
    }
    return 0;
}

}  // namespace vantrek::cli
