// The radio and the rotator through real hamlib daemons on loopback ports:
// rigctld and rotctld with their dummy devices (model 1), driven by the
// program's own link thread along a predicted pass, read back with f and p.
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "astro/constants.hpp"
#include "astro/julian_date.hpp"
#include "orbit/catalog_loading.hpp"
#include "platform/tcp_stream.hpp"
#include "station/hamlib_protocol.hpp"
#include "station/link_worker.hpp"
#include "station/station_tracker.hpp"
#include "../support/sample_sets.hpp"

using namespace vantrek;
using Clock = std::chrono::steady_clock;

namespace {

constexpr double kSecondDays = 1.0 / 86400.0;
constexpr double kSpeedOfLightMs = 299792458.0;
const double kReportedDeg = 0.011;  // the daemons print angles with two decimals

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

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto end = Clock::now() + limit;
    while (Clock::now() < end) {
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return done();
}

// rigctld or rotctld with the dummy device on 127.0.0.1:port.
struct Daemon {
    Daemon(const char* program, uint16_t port, const std::string& conf) {
        pid = fork();
        if (pid == 0) {
            setpgid(0, 0);
            const std::string portText = std::to_string(port);
            std::vector<const char*> args = {program, "-m", "1", "-T", "127.0.0.1", "-t", portText.c_str()};
            if (!conf.empty()) args.push_back(conf.c_str());
            args.push_back(nullptr);
            execvp(program, const_cast<char* const*>(args.data()));
            _exit(127);
        }
    }
    ~Daemon() { stop(SIGTERM); }
    void stop(int signal) {
        if (pid <= 0) return;
        kill(pid, signal);
        waitpid(pid, nullptr, 0);
        pid = -1;
    }
    pid_t pid = -1;
};

bool Answers(uint16_t port) {
    TcpStream stream(200);
    return stream.connect("127.0.0.1", port) == StreamResult::Ok;
}

// The daemon's own answer to f or p, on a connection of the test's own.
struct Reader {
    explicit Reader(uint16_t port) {
        link.stream = std::make_unique<TcpStream>(kAnswerTimeMs);
        OpenHamlib(link, "127.0.0.1", port);
    }
    HamlibConnection link;
    int report = 0;
};

// The ISS sample set seen from 40 N 75 W: a pass from 00:23:40 to 00:33:30 on
// 21 September 2008 that crosses north from WSW (243 degrees) to NE (49).
struct SamplePass {
    std::unique_ptr<SatelliteCatalog> catalog = std::make_unique<SatelliteCatalog>();
    Observer observer;
    double start = JulianDateFromCalendar(2008, 9, 21, 0, 21, 0, 0);
    double end = JulianDateFromCalendar(2008, 9, 21, 0, 34, 0, 0);
    SamplePass() {
        const std::string sets = vantrek::testing::SampleSets();
        loadElementSets(*catalog, sets.data(), static_cast<long>(sets.size()));
        observer.latitude = 40.0 * kDegree;
        observer.longitude = -75.0 * kDegree;
        observer.height = 0.0;
    }
};

StationRequest RequestFor(const StationStep& step, uint16_t radioPort, uint16_t rotatorPort) {
    StationRequest request;
    request.radio = {radioPort != 0, "127.0.0.1", radioPort};
    request.rotator = {rotatorPort != 0, "127.0.0.1", rotatorPort};
    request.radioTarget = step.radioTarget;
    request.rotatorTarget = step.rotatorTarget;
    return request;
}

bool SameRotatorTarget(const RotatorTarget& a, const RotatorTarget& b) {
    return a.set == b.set && a.azimuthDeg == b.azimuthDeg && a.elevationDeg == b.elevationDeg;
}

bool SameRadioTarget(const RadioTarget& a, const RadioTarget& b) {
    return a.satelliteKey == b.satelliteKey && a.downlinkSet == b.downlinkSet && a.downlinkHz == b.downlinkHz &&
           a.uplinkSet == b.uplinkSet && a.uplinkHz == b.uplinkHz;
}

}  // namespace

