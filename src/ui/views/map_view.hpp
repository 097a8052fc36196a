#pragma once

#include <cstdint>

#include "astro/geodetic.hpp"
#include "astro/vector4.hpp"
#include "orbit/element_set.hpp"
#include "orbit/propagator_state.hpp"
#include "ui/app_state.hpp"
#include "ui/display_list.hpp"

namespace vantrek {

// The map's top edge lies this far below the client area's top, and as much
// is left free at the bottom.
constexpr int32_t kMapTop = 26;

// One satellite as the map places it.
struct MapSatellite {
    Vector4 position;         // km, inertial, w = its length
    GeodeticPoint subPoint;   // the point under it
    Point pixel;              // map pixel of the sub-point (no kMapTop offset)
};

// The satellite of catalogue entry `index` at Julian date `jd` on a map of
// width x height pixels, propagated into `working` (not the catalogue's
// current working set) with the engine setting; `initialised` as for
// propagateSatellite. False, and nothing to draw, when it cannot be propagated.
bool propagateForDisplay(PropagatorState& model, const SatelliteCatalog& catalog, int32_t engine,
                         ElementSet& working, int index, double jd, uint8_t initialised, int32_t width,
                         int32_t height, MapSatellite& out);

// The Sun (km), the point under it and its map pixel on a width x height map.
void sunSubPoint(GeodeticPoint& subPoint, Vector4& sun, Point& pixel, double jd, int32_t width,
                 int32_t height);

// The map view: the day and night world map with the shown satellites. A
// click pending on a satellite's marker makes it current.
void drawMapView(AppState& state, DisplayList& list, Rect client);

}  // namespace vantrek
