#pragma once

#include <cstdint>
#include <vector>

#include "observe/pass_details.hpp"
#include "observe/pass_track.hpp"
#include "ui/display_list.hpp"

namespace vantrek {

// One pass to draw: its details and its track from AOS to LOS.
struct PassChartData {
    PassDetails pass;
    std::vector<PassTrackPoint> track;
    double localTimeOffset = 0.0;  // days: the times are shown in local time
};

// Where the chart's parts lie in its area: the polar sky chart on the left
// (zenith in the centre, horizon on the rim, north up and east left, as the
// sky view projects), the elevation against time on the right.
struct PassChartLayout {
    Rect polar;          // the square of the sky chart
    Point centre;        // the zenith
    int32_t radius = 0;  // of the horizon, pixels; 0 when the area is too small
    Rect plot;           // the elevation plot's frame
};

PassChartLayout PassChartLayoutFor(Rect area);

// The polar chart's pixel of a direction (radians). False, with an
// off-screen pixel, when the angles are not finite.
bool PassChartPoint(const PassChartLayout& layout, double azimuth, double elevation, Point& out);

// Draws the pass into `area`: the track coloured sunlit and eclipsed as the
// sky view colours tracks, the rise and the set marked with their times, the
// culmination with its elevation; beside it the elevation against time with
// the visible part marked under it.
void DrawPassChart(DisplayList& list, const PassChartData& data, Rect area);

// Rise and set marks: ellipses of this half size, in these colours.
constexpr int32_t kPassMarkRadius = 4;
constexpr Colour kPassRiseColour{0, 220, 0};
constexpr Colour kPassSetColour{250, 70, 70};
constexpr Colour kPassTopColour{255, 255, 255};

}  // namespace vantrek
