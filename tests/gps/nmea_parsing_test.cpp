#include <cmath>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "gps/fix_report.hpp"
#include "gps/nmea_fields.hpp"
#include "gps/read_sentence.hpp"
#include "gps_test_support.hpp"
#include "platform/system_clock.hpp"

using namespace vantrek;
using vantrek::testing::Sentence;

namespace {

const std::string kGga = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n";
constexpr double kDeg = 0.0174532925199433;

int Read(const std::string& text, GpsFix& fix) {
    MemoryByteSource source(text.data(), static_cast<long>(text.size()));
    return ReadSentence(source, fix);
}

std::string Report(const GpsFix& fix) { return FormatGpsFixReport(SnapshotGpsFix(fix)); }

}  // namespace

TEST(NmeaSentence, GgaExampleFillsPositionQualityAndTime) {
    GpsFix fix;
    const uint32_t before = MillisecondTick();
    ASSERT_EQ(Read(kGga, fix), kSentenceGga);
    const uint32_t after = MillisecondTick();
    const GpsFixData d = SnapshotGpsFix(fix);
    EXPECT_NEAR(d.latitudeDeg, 48.1173, 1e-9);
    EXPECT_NEAR(d.longitudeDeg, 11.516667, 1e-6);
    EXPECT_DOUBLE_EQ(d.altitudeM, 545.4);
    EXPECT_EQ(d.fixQuality, 1);
    EXPECT_EQ(d.satellitesUsed, 8);
    EXPECT_DOUBLE_EQ(d.hdop, 0.9);
    EXPECT_DOUBLE_EQ(d.geoidSeparationM, 46.9);
    EXPECT_EQ(d.utcHour * 10000 + d.utcMinute * 100 + d.utcSecond, 123519);
    EXPECT_EQ(d.utcHundredths, 0);
    EXPECT_LE(d.lastTimeTick - before, after - before);  // stamped while parsing
}

TEST(NmeaSentence, RejectedSentencesChangeNothing) {
    GpsFix fix;
    const std::string untouched = Report(fix);
    std::string wrongDigit = kGga;
    wrongDigit[wrongDigit.find("*47") + 2] = '6';
    std::string noChecksum = kGga;
    noChecksum.erase(noChecksum.find("*47"), 3);
    const std::string otherTalker = Sentence("GN" + kGga.substr(3, kGga.find('*') - 3));
    EXPECT_EQ(Read(wrongDigit, fix), kSentenceRejected);
    EXPECT_EQ(Read(noChecksum, fix), kSentenceRejected);
    EXPECT_EQ(Read(otherTalker, fix), kSentenceRejected);
    EXPECT_EQ(Read(Sentence("GPGLL,4916.45,N,12311.12,W,225444,A"), fix), kSentenceRejected);
    EXPECT_EQ(Report(fix), untouched);
    const std::string lowerCase = "$GPVTG,8,T*3e\r\n";  // hexadecimal digits in either case
    EXPECT_TRUE(VerifyChecksum(lowerCase.c_str(), static_cast<int>(lowerCase.size())));
}

TEST(NmeaSentence, RmcAndVtgConvertSpeedDateAndHemispheres) {
    GpsFix fix;
    ASSERT_EQ(Read(Sentence("GPRMC,225446.5,A,4916.45,S,12311.12,W,10.0,054.7,230394,020.3,E"), fix),
              kSentenceRmc);
    GpsFixData d = SnapshotGpsFix(fix);
    EXPECT_NEAR(d.speedKmh, 18.52, 1e-12);
    EXPECT_EQ(d.utcDay * 10000 + d.utcMonth * 100, 230300u);
    EXPECT_EQ(d.utcYear, 2094);
    EXPECT_NEAR(d.latitudeDeg, -(49 + 16.45 / 60), 1e-9);
    EXPECT_NEAR(d.longitudeDeg, -(123 + 11.12 / 60), 1e-9);
    EXPECT_EQ(d.utcHundredths, 50);  // one digit of fraction is tenths
    EXPECT_EQ(ReadNmeaTime("095255.810").hundredths, 81);

    ASSERT_EQ(Read(Sentence("GPVTG,054.7,T,034.4,M,005.5,N,010.2,K"), fix), kSentenceVtg);
    EXPECT_DOUBLE_EQ(SnapshotGpsFix(fix).courseDeg, 54.7);
    EXPECT_DOUBLE_EQ(SnapshotGpsFix(fix).speedKmh, 10.2);

    // A void RMC with empty fields still writes them, as zeros.
    ASSERT_EQ(Read(Sentence("GPRMC,,V,,,,,,,,,"), fix), kSentenceRmc);
    d = SnapshotGpsFix(fix);
    EXPECT_EQ(d.latitudeDeg, 0.0);
    EXPECT_EQ(d.utcMonth, 0u);
    EXPECT_EQ(d.utcYear, 2000);
}

