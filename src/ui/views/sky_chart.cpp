#include "ui/views/sky_chart.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "astro/planets.hpp"
#include "orbit/propagation.hpp"

namespace vantrek {

SkyChart SkyChartFor(Rect client, const ViewMatrix& view, int32_t snToNs) {
    // In 64 bits: an area narrower than the margin gives no chart rather than
    // wrapping round to a huge one.
    const int64_t width = static_cast<int64_t>(client.right) - client.left - kSkyChartMargin;
    const int64_t height = static_cast<int64_t>(client.bottom) - client.top - kSkyChartMargin;
    SkyChart chart;
    chart.size = static_cast<int32_t>(std::clamp<int64_t>(std::min(width, height), 0, INT32_MAX));
    chart.radius = chart.size / 2;
    chart.east = {view.m[0][0], view.m[0][1]};
    chart.north = {view.m[1][0], view.m[1][1]};
    chart.snToNs = snToNs;
    return chart;
}

SkyChart SignalMapChart(const AppState& state) {
    SkyChart map;
    map.size = kSignalMapSize;
    map.radius = kSignalMapSize / 2;
    map.east = {state.signalMapMatrix.m[0][0], state.signalMapMatrix.m[0][1]};
    map.north = {state.signalMapMatrix.m[1][0], state.signalMapMatrix.m[1][1]};
    map.snToNs = state.settings.SNtoNS;
    return map;
}

bool ChartPoint(const SkyChart& chart, LookAngles& look, Point& out) {
    if (!SkyChartPixel(chart.east, chart.north, look, chart.radius, chart.radius, chart.snToNs, out))
        return false;
    out.y += kSkyChartTop;
    return true;
}

bool SatelliteOnChart(AppState& state, const SkyChart& chart, int index, LookAngles& look,
                      Vector4& position, Point& point, double jd, uint8_t continueFlag) {
    Vector4 velocity;
    propagateSatellite(state.model, state.catalog, jd, state.catalog.currentSet, index, velocity,
                       position, continueFlag, state.settings.s4_s8);
    if (propagationFailed(position)) {
        look = LookAngles{};
        point = {kPixelOffscreen, kPixelOffscreen};
        return false;
    }
    ComputeLookAngles(jd, position, velocity, state.observer, look, 0, state.settings.flag_refraction);
    return ChartPoint(chart, look, point);
}

bool BodyOnChart(const SkyChart& chart, Observer& observer, Vector4& earth, double jd, int16_t body,
                 int32_t refraction, LookAngles& look, Point& point) {
    Vector4 geocentric;
    if (body == kEarth) {
        if (!PlanetHeliocentric(jd, kEarth, earth)) return false;
        geocentric = {-earth.x, -earth.y, -earth.z, earth.w};
    } else {
        Vector4 planet;
        if (body < kMercury || body > kPluto || !PlanetHeliocentric(jd, body, planet)) return false;
        geocentric = {planet.x - earth.x, planet.y - earth.y, planet.z - earth.z, 0.0};
        geocentric.w = std::sqrt(geocentric.x * geocentric.x + geocentric.y * geocentric.y +
                                 geocentric.z * geocentric.z);
    }
    ComputeLookAngles(jd, geocentric, Vector4{}, observer, look, 1, refraction);
    return ChartPoint(chart, look, point);
}

}  // namespace vantrek
