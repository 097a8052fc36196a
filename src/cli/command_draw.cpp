#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "astro/constants.hpp"
#include "astro/julian_date.hpp"
#include "cli/cli_commands.hpp"
#include "cli/cli_support.hpp"
#include "gps/read_sentence.hpp"
#include "orbit/catalogue_files.hpp"
#include "orbit/current_satellite.hpp"
#include "platform/byte_source.hpp"
#include "orbit/propagation.hpp"
#include "platform/program_folder.hpp"
#include "platform/system_clock.hpp"
#include "ui/main_window.hpp"
#include "ui/main_window_paint.hpp"

namespace vantrek::cli {

namespace {

const char kDrawUsage[] =
    "usage: vantrek-cli draw sky|map|space|info|gps|pass FILE --lat DEG --lon DEG --alt KM "
    "--time YYYY-MM-DDTHH:MM:SS [--index N] [--width W] [--height H] [--engine 4|8] "
    "[--refraction] [--all-paths] [--planets] [--compare] [--stars-mag M] [--nmea FILE] [--repeat N [--step-seconds S]]\n";

struct ViewName {
    const char* name;
    ViewMode mode;
};

const ViewName kViews[] = {
    {"sky", ViewMode::Sky},     {"map", ViewMode::Map},        {"space", ViewMode::Space},
    {"info", ViewMode::InfoPanel}, {"gps", ViewMode::GpsStatus},
};

struct DrawRequest {
    ViewMode view = ViewMode::Sky;
    bool pass = false;  // the pass chart instead of a view
    std::string file;
    std::string nmeaFile;
    SiteArguments site{0};  // set 0 unless told
    int width = 1280;
    int height = 800;
    double julianDate = NAN;
    int32_t engine = 0;
    int32_t refraction = 0;
    int32_t allPaths = 0;
    int32_t compare = 0;  // the "8/4 test"
    uint8_t planets = 0;
    int16_t starsMag = 5;
    long repeat = 0;
    double stepSeconds = 0.0;  // the clock's advance before each frame after the first
};

bool parseWhole(const char* text, long low, long high, long& value) {
    char* end = nullptr;
    value = std::strtol(text, &end, 10);
    return end != text && *end == '\0' && value >= low && value <= high;
}

bool parseOption(const char* arg, const char* value, DrawRequest& r) {
    long n = 0;
    if (const int site = parseSiteOption(arg, value, r.site)) {
        return site > 0;
    } else if (std::strcmp(arg, "--width") == 0 || std::strcmp(arg, "--height") == 0) {
        // Up to the largest screens; the views clamp what a small area cannot hold.
        if (!parseWhole(value, 0, 16384, n)) return false;
        (arg[2] == 'w' ? r.width : r.height) = static_cast<int>(n);
    } else if (std::strcmp(arg, "--time") == 0) {
        return parseUtcTime(value, r.julianDate);
    } else if (std::strcmp(arg, "--engine") == 0) {
        if (std::strcmp(value, "4") != 0 && std::strcmp(value, "8") != 0) return false;
        r.engine = value[0] == '8' ? kEngineSgp8 : 0;
    } else if (std::strcmp(arg, "--stars-mag") == 0) {
        if (!parseWhole(value, -100, 100, n)) return false;
        r.starsMag = static_cast<int16_t>(n);
    } else if (std::strcmp(arg, "--repeat") == 0) {
        return parseWhole(value, 1, 1000000, r.repeat);
    } else if (std::strcmp(arg, "--step-seconds") == 0) {
        return parseNumber(value, r.stepSeconds) && std::fabs(r.stepSeconds) <= 86400.0;
    } else if (std::strcmp(arg, "--nmea") == 0) {
        r.nmeaFile = value;
    } else {
        return false;
    }
    return true;
}

bool parseArguments(int argc, char** argv, DrawRequest& r) {
    if (argc < 2) return false;
    bool known = false;
    for (const ViewName& v : kViews)
        if (std::strcmp(argv[0], v.name) == 0) {
            r.view = v.mode;
            known = true;
        }
    if (std::strcmp(argv[0], "pass") == 0) r.pass = known = true;
    if (!known) {
        std::fprintf(stderr, "vantrek-cli: no view %s\n", argv[0]);
        return false;
    }
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--refraction") == 0) { r.refraction = 1; continue; }
        if (std::strcmp(arg, "--all-paths") == 0) { r.allPaths = 1; continue; }
        if (std::strcmp(arg, "--planets") == 0) { r.planets = 1; continue; }
        if (std::strcmp(arg, "--compare") == 0) { r.compare = 1; continue; }
        if (arg[0] != '-' || arg[1] != '-') {
            if (!r.file.empty()) return false;
            r.file = arg;
            continue;
        }
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (value == nullptr || !parseOption(arg, value, r)) {
            std::fprintf(stderr, "vantrek-cli: bad value for %s: %s\n", arg, value ? value : "(none)");
            return false;
        }
        ++i;
    }
    return !r.file.empty() && r.site.complete() && std::isfinite(r.julianDate);
}

// The capture's sentences go into the fix record as the reader would put them.
bool feedCapture(const std::string& path, GpsFix& fix) {
    std::string bytes;
    // A capture of a day at one fix a second is a few megabytes.
    if (!readFileBytes(path, 64L * 1024 * 1024, bytes)) return false;
    MemoryByteSource source(bytes.data(), static_cast<long>(bytes.size()));
    while (!source.atEnd()) ReadSentence(source, fix);
    return true;
}

}  // namespace

