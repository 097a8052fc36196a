// Arbitrary bytes from a "serial port" through the sentence reader and parsers.
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "fuzz_support.hpp"
#include "gps/gps_fix.hpp"
#include "gps/read_sentence.hpp"
#include "platform/byte_source.hpp"

using namespace vantrek;

namespace {

bool knownResult(int result) {
    return result == kSentenceRmc || result == kSentenceVtg || result == kSentenceGga ||
           result == kSentenceGsa || result == kSentenceGsvLast || result == kSentenceGsvMore ||
           result == kSentenceSilent || result == kSentenceRejected;
}

void requireFiniteFix(const GpsFixData& d) {
    for (double v : {d.latitudeDeg, d.longitudeDeg, d.altitudeM, d.speedKmh, d.courseDeg,
                     d.geoidSeparationM, d.pdop, d.hdop, d.vdop}) {
        require(std::isfinite(v));
    }
    for (int i = 0; i < kGpsSlotCount; ++i) {
        require(std::isfinite(d.azimuthRad[i]) && std::isfinite(d.elevationRad[i]));
    }
    // Fields of at most two characters: a sign and a digit, or two digits.
    // Whoever draws per-satellite data bounds its loops by kGpsSlotCount.
    for (int32_t twoCharacters : {d.fixMode, static_cast<int32_t>(d.satellitesUsed), static_cast<int32_t>(d.fixQuality)}) {
        require(twoCharacters >= -9 && twoCharacters <= 99);
    }
    // In view counts the groups of other constellations after the slots already placed.
    require(d.satellitesInView >= -9 && d.satellitesInView <= kGpsSlotCount + 99);
    require(d.cycle.gsvGroupBase >= 0 && d.cycle.gsvGroupBase <= kGpsSlotCount);
    for (int i = 0; i < kGpsSlotCount; ++i) require(d.prn[i] < 100 && d.snrDb[i] < 100);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // An exact-size copy: AddressSanitizer catches any read past the last byte.
    std::vector<char> bytes(data, data + size);
    MemoryByteSource port(bytes.data(), static_cast<long>(bytes.size()));
    auto fix = std::make_unique<GpsFix>();
    SentenceLine line;
    for (int sentences = 0; !port.atEnd() && sentences < 10000; ++sentences) {
        const int result = ReadSentence(port, *fix, line);
        require(knownResult(result));
        require(line.length >= 0 && line.length <= kSentenceMaxBytes + 3);
        if (result == kSentenceSilent) break;
    }
    requireFiniteFix(SnapshotGpsFix(*fix));

    // The same bytes as one assembled line straight into the dispatcher.
    std::vector<char> text(data, data + size);
    text.push_back('\0');
    const int result = DispatchSentence(text.data(), static_cast<int>(size), *fix);
    require(knownResult(result) && result != kSentenceSilent);
    requireFiniteFix(SnapshotGpsFix(*fix));
    return 0;
}
