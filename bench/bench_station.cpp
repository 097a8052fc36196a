// The radio and rotator: how well the commands follow whole passes (pointing,
// unwinds, range, Doppler), and what the link costs the interface thread per
// tick whatever the daemons do.
#include <benchmark/benchmark.h>

#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "astro/constants.hpp"
#include "astro/julian_date.hpp"
#include "orbit/catalog_loading.hpp"
#include "platform/tcp_stream.hpp"
#include "station/link_worker.hpp"
#include "station/station_tracker.hpp"

namespace {

using namespace vantrek;
using Clock = std::chrono::steady_clock;

constexpr double kSecondDays = 1.0 / 86400.0;
constexpr double kSpeedOfLightMs = 299792458.0;
constexpr double kDownlinkHz = 145800000.0;

// The 2008 ISS set of the tests' sample file and a sun-synchronous orbiter, whose passes cross north
// and south of mid-latitude observers and some of which go near the zenith.
std::string Sets() {
    std::ifstream in(std::string(VANTREK_TESTS_DIR) + "/data/sample.tle", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    text << "POLAR TEST\n"
            "1 90002U 08001A   08264.50000000  .00000000  00000-0  00000-0 0  9990\n"
            "2 90002  98.7000 300.0000 0010000  90.0000 270.0000 14.20000000 10007\n";
    return text.str();
}

struct Sky {
    int index;
    double latitudeDeg;
};

// Three days of passes of both satellites from 40 and 52 degrees north, one
// step a second, with the rotator's limits of the benchmark's arguments
// (azimuth min, max, elevation max).
void BM_StationPasses(benchmark::State& state) {
    RotatorLimits limits{static_cast<double>(state.range(0)), static_cast<double>(state.range(1)),
                         static_cast<double>(state.range(2))};
    auto catalog = std::make_unique<SatelliteCatalog>();
    const std::string sets = Sets();
    loadElementSets(*catalog, sets.data(), static_cast<long>(sets.size()));
    const int polar = catalog->count - 1;
    const Sky skies[] = {{0, 40.0}, {0, 52.0}, {polar, 40.0}, {polar, 52.0}};
    const double start = JulianDateFromCalendar(2008, 9, 20, 12, 0, 0, 0);

    double worstPointingDeg = 0.0, worstDopplerHz = 0.0;
    int64_t passes = 0, unwinds = 0, flips = 0, northCrossing = 0, northUnwinds = 0, zenith = 0, zenithUnwinds = 0,
            outsideRange = 0, steps = 0;
    for (auto _ : state) {
        for (const Sky& sky : skies) {
            Observer observer;
            observer.latitude = sky.latitudeDeg * kDegree;
            observer.longitude = -75.0 * kDegree;
            observer.height = 0.0;
            StationOptions options;
            options.radio = true;
            options.rotator = true;
            options.limits = limits;
            options.downlinkMHz = static_cast<float>(145.8);
            auto tracker = std::make_unique<StationTracker>();
            StationStep step;
            RotatorPlan plan;
            bool crossesNorth = false;
            double previousAz = NAN, highest = -90.0;
            const auto closePass = [&] {
                if (plan.planned.empty()) return;
                ++passes;
                const bool unwind = plan.mode == RotatorMode::Unwind;
                unwinds += unwind;
                flips += plan.mode == RotatorMode::Flipped;
                northCrossing += crossesNorth;
                northUnwinds += crossesNorth && unwind;
                zenith += highest >= 80.0;
                zenithUnwinds += highest >= 80.0 && unwind;
                plan = RotatorPlan{};
            };
            for (double jd = start; jd < start + 3.0; jd += kSecondDays, ++steps) {
                StepStation(*tracker, *catalog, sky.index, observer, jd, options, step);
                if (step.newPlan) {
                    closePass();
                    plan = tracker->plan;
                    crossesNorth = false;
                    highest = -90.0;
                    previousAz = NAN;
                }
                if (step.downlinkSent) {
                    const double wanted = kDownlinkHz * (1.0 - step.rangeRateKmS * 1000.0 / kSpeedOfLightMs);
                    worstDopplerHz = std::fmax(worstDopplerHz, std::fabs(static_cast<double>(step.downlinkHz) - wanted));
                }
                if (plan.planned.empty() || jd < plan.riseJd || jd > plan.setJd) continue;
                const RotatorTarget& t = step.rotatorTarget;
                if (t.azimuthDeg < limits.azimuthMinDeg || t.azimuthDeg > limits.azimuthMaxDeg) ++outsideRange;
                // The command in force against the satellite at the same instant.
                worstPointingDeg = std::fmax(worstPointingDeg,
                                             PointingSeparationDeg({t.azimuthDeg, t.elevationDeg},
                                                                   {step.azimuthDeg, std::fmax(step.elevationDeg, 0.0)}));
                if (!std::isnan(previousAz) && std::fabs(step.azimuthDeg - previousAz) > 180.0) crossesNorth = true;
                previousAz = step.azimuthDeg;
                highest = std::fmax(highest, step.elevationDeg);
            }
            closePass();
        }
    }
    state.counters["passes"] = static_cast<double>(passes);
    state.counters["unwinds"] = static_cast<double>(unwinds);
    state.counters["flipped"] = static_cast<double>(flips);
    state.counters["north_passes"] = static_cast<double>(northCrossing);
    state.counters["north_unwinds"] = static_cast<double>(northUnwinds);
    state.counters["zenith_passes"] = static_cast<double>(zenith);
    state.counters["zenith_unwinds"] = static_cast<double>(zenithUnwinds);
    state.counters["outside_range"] = static_cast<double>(outsideRange);
    state.counters["pointing_deg"] = worstPointingDeg;
    state.counters["doppler_hz"] = worstDopplerHz;
    state.SetItemsProcessed(steps);
}
BENCHMARK(BM_StationPasses)
    ->Args({0, 360, 90})
    ->Args({0, 450, 90})
    ->Args({0, 540, 90})
    ->Args({-180, 180, 90})
    ->Args({0, 360, 180})
    ->Args({0, 450, 180})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

uint16_t FreeLoopbackPort() {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    uint16_t port = 0;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) == 0)
        port = ntohs(address.sin_port);
    close(fd);
    return port;
}

