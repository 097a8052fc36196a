#include "station/rotator_plan.hpp"

#include <algorithm>
#include <cmath>

#include "astro/constants.hpp"

namespace vantrek {

namespace {

constexpr double kTurnDeg = 360.0;
// Limits are met to within this, so a track that touches an end stop fits.
constexpr double kFitToleranceDeg = 1e-6;

// Shifts of whole turns that put an azimuth interval [lo, hi] inside [from, to].
struct TurnShifts {
    double first = 0.0;  // whole turns, as doubles; empty when first > last
    double last = -1.0;
    bool empty() const { return first > last; }
};

TurnShifts ShiftsInto(double lo, double hi, double from, double to) {
    TurnShifts shifts;
    shifts.first = std::ceil((from - lo) / kTurnDeg - kFitToleranceDeg);
    shifts.last = std::floor((to - hi) / kTurnDeg + kFitToleranceDeg);
    return shifts;
}

// The azimuths of a track made continuous: each step takes the short way
// round, so a pass through north reads 350, 355, 360, 365 ...
std::vector<double> ContinuousAzimuths(const PassTrack& track, double offsetDeg) {
    std::vector<double> azimuths;
    azimuths.reserve(track.points.size());
    for (const PassPoint& p : track.points) {
        const double az = p.azimuthDeg + offsetDeg;
        if (azimuths.empty()) {
            azimuths.push_back(az);
        } else {
            const double previous = azimuths.back();
            azimuths.push_back(previous + std::remainder(az - previous, kTurnDeg));
        }
    }
    return azimuths;
}

void Span(const std::vector<double>& a, std::size_t begin, std::size_t end, double& lo, double& hi) {
    lo = *std::min_element(a.begin() + static_cast<long>(begin), a.begin() + static_cast<long>(end));
    hi = *std::max_element(a.begin() + static_cast<long>(begin), a.begin() + static_cast<long>(end));
}

// The whole-turn shift that fits [lo, hi] into the range, preferring one turn
// from its minimum (no use of the range beyond a turn). False when none fits.
bool FitShift(double lo, double hi, const RotatorLimits& limits, double& shift, bool& withinOneTurn) {
    const TurnShifts basic = ShiftsInto(lo, hi, limits.azimuthMinDeg, limits.azimuthMinDeg + kTurnDeg);
    const TurnShifts range = ShiftsInto(lo, hi, limits.azimuthMinDeg, limits.azimuthMaxDeg);
    if (!basic.empty() && basic.first <= range.last && basic.first >= range.first) {
        shift = basic.first * kTurnDeg;
        withinOneTurn = true;
        return true;
    }
    if (range.empty()) return false;
    shift = range.first * kTurnDeg;
    withinOneTurn = false;
    return true;
}

void FillPlanned(const PassTrack& track, const std::vector<double>& azimuths, bool flipped, double shiftBefore,
                 double shiftAfter, std::size_t firstAfter, const RotatorLimits& limits, RotatorPlan& plan) {
    plan.jd.clear();
    plan.planned.clear();
    for (std::size_t i = 0; i < track.points.size(); ++i) {
        const double el = flipped ? 180.0 - track.points[i].elevationDeg : track.points[i].elevationDeg;
        RotatorPosition position;
        // Fitted to within the tolerance; rounding must not put a hair beyond the end stop.
        position.azimuthDeg = std::clamp(azimuths[i] + (i < firstAfter ? shiftBefore : shiftAfter),
                                         limits.azimuthMinDeg, limits.azimuthMaxDeg);
        position.elevationDeg = std::clamp(el, 0.0, limits.elevationMaxDeg);
        plan.jd.push_back(track.points[i].jd);
        plan.planned.push_back(position);
    }
}

bool TrackUsable(const PassTrack& track) {
    if (track.points.empty()) return false;
    for (const PassPoint& p : track.points) {
        if (!std::isfinite(p.jd) || !std::isfinite(p.azimuthDeg) || !std::isfinite(p.elevationDeg)) return false;
    }
    return true;
}

}  // namespace

bool RotatorLimitsUsable(const RotatorLimits& limits) {
    return std::isfinite(limits.azimuthMinDeg) && std::isfinite(limits.azimuthMaxDeg) &&
           limits.azimuthMaxDeg - limits.azimuthMinDeg >= kTurnDeg - kFitToleranceDeg &&
           std::isfinite(limits.elevationMaxDeg) && limits.elevationMaxDeg >= 90.0;
}

const char* RotatorModeName(RotatorMode mode) {
    switch (mode) {
        case RotatorMode::Direct: return "direct";
        case RotatorMode::Extended: return "extended";
        case RotatorMode::Flipped: return "flipped";
        case RotatorMode::Unwind: return "unwind";
    }
    return "direct";
}

bool PlanRotatorPass(const PassTrack& track, const RotatorLimits& limits, RotatorPlan& plan) {
    if (!TrackUsable(track) || !RotatorLimitsUsable(limits)) return false;
    const std::size_t n = track.points.size();
    plan = RotatorPlan{};
    plan.riseJd = track.points.front().jd;
    plan.setJd = track.points.back().jd;

    const std::vector<double> azimuths = ContinuousAzimuths(track, 0.0);
    double lo = 0.0, hi = 0.0, shift = 0.0;
    bool withinOneTurn = false;
    Span(azimuths, 0, n, lo, hi);
    if (FitShift(lo, hi, limits, shift, withinOneTurn)) {
        plan.mode = withinOneTurn ? RotatorMode::Direct : RotatorMode::Extended;
        FillPlanned(track, azimuths, false, shift, shift, n, limits, plan);
        return true;
    }

    // Tipped over the zenith the antenna points the same way from the
    // opposite azimuth, which moves the end stop to the other side of the pass.
    if (limits.elevationMaxDeg >= 180.0) {
        const std::vector<double> flipped = ContinuousAzimuths(track, 180.0);
        Span(flipped, 0, n, lo, hi);
        if (FitShift(lo, hi, limits, shift, withinOneTurn)) {
            plan.mode = RotatorMode::Flipped;
            FillPlanned(track, flipped, true, shift, shift, n, limits, plan);
            return true;
        }
    }

    // One turn back is unavoidable: the part before it and the part after it
    // each fit the range. Of the instants where that holds, the lowest
    // elevation costs the least signal while the rotator turns.
    std::vector<double> prefixLo(n), prefixHi(n), suffixLo(n), suffixHi(n);
    for (std::size_t i = 0; i < n; ++i) {
        prefixLo[i] = i == 0 ? azimuths[0] : std::min(prefixLo[i - 1], azimuths[i]);
        prefixHi[i] = i == 0 ? azimuths[0] : std::max(prefixHi[i - 1], azimuths[i]);
    }
    for (std::size_t i = n; i-- > 0;) {
        suffixLo[i] = i == n - 1 ? azimuths[i] : std::min(suffixLo[i + 1], azimuths[i]);
        suffixHi[i] = i == n - 1 ? azimuths[i] : std::max(suffixHi[i + 1], azimuths[i]);
    }
    bool found = false;
    std::size_t bestAfter = 0;
    double bestElevation = 0.0, bestBefore = 0.0, bestShiftAfter = 0.0;
    for (std::size_t after = 1; after < n; ++after) {
        double before = 0.0, later = 0.0;
        bool oneTurn = false;
        if (!FitShift(prefixLo[after - 1], prefixHi[after - 1], limits, before, oneTurn)) continue;
        if (!FitShift(suffixLo[after], suffixHi[after], limits, later, oneTurn)) continue;
        const double elevation = track.points[after].elevationDeg;
        if (!found || elevation < bestElevation) {
            found = true;
            bestAfter = after;
            bestElevation = elevation;
            bestBefore = before;
            bestShiftAfter = later;
        }
    }
    if (!found) return false;
    plan.mode = RotatorMode::Unwind;
    plan.unwindJd = track.points[bestAfter].jd;
    FillPlanned(track, azimuths, false, bestBefore, bestShiftAfter, bestAfter, limits, plan);
    return true;
}

RotatorPosition RotatorPositionFor(const RotatorPlan& plan, const RotatorLimits& limits, double jd,
                                   double azimuthDeg, double elevationDeg) {
    if (plan.planned.empty()) return RotatorPosition{};
    // The planned instant at or before jd: the branch of the range in use then.
    const auto after = std::upper_bound(plan.jd.begin(), plan.jd.end(), jd);
    const std::size_t index = after == plan.jd.begin() ? 0 : static_cast<std::size_t>(after - plan.jd.begin()) - 1;
    const RotatorPosition& reference = plan.planned[index];
    if (!std::isfinite(azimuthDeg) || !std::isfinite(elevationDeg)) return reference;

    const bool flipped = plan.mode == RotatorMode::Flipped;
    RotatorPosition position;
    const double az = flipped ? azimuthDeg + 180.0 : azimuthDeg;
    const double el = flipped ? 180.0 - elevationDeg : elevationDeg;
    position.azimuthDeg = az + kTurnDeg * std::round((reference.azimuthDeg - az) / kTurnDeg);
    // A satellite a little off its predicted track must not leave the range.
    if (position.azimuthDeg < limits.azimuthMinDeg - kFitToleranceDeg) position.azimuthDeg += kTurnDeg;
    if (position.azimuthDeg > limits.azimuthMaxDeg + kFitToleranceDeg) position.azimuthDeg -= kTurnDeg;
    position.azimuthDeg = std::clamp(position.azimuthDeg, limits.azimuthMinDeg, limits.azimuthMaxDeg);
    position.elevationDeg = std::clamp(el, 0.0, limits.elevationMaxDeg);
    return position;
}

double PointingSeparationDeg(const RotatorPosition& a, const RotatorPosition& b) {
    const double az1 = a.azimuthDeg * kDegree, el1 = a.elevationDeg * kDegree;
    const double az2 = b.azimuthDeg * kDegree, el2 = b.elevationDeg * kDegree;
    const double x = std::cos(el1) * std::cos(az1) - std::cos(el2) * std::cos(az2);
    const double y = std::cos(el1) * std::sin(az1) - std::cos(el2) * std::sin(az2);
    const double z = std::sin(el1) - std::sin(el2);
    // The chord between the two unit vectors gives the angle without acos's
    // loss of precision for nearby directions.
    const double chord = std::sqrt(x * x + y * y + z * z);
    return 2.0 * std::asin(std::min(1.0, chord / 2.0)) / kDegree;
}

}  // namespace vantrek
