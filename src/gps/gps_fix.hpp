#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

namespace vantrek {

constexpr int kGpsSlotCount = 16;  // in-view satellite slots, and used-satellite PRNs

// How far the reader is through the sentences that belong together: the GSA
// sentences of one fix (one per constellation) and the GSV groups of one cycle
// (GPS first, then the other constellations). Kept with the fix data, under its lock.
struct NmeaCycle {
    bool gsaContinues = false;  // the last sentence was a GSA: the next one adds to its used list
    int gsvGroupBase = 0;       // the slot the current GSV group starts at
    int gsvPlaced = 0;          // slots filled so far in this cycle
    uint32_t gsvTalkers = 0;    // one bit per talker whose group came in this cycle
};

// What the receiver has reported, in the order the status displays list it.
struct GpsFixData {
    double latitudeDeg = 0.0;   // north positive
    double longitudeDeg = 0.0;  // east positive
    double altitudeM = 0.0;     // antenna above mean sea level
    double speedKmh = 0.0;      // over ground
    int16_t utcHour = 0;        // time of the last time field parsed
    int16_t utcMinute = 0;
    int16_t utcSecond = 0;
    int16_t utcHundredths = 0;
    uint32_t utcDay = 0;        // date of the last date parsed
    uint32_t utcMonth = 0;
    int32_t utcYear = 0;        // 2000 + the two-digit year
    double courseDeg = 0.0;     // over ground, degrees true
    int16_t satellitesInView = 0;
    int16_t satellitesUsed = 0;
    int16_t fixQuality = 0;     // 0 = no fix
    double geoidSeparationM = 0.0;
    int32_t referenceStation = 0;  // no sentence carries it
    double pdop = 0.0;
    double hdop = 0.0;
    double vdop = 0.0;
    int32_t fixMode = 0;  // 0 nothing received yet, 1 no fix, 2 2-D fix, 3 3-D fix
    int32_t usedPrn[kGpsSlotCount] = {};  // satellites in the solution; unused 0
    uint16_t snrDb[kGpsSlotCount] = {};   // dB-Hz per in-view slot
    double azimuthRad[kGpsSlotCount] = {};
    double elevationRad[kGpsSlotCount] = {};
    uint16_t prn[kGpsSlotCount] = {};     // 0 = empty slot
    uint32_t lastTimeTick = 0;            // MillisecondTick() when the time fields were written
    NmeaCycle cycle;
};

// The fix record shared by the reader thread and the interface thread.
// The reader writes `data` one whole sentence at a time under `lock`; the
// interface takes a snapshot under the same lock, so it never sees a torn
// value and always gets the time fields together with their lastTimeTick.
// The control fields are atomics that each side polls.
struct GpsFix {
    mutable std::mutex lock;
    GpsFixData data;

    std::atomic<uint32_t> portIndex{0};  // into the port-name table; 0 = none
    std::atomic<uint32_t> baudRate{0};   // bit/s
    std::atomic<bool> trackingEnabled{false};
    std::atomic<bool> readerStopped{false};  // the reader has closed the port
    std::atomic<bool> exitRequested{false};
    std::atomic<int32_t> openCount{0};  // opens since tracking was last started
    std::atomic<int32_t> readCount{0};  // sentence reads since tracking was last started
};

// A consistent copy of the data fields.
GpsFixData SnapshotGpsFix(const GpsFix& fix);

// Runs `change` on the data fields under the lock.
template <typename Change>
void UpdateGpsFix(GpsFix& fix, Change change) {
    std::lock_guard<std::mutex> guard(fix.lock);
    change(fix.data);
}

}  // namespace vantrek
