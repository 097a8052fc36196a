#include "ui/views/pass_chart.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <string>
#include <utility>

#include "astro/constants.hpp"
#include "astro/julian_date.hpp"
#include "astro/projections.hpp"
#include "observe/pass_detail_cells.hpp"

namespace vantrek {

namespace {

constexpr Colour kBackground{50, 0, 50};
constexpr Colour kSkyDisc{0, 0, 0};
constexpr Colour kRing{150, 100, 255};
constexpr Colour kNorthLine{250, 30, 35};
constexpr Colour kDirectionLine{160, 160, 255};
constexpr Colour kNorthLetter{200, 0, 0};
constexpr Colour kOtherLetter{0, 200, 0};
// The sky view's future track: sunlit and in the Earth's shadow.
constexpr Colour kSunlit{240, 240, 1};
constexpr Colour kEclipsed{0, 0, 250};
constexpr Colour kTitle{255, 200, 0};
constexpr Colour kLabel{200, 200, 110};
constexpr Colour kFrame{150, 150, 150};
constexpr Colour kGrid{80, 60, 110};
constexpr Colour kVisibleBar{255, 255, 255};

constexpr int32_t kMargin = 10;
constexpr int32_t kTitleHeight = 40;    // two lines of text
constexpr int32_t kLetterRoom = 14;     // N, E, S, W outside the horizon
constexpr int32_t kAxisRoom = 40;       // the elevation labels left of the plot
constexpr int32_t kTimeRoom = 40;       // the time labels and the visible bar below it
constexpr int32_t kLabelWidth = 64;
constexpr int32_t kLineHeight = 15;
constexpr uint32_t kLineFlags = TextSingleLine | TextVCenter;
constexpr int kTrackPen = 2;

// Tick spacings for the time axis, minutes: the first that gives at most six ticks.
constexpr int kTickMinutes[] = {1, 2, 5, 10, 15, 30, 60, 120, 180, 360, 720, 1440};

// Local "HH:MM:SS" (or "HH:MM") of a UTC Julian date.
std::string clockText(double jd, double offset, bool seconds) {
    const CalendarInstant c = CalendarInstantFromJulian(NearestSecond(jd) + offset);
    char text[32];
    if (seconds) {
        std::snprintf(text, sizeof text, "%02d:%02d:%02d", c.hour, c.minute, c.second);
    } else {
        std::snprintf(text, sizeof text, "%02d:%02d", c.hour, c.minute);
    }
    return text;
}

std::string degreesText(double radians) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f\u00b0", radians / kDegree);
    return text;
}

Rect around(Point p, int32_t half) { return {p.x - half, p.y - half, p.x + half + 1, p.y + half + 1}; }

// A label beside a mark, on the side towards `inward` so that it stays on the chart.
Rect labelBeside(Point p, int32_t inwardX) {
    const int32_t top = p.y - kLineHeight / 2;
    if (p.x <= inwardX) return {p.x + 7, top, p.x + 7 + kLabelWidth, top + kLineHeight};
    return {p.x - 7 - kLabelWidth, top, p.x - 7, top + kLineHeight};
}

// A coordinate of the plot, or false when it is no finite number.
bool plotPixel(double x, double y, Point& out) {
    if (!std::isfinite(x) || !std::isfinite(y) || std::fabs(x) > kPixelLimit || std::fabs(y) > kPixelLimit) {
        out = {kPixelOffscreen, kPixelOffscreen};
        return false;
    }
    out = {static_cast<int32_t>(std::lround(x)), static_cast<int32_t>(std::lround(y))};
    return true;
}

struct TimeAxis {
    Rect plot;
    double start = 0.0, span = 0.0;  // days

