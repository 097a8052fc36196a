#pragma once

#include "astro/projections.hpp"

namespace vantrek {

// Orientation of the sky chart and the space view, m[row][column]. The sky
// chart reads the upper-left 2 x 2 block; the space view reads the rotation
// and takes m[3][3] as its zoom factor.
struct ViewMatrix {
    double m[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
};

// A pointer position in client pixels.
using MousePoint = PixelPoint;

// Back to the identity, zoom 1.
void ResetViewMatrix(ViewMatrix& view);

// Turns rows 0 and 2 by 3 degrees in the direction x moved since `reference`,
// then rows 1 and 2 by 3 degrees in the direction y moved; `reference` becomes
// `point`.
void DragRotate(ViewMatrix& view, MousePoint& reference, MousePoint point);

// Zoom factor m[3][3] times or divided by 1.1, kept within 1e-7 .. 10000.
void ZoomIn(ViewMatrix& view);
void ZoomOut(ViewMatrix& view);

// Turns the sky chart's 2 x 2 block by 3 degrees.
void RollLeft(ViewMatrix& view);
void RollRight(ViewMatrix& view);

// The sky chart turned so that the direction of travel `courseDeg` (degrees
// from north) points up, on the chart of either north-south setting
// `snToNs`; used by the auto compass. A course that is not a finite number
// leaves the matrix alone.
void SetCompassHeading(ViewMatrix& view, double courseDeg, int32_t snToNs);

}  // namespace vantrek
