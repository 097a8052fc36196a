#pragma once

#include <cstdint>

#include "data/settings.hpp"
#include "gps/gps_fix.hpp"
#include "gps/gps_reader.hpp"
#include "platform/serial_port.hpp"

namespace vantrek {

constexpr const char* kPortConfiguredText = "COM port set correctly.";
constexpr const char* kPortConfiguredCaption = "GPS";
constexpr const char* kCommStateErrorText = "SetCommState Error";  // no caption, error icon

// The GPS options the "GPS settings" dialog edits. gpsPort, gpsSpeed and
// gpsCompass are the GPSPort, GPSSpeed and GPSCompass settings, which the
// settings code stores after OK; the signal map is not stored.
struct GpsOptions {
    uint32_t gpsPort = 0;    // index into the port-name table
    uint32_t gpsSpeed = 0;   // index into the speed table
    bool gpsCompass = true;  // turn the sky chart so the course is up
    bool signalMap = false;  // accumulate the GPS signal map on the sky chart
};

// The settings own GPSPort, GPSSpeed and GPSCompass, the program state the
// signal-map switch: the dialog works on a copy taken when it opens and
// written back after "Test" and OK, so the two cannot drift apart.
GpsOptions GpsOptionsFrom(const Settings& settings, int32_t signalMap);
void ApplyGpsOptions(const GpsOptions& options, Settings& settings, int32_t& signalMap);

// The dialog's controls: the combo selections index the port-name and speed
// tables (kGpsPortNames, kGpsSpeedTexts), which are also the combo rows.
struct GpsSettingsForm {
    uint32_t portSelection = 0;
    uint32_t speedSelection = 0;
    bool trackGps = false;
    bool autoCompass = false;
    bool signalMap = false;
};

// Fills the form when the dialog opens; an index outside its table selects row 0.
GpsSettingsForm OpenGpsSettings(const GpsOptions& options, const GpsFix& fix);

// "Track GPS" clicked: takes effect at once, before OK or Cancel.
void ClickTrackGps(const GpsSettingsForm& form, GpsFix& fix);

enum class PortTestResult {
    PortBusy,             // tracking is on and the reader owns the port: nothing done
    PortConfigured,       // kPortConfiguredText
    ConfigurationFailed,  // kCommStateErrorText (also when the port cannot be opened)
};

// "Test": takes the combo selections into the options (stored only by OK) and,
// unless the reader owns the port, opens and configures it and closes it again.
PortTestResult TestGpsPort(const GpsSettingsForm& form, GpsOptions& options, const GpsFix& fix,
                           SerialPort& port);

// "OK": applies the form to the options and starts or stops tracking. The
// caller then stores gpsPort, gpsSpeed and gpsCompass.
void AcceptGpsSettings(const GpsSettingsForm& form, GpsOptions& options, GpsFix& fix,
                       GpsReader& reader);

}  // namespace vantrek
