#pragma once

#include <cstdint>
#include <vector>

namespace vantrek {

// What the rotator can reach, in degrees as the rotator and its daemon count
// them: azimuth from north through east (a range such as 0..360, -180..180 or
// 0..450: wider than a turn means some directions can be reached two ways) and
// elevation from the horizon up to 90, or 180 for rotators that tip over the
// zenith to the far horizon.
struct RotatorLimits {
    double azimuthMinDeg = 0.0;
    double azimuthMaxDeg = 360.0;
    double elevationMaxDeg = 90.0;
};

// Limits a plan can be made for: at least one full turn of azimuth, and an
// elevation reaching the zenith.
bool RotatorLimitsUsable(const RotatorLimits& limits);

// A pass as predicted: the satellite's look angles from its rise to its set
// above the tracking elevation, in time order (degrees, azimuth 0..360).
struct PassPoint {
    double jd = 0.0;            // UTC Julian date
    double azimuthDeg = 0.0;
    double elevationDeg = 0.0;
};

struct PassTrack {
    std::vector<PassPoint> points;
};

// How the rotator follows one pass.
enum class RotatorMode : uint8_t {
    Direct,    // the track as it is, within one turn of the range
    Extended,  // the track needs the range beyond a turn (450, 540 degrees)
    Flipped,   // azimuth + 180, elevation 180 - el for the whole pass
    Unwind,    // one turn back through the range, at unwindJd
};

const char* RotatorModeName(RotatorMode mode);  // "direct", "extended", "flipped", "unwind"

struct RotatorPosition {
    double azimuthDeg = 0.0;
    double elevationDeg = 0.0;
};

// The plan for one pass, made once before it and kept to its set: the rotator
// position planned for every instant of the track.
struct RotatorPlan {
    RotatorMode mode = RotatorMode::Direct;
    double riseJd = 0.0;
    double setJd = 0.0;
    double unwindJd = 0.0;  // Unwind: the first instant after the turn back
    std::vector<double> jd;
    std::vector<RotatorPosition> planned;  // rotator coordinates
};

// Plans a pass: as it is when its azimuth track fits one turn of the range;
// else in the range beyond a turn, on the side where the whole pass fits;
// else, on a 180-degree elevation rotator, flipped when the flipped track
// fits; else with the one unavoidable turn back placed at the lowest
// elevation where it can happen. False for an empty track or unusable limits.
bool PlanRotatorPass(const PassTrack& track, const RotatorLimits& limits, RotatorPlan& plan);

// Where the rotator points for a satellite at `azimuthDeg`, `elevationDeg`
// (look angles, degrees) at `jd` while it follows the plan: the same direction
// (flipped when the plan is), on the branch of the range the plan uses at
// that instant, elevation kept within the rotator's. Instants outside the
// track take its nearest end.
RotatorPosition RotatorPositionFor(const RotatorPlan& plan, const RotatorLimits& limits, double jd,
                                   double azimuthDeg, double elevationDeg);

// The angle between two rotator positions as directions in the sky, degrees
// (a flipped position and its plain twin are 0 apart).
double PointingSeparationDeg(const RotatorPosition& a, const RotatorPosition& b);

}  // namespace vantrek