    bool point(double t, double elevation, Point& out) const {
        const double width = plot.right - 1 - plot.left, height = plot.bottom - 1 - plot.top;
        const double shown = std::clamp(elevation, 0.0, kHalfPi);
        return plotPixel(plot.left + (t - start) / span * width, plot.bottom - 1 - shown / kHalfPi * height, out);
    }
};

// Polylines through the points, a new one wherever the colour changes; a
// point that cannot be placed breaks the line.
template <class Place>
void drawColouredTrack(DisplayList& list, const std::vector<PassTrackPoint>& track, Place place) {
    std::vector<Point> run;
    bool runSunlit = false;
    auto flush = [&] {
        if (run.size() >= 2) DrawPolyline(list, run, Pen{kTrackPen, runSunlit ? kSunlit : kEclipsed});
        run.clear();
    };
    for (const PassTrackPoint& p : track) {
        Point pixel;
        if (!place(p, pixel)) {
            flush();
            continue;
        }
        if (!run.empty() && p.sunlit != runSunlit) {
            const Point joint = run.back();  // the new colour starts where the old one ended
            flush();
            run.push_back(joint);
        }
        runSunlit = p.sunlit;
        run.push_back(pixel);
    }
    flush();
}

void drawTitle(DisplayList& list, const PassChartData& data, Rect area) {
    const PassDetails& p = data.pass;
    const double offset = data.localTimeOffset;
    const CalendarInstant day = CalendarInstantFromJulian(NearestSecond(p.aos) + offset);
    char line[256];
    std::snprintf(line, sizeof line, "%s   %d-%d-%d   %s%s - %s (%s)   max %s at %s, %.0f km", p.name.c_str(),
                  day.year, day.month, day.day, p.upAtStart ? "up at " : "", clockText(p.aos, offset, true).c_str(),
                  clockText(p.los, offset, true).c_str(), PassDurationText(PassDurationSeconds(p)).c_str(),
                  degreesText(p.maxElevation).c_str(), clockText(p.tca, offset, true).c_str(), p.tcaRange);
    const int32_t left = area.left + kMargin;
    DrawText(list, {left, area.top + 4, area.right - kMargin, area.top + 4 + kLineHeight}, line, kTitle,
             FontId::Small, kLineFlags);
    std::string visible = "Not visible to the eye";
    if (p.visible) {
        visible = "Visible " + clockText(p.visibleStart, offset, true) + " - " + clockText(p.visibleEnd, offset, true);
        if (p.brightestMagnitude < 90.0) {
            std::snprintf(line, sizeof line, ", brightest magnitude %.1f", p.brightestMagnitude);
            visible += line;
        }
    }
    DrawText(list, {left, area.top + 4 + kLineHeight, area.right - kMargin, area.top + 4 + 2 * kLineHeight},
             visible, kLabel, FontId::Small, kLineFlags);
}

void drawPolar(DisplayList& list, const PassChartData& data, const PassChartLayout& layout) {
    const Point c = layout.centre;
    const int32_t r = layout.radius;
    DrawEllipse(list, around(c, r), Pen{1, kRing}, Brush{kSkyDisc, false});
    for (double ring : {30.0, 60.0}) {
        const int32_t ringRadius = static_cast<int32_t>(std::lround(r * (1.0 - ring / 90.0)));
        DrawEllipse(list, around(c, ringRadius), Pen{1, kRing}, Brush{kSkyDisc, true});
        char text[16];
        std::snprintf(text, sizeof text, "%.0f\u00b0", ring);
        DrawText(list, {c.x + 2, c.y - ringRadius, c.x + 40, c.y - ringRadius + kLineHeight}, text, kRing,
                 FontId::Small, kLineFlags);
    }
    struct Direction {
        double azimuth;
        const char* letter;
        Colour line, letterColour;
    };
    const Direction directions[4] = {{0.0, "N", kNorthLine, kNorthLetter},
                                     {kHalfPi, "E", kDirectionLine, kOtherLetter},
                                     {kPi, "S", kDirectionLine, kOtherLetter},
                                     {3.0 * kHalfPi, "W", kDirectionLine, kOtherLetter}};
    for (const Direction& d : directions) {
        Point rim;
        PassChartPoint(layout, d.azimuth, 0.0, rim);
        DrawPolyline(list, {c, rim}, Pen{1, d.line});
        // The letter just outside the horizon, along the same direction.
        const double dx = rim.x - c.x, dy = rim.y - c.y;
        const Point at{c.x + static_cast<int32_t>(std::lround(dx * (r + 8.0) / r)),
                       c.y + static_cast<int32_t>(std::lround(dy * (r + 8.0) / r))};
        DrawText(list, {at.x - 6, at.y - 7, at.x + 7, at.y + 8}, d.letter, d.letterColour, FontId::Small,
                 TextCenter | kLineFlags);
    }

    drawColouredTrack(list, data.track, [&](const PassTrackPoint& p, Point& out) {
        return PassChartPoint(layout, p.azimuth, p.elevation, out);
    });

    // Rise and set with their times, the culmination with its elevation.
    const PassDetails& pass = data.pass;
    struct Mark {
        double azimuth, elevation;
        Colour colour;
        std::string label;
    };
    const Mark marks[3] = {
        {pass.aosAzimuth, pass.aosElevation, kPassRiseColour, clockText(pass.aos, data.localTimeOffset, true)},
        {pass.losAzimuth, pass.losElevation, kPassSetColour, clockText(pass.los, data.localTimeOffset, true)},
        {pass.tcaAzimuth, pass.maxElevation, kPassTopColour, degreesText(pass.maxElevation)}};
    for (const Mark& m : marks) {
        Point p;
        if (!PassChartPoint(layout, m.azimuth, m.elevation, p)) continue;
        DrawEllipse(list, around(p, kPassMarkRadius), Pen{1, m.colour}, Brush{m.colour, false});
        DrawText(list, labelBeside(p, c.x), m.label, m.colour, FontId::Small, kLineFlags);
    }

    // What the colours mean, in the square's corner below the disc: a stroke
    // of each colour and its word in a colour that reads on the background.
    const Rect& box = layout.polar;
    const std::pair<Colour, const char*> keys[2] = {{kSunlit, "sunlit"}, {kEclipsed, "eclipsed"}};
    for (int k = 0; k < 2; ++k) {
        const int32_t top = box.bottom - (2 - k) * kLineHeight, middle = top + kLineHeight / 2;
        DrawPolyline(list, {{box.left, middle}, {box.left + 16, middle}}, Pen{kTrackPen + 1, keys[k].first});
        DrawText(list, {box.left + 20, top, box.left + 90, top + kLineHeight}, keys[k].second, kLabel,
                 FontId::Small, kLineFlags);
    }
}

void drawPlot(DisplayList& list, const PassChartData& data, const PassChartLayout& layout) {
    const PassDetails& pass = data.pass;
    const Rect plot = layout.plot;
    if (plot.right - plot.left < 20 || plot.bottom - plot.top < 20 || !(pass.los > pass.aos)) return;
    const TimeAxis axis{plot, pass.aos, pass.los - pass.aos};
    const int32_t right = plot.right - 1, bottom = plot.bottom - 1;

    FillRect(list, plot, Brush{kSkyDisc, false});
    for (double degrees : {0.0, 30.0, 60.0, 90.0}) {
        Point p;
        axis.point(pass.aos, degrees * kDegree, p);
        if (degrees > 0.0 && degrees < 90.0) DrawPolyline(list, {{plot.left, p.y}, {right, p.y}}, Pen{1, kGrid});
        char text[16];
        std::snprintf(text, sizeof text, "%.0f\u00b0", degrees);
        DrawText(list, {plot.left - kAxisRoom, p.y - 7, plot.left - 4, p.y + 8}, text, kLabel, FontId::Small,
                 TextRight | kLineFlags);
    }

    // Whole-minute ticks, local time.
    const double minutes = axis.span * 1440.0;
    int tick = kTickMinutes[std::size(kTickMinutes) - 1];
    for (int candidate : kTickMinutes) {
        if (minutes / candidate <= 6.0) {
            tick = candidate;
            break;
        }
    }
    const double tickDays = tick / 1440.0;
    const double localStart = pass.aos + data.localTimeOffset;
    for (double local = std::ceil(localStart / tickDays - 1e-9) * tickDays; local <= localStart + axis.span;
         local += tickDays) {
        Point p;
        if (!axis.point(local - data.localTimeOffset, 0.0, p)) break;
        DrawPolyline(list, {{p.x, plot.top}, {p.x, bottom}}, Pen{1, kGrid});
        DrawText(list, {p.x - 30, plot.bottom + 2, p.x + 30, plot.bottom + 2 + kLineHeight},
                 clockText(local - data.localTimeOffset, data.localTimeOffset, false), kLabel, FontId::Small,
                 TextCenter | kLineFlags);
    }
    DrawPolyline(list, {{plot.left, plot.top}, {right, plot.top}, {right, bottom}, {plot.left, bottom}, {plot.left, plot.top}},
                 Pen{1, kFrame});

    drawColouredTrack(list, data.track,
                      [&](const PassTrackPoint& p, Point& out) { return axis.point(p.t, p.elevation, out); });
    Point top;
    if (axis.point(pass.tca, pass.maxElevation, top)) {
        DrawEllipse(list, around(top, kPassMarkRadius), Pen{1, kPassTopColour}, Brush{kPassTopColour, false});
        DrawText(list, {top.x - 40, top.y - 4 - kLineHeight, top.x + 40, top.y - 4}, degreesText(pass.maxElevation),
                 kPassTopColour, FontId::Small, TextCenter | kLineFlags);
    }

    // The part seen by the eye, as a bar under the time labels.
    Point from, to;
    if (pass.visible && axis.point(pass.visibleStart, 0.0, from) && axis.point(pass.visibleEnd, 0.0, to)) {
        const int32_t barTop = plot.bottom + 2 + kLineHeight + 4;
        FillRect(list, {from.x, barTop, std::max(to.x, from.x + 1), barTop + 4}, Brush{kVisibleBar, false});
        DrawText(list, {from.x, barTop + 4, from.x + 120, barTop + 4 + kLineHeight}, "visible", kVisibleBar,
                 FontId::Small, kLineFlags);
    }
}

}  // namespace

