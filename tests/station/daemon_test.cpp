// The hamlib link: the daemons' answers as a stream of bytes, good and bad
// (what the link reads, what it refuses, and that it never holds more than a
// line); then the radio and the rotator through real hamlib daemons on
// loopback ports: rigctld and rotctld with their dummy devices (model 1),
// driven by the program's own link thread along a predicted pass, read back.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "astro/constants.hpp"
#include "astro/julian_date.hpp"
#include "orbit/catalog_loading.hpp"
#include "platform/tcp_stream.hpp"
#include "station/hamlib_protocol.hpp"
#include "station/link_worker.hpp"
#include "station/station_tracker.hpp"
#include "../support/device_daemons.hpp"
#include "../support/run_cli.hpp"
#include "../support/sample_sets.hpp"

using namespace vantrek;
using namespace vantrek::testing;
using std::chrono::milliseconds;

namespace {

// A daemon that answers the one command it is sent, 4 kB at a time, and then
// falls silent (a time-out).
struct ScriptedStream final : ByteStream {
    explicit ScriptedStream(std::string bytes) : answer(std::move(bytes)) {}
    StreamResult connect(const std::string&, uint16_t) override {
        open = true;
        return StreamResult::Ok;
    }
    StreamResult write(const char* bytes, std::size_t count) override {
        sent.append(bytes, count);
        return StreamResult::Ok;
    }
    StreamResult read(char* buffer, std::size_t capacity, std::size_t& received) override {
        received = std::min({capacity, answer.size() - consumed, std::size_t{4096}});
        std::copy_n(answer.data() + consumed, received, buffer);
        consumed += received;
        return received > 0 ? StreamResult::Ok : StreamResult::TimedOut;
    }
    void close() override { open = false; }
    bool isOpen() const override { return open; }

    std::string answer, sent;
    std::size_t consumed = 0;
    bool open = false;
};

struct AnswerRow {
    const char* source;
    std::string answer;
    LinkError error;
    bool staysOpen;
};

constexpr double kSpeedOfLightMs = 299792458.0;
const double kReportedDeg = 0.011;  // the daemons print angles with two decimals

// rigctld or rotctld with the dummy device on 127.0.0.1:port.
std::unique_ptr<ChildProgram> StartDaemon(const char* program, uint16_t port, const char* conf = "") {
    std::vector<std::string> args = {program, "-m", "1", "-T", "127.0.0.1", "-t", std::to_string(port)};
    if (*conf) args.push_back(conf);
    return std::make_unique<ChildProgram>(args);
}

bool Answering(std::initializer_list<uint16_t> ports) {
    for (uint16_t port : ports)
        if (!WaitUntil([&] { return TcpStream(100).connect("127.0.0.1", port) == StreamResult::Ok; },
                       milliseconds(5000)))
            return false;
    return true;
}

StationRequest RequestFor(const StationStep& step, uint16_t radioPort, uint16_t rotatorPort) {
    return {{radioPort != 0, "127.0.0.1", radioPort}, {rotatorPort != 0, "127.0.0.1", rotatorPort},
            step.radioTarget, step.rotatorTarget};
}

// The link has carried out the step's targets.
bool Carried(const StationStatus& s, const StationStep& step) {
    const RadioTarget &a = s.radioDone, &b = step.radioTarget;
    const RotatorTarget &c = s.rotatorDone, &d = step.rotatorTarget;
    return std::tie(a.satelliteKey, a.downlinkSet, a.downlinkHz, a.uplinkSet, a.uplinkHz, c.set, c.azimuthDeg,
                    c.elevationDeg) == std::tie(b.satelliteKey, b.downlinkSet, b.downlinkHz, b.uplinkSet,
                                                b.uplinkHz, d.set, d.azimuthDeg, d.elevationDeg);
}

}  // namespace

