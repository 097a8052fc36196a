#include <cmath>
#include <cstring>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "gps/fix_report.hpp"
#include "gps/nmea_fields.hpp"
#include "gps/read_sentence.hpp"
#include "gps_test_support.hpp"
#include "platform/system_clock.hpp"

using namespace vantrek;
using vantrek::testing::kGga;
using vantrek::testing::Sentence;

namespace {

constexpr double kDeg = 0.0174532925199433;

// Reads one sentence into `fix`, expecting `result`, and returns the fix as it then is.
GpsFixData ReadOne(GpsFix& fix, const std::string& text, int result) {
    MemoryByteSource source(text.data(), static_cast<long>(text.size()));
    EXPECT_EQ(ReadSentence(source, fix), result) << text;
    return SnapshotGpsFix(fix);
}

std::string Report(const GpsFix& fix) { return FormatGpsFixReport(SnapshotGpsFix(fix)); }

}  // namespace

TEST(NmeaSentence, GgaRmcVtgAndGsaExamples) {
    GpsFix fix;
    const uint32_t before = MillisecondTick();
    GpsFixData d = ReadOne(fix, kGga, kSentenceGga);
    EXPECT_LE(d.lastTimeTick - before, MillisecondTick() - before);  // stamped while parsing
    EXPECT_NEAR(d.latitudeDeg, 48.1173, 1e-9);
    EXPECT_NEAR(d.longitudeDeg, 11.516667, 1e-6);
    EXPECT_EQ(std::tie(d.altitudeM, d.geoidSeparationM, d.hdop), std::make_tuple(545.4, 46.9, 0.9));
    EXPECT_EQ(d.fixQuality, 1);
    EXPECT_EQ(d.satellitesUsed, 8);
    EXPECT_EQ(d.utcHour * 10000 + d.utcMinute * 100 + d.utcSecond, 123519);

    d = ReadOne(fix, Sentence("GPRMC,225446.5,A,4916.45,S,12311.12,W,10.0,054.7,230394,020.3,E"), kSentenceRmc);
    EXPECT_NEAR(d.speedKmh, 18.52, 1e-12);  // 10 knots
    EXPECT_EQ(d.utcDay * 10000 + d.utcMonth * 100, 230300u);
    EXPECT_EQ(d.utcYear, 2094);
    EXPECT_NEAR(d.latitudeDeg, -(49 + 16.45 / 60), 1e-9);
    EXPECT_NEAR(d.longitudeDeg, -(123 + 11.12 / 60), 1e-9);
    EXPECT_EQ(d.utcHundredths, 50);  // one digit of fraction is tenths
    EXPECT_EQ(ReadNmeaTime("095255.810").hundredths, 81);

    d = ReadOne(fix, Sentence("GPVTG,054.7,T,034.4,M,005.5,N,010.2,K"), kSentenceVtg);
    EXPECT_EQ(std::tie(d.courseDeg, d.speedKmh), std::make_tuple(54.7, 10.2));

    UpdateGpsFix(fix, [](GpsFixData& data) { data.usedPrn[14] = 99; });
    d = ReadOne(fix, Sentence("GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1"), kSentenceGsa);
    EXPECT_EQ(d.fixMode, 3);
    const int32_t used[kGpsSlotCount] = {4, 5, 0, 9, 12, 0, 0, 24};
    for (int i = 0; i < kGpsSlotCount; ++i) EXPECT_EQ(d.usedPrn[i], used[i]) << i;
    EXPECT_EQ(std::tie(d.pdop, d.hdop, d.vdop), std::make_tuple(2.5, 1.3, 2.1));
}

TEST(NmeaSentence, RejectedSentencesChangeNothing) {
    GpsFix fix;
    const std::string untouched = Report(fix);
    std::string wrongDigit = kGga;
    wrongDigit[wrongDigit.find("*47") + 2] = '6';
    const std::string noChecksum = kGga.substr(0, kGga.find('*')) + "\r\n";
    const std::string otherTalker = Sentence("II" + kGga.substr(3, kGga.find('*') - 3));
    for (const std::string& text : {wrongDigit, noChecksum, otherTalker, Sentence("GPGLL,4916.45,N,12311.12,W")}) {
        ReadOne(fix, text, kSentenceRejected);
    }
    EXPECT_EQ(Report(fix), untouched);
    const std::string lowerCase = "$GPVTG,8,T*3e\r\n";  // hexadecimal digits in either case
    EXPECT_TRUE(VerifyChecksum(lowerCase.c_str(), static_cast<int>(lowerCase.size())));
}

