#include "ui/station_tick.hpp"

#include "astro/constants.hpp"
#include "station/link_texts.hpp"
#include "ui/app_state.hpp"

namespace vantrek {

namespace {

void TellNewError(const LinkStatus& status, uint32_t& told, MessageSink& messages) {
    if (status.episode == told) return;
    // Noted before the box shows: ticks go on while it is open.
    told = status.episode;
    messages.showMessage(status.episodeText, kStationCaption, MessageIcon::Warning);
}

}  // namespace

StationOptions StationOptionsFrom(const Settings& settings) {
    StationOptions options;
    options.radio = settings.Radio_on != 0;
    options.rotator = settings.Rotator_on != 0;
    options.limits.azimuthMinDeg = settings.Rotator_az_min;
    options.limits.azimuthMaxDeg = settings.Rotator_az_max;
    options.limits.elevationMaxDeg = settings.Rotator_el_max;
    options.trackElevationDeg = settings.Track_ele / kDegree;
    options.parkAfterPass = settings.Park_after != 0;
    options.park.azimuthDeg = settings.Park_az;
    options.park.elevationDeg = settings.Park_ele;
    options.dopplerStepHz = settings.Doppler_step;
    options.angleStepDeg = settings.Rotator_step;
    options.engine = settings.s4_s8;
    options.downlinkMHz = settings.downlink;
    options.uplinkMHz = settings.uplink;
    return options;
}

LinkEndpoint RadioEndpointFrom(const Settings& settings) {
    LinkEndpoint endpoint;
    endpoint.enabled = settings.Radio_on != 0;
    endpoint.host = settings.Radio_host;
    endpoint.port = static_cast<uint16_t>(settings.Radio_port);
    return endpoint;
}

LinkEndpoint RotatorEndpointFrom(const Settings& settings) {
    LinkEndpoint endpoint;
    endpoint.enabled = settings.Rotator_on != 0;
    endpoint.host = settings.Rotator_host;
    endpoint.port = static_cast<uint16_t>(settings.Rotator_port);
    return endpoint;
}

void UpdateStation(AppState& state, StationLink* link, MessageSink& messages) {
    StationMemory& station = state.station;
    const Settings& settings = state.settings;
    const bool wanted = settings.Radio_on != 0 || settings.Rotator_on != 0;
    if (link == nullptr) {
        station.status = StationStatus{};
        return;
    }
    StationRequest request;
    request.radio = RadioEndpointFrom(settings);
    request.rotator = RotatorEndpointFrom(settings);
    if (wanted) {
        StepStation(station.tracker, state.catalog, state.catalog.current, state.observer, state.clock.currentDate,
                    StationOptionsFrom(settings), station.step);
        request.radioTarget = station.step.radioTarget;
        request.rotatorTarget = station.step.rotatorTarget;
    } else {
        station.step = StationStep{};
    }
    HandStationRequest(*link, request);
    station.status = StationStatusOf(*link);
    TellNewError(station.status.radio, station.radioEpisodeTold, messages);
    TellNewError(station.status.rotator, station.rotatorEpisodeTold, messages);
}

std::string StationStatusText(const Settings& settings, const StationStatus& status) {
    std::string text;
    const auto add = [&text](const char* device, const LinkStatus& link) {
        if (!text.empty()) text += "   ";
        text += LinkStateText(device, link.state == LinkState::Connected, link.error);
    };
    if (settings.Radio_on != 0) add(kRadioName, status.radio);
    if (settings.Rotator_on != 0) add(kRotatorName, status.rotator);
    return text;
}

}  // namespace vantrek
