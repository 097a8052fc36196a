#include "observe/pass_track.hpp"

#include <algorithm>
#include <cmath>

#include "astro/look_angles.hpp"
#include "astro/sun.hpp"
#include "observe/eclipse.hpp"
#include "orbit/current_satellite.hpp"
#include "orbit/propagation.hpp"

namespace vantrek {

std::vector<double> EvenPassTimes(const PassDetails& pass, int segments) {
    std::vector<double> times;
    if (!pass.valid || segments < 1 || !(pass.los >= pass.aos)) return times;
    for (int k = 0; k <= segments; ++k) times.push_back(pass.aos + (pass.los - pass.aos) * k / segments);
    times.back() = pass.los;
    times.insert(std::upper_bound(times.begin(), times.end(), pass.tca), pass.tca);
    return times;
}

std::vector<double> PassTableTimes(const PassDetails& pass, double stepSeconds, int mostRows) {
    std::vector<double> times;
    if (!pass.valid || !(stepSeconds > 0.0) || mostRows < 2 || !(pass.los >= pass.aos)) return times;
    const double step = stepSeconds / 86400.0;
    for (int k = 0; pass.aos + k * step < pass.los && static_cast<int>(times.size()) < mostRows - 1; ++k)
        times.push_back(pass.aos + k * step);
    times.push_back(pass.los);
    return times;
}

bool SamplePass(PropagatorState& model, const SatelliteCatalog& catalog, int index, Observer& observer,
                int32_t engine, const std::vector<double>& times, std::vector<PassTrackPoint>& points) {
    points.clear();
    if (index < 0 || index >= loadedSatelliteCount(catalog)) return false;
    ElementSet working;
    for (size_t k = 0; k < times.size(); ++k) {
        Vector4 position, velocity;
        propagateSatellite(model, catalog, times[k], working, index, velocity, position, k > 0 ? 1 : 0, engine);
        if (propagationFailed(position)) return false;
        LookAngles look;
        ComputeLookAngles(times[k], position, velocity, observer, look, 1, 0);
        Vector4 sun;
        SunPosition(times[k], sun);
        double depth = 0.0;
        PassTrackPoint p;
        p.t = times[k];
        p.azimuth = look.azimuth;
        p.elevation = look.elevation;
        p.range = look.range;
        p.rangeRate = look.rangeRate;
        p.sunlit = IsEclipsed(position, sun, depth) == 0;
        points.push_back(p);
    }
    return true;
}

}  // namespace vantrek