TEST(HamlibProtocol, FrequencyAnswersGoodAndBad) {
    const AnswerRow rows[] = {
        {"rigctld 4.5 extended answer", "get_freq:\nFrequency: 145800000\nRPRT 0\n", LinkError::None, true},
        {"CR LF line ends and a fraction", "get_freq:\r\nFrequency: 145800000.4\r\nRPRT 0\r\n", LinkError::None, true},
        {"refusal", "get_freq:\nRPRT -11\n", LinkError::DaemonRefused, true},
        {"a 10 MB line", std::string(10 * 1024 * 1024, 'x') + "\n", LinkError::TooLong, false},
        {"binary junk without line ends", std::string(5000, '\x01'), LinkError::TooLong, false},
        {"no end of answer", std::string(40, '\n'), LinkError::Unreadable, false},
        {"nothing at all", "", LinkError::NoAnswer, false},
        {"a frequency that is no number", "Frequency: 1e999\nRPRT 0\n", LinkError::Unreadable, false},
        {"no frequency", "get_freq:\nRPRT 0\n", LinkError::Unreadable, false},
    };
    for (const AnswerRow& row : rows) {
        SCOPED_TRACE(row.source);
        auto stream = std::make_unique<ScriptedStream>(row.answer);
        ScriptedStream* daemon = stream.get();
        HamlibConnection link;
        link.stream = std::move(stream);
        ASSERT_EQ(OpenHamlib(link, "127.0.0.1", 4532), LinkError::None);
        int64_t hz = 0;
        int report = 0;
        EXPECT_EQ(ReadFrequency(link, hz, report), row.error);
        EXPECT_EQ(daemon->sent, "+f\n");
        EXPECT_EQ(HamlibOpen(link), row.staysOpen);
        // Never more than a line's worth is taken from a flood.
        EXPECT_LE(daemon->consumed, kLongestAnswerLine + 1 + 4096);
        EXPECT_TRUE(row.error != LinkError::None || hz == 145800000) << hz;
        EXPECT_TRUE(row.error != LinkError::DaemonRefused || report == -11) << report;
    }
}

