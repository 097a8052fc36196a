#include <cmath>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "../support/run_cli.hpp"
#include "gps/fix_report.hpp"
#include "gps/nmea_fields.hpp"
#include "gps/read_sentence.hpp"
#include "gps_test_support.hpp"
#include "platform/system_clock.hpp"

using namespace vantrek;
using namespace vantrek::testing;

namespace {

int ReadOne(GpsFix& fix, const std::string& text) {
    MemoryByteSource source(text.data(), static_cast<long>(text.size()));
    return ReadSentence(source, fix);
}

}  // namespace

// tests/data/gps/sentences.txt: sentences, the result of reading each and the
// fields of the fix report they leave.
TEST(NmeaSentence, EachSentenceOfTheTableLeavesItsFields) {
    const std::map<std::string, int> results = {
        {"gga", kSentenceGga}, {"rmc", kSentenceRmc}, {"vtg", kSentenceVtg}, {"gsa", kSentenceGsa},
        {"gsv-more", kSentenceGsvMore}, {"gsv-last", kSentenceGsvLast}, {"rejected", kSentenceRejected}};
    std::ifstream file(std::string(VANTREK_TESTS_DIR) + "/data/gps/sentences.txt");
    auto fix = std::make_unique<GpsFix>();
    std::string report = FormatGpsFixReport(SnapshotGpsFix(*fix)), before, line, word;
    int sentences = 0;
    for (int number = 1; std::getline(file, line); ++number) {
        SCOPED_TRACE("sentences.txt:" + std::to_string(number) + " " + line);
        std::istringstream words(line);
        if (!(words >> word) || word[0] == '#') continue;
        if (word == "same") {
            EXPECT_EQ(report, before);
        } else if (results.count(word) != 0) {
            std::string text;
            words >> text;
            const bool work = text.size() > 3 && text.compare(text.size() - 3, 3, "*??") == 0;
            before = report;
            EXPECT_EQ(ReadOne(*fix, work ? Sentence(text.substr(1, text.size() - 4)) : text + "\r\n"), results.at(word));
            report = FormatGpsFixReport(SnapshotGpsFix(*fix));
            EXPECT_TRUE(word != "rejected" || report == before);
            ++sentences;
        } else {
            for (; words || !word.empty(); word.clear(), words >> word) {
                const std::size_t at = ("\n" + report).find("\n" + word);
                EXPECT_TRUE(at != std::string::npos && (report[at + word.size()] == ',' || report[at + word.size()] == '\n'))
                    << word << " in\n" << report;
            }
        }
    }
    EXPECT_GE(sentences, 20);  // the file was found and read
}

TEST(NmeaSentence, SilenceCutLinesAndFieldLimits) {
    GpsFix fix;
    const uint32_t before = MillisecondTick();
    EXPECT_EQ(ReadOne(fix, kGga), kSentenceGga);
    EXPECT_LE(SnapshotGpsFix(fix).lastTimeTick - before, MillisecondTick() - before);  // stamped while parsing
    EXPECT_EQ(ReadOne(fix, ""), kSentenceSilent);
    // The 100th attempt may still bring the '$'; after 100 without one, silence.
    EXPECT_EQ(ReadOne(fix, std::string(99, 'x') + kGga), kSentenceGga);
    EXPECT_EQ(ReadOne(fix, std::string(100, 'x') + kGga), kSentenceSilent);
    // A line ended by the lack of further bytes (no CR LF) is complete.
    EXPECT_EQ(ReadOne(fix, kGga.substr(0, kGga.size() - 2)), kSentenceGga);

    // Over 100 bytes: cut, the checksum lost; the rest is skipped on the way to the next '$'.
    const std::string text = Sentence("GPGGA,123519," + std::string(100, '0')) + kGga;
    MemoryByteSource source(text.data(), static_cast<long>(text.size()));
    SentenceLine line;
    EXPECT_EQ(ReadSentence(source, fix, line), kSentenceRejected);
    EXPECT_EQ(line.length, kSentenceMaxBytes + 3);
    EXPECT_EQ(ReadSentence(source, fix, line), kSentenceGga);

    EXPECT_EQ(NmeaToDegrees(NAN), 0.0);
    EXPECT_EQ(ScanFieldInt("9999999999", 10), INT32_MAX);
    const char* last = "$GPGGA,123519,,N*00\r\n";
    char field[kNmeaFieldCapacity];
    ExtractField(last, static_cast<int>(std::strlen(last)), 3, field);
    EXPECT_STREQ(field, "N");  // the checksum is not part of the last field
}

// The final fix of each capture (the one on standard input) holds the fields
// listed in tests/data/gps/<capture>.fix.
TEST(CliNmea, PrintsTheFinalFixOfEachCapture) {
    const std::pair<std::string, const char*> captures[] = {
        {"- < " + std::string(VANTREK_REFERENCE_DATA_DIR) + "/nmea/haicom-305N.log", "haicom-305N"},
        {kMultiConstellationCapture, "multi-constellation"}};
    for (const auto& [args, name] : captures) {
        SCOPED_TRACE(name);
        std::string out;
        ASSERT_EQ(RunCli("nmea " + args, out), 0) << out;
        std::ifstream expected(std::string(VANTREK_TESTS_DIR) + "/data/gps/" + name + ".fix");
        int fields = 0;
        for (std::string line; std::getline(expected, line);) {
            if (line.empty() || line[0] == '#') continue;
            EXPECT_NE(("\n" + out).find("\n" + line + "\n"), std::string::npos) << line << "\n" << out;
            ++fields;
        }
        EXPECT_GE(fields, 7);
    }
}

TEST(CliNmea, BadArgumentsMissingInputAndADeadDevice) {
    std::string out;
    EXPECT_EQ(RunCli("nmea /nonexistent/capture.log", out), 2);
    EXPECT_NE(out.find("cannot open"), std::string::npos);
    EXPECT_EQ(RunCli("nmea", out), 2);
    EXPECT_EQ(RunCli("nmea --device /dev/null --baud fast --seconds 1", out), 2);
    EXPECT_EQ(RunCli("nmea --device /nonexistent/ttyGPS --baud 4800 --seconds 5", out), 2);
    EXPECT_NE(out.find("I can't conect to the COM port!"), std::string::npos) << out;
}
