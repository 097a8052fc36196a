#pragma once

#include <cstdint>

#include "astro/look_angles.hpp"
#include "astro/observer.hpp"
#include "astro/projections.hpp"
#include "astro/vector4.hpp"
#include "ui/app_state.hpp"
#include "ui/display_list.hpp"

namespace vantrek {

// The chart square starts below the clock box and the toolbar.
constexpr int32_t kSkyChartTop = 52;
// The view area keeps this much beside and below the chart.
constexpr int32_t kSkyChartMargin = 78;

// Where the polar sky chart lies: the square x 0..size, y 52..size + 52, the
// zenith at (radius, radius + 52), turned by the view matrix.
struct SkyChart {
    int32_t size = 0;    // D, 0 when the area is too small for a chart
    int32_t radius = 0;  // R = D / 2
    ScreenVector east;   // (m[0][0], m[0][1]) of the view matrix
    ScreenVector north;  // (m[1][0], m[1][1])
    int32_t snToNs = 0;  // the north-south setting
};

// The chart for a client area: D = min(width, height) - 78, never below 0.
SkyChart SkyChartFor(Rect client, const ViewMatrix& view, int32_t snToNs);

// The GPS signal map keeps a chart of its own on the signal-map surface:
// 200 x 200, centred at (100, 100), turned by the fixed signal-map matrix.
constexpr int32_t kSignalMapSize = 200;
SkyChart SignalMapChart(const AppState& state);

// The chart pixel of a direction (a negative elevation is written back as 0,
// putting it on the rim). False, with an off-screen pixel, for angles that are
// not finite numbers.
bool ChartPoint(const SkyChart& chart, LookAngles& look, Point& out);

// Propagates catalogue entry `index` into state.catalog.currentSet (loaded
// and initialised when `continueFlag` is 0, continued otherwise) with the
// s4_s8 engine, and places it on the chart: look angles with refraction as
// flag_refraction says (azimuth 0 below the horizon, where it sits on the
// rim), position in km with its length. False when the model gives no
// position: then nothing of the satellite is to be drawn.
bool SatelliteOnChart(AppState& state, const SkyChart& chart, int index, LookAngles& look,
                      Vector4& position, Point& point, double jd, uint8_t continueFlag);

// The Sun (body 0, minus the Earth's heliocentric position, which is kept in
// `earth` for the planets) or planet 1..8 (its heliocentric position minus
// `earth`) on the chart, with the refraction given. Body 0 must come first in
// a paint. False for any other body number.
bool BodyOnChart(const SkyChart& chart, Observer& observer, Vector4& earth, double jd, int16_t body,
                 int32_t refraction, LookAngles& look, Point& point);

}  // namespace vantrek