TEST(RotatorThroughRotctld, StandsWhereThePlanSaysAfterAPassOnAMinus180To180Rotator) {
    const uint16_t port = FreeLoopbackPort();
    Daemon daemon("rotctld", port, "--set-conf=min_az=-180,max_az=180,min_el=0,max_el=90");
    if (!WaitUntil([&] { return Answers(port); }, std::chrono::milliseconds(5000)))
        GTEST_SKIP() << "rotctld (Debian package libhamlib-utils) did not start";

    SamplePass pass;
    StationOptions options;
    options.rotator = true;
    options.limits = {-180.0, 180.0, 90.0};
    auto tracker = std::make_unique<StationTracker>();
    StationLink link;
    StationStep step;
    RotatorPlan plan;  // the tracker lets it go after the set
    double worstPointing = 0.0;
    for (double jd = pass.start; jd <= pass.end; jd += 5.0 * kSecondDays) {
        StepStation(*tracker, *pass.catalog, 0, pass.observer, jd, options, step);
        if (step.newPlan) plan = tracker->plan;
        ASSERT_TRUE(HandStationRequest(link, RequestFor(step, 0, port)));
        ASSERT_TRUE(WaitUntil([&] { return SameRotatorTarget(StationStatusOf(link).rotatorDone, step.rotatorTarget); },
                              std::chrono::milliseconds(3000)));
        const RotatorTarget& t = step.rotatorTarget;
        if (!plan.planned.empty() && jd >= plan.riseJd && jd <= plan.setJd) {
            EXPECT_GE(t.azimuthDeg, -180.0);
            EXPECT_LE(t.azimuthDeg, 180.0);
            worstPointing = std::fmax(worstPointing, PointingSeparationDeg({t.azimuthDeg, t.elevationDeg},
                                                                           {step.azimuthDeg, step.elevationDeg}));
        }
    }
    // North lies inside this rotator's range: no turn back, and the west of
    // the pass is commanded at negative azimuths.
    ASSERT_FALSE(plan.planned.empty());
    EXPECT_EQ(plan.mode, RotatorMode::Direct);
    EXPECT_LT(plan.planned.front().azimuthDeg, -100.0);
    EXPECT_LE(worstPointing, options.angleStepDeg + 0.05);

    // The dummy turns 6 degrees a second; it has some way to go.
    const RotatorTarget last = step.rotatorTarget;
    Reader reader(port);
    double az = 0.0, el = 0.0;
    EXPECT_TRUE(WaitUntil(
        [&] {
            return ReadPosition(reader.link, az, el, reader.report) == LinkError::None &&
                   std::fabs(az - last.azimuthDeg) < kReportedDeg && std::fabs(el - last.elevationDeg) < kReportedDeg;
        },
        std::chrono::milliseconds(60000)))
        << az << " " << el << " wanted " << last.azimuthDeg << " " << last.elevationDeg;
    EXPECT_LE(PointingSeparationDeg({az, el}, plan.planned.back()), options.angleStepDeg + 0.05);
}