// The ISS sample set seen from 40 N 75 W: a pass from 00:23:40 to 00:33:30 on
// 21 September 2008 that crosses north from WSW (243 degrees) to NE (49), on a
// -180..180 rotator, the radio tuned to the ISS's links (as Frequencies.txt
// gives them) with the operator's offset added in the middle of the pass;
// then the command line's track along the same pass.
TEST(StationThroughDaemons, RotatorStandsWhereThePlanSaysTheRadioOnTheCorrectedLinksAndTheCommandLineReports) {
    const uint16_t rotatorPort = FreeLoopbackPort(), radioPort = FreeLoopbackPort();
    auto rotctld = StartDaemon("rotctld", rotatorPort, "--set-conf=min_az=-180,max_az=180,min_el=0,max_el=90");
    const auto rigctld = StartDaemon("rigctld", radioPort);
    if (!Answering({rotatorPort, radioPort}))
        GTEST_SKIP() << "rotctld or rigctld (Debian package libhamlib-utils) did not start";

    auto catalog = std::make_unique<SatelliteCatalog>();
    const std::string sets = SampleSets();
    loadElementSets(*catalog, sets.data(), static_cast<long>(sets.size()));
    const Observer observer{40.0 * kDegree, -75.0 * kDegree, 0.0};
    StationOptions options;
    options.limits = {-180.0, 180.0, 90.0};
    options.downlinkMHz = static_cast<float>(145.8);
    options.uplinkMHz = static_cast<float>(145.99);
    auto tracker = std::make_unique<StationTracker>();
    StationLink link;
    StationStep step;
    RotatorPlan plan;  // the tracker lets it go after the set
    HamlibConnection radio;  // the test's own, to read back what the radio was told
    radio.stream = std::make_unique<TcpStream>(kAnswerTimeMs);
    ASSERT_EQ(OpenHamlib(radio, "127.0.0.1", radioPort), LinkError::None);
    int report = 0;
    double worstPointing = 0.0;
    int64_t hz = 0, offset = 0;
    const double start = JulianDateFromCalendar(2008, 9, 21, 0, 21, 0, 0);
    for (double jd = start; jd <= start + 13.0 / 1440.0; jd += 5.0 / 86400.0) {
        // The rotator is switched on after a minute, the radio is off in the
        // second: a device switched off is left alone.
        options.rotator = jd >= start + 60.0 / 86400.0;
        options.radio = jd < start + 60.0 / 86400.0 || jd >= start + 120.0 / 86400.0;
        StepStation(*tracker, *catalog, 0, observer, jd, options, step);
        EXPECT_EQ(step.radioTarget.downlinkSet, options.radio);
        EXPECT_TRUE(options.rotator || !step.rotatorTarget.set);
        if (step.newPlan) plan = tracker->plan;
        ASSERT_TRUE(HandStationRequest(link, RequestFor(step, radioPort, rotatorPort)));
        // The link thread runs at the lowest priority: a busy machine may hold it back.
        ASSERT_TRUE(WaitUntil([&] { return Carried(StationStatusOf(link), step); }, milliseconds(10000)))
            << StationStatusOf(link).radio.error << " | " << StationStatusOf(link).rotator.error;
        const RotatorTarget& t = step.rotatorTarget;
        if (!plan.planned.empty() && jd >= plan.riseJd && jd <= plan.setJd) {  // the range: the plan's test
            worstPointing = std::fmax(worstPointing, PointingSeparationDeg({t.azimuthDeg, t.elevationDeg},
                                                                           {step.azimuthDeg, step.elevationDeg}));
        }
        if (!step.downlinkSent) continue;
        // f * (1 - range rate / c), with the program's own range rate.
        const double expected = 145800000.0 * (1.0 - step.rangeRateKmS * 1000.0 / kSpeedOfLightMs);
        ASSERT_EQ(ReadFrequency(radio, hz, report), LinkError::None);
        EXPECT_NEAR(static_cast<double>(hz - offset), expected, 1.0);
        if (jd > start + 300.0 / 86400.0 && offset == 0) {  // the operator tunes 500 Hz up
            offset = 500;
            ASSERT_EQ(SetFrequency(radio, hz + offset, report), LinkError::None);
        }
    }
    // North lies inside this rotator's range: no turn back, and the west of
    // the pass is commanded at negative azimuths.
    ASSERT_FALSE(plan.planned.empty());
    EXPECT_EQ(plan.mode, RotatorMode::Direct);
    EXPECT_LT(plan.planned.front().azimuthDeg, -100.0);
    EXPECT_LE(worstPointing, options.angleStepDeg + 0.05);
    EXPECT_EQ(StationStatusOf(link).offsetHz, 500);
    HamlibAnswer answer;
    ASSERT_EQ(HamlibCommand(radio, "i", answer), LinkError::None);
    ASSERT_NE(answer.find("TX Frequency"), nullptr);
    const double uplink = 145990000.0 * (1.0 + step.rangeRateKmS * 1000.0 / kSpeedOfLightMs);
    EXPECT_NEAR(std::stod(*answer.find("TX Frequency")), uplink, 10.0 + 1.0);  // within the step

    // Another satellite: its offset starts at 0.
    step.radioTarget.satelliteKey += 1;
    step.radioTarget.downlinkHz += 1000;
    ASSERT_TRUE(HandStationRequest(link, RequestFor(step, radioPort, rotatorPort)));
    ASSERT_TRUE(WaitUntil([&] { return Carried(StationStatusOf(link), step); }, milliseconds(10000)));
    ASSERT_EQ(ReadFrequency(radio, hz, report), LinkError::None);
    EXPECT_EQ(hz, step.radioTarget.downlinkHz);
    EXPECT_EQ(StationStatusOf(link).offsetHz, 0);
    StopStationLink(link);
    rotctld = StartDaemon("rotctld", rotatorPort, "--set-conf=min_az=-180,max_az=180");  // a rotator to turn from 0
    ASSERT_TRUE(Answering({rotatorPort}));

    // The command line along the same pass, 40 steps of 20 s, then what the
    // daemons report: the last position and frequency sent (the rotator's is
    // waited for; the dummy turns 6 degrees a second).
    std::string output;
    ASSERT_EQ(RunCliRaw("track " + std::string(VANTREK_TESTS_DIR) +
                            "/data/sample.tle --index 0 --lat 40 --lon -75 --alt 0 --start 2008-09-21T00:21:00 "
                            "--minutes 13 --step-seconds 20 --az-range -180:180 --rotator 127.0.0.1:" +
                            std::to_string(rotatorPort) + " --radio 127.0.0.1:" + std::to_string(radioPort),
                        output),
              0);
    // Each row: time, look angles, then the rotator's and the radio's commands or "-".
    const std::regex row(R"(\d{4}-\d\d-\d\dT[\d:]{8}Z\t\S+\t\S+\t(\S+)\t(\S+)\t(\S+)\t\S+)");
    std::istringstream in(output);
    std::string line, lastAz, lastEl, lastDownlink;
    std::smatch m;
    for (int i = 0; i < 40 && std::getline(in, line); ++i) {
        ASSERT_TRUE(std::regex_match(line, m, row)) << line;
        if (m[1] != "-") lastAz = m[1], lastEl = m[2];
        if (m[3] != "-") lastDownlink = m[3];
    }
    EXPECT_EQ(output.substr(0, 20), "2008-09-21T00:21:00Z");
    ASSERT_TRUE(std::getline(in, line) && std::regex_match(line, m, std::regex(R"(rotator\t(\S+)\t(\S+))"))) << line;
    EXPECT_NEAR(std::stod(m[1]), std::stod(lastAz), kReportedDeg);
    EXPECT_NEAR(std::stod(m[2]), std::stod(lastEl), kReportedDeg);
    std::getline(in, line);
    EXPECT_EQ(line, "radio\t" + lastDownlink);
    EXPECT_FALSE(std::getline(in, line)) << line;
}

