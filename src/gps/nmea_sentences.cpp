#include "gps/nmea_sentences.hpp"

#include <cctype>

#include "astro/constants.hpp"
#include "gps/nmea_fields.hpp"
#include "platform/system_clock.hpp"

namespace vantrek {

namespace {

constexpr double kKnotToKmh = 1.852;

// The fields of one sentence, each cut to the field width.
struct SentenceFields {
    SentenceFields(const char* line, int length) : line(line), length(length) {}

    const char* text(int n) {
        ExtractField(line, length, n, buffer);
        return buffer;
    }
    double number(int n) { return ScanFieldDouble(text(n)); }
    int32_t integer(int n, int maxChars) { return ScanFieldInt(text(n), maxChars); }
    // Degrees from a dddmm.mmmm field, negated when the next field holds the
    // hemisphere letter `negative` (either case).
    double coordinate(int n, char negative) {
        const double degrees = NmeaToDegrees(number(n));
        const int hemisphere = std::toupper(static_cast<unsigned char>(text(n + 1)[0]));
        return hemisphere == negative ? -degrees : degrees;
    }

    const char* line;
    int length;
    char buffer[kNmeaFieldCapacity];
};

// A receiver of several constellations sends one GSA per constellation for
// the same fix: the used list becomes the union, in the order received, as
// many as the record holds.
void addUsedSatellites(int32_t (&list)[kGpsSlotCount], const int32_t (&more)[kGpsSlotCount]) {
    int32_t merged[kGpsSlotCount] = {};
    int count = 0;
    auto add = [&](int32_t prn) {
        if (prn == 0 || count == kGpsSlotCount) return;
        for (int i = 0; i < count; ++i)
            if (merged[i] == prn) return;
        merged[count++] = prn;
    };
    for (int32_t prn : list) add(prn);
    for (int32_t prn : more) add(prn);
    for (int i = 0; i < kGpsSlotCount; ++i) list[i] = merged[i];
}

// The number of fields after the address (commas before the checksum).
int fieldCount(const char* line, int length) {
    int count = 0;
    for (int i = 0; i < length && line[i] != '*' && line[i] != '\0'; ++i)
        if (line[i] == ',') ++count;
    return count;
}

// One bit per constellation for the GSV cycle; GPS is bit 0.
uint32_t talkerBit(const char* line) {
    static const char* const kTalkers[] = {"GP", "GL", "GA", "GB", "BD", "GQ", "GN"};
    for (uint32_t i = 0; i < sizeof kTalkers / sizeof kTalkers[0]; ++i) {
        if (line[1] == kTalkers[i][0] && line[2] == kTalkers[i][1]) return 1u << (i == 4 ? 3 : i);
    }
    return 1u << 7;
}

}  // namespace

bool IsNmeaTalker(const char* line) {
    return line[0] == '$' && (talkerBit(line) & 0x7Fu) != 0;
}

void ParseRmc(const char* line, int length, GpsFix& fix) {
    SentenceFields fields(line, length);
    const NmeaTimeOfDay time = ReadNmeaTime(fields.text(1));
    const uint32_t tick = MillisecondTick();
    const double latitude = fields.coordinate(3, 'S');
    const double longitude = fields.coordinate(5, 'W');
    const double speedKmh = fields.number(7) * kKnotToKmh;
    const double course = fields.number(8);
    const char* date = fields.text(9);  // ddmmyy, read by position
    const int32_t day = ScanFieldIntAt(date, 0, 2);
    const int32_t month = ScanFieldIntAt(date, 2, 2);
    const int32_t year = ScanFieldIntAt(date, 4, 2);
    UpdateGpsFix(fix, [&](GpsFixData& data) {
        StoreNmeaTime(data, time, tick);
        data.latitudeDeg = latitude;
        data.longitudeDeg = longitude;
        data.speedKmh = speedKmh;
        data.courseDeg = course;
        data.utcDay = static_cast<uint32_t>(day);
        data.utcMonth = static_cast<uint32_t>(month);
        data.utcYear = 2000 + year;
        data.cycle.gsaContinues = false;
    });
}

void ParseVtg(const char* line, int length, GpsFix& fix) {
    SentenceFields fields(line, length);
    const double course = fields.number(1);
    const double speedKmh = fields.number(7);
    UpdateGpsFix(fix, [&](GpsFixData& data) {
        data.courseDeg = course;
        data.speedKmh = speedKmh;
        data.cycle.gsaContinues = false;
    });
}

void ParseGga(const char* line, int length, GpsFix& fix) {
    SentenceFields fields(line, length);
    const NmeaTimeOfDay time = ReadNmeaTime(fields.text(1));
    const uint32_t tick = MillisecondTick();
    const double latitude = fields.coordinate(2, 'S');
    const double longitude = fields.coordinate(4, 'W');
    const int32_t quality = fields.integer(6, 1);
    const int32_t used = fields.integer(7, 2);
    const double hdop = fields.number(8);
    const double altitude = fields.number(9);
    const double geoid = fields.number(11);
    UpdateGpsFix(fix, [&](GpsFixData& data) {
        StoreNmeaTime(data, time, tick);
        data.latitudeDeg = latitude;
        data.longitudeDeg = longitude;
        data.fixQuality = static_cast<int16_t>(quality);
        data.satellitesUsed = static_cast<int16_t>(used);
        data.hdop = hdop;
        data.altitudeM = altitude;
        data.geoidSeparationM = geoid;
        data.cycle.gsaContinues = false;
    });
}

void ParseGsa(const char* line, int length, GpsFix& fix) {
    SentenceFields fields(line, length);
    const int32_t mode = fields.integer(2, 2);
    int32_t used[kGpsSlotCount] = {};
    for (int i = 0; i < 12; ++i) used[i] = fields.integer(3 + i, kNmeaFieldMaxChars);
    const double pdop = fields.number(15);
    const double hdop = fields.number(16);
    const double vdop = fields.number(17);
    UpdateGpsFix(fix, [&](GpsFixData& data) {
        data.fixMode = mode;
        if (data.cycle.gsaContinues) {
            addUsedSatellites(data.usedPrn, used);
        } else {
            for (int i = 0; i < kGpsSlotCount; ++i) data.usedPrn[i] = used[i];
        }
        data.cycle.gsaContinues = true;
        data.pdop = pdop;
        data.hdop = hdop;
        data.vdop = vdop;
    });
}

bool ParseGsv(const char* line, int length, GpsFix& fix) {
    SentenceFields fields(line, length);
    const int32_t messages = fields.integer(1, 2);
    const int32_t message = fields.integer(2, 2);
    if (message > messages || message < 1 || message > 4) return false;
    const int32_t inView = fields.integer(3, 2);

    struct Satellite {
        int32_t prn, elevation, azimuth, snr;
    } satellites[4];
    // Four fields a satellite after the three of the group; NMEA 4.10 adds a
    // signal ID at the end, which is not a satellite.
    const int carried = (fieldCount(line, length) - 3) / 4;
    for (int j = 0; j < 4; ++j) {
        if (j >= carried) {
            satellites[j] = Satellite{0, 0, 0, 0};  // absent fields read as 0
            continue;
        }
        satellites[j].prn = fields.integer(4 + 4 * j, 2);
        satellites[j].elevation = fields.integer(5 + 4 * j, 2);
        satellites[j].azimuth = fields.integer(6 + 4 * j, 3);
        satellites[j].snr = fields.integer(7 + 4 * j, 2);
    }
    int present = 0;  // satellites this message carries
    for (int j = 0; j < 4; ++j)
        if (satellites[j].prn > 0) present = j + 1;
    const uint32_t talker = talkerBit(line);
    UpdateGpsFix(fix, [&](GpsFixData& data) {
        // GPS opens a cycle; the other constellations' groups follow it in the
        // slots, each after those already placed. A talker seen twice in one
        // cycle (a receiver without GPS) also starts a new one.
        NmeaCycle& cycle = data.cycle;
        cycle.gsaContinues = false;
        if (message == 1) {
            if (talker == 1u || (cycle.gsvTalkers & talker) != 0) cycle = NmeaCycle();
            cycle.gsvTalkers |= talker;
            cycle.gsvGroupBase = cycle.gsvPlaced < kGpsSlotCount ? cycle.gsvPlaced : kGpsSlotCount;
        }
        const int base = cycle.gsvGroupBase;
        if (base + 4 * (message - 1) + present > cycle.gsvPlaced)
            cycle.gsvPlaced = base + 4 * (message - 1) + present;
        data.satellitesInView = static_cast<int16_t>(base + inView);
        for (int j = 0; j < 4; ++j) {
            const int slot = base + 4 * (message - 1) + j;
            if (slot >= kGpsSlotCount) break;  // the record holds 16, whatever the counts say
            const Satellite& s = satellites[j];
            // A value at or over its limit keeps the slot's previous one; PRN and
            // SNR are unsigned, so a negative one is not stored either.
            if (s.prn >= 0 && s.prn < 100) data.prn[slot] = static_cast<uint16_t>(s.prn);
            if (s.azimuth < 360) data.azimuthRad[slot] = s.azimuth * kDegree;
            if (s.elevation < 90) data.elevationRad[slot] = s.elevation * kDegree;
            if (s.snr >= 0 && s.snr < 100) data.snrDb[slot] = static_cast<uint16_t>(s.snr);
        }
    });
    return message == messages;
}

}  // namespace vantrek
