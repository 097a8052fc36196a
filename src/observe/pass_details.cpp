#include "observe/pass_details.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <system_error>
#include <thread>

#include "astro/constants.hpp"
#include "astro/earth_model.hpp"
#include "astro/look_angles.hpp"
#include "astro/sun.hpp"
#include "observe/eclipse.hpp"
#include "observe/magnitude_estimate.hpp"
#include "observe/visibility_code.hpp"
#include "orbit/current_satellite.hpp"
#include "orbit/propagation.hpp"

namespace vantrek {

namespace {

constexpr double kSecondsPerDay = 86400.0;
// Rise and set are narrowed to a millisecond, the flat top of the pass to
// 10 ms (its elevation then differs by far less than 0.0001 degree), the
// visible part to a second.
constexpr double kEventTolerance = 1e-3 / kSecondsPerDay;
constexpr double kCulminationTolerance = 1e-2 / kSecondsPerDay;
constexpr double kVisibleTolerance = 1.0 / kSecondsPerDay;

// The walk through a pass takes this many steps per orbit, within these
// bounds: 35 s in low orbit, short enough that no pass of the sky's worth is
// stepped over and that the brightness is seen near its best.
constexpr double kStepsPerOrbit = 160.0;
constexpr double kShortestStep = 15.0 / kSecondsPerDay;
constexpr double kLongestStep = 300.0 / kSecondsPerDay;
// A satellite still up this long either way from a row never sets; long
// orbits are given two of their periods.
constexpr double kLongestPassDays = 1.0;
constexpr double kLongestPassOrbits = 2.0;
constexpr int kMostRefinements = 60;

// The band of mean motions the search passes over as geostationary, rev/day.
constexpr double kGeostationaryMotion = 1.0027;
constexpr double kGeostationaryTolerance = 9e-5;

// The satellite seen from the observer at one instant.
struct Sample {
    double t = 0.0;          // UTC Julian date
    double elevation = 0.0;  // rad
    double rate = 0.0;       // elevation rate, rad/day
    double azimuth = 0.0;    // rad
    double range = 0.0;      // km
    Vector4 position;        // satellite, km, inertial
    Vector4 site;            // observer, km, inertial
};

// One satellite's model, stepped to any instant of its pass.
struct Tracker {
    PropagatorState& model;
    const SatelliteCatalog& catalog;
    Observer& observer;
    int index;
    int32_t engine;
    ElementSet working;
    bool started = false;

    bool sample(double t, Sample& s) {
        Vector4 velocity;
        propagateSatellite(model, catalog, t, working, index, velocity, s.position, started ? 1 : 0,
                           engine);
        started = true;
        if (propagationFailed(s.position) || !std::isfinite(t)) return false;
        LookAngles look;
        ComputeLookAngles(t, s.position, velocity, observer, look, 1, 0);
        Vector4 siteVelocity;
        ObserverEci(t, observer, s.site, siteVelocity);
        s.t = t;
        s.elevation = look.elevation;
        s.azimuth = look.azimuth;
        s.range = look.range;
        s.rate = elevationRate(s, velocity);
        return std::isfinite(s.elevation) && std::isfinite(s.rate);
    }