int runDraw(int argc, char** argv) {
    DrawRequest request;
    if (!parseArguments(argc, argv, request)) {
        std::fputs(kDrawUsage, stderr);
        return 2;
    }
    auto state = std::make_unique<AppState>();
    StartUpDefaults(*state);
    if (!loadElementFileWithSet(request.file, request.site.index, state->catalog)) return 2;
    state->iridiumCatalogue = isIridiumFileOnOpen(request.file) ? 1 : 0;  // as Open tells
    if (!request.nmeaFile.empty()) {
        if (!feedCapture(request.nmeaFile, state->gps)) {
            std::fprintf(stderr, "vantrek-cli: cannot open %s\n", request.nmeaFile.c_str());
            return 2;
        }
        state->gps.trackingEnabled = true;  // tracking counts as on; no port is opened
    }

    Settings& settings = state->settings;
    settings.s4_s8 = request.engine;
    settings.flag_refraction = request.refraction;
    settings.showAllPaths = request.allPaths;
    settings.sgp8Comparison = request.compare;
    settings.Flag_planets = request.planets;
    settings.Stars_Mag = request.starsMag;
    settings.Lat = request.site.latitudeDeg * kDegree;
    settings.Lon = request.site.longitudeDeg * kDegree;
    settings.Alt = request.site.heightKm;
    state->observer.latitude = settings.Lat;
    state->observer.longitude = settings.Lon;
    state->observer.height = settings.Alt;
    state->catalog.current = request.site.index;
    loadCurrentSatellite(state->catalog, ProgramFolderFromEnvironment(ExecutableFolder().path), settings);

    // The clock stopped at the time; times are shown in UTC (local offset 0).
    state->clock.mode = ClockMode::Stopped;
    state->clock.pausedDate = request.julianDate;
    state->clock.currentDate = request.julianDate;
    state->localTimeOffset = 0.0;
    state->viewMode = request.view;
    if (request.view == ViewMode::Space) {
        takeSpaceViewSnapshot(request.julianDate, settings.Flag_planets != 0, settings.s4_s8, state->catalog,
                              state->observer, state->model, *state->spaceSnapshot);
    }

    // The computer's clock, as the GPS page shows it, reads the same time.
    FakeSystemClock clock;
    const CalendarInstant utc = CalendarInstantFromJulian(request.julianDate);
    clock.utc = {utc.year, utc.month, utc.day, utc.hour, utc.minute, utc.second, utc.hundredths * 10};
    clock.local = clock.utc;

    const Rect client{0, 0, request.width, request.height};
    if (request.pass) return drawPassChart(*state, request.site.index, request.julianDate, client, request.repeat);
    if (request.repeat > 0) {
        const auto start = std::chrono::steady_clock::now();
        for (long i = 0; i < request.repeat; ++i) {
            // As the running program would: the clock moves, then the tick's work, then the paint.
            if (i > 0 && request.stepSeconds != 0.0) {
                state->clock.pausedDate += request.stepSeconds / 86400.0;
                state->clock.currentDate = state->clock.pausedDate;
                if (request.view == ViewMode::Space)
                    takeSpaceViewSnapshot(state->clock.currentDate, settings.Flag_planets != 0, settings.s4_s8,
                                          state->catalog, state->observer, state->model, *state->spaceSnapshot);
            }
            DisplayList list;
            PaintView(*state, list, client, clock);
        }
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        std::printf("frames %ld in %.6f s\n", request.repeat, took.count());
        return 0;
    }
    DisplayList list;
    PaintView(*state, list, client, clock);
    printDisplayList(list);
    return 0;
}

}  // namespace vantrek::cli