TEST(NmeaFields, DegreesFieldWidthsAndUnreadableNumbers) {
    EXPECT_EQ(NmeaToDegrees(18000.5), 0.0);
    EXPECT_DOUBLE_EQ(NmeaToDegrees(18000.0), 180.0);
    EXPECT_EQ(NmeaToDegrees(NAN), 0.0);

    const char* line = "$GPGGA,123519,4807.03800099,N,,E,1*00\r\n";
    char field[kNmeaFieldCapacity];
    ExtractField(line, static_cast<int>(std::strlen(line)), 2, field);
    EXPECT_STREQ(field, "4807.03800");  // cut to 10 characters
    ExtractField(line, static_cast<int>(std::strlen(line)), 7, field);
    EXPECT_STREQ(field, "");  // the checksum is not a field
    EXPECT_EQ(ScanFieldInt("123", 2), 12);
    EXPECT_EQ(ScanFieldInt("9999999999", 10), INT32_MAX);

    GpsFix fix;
    ASSERT_EQ(Read(Sentence("GPGGA,123519,4807.03800099,N,18000.5,E,1,08,nan,1e999,M,inf,M,,"), fix),
              kSentenceGga);
    const GpsFixData d = SnapshotGpsFix(fix);
    EXPECT_NEAR(d.latitudeDeg, 48.1173, 1e-9);
    EXPECT_EQ(d.longitudeDeg, 0.0);
    EXPECT_EQ(d.hdop, 0.0);  // NaN and infinities read as 0
    EXPECT_EQ(d.altitudeM, 0.0);
    EXPECT_EQ(d.geoidSeparationM, 0.0);
}

TEST(NmeaSentence, GsvGroupsFillSlotsAndKeepOutOfRangeValues) {
    GpsFix fix;
    EXPECT_EQ(Read(Sentence("GPGSV,3,1,11,03,03,111,00,04,15,270,00,06,01,010,00,13,06,292,00"), fix),
              kSentenceGsvMore);
    EXPECT_EQ(Read(Sentence("GPGSV,3,2,11,14,25,170,00,16,57,208,39,18,67,296,40,19,40,246,00"), fix),
              kSentenceGsvMore);
    EXPECT_EQ(Read(Sentence("GPGSV,3,3,11,22,42,067,42,24,14,311,43,27,05,244,00"), fix), kSentenceGsvLast);
    GpsFixData d = SnapshotGpsFix(fix);
    EXPECT_EQ(d.satellitesInView, 11);
    const uint16_t prns[13] = {3, 4, 6, 13, 14, 16, 18, 19, 22, 24, 27, 0, 0};
    for (int s = 0; s < 13; ++s) EXPECT_EQ(d.prn[s], prns[s]) << s;
    EXPECT_EQ(d.snrDb[9], 43);
    EXPECT_NEAR(d.azimuthRad[9], 311 * kDeg, 1e-12);
    EXPECT_NEAR(d.elevationRad[6], 67 * kDeg, 1e-12);

    // Message 5, or one past the group's count, changes nothing.
    const std::string before = Report(fix);
    EXPECT_EQ(Read(Sentence("GPGSV,5,5,20,01,10,100,30"), fix), kSentenceGsvMore);
    EXPECT_EQ(Read(Sentence("GPGSV,2,3,20,01,10,100,30"), fix), kSentenceGsvMore);
    EXPECT_EQ(Report(fix), before);
    // Elevation 90 and azimuth 360 keep the old values; missing satellites are zeros.
    EXPECT_EQ(Read(Sentence("GPGSV,1,1,01,07,90,360,100"), fix), kSentenceGsvLast);
    d = SnapshotGpsFix(fix);
    EXPECT_EQ(d.prn[0], 7);
    EXPECT_NEAR(d.elevationRad[0], 3 * kDeg, 1e-12);
    EXPECT_NEAR(d.azimuthRad[0], 111 * kDeg, 1e-12);
    EXPECT_EQ(d.snrDb[0], 10);  // "100" read as two digits
    EXPECT_EQ(d.prn[1], 0);
}

TEST(NmeaSentence, GsaListsUsedSatellitesAndDilutions) {
    GpsFix fix;
    UpdateGpsFix(fix, [](GpsFixData& d) { d.usedPrn[14] = 99; });
    ASSERT_EQ(Read(Sentence("GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1"), fix), kSentenceGsa);
    const GpsFixData d = SnapshotGpsFix(fix);
    EXPECT_EQ(d.fixMode, 3);
    const int32_t used[kGpsSlotCount] = {4, 5, 0, 9, 12, 0, 0, 24};
    for (int i = 0; i < kGpsSlotCount; ++i) EXPECT_EQ(d.usedPrn[i], used[i]) << i;
    EXPECT_DOUBLE_EQ(d.pdop, 2.5);
    EXPECT_DOUBLE_EQ(d.hdop, 1.3);
    EXPECT_DOUBLE_EQ(d.vdop, 2.1);
}

TEST(NmeaSentence, SilenceAndCutLines) {
    GpsFix fix;
    EXPECT_EQ(Read("", fix), kSentenceSilent);
    // The 100th attempt may still bring the '$'; after 100 without one, silence.
    EXPECT_EQ(Read(std::string(99, 'x') + kGga, fix), kSentenceGga);
    EXPECT_EQ(Read(std::string(100, 'x') + kGga, fix), kSentenceSilent);
    // A line ended by the lack of further bytes (no CR LF) is complete.
    EXPECT_EQ(Read(kGga.substr(0, kGga.size() - 2), fix), kSentenceGga);

    // Over 100 bytes: cut, the checksum lost; the rest is skipped on the way to the next '$'.
    const std::string text = Sentence("GPGGA,123519," + std::string(100, '0')) + kGga;
    MemoryByteSource source(text.data(), static_cast<long>(text.size()));
    SentenceLine line;
    EXPECT_EQ(ReadSentence(source, fix, line), kSentenceRejected);
    EXPECT_EQ(line.length, kSentenceMaxBytes + 3);
    EXPECT_EQ(ReadSentence(source, fix, line), kSentenceGga);
}
