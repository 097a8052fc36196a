#include "ui/dialogs/gps_settings_dialog.hpp"

#include "gps/serial_tables.hpp"

namespace vantrek {

namespace {

uint32_t RowWithin(uint32_t index, int rows) {
    return index < static_cast<uint32_t>(rows) ? index : 0;
}

void TakeSelections(const GpsSettingsForm& form, GpsOptions& options) {
    options.gpsPort = RowWithin(form.portSelection, kGpsPortCount);
    options.gpsSpeed = RowWithin(form.speedSelection, kGpsSpeedCount);
}

}  // namespace

GpsOptions GpsOptionsFrom(const Settings& settings, int32_t signalMap) {
    GpsOptions options;
    // A negative stored index selects row 0 like any other index outside the table.
    options.gpsPort = settings.GPSPort >= 0 ? static_cast<uint32_t>(settings.GPSPort) : kGpsPortCount;
    options.gpsSpeed = settings.GPSSpeed >= 0 ? static_cast<uint32_t>(settings.GPSSpeed) : kGpsSpeedCount;
    options.gpsCompass = settings.GPSCompass != 0;
    options.signalMap = signalMap != 0;
    return options;
}

void ApplyGpsOptions(const GpsOptions& options, Settings& settings, int32_t& signalMap) {
    settings.GPSPort = static_cast<int32_t>(RowWithin(options.gpsPort, kGpsPortCount));
    settings.GPSSpeed = static_cast<int32_t>(RowWithin(options.gpsSpeed, kGpsSpeedCount));
    settings.GPSCompass = options.gpsCompass ? 1 : 0;
    signalMap = options.signalMap ? 1 : 0;
}

GpsSettingsForm OpenGpsSettings(const GpsOptions& options, const GpsFix& fix) {
    GpsSettingsForm form;
    form.trackGps = fix.trackingEnabled;
    form.autoCompass = options.gpsCompass;
    form.signalMap = options.signalMap;
    form.portSelection = RowWithin(options.gpsPort, kGpsPortCount);
    form.speedSelection = RowWithin(options.gpsSpeed, kGpsSpeedCount);
    return form;
}

void ClickTrackGps(const GpsSettingsForm& form, GpsFix& fix) { fix.trackingEnabled = form.trackGps; }

PortTestResult TestGpsPort(const GpsSettingsForm& form, GpsOptions& options, const GpsFix& fix,
                           SerialPort& port) {
    TakeSelections(form, options);
    if (fix.trackingEnabled) return PortTestResult::PortBusy;
    const uint32_t baudRate = GpsBaudRate(options.gpsSpeed);
    const bool configured =
        port.open(GpsPortName(options.gpsPort), baudRate) && port.configure(baudRate);
    port.close();
    return configured ? PortTestResult::PortConfigured : PortTestResult::ConfigurationFailed;
}

void AcceptGpsSettings(const GpsSettingsForm& form, GpsOptions& options, GpsFix& fix,
                       GpsReader& reader) {
    options.gpsCompass = form.autoCompass;
    TakeSelections(form, options);
    // The signal map and the auto compass exclude each other; the map wins.
    options.signalMap = form.signalMap;
    if (form.signalMap) options.gpsCompass = false;
    if (form.trackGps) {
        SwitchTrackingOn(fix, reader, options.gpsPort, options.gpsSpeed);
    } else {
        fix.trackingEnabled = false;
    }
}

}  // namespace vantrek
