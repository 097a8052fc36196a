#include "station/station_tracker.hpp"

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "astro/constants.hpp"
#include "data/doppler.hpp"

namespace vantrek {

namespace {

constexpr double kSecondDays = 1.0 / 86400.0;
// A plan stays good while the observer moves less than this (GPS jitter).
constexpr double kObserverMoveRad = 1e-4;  // about 600 m
constexpr double kObserverClimbKm = 0.1;
// Rotator positions more than this far apart in azimuth are on different
// branches of the range (the turn back of an unwind, a flip), whatever the
// direction in the sky.
constexpr double kBranchChangeDeg = 90.0;

bool ObserverMoved(const Observer& a, const Observer& b) {
    return std::fabs(a.latitude - b.latitude) > kObserverMoveRad ||
           std::fabs(a.longitude - b.longitude) > kObserverMoveRad || std::fabs(a.height - b.height) > kObserverClimbKm;
}

bool PlanningChanged(const StationOptions& a, const StationOptions& b) {
    return a.limits.azimuthMinDeg != b.limits.azimuthMinDeg || a.limits.azimuthMaxDeg != b.limits.azimuthMaxDeg ||
           a.limits.elevationMaxDeg != b.limits.elevationMaxDeg || a.trackElevationDeg != b.trackElevationDeg ||
           a.engine != b.engine || a.rotator != b.rotator;
}

void ForgetPlan(StationTracker& tracker) {
    tracker.havePlan = false;
    tracker.plan = RotatorPlan{};
    tracker.searchedFromJd = 0.0;
    tracker.noPassBeforeJd = 0.0;
}

bool MovedBeyondStep(const RotatorPosition& wanted, const RotatorPosition& last, double stepDeg) {
    return PointingSeparationDeg(wanted, last) > stepDeg ||
           std::fabs(wanted.azimuthDeg - last.azimuthDeg) > kBranchChangeDeg;
}

// Plans the pass in progress or the next one within the look-ahead, unless
// the last search already showed there is none yet.
void PlanAhead(StationTracker& tracker, const SatelliteCatalog& catalog, int index, const Observer& observer,
               double jd, const StationOptions& options, StationStep& step) {
    if (tracker.havePlan && (jd > tracker.plan.setJd || jd < tracker.searchedFromJd)) ForgetPlan(tracker);
    if (tracker.havePlan) return;
    const bool searched = tracker.searchedFromJd != 0.0 && jd >= tracker.searchedFromJd && jd < tracker.noPassBeforeJd;
    if (searched) return;

    PassQuery query;
    query.fromJd = jd;
    query.horizonDays = kPassLookAheadDays;
    query.minElevation = options.trackElevationDeg * kDegree;
    query.engine = options.engine;
    PassTrack track;
    tracker.searchedFromJd = jd;
    if (!FindPassTrack(tracker.look, catalog, index, observer, query, track)) {
        // A rise just beyond the look-ahead still gets its lead.
        tracker.noPassBeforeJd = jd + kPassLookAheadDays - kRotatorLeadDays - 30.0 * kSecondDays;
        return;
    }
    if (!PlanRotatorPass(track, options.limits, tracker.plan)) {
        tracker.noPassBeforeJd = track.points.back().jd;  // this pass cannot be followed
        return;
    }
    tracker.havePlan = true;
    step.newPlan = true;
}

}  // namespace

int64_t SatelliteKey(int index, int32_t catalogNumber) {
    return (static_cast<int64_t>(index) << 32) | static_cast<uint32_t>(catalogNumber);
}

double NominalLinkHz(double megahertz) {
    if (!std::isfinite(megahertz) || megahertz <= 0.0) return 0.0;
    const float single = static_cast<float>(megahertz);
    double decimal = megahertz;
    if (static_cast<double>(single) == megahertz) {
        char text[48];
        const std::to_chars_result written = std::to_chars(text, text + sizeof text - 1, single);
        if (written.ec == std::errc()) {
            *written.ptr = '\0';
            decimal = std::strtod(text, nullptr);
        }
    }
    return std::round(decimal * 1e6);
}

void StepStation(StationTracker& tracker, const SatelliteCatalog& catalog, int index, const Observer& observer,
                 double jd, const StationOptions& options, StationStep& step) {
    step = StationStep{};
    const bool slotExists = index >= 0 && index < catalog.count && static_cast<std::size_t>(index) < catalog.entries.size();
    const int64_t key = SatelliteKey(index, slotExists ? catalog.entries[index].catalogNumber : 0);
    if (!tracker.known || key != tracker.satelliteKey || ObserverMoved(tracker.observer, observer) ||
        PlanningChanged(tracker.options, options)) {
        ForgetPlan(tracker);
        tracker.known = true;
        tracker.satelliteKey = key;
        tracker.observer = observer;
    }
    tracker.options = options;

    LookAngles angles;
    step.satelliteKnown = LookAtSatellite(tracker.look, catalog, index, observer, jd, options.engine, angles);
    if (step.satelliteKnown) {
        step.azimuthDeg = angles.azimuth / kDegree;
        step.elevationDeg = angles.elevation / kDegree;
        step.rangeKm = angles.range;
        step.rangeRateKmS = angles.rangeRate;
    }

    if (!options.rotator) tracker.rotatorCommanded = false;
    if (options.rotator && step.satelliteKnown) {
        PlanAhead(tracker, catalog, index, observer, jd, options, step);
        bool wanted = false;
        RotatorPosition position;
        const RotatorPlan& plan = tracker.plan;
        if (tracker.havePlan && jd >= plan.riseJd - kRotatorLeadDays) {
            wanted = true;
            position = jd < plan.riseJd ? plan.planned.front()
                                        : RotatorPositionFor(plan, options.limits, jd, step.azimuthDeg,
                                                             step.elevationDeg);
        } else if (options.parkAfterPass) {
            wanted = true;
            position = options.park;
        }
        if (wanted && (!tracker.rotatorCommanded || MovedBeyondStep(position, tracker.rotator, options.angleStepDeg))) {
            tracker.rotatorCommanded = true;
            tracker.rotator = position;
            step.rotatorSent = true;
            step.rotator = position;
        }
    }

    if (!options.radio) {
        tracker.downlinkCommanded = false;
        tracker.uplinkCommanded = false;
    }
    if (options.radio && step.satelliteKnown) {
        const double downlinkHz = NominalLinkHz(options.downlinkMHz);
        const double uplinkHz = NominalLinkHz(options.uplinkMHz);
        const DopplerShift shift = computeDoppler(angles.range, angles.rangeRate, downlinkHz, uplinkHz);
        if (downlinkHz > 0.0) {
            const int64_t hz = std::llround(shift.receivedDownlink);
            if (!tracker.downlinkCommanded || std::llabs(hz - tracker.downlinkHz) > options.dopplerStepHz) {
                tracker.downlinkCommanded = true;
                tracker.downlinkHz = hz;
                step.downlinkSent = true;
                step.downlinkHz = hz;
            }
        } else {
            tracker.downlinkCommanded = false;
        }
        if (uplinkHz > 0.0) {
            const int64_t hz = std::llround(shift.transmitUplink);
            if (!tracker.uplinkCommanded || std::llabs(hz - tracker.uplinkHz) > options.dopplerStepHz) {
                tracker.uplinkCommanded = true;
                tracker.uplinkHz = hz;
                step.uplinkSent = true;
                step.uplinkHz = hz;
            }
        } else {
            tracker.uplinkCommanded = false;
        }
    }

    step.radioTarget.satelliteKey = key;
    step.radioTarget.downlinkSet = options.radio && tracker.downlinkCommanded;
    step.radioTarget.downlinkHz = tracker.downlinkHz;
    step.radioTarget.uplinkSet = options.radio && tracker.uplinkCommanded;
    step.radioTarget.uplinkHz = tracker.uplinkHz;
    step.rotatorTarget.set = options.rotator && tracker.rotatorCommanded;
    step.rotatorTarget.azimuthDeg = tracker.rotator.azimuthDeg;
    step.rotatorTarget.elevationDeg = tracker.rotator.elevationDeg;
}

}  // namespace vantrek
