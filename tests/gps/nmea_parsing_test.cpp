#include <cmath>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

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
