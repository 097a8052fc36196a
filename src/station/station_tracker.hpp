#pragma once

#include <cstdint>

#include "astro/observer.hpp"
#include "orbit/element_set.hpp"
#include "station/pass_track.hpp"
#include "station/rotator_plan.hpp"
#include "station/station_targets.hpp"

namespace vantrek {

// The rotator waits at the rise position from this long before a rise (days).
constexpr double kRotatorLeadDays = 120.0 / 86400.0;
// How far ahead a rise is looked for in one search (days).
constexpr double kPassLookAheadDays = 1.0 / 24.0;

// How the station follows the current satellite (degrees and Hz, as the
// operator sets them).
struct StationOptions {
    bool radio = false;              // tune the radio
    bool rotator = false;            // turn the rotator
    RotatorLimits limits;
    double trackElevationDeg = 0.0;  // the rotator follows a pass above this
    bool parkAfterPass = false;
    RotatorPosition park;
    double dopplerStepHz = 10.0;     // the radio is re-tuned only for a larger change
    double angleStepDeg = 1.0;       // the rotator is moved only for a larger change
    int32_t engine = 0;              // s4_s8
    double downlinkMHz = 0.0;        // the current satellite's link; 0 or less: none
    double uplinkMHz = 0.0;
};

// What the station remembers from one instant to the next: its own
// propagation, the plan of the pass being followed, what it has commanded.
struct StationTracker {
    SatelliteLook look;
    int64_t satelliteKey = 0;
    bool known = false;              // satelliteKey and the copies below are set
    Observer observer;               // the observer the plan was made for
    StationOptions options;          // the options the plan was made with

    bool havePlan = false;
    RotatorPlan plan;
    double searchedFromJd = 0.0;     // no pass rises in [searchedFromJd, noPassBeforeJd)
    double noPassBeforeJd = 0.0;

    bool rotatorCommanded = false;
    RotatorPosition rotator;
    bool downlinkCommanded = false;
    int64_t downlinkHz = 0;
    bool uplinkCommanded = false;
    int64_t uplinkHz = 0;
};

// One instant of the station.
struct StationStep {
    bool satelliteKnown = false;     // the look angles below are valid
    double azimuthDeg = 0.0;
    double elevationDeg = 0.0;
    double rangeKm = 0.0;
    double rangeRateKmS = 0.0;
    bool newPlan = false;            // a pass was planned at this instant (the tracker's plan)
    // Commands newly issued at this instant (a change beyond the steps).
    bool rotatorSent = false;
    RotatorPosition rotator;
    bool downlinkSent = false;
    int64_t downlinkHz = 0;
    bool uplinkSent = false;
    int64_t uplinkHz = 0;
    // Everything in force for the link to carry out.
    RadioTarget radioTarget;
    RotatorTarget rotatorTarget;
};

// The satellite's key for the radio's offset: its catalogue slot and number.
int64_t SatelliteKey(int index, int32_t catalogNumber);

// A link frequency in Hz from the MHz the program keeps. The frequencies file
// and the dialogs read single-precision numbers, so 145.8 arrives as
// 145.80000305; the shortest decimal that reads back to the same
// single-precision value is the one that was written, and that is what the
// radio is tuned to (145800000 Hz). 0 for no frequency.
double NominalLinkHz(double megahertz);

// Advances the station to `jd` for catalogue entry `index`: plans the next
// pass when it comes within the look-ahead, points the rotator (waiting at the
// rise position from two minutes before, following the plan to the set, then
// parking when asked), tunes the radio to the Doppler-corrected links, each
// only when the change exceeds its step.
void StepStation(StationTracker& tracker, const SatelliteCatalog& catalog, int index, const Observer& observer,
                 double jd, const StationOptions& options, StationStep& step);

}  // namespace vantrek