TEST(RadioThroughRigctld, TunedToTheCorrectedLinksAndKeepsTheOperatorsOffset) {
    const uint16_t port = FreeLoopbackPort();
    Daemon daemon("rigctld", port, "");
    if (!WaitUntil([&] { return Answers(port); }, std::chrono::milliseconds(5000)))
        GTEST_SKIP() << "rigctld (Debian package libhamlib-utils) did not start";

    SamplePass pass;
    StationOptions options;
    options.radio = true;
    options.downlinkMHz = static_cast<float>(145.8);  // as Frequencies.txt gives the ISS
    options.uplinkMHz = static_cast<float>(145.99);
    auto tracker = std::make_unique<StationTracker>();
    StationLink link;
    StationStep step;
    Reader reader(port);
    int64_t hz = 0;
    int64_t offset = 0;
    for (double jd = pass.start; jd <= pass.end; jd += 5.0 * kSecondDays) {
        StepStation(*tracker, *pass.catalog, 0, pass.observer, jd, options, step);
        ASSERT_TRUE(HandStationRequest(link, RequestFor(step, port, 0)));
        ASSERT_TRUE(WaitUntil([&] { return SameRadioTarget(StationStatusOf(link).radioDone, step.radioTarget); },
                              std::chrono::milliseconds(3000)));
        if (!step.downlinkSent) continue;
        // f * (1 - range rate / c), with the program's own range rate.
        const double expected = 145800000.0 * (1.0 - step.rangeRateKmS * 1000.0 / kSpeedOfLightMs);
        ASSERT_EQ(ReadFrequency(reader.link, hz, reader.report), LinkError::None);
        EXPECT_NEAR(static_cast<double>(hz - offset), expected, 1.0);
        if (jd > pass.start + 300.0 * kSecondDays && offset == 0) {
            // The operator tunes 500 Hz up in the middle of the pass.
            offset = 500;
            ASSERT_EQ(SetFrequency(reader.link, hz + offset, reader.report), LinkError::None);
        }
    }
    EXPECT_EQ(StationStatusOf(link).offsetHz, 500);
    HamlibAnswer answer;
    ASSERT_EQ(HamlibCommand(reader.link, "i", answer), LinkError::None);
    ASSERT_NE(answer.find("TX Frequency"), nullptr);
    const double uplink = 145990000.0 * (1.0 + step.rangeRateKmS * 1000.0 / kSpeedOfLightMs);
    EXPECT_NEAR(std::stod(*answer.find("TX Frequency")), uplink, 10.0 + 1.0);  // within the step

    // Another satellite: its offset starts at 0.
    step.radioTarget.satelliteKey += 1;
    step.radioTarget.downlinkHz += 1000;
    ASSERT_TRUE(HandStationRequest(link, RequestFor(step, port, 0)));
    ASSERT_TRUE(WaitUntil([&] { return SameRadioTarget(StationStatusOf(link).radioDone, step.radioTarget); },
                          std::chrono::milliseconds(3000)));
    ASSERT_EQ(ReadFrequency(reader.link, hz, reader.report), LinkError::None);
    EXPECT_EQ(hz, step.radioTarget.downlinkHz);
    EXPECT_EQ(StationStatusOf(link).offsetHz, 0);
}

TEST(StationLinkFaults, KilledDaemonShowsReconnectsAndNothingWaits) {
    const uint16_t port = FreeLoopbackPort();
    auto daemon = std::make_unique<Daemon>("rotctld", port, "");
    if (!WaitUntil([&] { return Answers(port); }, std::chrono::milliseconds(5000)))
        GTEST_SKIP() << "rotctld (Debian package libhamlib-utils) did not start";

    StationLink link;
    StationStep step;
    step.rotatorTarget = {true, 20.0, 10.0};
    uint16_t rotatorPort = port;
    double slowest = 0.0;  // ms, of the interface's calls
    const auto tick = [&] {
        const auto began = Clock::now();
        HandStationRequest(link, RequestFor(step, 0, rotatorPort));
        const StationStatus status = StationStatusOf(link);
        slowest = std::fmax(slowest, std::chrono::duration<double, std::milli>(Clock::now() - began).count());
        return status;
    };
    ASSERT_TRUE(WaitUntil([&] { return tick().rotator.state == LinkState::Connected; }, std::chrono::milliseconds(3000)));
    const uint32_t episodes = tick().rotator.episode;

    daemon->stop(SIGKILL);  // mid-pass
    step.rotatorTarget = {true, 25.0, 12.0};
    EXPECT_TRUE(WaitUntil([&] { return tick().rotator.state == LinkState::NotConnected; },
                          std::chrono::milliseconds(3000)));
    // Reconnecting every 5 s to nobody tells the user once.
    std::this_thread::sleep_for(std::chrono::milliseconds(5500));
    StationStatus status = tick();
    EXPECT_EQ(status.rotator.episode, episodes + 1);
    EXPECT_NE(status.rotator.error, "");
    EXPECT_NE(status.rotator.episodeText.find("127.0.0.1:" + std::to_string(port)), std::string::npos);

    daemon = std::make_unique<Daemon>("rotctld", port, "");
    EXPECT_TRUE(WaitUntil(
        [&] {
            const StationStatus s = tick();
            return s.rotator.state == LinkState::Connected && SameRotatorTarget(s.rotatorDone, step.rotatorTarget);
        },
        std::chrono::milliseconds(8000)));
    EXPECT_EQ(tick().rotator.error, "");

    // A daemon that accepts and never answers holds nobody up, closing included.
    const int silent = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    ASSERT_EQ(bind(silent, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(silent, 4), 0);
    getsockname(silent, reinterpret_cast<sockaddr*>(&address), &size);
    rotatorPort = ntohs(address.sin_port);
    step.rotatorTarget = {true, 30.0, 15.0};
    tick();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));  // the link waits for an answer now
    for (int i = 0; i < 20; ++i) tick();
    const auto began = Clock::now();
    StopStationLink(link);
    const double stopMs = std::chrono::duration<double, std::milli>(Clock::now() - began).count();
    close(silent);
    EXPECT_LT(stopMs, kLinkStopMs);
    EXPECT_LT(slowest, 50.0);  // a lock held only to copy, never across the network
}