TEST(NmeaFields, FieldWidthsAndUnreadableNumbers) {
    EXPECT_EQ(NmeaToDegrees(18000.5), 0.0);
    EXPECT_DOUBLE_EQ(NmeaToDegrees(18000.0), 180.0);
    EXPECT_EQ(NmeaToDegrees(NAN), 0.0);
    const char* line = "$GPGGA,123519,,N*00\r\n";
    char field[kNmeaFieldCapacity];
    ExtractField(line, static_cast<int>(std::strlen(line)), 3, field);
    EXPECT_STREQ(field, "N");  // the checksum is not part of the last field
    EXPECT_EQ(ScanFieldInt("9999999999", 10), INT32_MAX);

    // The latitude is cut to 10 characters; NaN and infinities read as 0.
    GpsFix fix;
    const GpsFixData d =
        ReadOne(fix, Sentence("GPGGA,123519,4807.03800099,N,18000.5,E,1,08,nan,1e999,M,inf,M,,"), kSentenceGga);
    EXPECT_NEAR(d.latitudeDeg, 48.1173, 1e-9);
    EXPECT_EQ(d.longitudeDeg, 0.0);
    EXPECT_EQ(std::tie(d.hdop, d.altitudeM, d.geoidSeparationM), std::make_tuple(0.0, 0.0, 0.0));

    // A void RMC writes its empty fields as zeros: no date (month 0) for the clock.
    EXPECT_EQ(ReadOne(fix, Sentence("GPRMC,,V,,,,,,,,,"), kSentenceRmc).utcMonth, 0u);
}

TEST(NmeaSentence, GsvGroupsFillSlotsAndKeepOutOfRangeValues) {
    GpsFix fix;
    ReadOne(fix, Sentence("GPGSV,3,1,11,03,03,111,00,04,15,270,00,06,01,010,00,13,06,292,00"), kSentenceGsvMore);
    ReadOne(fix, Sentence("GPGSV,3,2,11,14,25,170,00,16,57,208,39,18,67,296,40,19,40,246,00"), kSentenceGsvMore);
    GpsFixData d = ReadOne(fix, Sentence("GPGSV,3,3,11,22,42,067,42,24,14,311,43,27,05,244,00"), kSentenceGsvLast);
    EXPECT_EQ(d.satellitesInView, 11);
    const uint16_t prns[13] = {3, 4, 6, 13, 14, 16, 18, 19, 22, 24, 27, 0, 0};
    for (int s = 0; s < 13; ++s) EXPECT_EQ(d.prn[s], prns[s]) << s;
    EXPECT_EQ(d.snrDb[9], 43);

    // Message 5 (beyond the 16 slots), or one past the group's count, changes nothing.
    const std::string before = Report(fix);
    ReadOne(fix, Sentence("GPGSV,5,5,20,01,10,100,30"), kSentenceGsvMore);
    ReadOne(fix, Sentence("GPGSV,2,3,20,01,10,100,30"), kSentenceGsvMore);
    EXPECT_EQ(Report(fix), before);
    // Elevation 90 and azimuth 360 keep the old values; missing satellites are zeros.
    d = ReadOne(fix, Sentence("GPGSV,1,1,01,07,90,360,100"), kSentenceGsvLast);
    EXPECT_EQ(d.prn[0], 7);
    EXPECT_EQ(d.prn[1], 0);
    EXPECT_NEAR(d.elevationRad[0], 3 * kDeg, 1e-12);
    EXPECT_NEAR(d.azimuthRad[0], 111 * kDeg, 1e-12);
    EXPECT_EQ(d.snrDb[0], 10);  // "100" read as two digits
}

TEST(NmeaSentence, SilenceAndCutLines) {
    GpsFix fix;
    ReadOne(fix, "", kSentenceSilent);
    // The 100th attempt may still bring the '$'; after 100 without one, silence.
    ReadOne(fix, std::string(99, 'x') + kGga, kSentenceGga);
    ReadOne(fix, std::string(100, 'x') + kGga, kSentenceSilent);
    // A line ended by the lack of further bytes (no CR LF) is complete.
    ReadOne(fix, kGga.substr(0, kGga.size() - 2), kSentenceGga);

    // Over 100 bytes: cut, the checksum lost; the rest is skipped on the way to the next '$'.
    const std::string text = Sentence("GPGGA,123519," + std::string(100, '0')) + kGga;
    MemoryByteSource source(text.data(), static_cast<long>(text.size()));
    SentenceLine line;
    EXPECT_EQ(ReadSentence(source, fix, line), kSentenceRejected);
    EXPECT_EQ(line.length, kSentenceMaxBytes + 3);
    EXPECT_EQ(ReadSentence(source, fix, line), kSentenceGga);
}
