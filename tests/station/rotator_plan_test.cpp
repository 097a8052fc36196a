// Rotator pass plans over passes of each kind. The passes are great circles
// across the sky (a satellite seen from the Earth's centre): one that
// culminates at azimuth A and elevation E rises at A - 90 and sets at A + 90
// (clockwise), and its elevation at azimuth a is atan(tan E cos(a - A)).
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "astro/constants.hpp"
#include "station/rotator_plan.hpp"
#include "station/station_tracker.hpp"

using namespace vantrek;

namespace {

constexpr double kSecond = 1.0 / 86400.0;
const double kExact = 1e-9;  // degrees: plans repeat the track's own numbers

// Unit vector of (az, el) in north, east, up.
void Direction(double azDeg, double elDeg, double v[3]) {
    v[0] = std::cos(elDeg * kDegree) * std::cos(azDeg * kDegree);
    v[1] = std::cos(elDeg * kDegree) * std::sin(azDeg * kDegree);
    v[2] = std::sin(elDeg * kDegree);
}

// A great-circle pass sampled every half degree along the circle, a second apart.
PassTrack GreatCirclePass(double culminationAzDeg, double maxElDeg, bool clockwise) {
    double top[3], side[3];
    Direction(culminationAzDeg, maxElDeg, top);
    Direction(culminationAzDeg + (clockwise ? 90.0 : -90.0), 0.0, side);
    PassTrack track;
    for (int i = 0; i <= 360; ++i) {
        const double s = (-90.0 + 0.5 * i) * kDegree;
        double p[3];
        for (int k = 0; k < 3; ++k) p[k] = std::cos(s) * top[k] + std::sin(s) * side[k];
        double az = std::atan2(p[1], p[0]) / kDegree;
        if (az < 0.0) az += 360.0;
        track.points.push_back({2454730.0 + i * kSecond, az, std::asin(std::fmax(-1.0, std::fmin(1.0, p[2]))) / kDegree});
    }
    return track;
}

struct PlanRow {
    const char* source;
    double culminationAz, maxEl;
    RotatorLimits limits;
    RotatorMode mode;
    double unwindElevation;  // the elevation of the turn back; NaN: no check
};

}  // namespace

TEST(RotatorPlan, EachKindOfPassKeepsTheRangeAndPointsAtTheTrack) {
    const double none = NAN;
    // tan(el) = tan 40 cos 60: 22.76 degrees, where the pass that culminates at
    // 60 crosses north; the other turns back possible lie higher.
    const double northCrossingOf60 = std::atan(std::tan(40.0 * kDegree) * 0.5) / kDegree;
    const PlanRow rows[] = {
        {"east pass on 0..360", 90.0, 40.0, {0, 360, 90}, RotatorMode::Direct, none},
        {"crossing north on 0..360: the turn back at the crossing", 20.0, 40.0, {0, 360, 90}, RotatorMode::Unwind, none},
        {"crossing north on 0..450 within 90 past north", 350.0, 40.0, {0, 450, 90}, RotatorMode::Extended, none},
        {"crossing north on 0..450, ending past 450", 60.0, 40.0, {0, 450, 90}, RotatorMode::Unwind, northCrossingOf60},
        {"the same on 0..540", 60.0, 40.0, {0, 540, 90}, RotatorMode::Extended, none},
        {"crossing north on 0..360 with 180 elevation", 20.0, 40.0, {0, 360, 180}, RotatorMode::Flipped, none},
        {"zenith pass crossing north, 180 elevation", 0.0, 85.0, {0, 360, 180}, RotatorMode::Flipped, none},
        {"zenith pass in one turn, 180 elevation", 90.0, 88.0, {0, 360, 180}, RotatorMode::Direct, none},
        {"through north on -180..180", 0.0, 40.0, {-180, 180, 90}, RotatorMode::Direct, none},
        {"through south on -180..180", 180.0, 40.0, {-180, 180, 90}, RotatorMode::Unwind, none},
    };
    for (const PlanRow& row : rows) {
        SCOPED_TRACE(row.source);
        const PassTrack track = GreatCirclePass(row.culminationAz, row.maxEl, true);
        RotatorPlan plan;
        ASSERT_TRUE(PlanRotatorPass(track, row.limits, plan));
        EXPECT_EQ(plan.mode, row.mode) << RotatorModeName(plan.mode);
        ASSERT_EQ(plan.planned.size(), track.points.size());
        int turnsBack = 0;
        for (std::size_t i = 0; i < plan.planned.size(); ++i) {
            const RotatorPosition& p = plan.planned[i];
            const PassPoint& t = track.points[i];
            EXPECT_GE(p.azimuthDeg, row.limits.azimuthMinDeg - kExact);
            EXPECT_LE(p.azimuthDeg, row.limits.azimuthMaxDeg + kExact);
            EXPECT_LE(p.elevationDeg, row.limits.elevationMaxDeg);
            EXPECT_LT(PointingSeparationDeg(p, {t.azimuthDeg, std::fmax(t.elevationDeg, 0.0)}), 1e-6);
            // The live look angles give the planned position at every instant.
            const RotatorPosition live = RotatorPositionFor(plan, row.limits, t.jd, t.azimuthDeg, t.elevationDeg);
            EXPECT_NEAR(live.azimuthDeg, p.azimuthDeg, 1e-6);
            if (i > 0 && std::fabs(p.azimuthDeg - plan.planned[i - 1].azimuthDeg) > 180.0) {
                ++turnsBack;
                EXPECT_EQ(plan.unwindJd, t.jd);
                // A row without an elevation (NaN) takes any.
                EXPECT_FALSE(std::fabs(t.elevationDeg - row.unwindElevation) > 0.5) << t.elevationDeg;
            }
        }
        EXPECT_EQ(turnsBack, row.mode == RotatorMode::Unwind ? 1 : 0);
        EXPECT_TRUE(row.mode != RotatorMode::Flipped || plan.planned.front().elevationDeg > 90.0);
    }
}

TEST(RotatorPlan, RefusesWhatCannotBeFollowed) {
    RotatorPlan plan;
    EXPECT_FALSE(PlanRotatorPass(PassTrack{}, {0, 360, 90}, plan));
    EXPECT_FALSE(PlanRotatorPass(GreatCirclePass(90, 40, true), {0, 350, 90}, plan));  // less than a turn
    PassTrack broken = GreatCirclePass(90, 40, true);
    broken.points[10].azimuthDeg = NAN;
    EXPECT_FALSE(PlanRotatorPass(broken, {0, 360, 90}, plan));
}

TEST(NominalLinkHz, TheDecimalWrittenNotItsSinglePrecisionNeighbour) {
    // Frequencies.txt lines as the program reads them (single precision).
    EXPECT_EQ(NominalLinkHz(static_cast<float>(145.8)), 145800000.0);
    EXPECT_EQ(NominalLinkHz(static_cast<float>(437.8)), 437800000.0);
    EXPECT_EQ(NominalLinkHz(static_cast<float>(10489.675)), 10489675000.0);
    EXPECT_EQ(NominalLinkHz(435.123456), 435123456.0);
    EXPECT_EQ(NominalLinkHz(0.0), 0.0);
}