// A daemon that takes connections and never answers.
struct SilentDaemon {
    SilentDaemon() {
        fd = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
        listen(fd, 8);
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
        port = ntohs(address.sin_port);
    }
    ~SilentDaemon() { close(fd); }
    int fd = -1;
    uint16_t port = 0;
};

// rigctld or rotctld with the dummy device.
struct Daemon {
    Daemon(const char* program, uint16_t port) {
        pid = fork();
        if (pid == 0) {
            setpgid(0, 0);
            const std::string text = std::to_string(port);
            execlp(program, program, "-m", "1", "-T", "127.0.0.1", "-t", text.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        for (int i = 0; i < 100 && !answers(port); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ~Daemon() {
        if (pid <= 0) return;
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
    static bool answers(uint16_t port) {
        TcpStream stream(100);
        return stream.connect("127.0.0.1", port) == StreamResult::Ok;
    }
    pid_t pid = -1;
};

// One tick's hand-over on the interface thread: the latest request in, the
// status out, with both daemons enabled, while the link works on
// 0: daemons that never answer, 1: nobody listening, 2: the dummy daemons,
// sent a new position and frequency every tick; 3: both daemons off, so no
// link thread at all (what the machine itself costs the same calls).
void BM_TickHandOver(benchmark::State& state) {
    SilentDaemon silent;
    std::unique_ptr<Daemon> radio, rotator;
    uint16_t radioPort = silent.port, rotatorPort = silent.port;
    if (state.range(0) == 1) radioPort = rotatorPort = FreeLoopbackPort();
    if (state.range(0) == 2) {
        radioPort = FreeLoopbackPort();
        rotatorPort = FreeLoopbackPort();
        radio = std::make_unique<Daemon>("rigctld", radioPort);
        rotator = std::make_unique<Daemon>("rotctld", rotatorPort);
        if (!Daemon::answers(radioPort) || !Daemon::answers(rotatorPort)) {
            state.SkipWithError("rigctld or rotctld did not start");
            return;
        }
    }
    StationLink link;
    StationRequest request;
    const bool on = state.range(0) != 3;
    request.radio = {on, "127.0.0.1", radioPort};
    request.rotator = {on, "127.0.0.1", rotatorPort};
    request.radioTarget.downlinkSet = true;
    request.radioTarget.downlinkHz = 145800000;
    request.rotatorTarget.set = true;
    HandStationRequest(link, request);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));  // the link is at work

    std::vector<double> durationsUs;
    durationsUs.reserve(2000000);
    int64_t ticks = 0;
    for (auto _ : state) {
        request.radioTarget.downlinkHz += 20;
        request.rotatorTarget.azimuthDeg = std::fmod(request.rotatorTarget.azimuthDeg + 1.5, 360.0);
        const auto began = Clock::now();
        HandStationRequest(link, request);
        StationStatus status = StationStatusOf(link);
        benchmark::DoNotOptimize(status);
        durationsUs.push_back(std::chrono::duration<double, std::micro>(Clock::now() - began).count());
        ++ticks;
        // Let the link have the mutex now and then, as between real ticks.
        if (ticks % 64 == 0) std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    if (!durationsUs.empty()) {
        std::sort(durationsUs.begin(), durationsUs.end());
        state.counters["p999_us"] = durationsUs[durationsUs.size() * 999 / 1000];
        state.counters["slowest_us"] = durationsUs.back();
    }
    const auto began = Clock::now();
    StopStationLink(link);
    state.counters["close_ms"] = std::chrono::duration<double, std::milli>(Clock::now() - began).count();
}
BENCHMARK(BM_TickHandOver)->Arg(0)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMicrosecond);

// The whole station tick on the interface thread in real time (half a second
// a tick): the tracker's step with its planning, then the hand-over; the
// link works on daemons that never answer.
void BM_StationTick(benchmark::State& state) {
    auto catalog = std::make_unique<SatelliteCatalog>();
    const std::string sets = Sets();
    loadElementSets(*catalog, sets.data(), static_cast<long>(sets.size()));
    Observer observer;
    observer.latitude = 40.0 * kDegree;
    observer.longitude = -75.0 * kDegree;
    StationOptions options;
    options.radio = true;
    options.rotator = true;
    options.downlinkMHz = 145.8;
    options.uplinkMHz = 145.99;
    SilentDaemon silent;
    StationLink link;
    auto tracker = std::make_unique<StationTracker>();
    StationStep step;
    StationRequest request;
    request.radio = {true, "127.0.0.1", silent.port};
    request.rotator = {true, "127.0.0.1", silent.port};
    double jd = JulianDateFromCalendar(2008, 9, 20, 12, 0, 0, 0);
    double slowestUs = 0.0;
    for (auto _ : state) {
        const auto began = Clock::now();
        StepStation(*tracker, *catalog, 0, observer, jd, options, step);
        request.radioTarget = step.radioTarget;
        request.rotatorTarget = step.rotatorTarget;
        HandStationRequest(link, request);
        benchmark::DoNotOptimize(StationStatusOf(link));
        slowestUs = std::fmax(slowestUs, std::chrono::duration<double, std::micro>(Clock::now() - began).count());
        jd += 0.5 * kSecondDays;
    }
    state.counters["slowest_us"] = slowestUs;
}
BENCHMARK(BM_StationTick)->Iterations(172800)->Unit(benchmark::kMicrosecond);  // one day of ticks

}  // namespace
