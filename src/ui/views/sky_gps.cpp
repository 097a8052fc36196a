// The satellites the GPS receiver reports, on the chart and on the signal map.
#include <algorithm>
#include <cmath>

#include "ui/views/sky_view_parts.hpp"

namespace vantrek {

namespace {

constexpr Colour kUsedTick{255, 0, 0};
constexpr Colour kUsedInner{255, 255, 0};
constexpr Colour kSideTick{100, 250, 160};
constexpr Colour kEndTick{100, 250, 100};
constexpr Colour kFreeInner{100, 250, 200};
constexpr Colour kUsedNumber{255, 250, 0};
constexpr Colour kFreeNumber{150, 150, 100};

bool inUse(const GpsFixData& g, int slot) {
    const int32_t prn = g.prn[slot];
    return prn != 0 && std::find(std::begin(g.usedPrn), std::end(g.usedPrn), prn) != std::end(g.usedPrn);
}

// Three pixels across at 7 pixels on each side, one at 6 inside each.
void ticks(DisplayList& list, Point p, bool used) {
    std::vector<Point> sides, ends, inner;
    for (int32_t k = -1; k <= 1; ++k) {
        sides.push_back({p.x - 7, p.y + k});
        sides.push_back({p.x + 7, p.y + k});
        ends.push_back({p.x + k, p.y - 7});
        ends.push_back({p.x + k, p.y + 7});
    }
    inner = {{p.x - 6, p.y}, {p.x + 6, p.y}, {p.x, p.y - 6}, {p.x, p.y + 6}};
    if (used) {
        sides.insert(sides.end(), ends.begin(), ends.end());
        SetPixels(list, std::move(sides), kUsedTick);
        SetPixels(list, std::move(inner), kUsedInner);
    } else {
        SetPixels(list, std::move(sides), kSideTick);
        SetPixels(list, std::move(ends), kEndTick);
        SetPixels(list, std::move(inner), kFreeInner);
    }
}

}  // namespace

void DrawSkyGpsSatellites(SkyFrame& f) {
    const GpsFixData& g = f.gps;
    const SkyChart map = SignalMapChart(f.state);

    for (int slot = 0; slot < kGpsSlotCount; ++slot) {
        LookAngles look;
        look.azimuth = g.azimuthRad[slot];
        look.elevation = g.elevationRad[slot];
        const bool up = look.elevation > 0.0;
        Point p;
        if (!ChartPoint(f.chart, look, p)) continue;  // a receiver's value that is no number
        const bool used = inUse(g, slot);
        if (up) ticks(f.list, p, used);
        if (g.prn[slot] > 0)
            DrawText(f.list, {p.x + 4, p.y + 7, p.x + 34, p.y + 22}, std::to_string(g.prn[slot]),
                     used ? kUsedNumber : kFreeNumber, FontId::Small, TextSingleLine);
        const int32_t snr = g.snrDb[slot];
        if (snr <= 1) continue;
        FillRect(f.list, {p.x - 11, p.y - snr / 2, p.x - 8, p.y}, BrushFor(BrushId::DeepBlue));
        if (!f.state.signalMap) continue;
        LookAngles onMap;
        onMap.azimuth = g.azimuthRad[slot];
        onMap.elevation = g.elevationRad[slot];
        Point q;
        if (!SkyChartPixel(map.east, map.north, onMap, map.radius, map.radius, map.snToNs, q)) continue;
        const Colour strength{static_cast<uint8_t>((5 * snr) % 256), 0,
                              static_cast<uint8_t>(((250 - 5 * snr) % 256 + 256) % 256)};
        const Surface previous = f.list.target;
        f.list.target = Surface::SignalMapSurface;
        PixelSquare(f.list, q, 3, strength);
        f.list.target = previous;
    }
}

}  // namespace vantrek