    // The satellite's velocity relative to the turning Earth, projected on
    // the observer's zenith and on the line of sight, gives how fast the
    // sine of the elevation changes.
    double elevationRate(const Sample& s, const Vector4& velocity) const {
        const double w = kEarthRotationRate;
        const double vx = velocity.x + w * s.position.y;  // km/s, Earth-fixed
        const double vy = velocity.y - w * s.position.x;
        const double vz = velocity.z;
        const double rx = s.position.x - s.site.x, ry = s.position.y - s.site.y, rz = s.position.z - s.site.z;
        const double cosLat = std::cos(observer.latitude);
        const double ux = cosLat * std::cos(observer.theta), uy = cosLat * std::sin(observer.theta);
        const double uz = std::sin(observer.latitude);
        const double rangeRate = (rx * vx + ry * vy + rz * vz) / s.range;
        const double sinElevation = std::sin(s.elevation);
        const double sineRate = (ux * vx + uy * vy + uz * vz - sinElevation * rangeRate) / s.range;
        return sineRate / std::cos(s.elevation) * kSecondsPerDay;
    }
};

// Narrows [a, b], over which f changes sign, to the crossing. Newton steps
// from the end nearer the crossing where `slope` is known, otherwise
// false-position steps with the Illinois halving; a step that would leave
// the bracket bisects. Ends when a Newton step or the bracket is shorter than
// `tolerance`.
template <class Value, class Slope>
bool narrow(Tracker& tracker, Sample a, Sample b, Value f, Slope slope, double tolerance, Sample& out) {
    double fa = f(a), fb = f(b);
    int kept = 0;  // which end the last step kept: -1 a, +1 b
    for (int i = 0; i < kMostRefinements && b.t - a.t >= tolerance; ++i) {
        const Sample& near = std::fabs(fa) < std::fabs(fb) ? a : b;
        double x = near.t - f(near) / slope(near);
        const bool newton = x > a.t && x < b.t;
        if (!newton) x = a.t - fa * (b.t - a.t) / (fb - fa);
        if (!(x > a.t && x < b.t)) x = 0.5 * (a.t + b.t);
        const double stepped = std::fabs(x - near.t);
        Sample s;
        if (!tracker.sample(x, s)) return false;
        const double fs = f(s);
        if (fs == 0.0 || (newton && stepped < tolerance)) {
            out = s;
            return true;
        }
        if ((fs > 0.0) == (fa > 0.0)) {
            a = s;
            fa = fs;
            if (kept == -1) fb *= 0.5;
            kept = -1;
        } else {
            b = s;
            fb = fs;
            if (kept == 1) fa *= 0.5;
            kept = 1;
        }
    }
    out = std::fabs(f(a)) < std::fabs(f(b)) ? a : b;
    return true;
}

// The eye can see the satellite: it is sunlit and the Sun is below its limit
// (the observer's sky is dark enough). `magnitude` receives its brightness.
bool seenByEye(const Sample& s, Observer& observer, int32_t catalogNumber, double sunLimit,
               double& magnitude) {
    Vector4 sun;
    SunPosition(s.t, sun);
    LookAngles sunLook;
    ComputeLookAngles(s.t, sun, Vector4{}, observer, sunLook, 1, 0);
    if (!(sunLook.elevation < sunLimit)) return false;
    double depth = 0.0;
    if (IsEclipsed(s.position, sun, depth)) return false;
    double illumination = 0.0, phaseAngle = 0.0;
    magnitude = SunlitMagnitude(catalogNumber, s.position, sun, s.site, illumination, phaseAngle);
    return true;
}

struct PassFinder {
    Tracker tracker;
    const PassSearchOptions& options;
    double limit;  // rad
    double step;   // days
    double reach;  // days either way from the row
    std::vector<Sample> samples;

    double aboveLimit(const Sample& s) const { return s.elevation - limit; }

    // Walks from `from` in steps of `direction` * step until the satellite is
    // below the limit; `crossing` receives the rise or set. For the rise, a
    // walk that reaches the search's start with the satellite still up ends
    // there. False when the walk goes on past `reach`.
    bool walk(const Sample& from, int direction, Sample& crossing, bool& atStart) {
        Sample inside = from;
        atStart = false;
        for (double travelled = step;; travelled += step) {
            if (travelled > reach + step) return false;
            double t = from.t + direction * travelled;
            const bool clipped = direction < 0 && t <= options.start;
            if (clipped) t = options.start;
            Sample s;
            if (!tracker.sample(t, s)) return false;
            if (aboveLimit(s) <= 0.0) {
                auto value = [this](const Sample& x) { return aboveLimit(x); };
                auto slope = [](const Sample& x) { return x.rate; };
                return direction < 0 ? narrow(tracker, s, inside, value, slope, kEventTolerance, crossing)
                                     : narrow(tracker, inside, s, value, slope, kEventTolerance, crossing);
            }
            samples.push_back(s);
            if (clipped) {
                crossing = s;
                atStart = true;
                return true;
            }
            inside = s;
        }
    }