TEST(StationLinkFaults, KilledDaemonShowsReconnectsAndNothingWaits) {
    const uint16_t port = FreeLoopbackPort();
    auto daemon = StartDaemon("rotctld", port);
    if (!Answering({port})) GTEST_SKIP() << "rotctld (Debian package libhamlib-utils) did not start";

    StationLink link;
    StationStep step;
    step.rotatorTarget = {true, 20.0, 10.0};
    uint16_t rotatorPort = port;
    double slowest = 0.0;  // ms, of the interface's calls
    const auto tick = [&] {
        const auto began = std::chrono::steady_clock::now();
        HandStationRequest(link, RequestFor(step, 0, rotatorPort));
        const StationStatus status = StationStatusOf(link);
        slowest = std::fmax(slowest, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() -
                                                                               began).count());
        return status;
    };
    ASSERT_TRUE(WaitUntil([&] { return tick().rotator.state == LinkState::Connected; }, milliseconds(10000)));
    const uint32_t episodes = tick().rotator.episode;

    daemon->stop(SIGKILL);  // mid-pass
    step.rotatorTarget = {true, 25.0, 12.0};
    EXPECT_TRUE(WaitUntil([&] { return tick().rotator.state == LinkState::NotConnected; }, milliseconds(3000)));
    // Reconnecting every 5 s to nobody tells the user once.
    std::this_thread::sleep_for(milliseconds(5500));
    StationStatus status = tick();
    EXPECT_EQ(status.rotator.episode, episodes + 1);
    EXPECT_NE(status.rotator.error, "");
    EXPECT_NE(status.rotator.episodeText.find("127.0.0.1:" + std::to_string(port)), std::string::npos);

    daemon = StartDaemon("rotctld", port);
    EXPECT_TRUE(WaitUntil(
        [&] {
            const StationStatus s = tick();
            return s.rotator.state == LinkState::Connected && Carried(s, step);
        },
        milliseconds(8000)));
    EXPECT_EQ(tick().rotator.error, "");

    // A daemon that accepts and never answers holds nobody up, closing included.
    const LoopbackSocket silent(true);
    ASSERT_NE(silent.port, 0);
    rotatorPort = silent.port;
    step.rotatorTarget = {true, 30.0, 15.0};
    tick();
    std::this_thread::sleep_for(milliseconds(500));  // the link waits for an answer now
    for (int i = 0; i < 20; ++i) tick();
    const auto began = std::chrono::steady_clock::now();
    StopStationLink(link);
    EXPECT_LT(std::chrono::steady_clock::now() - began, milliseconds(kLinkStopMs));
    EXPECT_LT(slowest, 50.0);  // a lock held only to copy, never across the network
}