PassChartLayout PassChartLayoutFor(Rect area) {
    PassChartLayout layout;
    const int32_t width = area.right - area.left, height = area.bottom - area.top;
    const int32_t side = std::min(width / 2 - 2 * kMargin, height - kTitleHeight - 2 * kMargin);
    if (side < 4 * kLetterRoom) return layout;
    layout.polar = {area.left + kMargin, area.top + kTitleHeight + kMargin, area.left + kMargin + side,
                    area.top + kTitleHeight + kMargin + side};
    layout.radius = side / 2 - kLetterRoom;
    layout.centre = {layout.polar.left + side / 2, layout.polar.top + side / 2};
    layout.plot = {layout.polar.right + kMargin + kAxisRoom, layout.polar.top, area.right - 2 * kMargin,
                   layout.polar.bottom - kTimeRoom};
    return layout;
}

bool PassChartPoint(const PassChartLayout& layout, double azimuth, double elevation, Point& out) {
    // The sky view's projection with the identity view: east on the left;
    // the north-south setting 1 puts north at the top.
    LookAngles look;
    look.azimuth = azimuth;
    look.elevation = elevation;
    if (!SkyChartPixel({1.0, 0.0}, {0.0, 1.0}, look, layout.radius, layout.centre.y, 1, out)) return false;
    out.x += layout.centre.x - layout.radius;
    return true;
}

void DrawPassChart(DisplayList& list, const PassChartData& data, Rect area) {
    FillRect(list, area, Brush{kBackground, false});
    if (!data.pass.valid) return;
    const PassChartLayout layout = PassChartLayoutFor(area);
    drawTitle(list, data, area);
    if (layout.radius <= 0) return;
    drawPolar(list, data, layout);
    drawPlot(list, data, layout);
}

}  // namespace vantrek
