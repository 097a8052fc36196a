#pragma once

#include <string>
#include <vector>

#include "data/settings.hpp"
#include "station/link_worker.hpp"

namespace vantrek {

// The "Radio and rotator" dialog: where rigctld and rotctld listen, the
// rotator's limits and park position, the tracking elevation and the steps.
// Angles are typed in degrees.
struct StationForm {
    bool radioEnabled = false;        // "Tune the radio (rigctld)"
    std::string radioHost;
    std::string radioPort;
    bool rotatorEnabled = false;      // "Turn the rotator (rotctld)"
    std::string rotatorHost;
    std::string rotatorPort;
    std::string azimuthMin;           // the rotator's azimuth range
    std::string azimuthMax;
    std::vector<std::string> elevationMaxRows;  // "90", "180"
    int elevationMaxRow = 0;
    std::string trackElevation;       // tracking starts above this elevation
    std::string parkAzimuth;
    std::string parkElevation;
    bool parkAfterPass = false;       // "Park after each pass"
    std::string dopplerStep;          // Hz
    std::string angleStep;            // degrees
};

// Fills the form from the settings: ports as integers, other numbers "%f".
StationForm OpenStationDialog(const Settings& settings);

// OK: takes the form into the settings and stores them. A value that cannot
// be used (a host with blanks, a port beyond 65535, a range narrower than a
// turn, a park position outside it, ...) gets its default instead.
void AcceptStationDialog(const StationForm& form, Settings& settings, SettingsStore& store);

// The daemons the form names, for the "Test" button (enabled or not).
LinkEndpoint RadioEndpointOf(const StationForm& form);
LinkEndpoint RotatorEndpointOf(const StationForm& form);

}  // namespace vantrek
