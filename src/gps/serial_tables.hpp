#pragma once

#include <cstdint>

namespace vantrek {

constexpr int kGpsPortCount = 12;   // "NONE", COM1..COM10 and "gpsd" (the gpsd daemon)
constexpr int kGpsSpeedCount = 11;

// Port names, indexed by the GPSPort setting; index 0 means no port.
extern const char* const kGpsPortNames[kGpsPortCount];

// Line speeds as the dialog shows them and in bit/s, indexed by the GPSSpeed setting.
extern const char* const kGpsSpeedTexts[kGpsSpeedCount];
extern const uint32_t kGpsSpeeds[kGpsSpeedCount];

// The port name of an index; "NONE" for 0 and for an index outside the table.
const char* GpsPortName(uint32_t portIndex);

// The line speed of a speed index; an index outside the table gives the
// default row 0 (600 bit/s).
uint32_t GpsBaudRate(uint32_t speedIndex);

}  // namespace vantrek