    // The highest point between rise and set (the samples, in time order):
    // where the elevation stops climbing; of several such, the highest.
    bool culmination(Sample& top) {
        top = samples.front();
        for (const Sample& s : samples)
            if (s.elevation > top.elevation) top = s;
        for (size_t i = 0; i + 1 < samples.size(); ++i) {
            if (!(samples[i].rate > 0.0 && samples[i + 1].rate <= 0.0)) continue;
            auto value = [](const Sample& x) { return x.rate; };
            auto noSlope = [](const Sample&) { return NAN; };
            Sample peak;
            if (!narrow(tracker, samples[i], samples[i + 1], value, noSlope, kCulminationTolerance, peak))
                return false;
            if (peak.elevation > top.elevation) top = peak;
        }
        return true;
    }

    // Where the eye's view starts or ends between a sample it sees and one it
    // does not, to a second.
    Sample visibleEdge(Sample seen, Sample unseen, double& magnitude) {
        const int32_t number = tracker.working.catalogNumber;
        while (std::fabs(unseen.t - seen.t) > kVisibleTolerance) {
            Sample middle;
            if (!tracker.sample(0.5 * (seen.t + unseen.t), middle)) break;
            double m = kNoMagnitude;
            if (seenByEye(middle, tracker.observer, number, options.limits.sunElevation, m)) {
                seen = middle;
                magnitude = std::min(magnitude, m);
            } else {
                unseen = middle;
            }
        }
        return seen;
    }

