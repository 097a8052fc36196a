#include "ui/dialogs/station_dialog.hpp"

#include <cmath>

#include "astro/constants.hpp"
#include "ui/dialog_numbers.hpp"

namespace vantrek {

namespace {

const char* const kElevationRows[] = {"90", "180"};
constexpr double kElevationRowDeg[] = {90.0, 180.0};

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string HostOrDefault(const std::string& text) {
    const std::string host = Trimmed(text);
    return StationHostUsable(host) ? host : kDefaultStationHost;
}

int32_t PortOrDefault(const std::string& text, int32_t fallback) {
    const uint32_t port = readDialogUnsigned(text);
    return port <= 65535 && StationPortUsable(static_cast<int32_t>(port)) ? static_cast<int32_t>(port) : fallback;
}

}  // namespace

StationForm OpenStationDialog(const Settings& settings) {
    StationForm form;
    form.radioEnabled = settings.Radio_on != 0;
    form.radioHost = settings.Radio_host;
    form.radioPort = std::to_string(settings.Radio_port);
    form.rotatorEnabled = settings.Rotator_on != 0;
    form.rotatorHost = settings.Rotator_host;
    form.rotatorPort = std::to_string(settings.Rotator_port);
    form.azimuthMin = writeDialogNumber(settings.Rotator_az_min);
    form.azimuthMax = writeDialogNumber(settings.Rotator_az_max);
    form.elevationMaxRows.assign(std::begin(kElevationRows), std::end(kElevationRows));
    form.elevationMaxRow = settings.Rotator_el_max == 180.0 ? 1 : 0;
    form.trackElevation = writeDialogNumber(settings.Track_ele / kDegree);
    form.parkAzimuth = writeDialogNumber(settings.Park_az);
    form.parkElevation = writeDialogNumber(settings.Park_ele);
    form.parkAfterPass = settings.Park_after != 0;
    form.dopplerStep = writeDialogNumber(settings.Doppler_step);
    form.angleStep = writeDialogNumber(settings.Rotator_step);
    return form;
}

void AcceptStationDialog(const StationForm& form, Settings& settings, SettingsStore& store) {
    const Settings defaults;
    settings.Radio_on = form.radioEnabled ? 1 : 0;
    settings.Radio_host = HostOrDefault(form.radioHost);
    settings.Radio_port = PortOrDefault(form.radioPort, kDefaultRadioPort);
    settings.Rotator_on = form.rotatorEnabled ? 1 : 0;
    settings.Rotator_host = HostOrDefault(form.rotatorHost);
    settings.Rotator_port = PortOrDefault(form.rotatorPort, kDefaultRotatorPort);

    const double minimum = readDialogNumber(form.azimuthMin);
    const double maximum = readDialogNumber(form.azimuthMax);
    const bool rangeUsable = RotatorRangeUsable(minimum, maximum);
    settings.Rotator_az_min = rangeUsable ? minimum : defaults.Rotator_az_min;
    settings.Rotator_az_max = rangeUsable ? maximum : defaults.Rotator_az_max;
    settings.Rotator_el_max = form.elevationMaxRow == 1 ? kElevationRowDeg[1] : kElevationRowDeg[0];

    const double parkAz = readDialogNumber(form.parkAzimuth);
    const double parkEl = readDialogNumber(form.parkElevation);
    const bool parkUsable = ParkPositionUsable(parkAz, parkEl, settings.Rotator_az_min, settings.Rotator_az_max,
                                               settings.Rotator_el_max);
    // The default park position lies at the range's start when 0 is outside it.
    settings.Park_az = parkUsable ? parkAz : std::fmax(defaults.Park_az, settings.Rotator_az_min);
    settings.Park_ele = parkUsable ? parkEl : defaults.Park_ele;
    settings.Park_after = form.parkAfterPass ? 1 : 0;

    const double track = readDialogNumber(form.trackElevation) * kDegree;
    settings.Track_ele = TrackElevationUsable(track) ? track : defaults.Track_ele;
    const double doppler = readDialogNumber(form.dopplerStep);
    settings.Doppler_step = DopplerStepUsable(doppler) ? doppler : defaults.Doppler_step;
    const double angle = readDialogNumber(form.angleStep);
    settings.Rotator_step = RotatorStepUsable(angle) ? angle : defaults.Rotator_step;
    StoreStationSettings(store, settings);
}

LinkEndpoint RadioEndpointOf(const StationForm& form) {
    LinkEndpoint endpoint;
    endpoint.enabled = true;
    endpoint.host = HostOrDefault(form.radioHost);
    endpoint.port = static_cast<uint16_t>(PortOrDefault(form.radioPort, kDefaultRadioPort));
    return endpoint;
}

LinkEndpoint RotatorEndpointOf(const StationForm& form) {
    LinkEndpoint endpoint;
    endpoint.enabled = true;
    endpoint.host = HostOrDefault(form.rotatorHost);
    endpoint.port = static_cast<uint16_t>(PortOrDefault(form.rotatorPort, kDefaultRotatorPort));
    return endpoint;
}

}  // namespace vantrek
