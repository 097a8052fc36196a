#include "ui/pixel_line.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace vantrek {

namespace {

// Coordinate of step i along one axis; integer division truncates towards zero.
// The product can pass 2^63 for lines between far-off points, hence 128 bits.
int64_t along(int64_t start, int64_t delta, int64_t n, int64_t i) {
    return start + static_cast<int64_t>(static_cast<__int128>(i) * delta / n);
}

// The steps 0 .. n - 1 whose coordinate lies in [0, limit): an interval, since
// the coordinate moves monotonically with i. Empty when first > last.
void visibleSteps(int64_t start, int64_t delta, int64_t n, int64_t limit, int64_t& first,
                  int64_t& last) {
    auto inside = [&](int64_t i) {
        const int64_t c = along(start, delta, n, i);
        return c >= 0 && c < limit;
    };
    // Coordinates before the visible band come first when moving towards it.
    auto before = [&](int64_t i) {
        const int64_t c = along(start, delta, n, i);
        return delta >= 0 ? c < 0 : c >= limit;
    };
    int64_t lo = 0, hi = n;  // first step not before the band
    while (lo < hi) {
        const int64_t mid = lo + (hi - lo) / 2;
        if (before(mid)) lo = mid + 1; else hi = mid;
    }
    first = lo;
    lo = first;
    hi = n;  // first step past the band
    while (lo < hi) {
        const int64_t mid = lo + (hi - lo) / 2;
        if (inside(mid)) lo = mid + 1; else hi = mid;
    }
    last = lo - 1;
}

}  // namespace

void PixelLine(DisplayList& list, Point from, Point to, Colour colour) {
    std::vector<Point> points;
    AppendPixelLine(points, from, to, list.surfaceWidth, list.surfaceHeight);
    SetPixels(list, std::move(points), colour);
}

void AppendPixelLine(std::vector<Point>& points, Point from, Point to, int32_t surfaceWidth,
                     int32_t surfaceHeight) {
    const int64_t dx = static_cast<int64_t>(to.x) - from.x;
    const int64_t dy = static_cast<int64_t>(to.y) - from.y;
    const int64_t n = std::max(std::llabs(dx), std::llabs(dy));
    if (n == 0) return;

    // Both ends on the surface (the common case): every step is, and the
    // products fit 64 bits.
    const auto onSurface = [&](Point p) {
        return p.x >= 0 && p.y >= 0 && p.x < surfaceWidth && p.y < surfaceHeight;
    };
    if (onSurface(from) && onSurface(to)) {
        for (int64_t i = 0; i < n; ++i)
            points.push_back({static_cast<int32_t>(from.x + i * dx / n), static_cast<int32_t>(from.y + i * dy / n)});
        return;
    }

    int64_t firstX, lastX, firstY, lastY;
    visibleSteps(from.x, dx, n, surfaceWidth, firstX, lastX);
    visibleSteps(from.y, dy, n, surfaceHeight, firstY, lastY);
    const int64_t first = std::max(firstX, firstY);
    const int64_t last = std::min(lastX, lastY);
    if (first > last) return;

    for (int64_t i = first; i <= last; ++i)
        points.push_back({static_cast<int32_t>(along(from.x, dx, n, i)),
                          static_cast<int32_t>(along(from.y, dy, n, i))});
}

void FlushPixelStroke(DisplayList& list, PixelStroke& stroke) {
    SetPixels(list, std::move(stroke.points), stroke.colour);
    stroke.points.clear();
}

void StrokePixelLine(DisplayList& list, PixelStroke& stroke, Point from, Point to, Colour colour) {
    if (colour != stroke.colour) FlushPixelStroke(list, stroke);
    stroke.colour = colour;
    AppendPixelLine(stroke.points, from, to, list.surfaceWidth, list.surfaceHeight);
}

void StrokePixel(DisplayList& list, PixelStroke& stroke, Point point, Colour colour) {
    if (colour != stroke.colour) FlushPixelStroke(list, stroke);
    stroke.colour = colour;
    if (point.x >= 0 && point.y >= 0 && point.x < list.surfaceWidth && point.y < list.surfaceHeight)
        stroke.points.push_back(point);
}

}  // namespace vantrek