    void visiblePart(PassDetails& out) {
        const int32_t number = tracker.working.catalogNumber;
        const double sunLimit = options.limits.sunElevation;
        int first = -1, last = -1;
        double brightest = kNoMagnitude;
        for (size_t i = 0; i < samples.size(); ++i) {
            double m = kNoMagnitude;
            if (!seenByEye(samples[i], tracker.observer, number, sunLimit, m)) continue;
            if (first < 0) first = static_cast<int>(i);
            last = static_cast<int>(i);
            brightest = std::min(brightest, m);
        }
        if (first < 0) return;
        // Copies: the edges sample the model again, which leaves the list alone.
        const Sample firstSeen = samples[first], lastSeen = samples[last];
        const Sample start = first > 0 ? visibleEdge(firstSeen, samples[first - 1], brightest) : firstSeen;
        const Sample end = last + 1 < static_cast<int>(samples.size())
                               ? visibleEdge(lastSeen, samples[last + 1], brightest)
                               : lastSeen;
        out.visible = true;
        out.visibleStart = start.t;
        out.visibleEnd = end.t;
        out.brightestMagnitude = brightest;
    }
};

bool geostationary(const ElementSet& set) {
    const double revolutionsPerDay = set.meanMotion / kRevPerDayToRadPerMin;
    return std::fabs(revolutionsPerDay - kGeostationaryMotion) < kGeostationaryTolerance;
}

std::string trimmedName(const char* name, size_t size) {
    std::string text(name, strnlen(name, size));
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

bool findPass(PassFinder& finder, double t, PassDetails& out) {
    Tracker& tracker = finder.tracker;
    Sample row;
    if (!tracker.sample(t, row)) return false;
    const ElementSet& set = tracker.working;
    out.name = trimmedName(set.name, sizeof set.name);
    out.catalogNumber = set.catalogNumber;
    if (finder.aboveLimit(row) <= 0.0 || geostationary(set) || !(set.period > 0.0)) return false;

    const double period = set.period / 1440.0;  // days
    finder.step = std::clamp(period / kStepsPerOrbit, kShortestStep, kLongestStep);
    finder.reach = std::max(kLongestPassDays, kLongestPassOrbits * period);
    finder.samples.clear();
    finder.samples.push_back(row);

    Sample rise, set_;
    bool upAtStart = false, unused = false;
    if (row.t <= finder.options.start) {
        rise = row;
        upAtStart = true;
    } else if (!finder.walk(row, -1, rise, upAtStart)) {
        return false;
    }
    if (!finder.walk(row, 1, set_, unused)) return false;

    std::vector<Sample>& samples = finder.samples;
    samples.push_back(rise);
    samples.push_back(set_);
    std::sort(samples.begin(), samples.end(), [](const Sample& a, const Sample& b) { return a.t < b.t; });
    samples.erase(std::unique(samples.begin(), samples.end(),
                              [](const Sample& a, const Sample& b) { return a.t == b.t; }),
                  samples.end());

    Sample top;
    if (!finder.culmination(top)) return false;
    samples.push_back(top);
    std::sort(samples.begin(), samples.end(), [](const Sample& a, const Sample& b) { return a.t < b.t; });

    out.upAtStart = upAtStart;
    out.aos = rise.t;
    out.aosAzimuth = rise.azimuth;
    out.aosElevation = rise.elevation;
    out.tca = top.t;
    out.tcaAzimuth = top.azimuth;
    out.maxElevation = top.elevation;
    out.tcaRange = top.range;
    out.los = set_.t;
    out.losAzimuth = set_.azimuth;
    out.losElevation = set_.elevation;
    finder.visiblePart(out);
    out.valid = true;
    return true;
}

}  // namespace

double PassDurationSeconds(const PassDetails& pass) { return (pass.los - pass.aos) * kSecondsPerDay; }

bool FindPassDetails(PropagatorState& model, const SatelliteCatalog& catalog, int index,
                     Observer& observer, const PassSearchOptions& options, double t,
                     PassDetails& out) {
    out = PassDetails{};
    out.satelliteIndex = index;
    out.foundAt = t;
    if (index < 0 || index >= loadedSatelliteCount(catalog)) return false;
    const PassSearchOptions checked = CheckedPassSearchOptions(options);
    PassFinder finder{{model, catalog, observer, index, checked.engine, {}, false},
                      checked, checked.limits.satelliteElevation, kShortestStep, kLongestPassDays, {}};
    if (findPass(finder, t, out)) return true;
    out.valid = false;
    out.upAtStart = out.visible = false;
    return false;
}

void ComputePassDetails(const SatelliteCatalog& catalog, const Observer& observer, const PassSearchOptions& options,
                        const PredictionResults& results, std::vector<PassDetails>& details, int threads) {
    const int count = std::clamp(results.count, 0, static_cast<int>(results.rows.size()));
    details.assign(static_cast<size_t>(count), PassDetails{});
    // Each row's pass is found on its own (the model is initialised afresh),
    // so the rows can be shared out among threads in blocks.
    const int wanted = std::clamp(threads, 1, 64);
    auto work = [&](int first, int last) {
        auto model = std::make_unique<PropagatorState>();
        Observer own = observer;
        for (int r = first; r < last; ++r) {
            const PredictionRow& row = results.rows[static_cast<size_t>(r)];
            FindPassDetails(*model, catalog, row.satelliteIndex, own, options, row.time, details[static_cast<size_t>(r)]);
        }
    };
    std::vector<std::thread> started;
    const int block = (count + wanted - 1) / wanted;
    int first = block;
    for (; first < count; first += block) {
        try {
            started.emplace_back(work, first, std::min(first + block, count));
        } catch (const std::system_error&) {
            break;  // no more threads: the rest here
        }
    }
    work(0, std::min(block, count));
    if (first < count) work(first, count);
    for (std::thread& thread : started) thread.join();
}

const PassDetails* PassDetailsOfRow(const std::vector<PassDetails>& details,
                                    const PredictionResults& results, int stored) {
    if (stored < 0 || stored >= results.count || static_cast<size_t>(stored) >= details.size()) return nullptr;
    const PassDetails& pass = details[static_cast<size_t>(stored)];
    const PredictionRow& row = results.rows[stored];
    if (pass.satelliteIndex != row.satelliteIndex || pass.foundAt != row.time) return nullptr;
    return &pass;
}

}  // namespace vantrek
