#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <thread>

#include "astro/constants.hpp"
#include "astro/julian_date.hpp"
#include "cli/cli_commands.hpp"
#include "cli/cli_support.hpp"
#include "data/settings.hpp"
#include "orbit/current_satellite.hpp"
#include "platform/program_folder.hpp"
#include "platform/tcp_stream.hpp"
#include "station/link_sessions.hpp"
#include "station/link_texts.hpp"
#include "station/link_worker.hpp"
#include "station/station_tracker.hpp"
#include "ui/station_tick.hpp"

namespace vantrek::cli {

namespace {

const char kTrackUsage[] =
    "usage: vantrek-cli track FILE --index N --lat DEG --lon DEG --alt KM --start YYYY-MM-DDTHH:MM:SS "
    "--minutes M [--rotator HOST:PORT] [--radio HOST:PORT] [--az-range MIN:MAX] [--el-max 90|180] "
    "[--track-elevation DEG] [--step-seconds S] [--plan]\n";

// The rotator is waited for at the end for at most this long, and read this often.
constexpr auto kArrivalWait = std::chrono::seconds(120);
constexpr auto kArrivalPoll = std::chrono::milliseconds(250);
// The daemons report angles with two decimals.
constexpr double kArrivedDeg = 0.02;

struct TrackRequest {
    std::string file;
    SiteArguments site;
    double startJd = NAN;
    double minutes = NAN;
    long stepSeconds = 1;
    LinkEndpoint rotator;
    LinkEndpoint radio;
    RotatorLimits limits;
    double trackElevationDeg = 0.0;
    bool plansOnly = false;
};

// HOST:PORT; the port is what follows the last colon.
bool parseEndpoint(const char* text, LinkEndpoint& endpoint) {
    const char* colon = std::strrchr(text, ':');
    if (colon == nullptr) return false;
    char* end = nullptr;
    const long port = std::strtol(colon + 1, &end, 10);
    endpoint.host.assign(text, static_cast<std::size_t>(colon - text));
    if (end == colon + 1 || *end != '\0' || !StationPortUsable(static_cast<int32_t>(port)) ||
        !StationHostUsable(endpoint.host))
        return false;
    endpoint.port = static_cast<uint16_t>(port);
    endpoint.enabled = true;
    return true;
}

bool parseRange(const char* text, RotatorLimits& limits) {
    const char* colon = std::strchr(text + 1, ':');  // the minimum may be negative
    if (colon == nullptr) return false;
    const std::string minimum(text, static_cast<std::size_t>(colon - text));
    double lo = 0.0, hi = 0.0;
    if (!parseNumber(minimum.c_str(), lo) || !parseNumber(colon + 1, hi) || !RotatorRangeUsable(lo, hi)) return false;
    limits.azimuthMinDeg = lo;
    limits.azimuthMaxDeg = hi;
    return true;
}

bool parseArguments(int argc, char** argv, TrackRequest& request) {
    for (int i = 0; i < argc; ++i) {
        const char* arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (std::strcmp(arg, "--plan") == 0) {
            request.plansOnly = true;
            continue;
        }
        if (arg[0] != '-' || arg[1] != '-') {
            if (!request.file.empty()) return false;
            request.file = arg;
            continue;
        }
        if (value == nullptr) return false;
        bool ok = true;
        double number = 0.0;
        if (const int site = parseSiteOption(arg, value, request.site)) {
            ok = site > 0;
        } else if (std::strcmp(arg, "--start") == 0) {
            ok = parseUtcTime(value, request.startJd);
        } else if (std::strcmp(arg, "--minutes") == 0) {
            ok = parseNumber(value, request.minutes) && request.minutes >= 0.0 && request.minutes <= 10.0 * 1440.0;
        } else if (std::strcmp(arg, "--step-seconds") == 0) {
            ok = parseNumber(value, number) && number >= 1.0 && number <= 86400.0 && number == std::floor(number);
            request.stepSeconds = static_cast<long>(number);
        } else if (std::strcmp(arg, "--rotator") == 0) {
            ok = parseEndpoint(value, request.rotator);
        } else if (std::strcmp(arg, "--radio") == 0) {
            ok = parseEndpoint(value, request.radio);
        } else if (std::strcmp(arg, "--az-range") == 0) {
            ok = parseRange(value, request.limits);
        } else if (std::strcmp(arg, "--el-max") == 0) {
            ok = parseNumber(value, number) && RotatorElevationUsable(number);
            request.limits.elevationMaxDeg = number;
        } else if (std::strcmp(arg, "--track-elevation") == 0) {
            ok = parseNumber(value, request.trackElevationDeg) && request.trackElevationDeg >= 0.0 &&
                 request.trackElevationDeg <= 90.0;
        } else {
            ok = false;
        }
        if (!ok) {
            std::fprintf(stderr, "vantrek-cli: bad value for %s: %s\n", arg, value);
            return false;
        }
        ++i;
    }
    return !request.file.empty() && request.site.complete() && std::isfinite(request.startJd) &&
           std::isfinite(request.minutes);
}

// YYYY-MM-DDTHH:MM:SSZ, whole seconds.
std::string timeText(double jd) {
    const CalendarInstant t = CalendarInstantFromJulian(jd);
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    return text;
}

bool linkFailed(const char* device, const LinkEndpoint& endpoint, LinkError error, int report) {
    if (error == LinkError::None) return false;
    std::fprintf(stderr, "vantrek-cli: %s\n",
                 LinkErrorMessage(device, endpoint.host, endpoint.port, LinkErrorText(error, report)).c_str());
    return true;
}

bool connect(const char* device, const LinkEndpoint& endpoint, HamlibConnection& link) {
    link.stream = std::make_unique<TcpStream>(kAnswerTimeMs);
    return !linkFailed(device, endpoint, OpenHamlib(link, endpoint.host, endpoint.port), 0);
}

void printPlan(const RotatorPlan& plan) {
    std::printf("plan\t%s\t%s\t%s", timeText(plan.riseJd).c_str(), timeText(plan.setJd).c_str(),
                RotatorModeName(plan.mode));
    if (plan.mode == RotatorMode::Unwind) std::printf("\t%s", timeText(plan.unwindJd).c_str());
    std::printf("\n");
}

void printStep(double jd, const StationStep& step, int64_t offsetHz) {
    std::printf("%s", timeText(jd).c_str());
    if (step.satelliteKnown) {
        std::printf("\t%.3f\t%.3f", step.azimuthDeg, step.elevationDeg);
    } else {
        std::printf("\t-\t-");
    }
    if (step.rotatorSent) {
        std::printf("\t%.3f\t%.3f", step.rotator.azimuthDeg, step.rotator.elevationDeg);
    } else {
        std::printf("\t-\t-");
    }
    if (step.downlinkSent) {
        std::printf("\t%lld", static_cast<long long>(step.downlinkHz + offsetHz));
    } else {
        std::printf("\t-");
    }
    if (step.uplinkSent) {
        std::printf("\t%lld\n", static_cast<long long>(step.uplinkHz));
    } else {
        std::printf("\t-\n");
    }
}

// Waits until the rotator reports the target (or the wait runs out) and
// prints where it stands. False when it could not be read or did not arrive.
bool reportRotator(RotatorSession& rotator, const LinkEndpoint& endpoint, const RotatorTarget& target) {
    const auto deadline = std::chrono::steady_clock::now() + kArrivalWait;
    for (;;) {
        if (linkFailed(kRotatorName, endpoint, PollRotator(rotator), rotator.report)) return false;
        const bool arrived = !target.set ||
                             (std::fabs(rotator.readAzimuthDeg - target.azimuthDeg) <= kArrivedDeg &&
                              std::fabs(rotator.readElevationDeg - target.elevationDeg) <= kArrivedDeg);
        if (arrived || std::chrono::steady_clock::now() >= deadline) {
            std::printf("rotator\t%.2f\t%.2f\n", rotator.readAzimuthDeg, rotator.readElevationDeg);
            if (!arrived) std::fprintf(stderr, "vantrek-cli: the rotator did not reach %.2f %.2f in time\n",
                                       target.azimuthDeg, target.elevationDeg);
            return arrived;
        }
        std::this_thread::sleep_for(kArrivalPoll);
    }
}

}  // namespace

int runTrack(int argc, char** argv) {
    TrackRequest request;
    if (!parseArguments(argc, argv, request)) {
        std::fputs(kTrackUsage, stderr);
        return 2;
    }
    auto catalog = std::make_unique<SatelliteCatalog>();
    if (!loadElementFileWithSet(request.file, request.site.index, *catalog)) return 2;
    // The link frequencies as the program has them for the current satellite.
    catalog->current = request.site.index;
    Settings settings;
    loadCurrentSatellite(*catalog, ProgramFolderFromEnvironment(ExecutableFolder().path), settings);

    Observer observer = request.site.observer();

    // The program's thresholds and links; the rotator and elevation as asked, no park.
    StationOptions options = StationOptionsFrom(settings);
    options.radio = true;
    options.rotator = true;
    options.limits = request.limits;
    options.trackElevationDeg = request.trackElevationDeg;
    options.parkAfterPass = false;

    RadioSession radio;
    RotatorSession rotator;
    if (request.radio.enabled && !connect(kRadioName, request.radio, radio.link)) return 2;
    if (request.rotator.enabled && !connect(kRotatorName, request.rotator, rotator.link)) return 2;

    auto tracker = std::make_unique<StationTracker>();
    StationStep step;
    const long steps = static_cast<long>(std::floor(request.minutes * 60.0 / static_cast<double>(request.stepSeconds)));
    for (long i = 0; i <= steps; ++i) {
        const double jd = request.startJd + static_cast<double>(i * request.stepSeconds) / 86400.0;
        StepStation(*tracker, *catalog, request.site.index, observer, jd, options, step);
        if (request.radio.enabled &&
            linkFailed(kRadioName, request.radio, RadioTurn(radio, step.radioTarget), radio.report))
            return 2;
        if (request.rotator.enabled &&
            linkFailed(kRotatorName, request.rotator, RotatorTurn(rotator, step.rotatorTarget), rotator.report))
            return 2;
        if (request.plansOnly) {
            if (step.newPlan) printPlan(tracker->plan);
        } else {
            printStep(jd, step, radio.offsetHz);
        }
    }
    std::fflush(stdout);

    int status = 0;
    if (request.rotator.enabled && !reportRotator(rotator, request.rotator, step.rotatorTarget)) status = 2;
    if (request.radio.enabled) {
        if (linkFailed(kRadioName, request.radio, PollRadio(radio), radio.report)) return 2;
        std::printf("radio\t%lld\n", static_cast<long long>(radio.frequencyHz));
    }
    return status;
}

}  // namespace vantrek::cli
