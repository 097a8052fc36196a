#pragma once

// The pieces of one sky view paint, shared by the files that draw them.
#include <cstdint>

#include "astro/look_angles.hpp"
#include "astro/moon_phase.hpp"
#include "gps/gps_fix.hpp"
#include "observe/magnitude_estimate.hpp"
#include "ui/app_state.hpp"
#include "ui/display_list.hpp"
#include "ui/views/sky_chart.hpp"

namespace vantrek {

// What the steps of one paint hand on to the later ones.
struct SkyFrame {
    SkyFrame(AppState& s, DisplayList& l, Rect area, SkyChart c)
        : state(s), list(l), client(area), chart(c) {}

    AppState& state;
    DisplayList& list;
    Rect client;
    SkyChart chart;
    double jd = 0.0;             // the instant shown (UTC)

    Vector4 sun;                 // km, geocentric
    LookAngles sunLook;          // its elevation is e, as the refraction setting gives it
    bool night = false;          // the black disc is drawn: stars are shown

    MagnitudeEstimate current;   // the current satellite at jd, refraction off
    double magnitude = 100.0;
    bool currentPropagated = false;
    MoonPhaseFigures moon;

    GpsFixData gps;              // one snapshot for the whole paint
    bool tracking = false;

    // The pen an ellipse is outlined with when a step selects none: the one
    // the last step that chose a pen left selected.
    Pen pen{1, {0, 0, 0}};
};

// The (2 half + 1)-pixel square around a point.
void PixelSquare(DisplayList& list, Point centre, int32_t half, Colour colour);

// A flare mark's colour, orange to yellow with its brightness: g = 100 - 40 m
// limited to 1..255 (the magnitude must be a finite number).
Colour SkyFlareColour(double magnitude);

// Marks the flares of satellite `index` (already loaded by a paint) along
// its track, from 500 s before the frame's instant until 500 s after it or
// for as long as it stays up, at most 2 hours or 2000 steps. Returns the
// number of steps taken.
int ScanFlaresAlongTrack(SkyFrame& frame, int index);

void DrawSkyPanel(SkyFrame& frame);
void DrawSkyStars(SkyFrame& frame);
void DrawSkySatellites(SkyFrame& frame);
void DrawSkyGpsSatellites(SkyFrame& frame);

}  // namespace vantrek