TEST(CliTrack, SendsItsCommandsAndPrintsWhatTheDaemonsReport) {
    const uint16_t rotatorPort = FreeLoopbackPort();
    const uint16_t radioPort = FreeLoopbackPort();
    Daemon rotator("rotctld", rotatorPort, "--set-conf=min_az=-180,max_az=180");
    Daemon radio("rigctld", radioPort, "");
    if (!WaitUntil([&] { return Answers(rotatorPort) && Answers(radioPort); }, std::chrono::milliseconds(5000)))
        GTEST_SKIP() << "rotctld or rigctld (Debian package libhamlib-utils) did not start";

    const std::string command = std::string(VANTREK_BIN_DIR) + "/vantrek-cli track " + VANTREK_TESTS_DIR +
                                "/data/sample.tle --index 0 --lat 40 --lon -75 --alt 0 --start 2008-09-21T00:21:00 "
                                "--minutes 13 --step-seconds 20 --az-range -180:180 --rotator 127.0.0.1:" +
                                std::to_string(rotatorPort) + " --radio 127.0.0.1:" + std::to_string(radioPort);
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::vector<std::vector<std::string>> lines;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        std::vector<std::string> fields;
        std::string line(buffer);
        if (!line.empty() && line.back() == '\n') line.pop_back();
        for (std::size_t start = 0;;) {
            const std::size_t tab = line.find('\t', start);
            fields.push_back(line.substr(start, tab - start));
            if (tab == std::string::npos) break;
            start = tab + 1;
        }
        lines.push_back(fields);
    }
    ASSERT_EQ(WEXITSTATUS(pclose(pipe)), 0);

    // 40 steps of 20 s, then what the daemons report.
    ASSERT_EQ(lines.size(), 42u);
    std::string lastAz, lastEl, lastDownlink;
    for (std::size_t i = 0; i < 40; ++i) {
        ASSERT_EQ(lines[i].size(), 7u);
        EXPECT_EQ(lines[i][0].size(), 20u);  // YYYY-MM-DDTHH:MM:SSZ
        if (lines[i][3] != "-") {
            lastAz = lines[i][3];
            lastEl = lines[i][4];
        }
        if (lines[i][5] != "-") lastDownlink = lines[i][5];
    }
    EXPECT_EQ(lines[0][0], "2008-09-21T00:21:00Z");
    ASSERT_EQ(lines[40].size(), 3u);
    EXPECT_EQ(lines[40][0], "rotator");
    EXPECT_NEAR(std::stod(lines[40][1]), std::stod(lastAz), kReportedDeg);
    EXPECT_NEAR(std::stod(lines[40][2]), std::stod(lastEl), kReportedDeg);
    EXPECT_EQ(lines[41], (std::vector<std::string>{"radio", lastDownlink}));
}
