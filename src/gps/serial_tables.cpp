#include "gps/serial_tables.hpp"

namespace vantrek {

const char* const kGpsPortNames[kGpsPortCount] = {
    "NONE", "COM1:", "COM2:", "COM3:", "COM4:", "COM5:",
    "COM6:", "COM7:", "COM8:", "COM9:", "COM10:", "gpsd"};

const char* const kGpsSpeedTexts[kGpsSpeedCount] = {
    "600", "1200", "2400", "4800", "9600", "14400", "19200", "38400", "56000", "57600", "115200"};

const uint32_t kGpsSpeeds[kGpsSpeedCount] = {
    600, 1200, 2400, 4800, 9600, 14400, 19200, 38400, 56000, 57600, 115200};

const char* GpsPortName(uint32_t portIndex) {
    return portIndex < kGpsPortCount ? kGpsPortNames[portIndex] : kGpsPortNames[0];
}

uint32_t GpsBaudRate(uint32_t speedIndex) {
    return speedIndex < kGpsSpeedCount ? kGpsSpeeds[speedIndex] : kGpsSpeeds[0];
}

}  // namespace vantrek
