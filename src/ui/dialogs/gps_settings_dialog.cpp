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
