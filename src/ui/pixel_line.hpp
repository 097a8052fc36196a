#pragma once

#include "ui/display_list.hpp"

namespace vantrek {

// Sets the pixels from `from` towards `to` in n = max(|dx|, |dy|) steps:
// pixel i is from + trunc(i * d / n) for i = 0 .. n - 1, so the end point is
// not set and a line of length 0 sets nothing. Only the pixels that fall on
// the list's surface (surfaceWidth x surfaceHeight) are appended, so a far end
// point costs no more than the part of the line that can be seen.
void PixelLine(DisplayList& list, Point from, Point to, Colour colour);

// The same pixels appended to `points`, for a caller that gathers many lines
// of one colour into one command.
void AppendPixelLine(std::vector<Point>& points, Point from, Point to, int32_t surfaceWidth,
                     int32_t surfaceHeight);

// Lines of one colour after another gathered into one SetPixels command: a
// ground track of 400 segments costs one command, not 400. A change of colour
// (or FlushPixelStroke) appends what was gathered, so the order of colours is
// kept.
struct PixelStroke {
    Colour colour;
    std::vector<Point> points;
};
void StrokePixelLine(DisplayList& list, PixelStroke& stroke, Point from, Point to, Colour colour);
void StrokePixel(DisplayList& list, PixelStroke& stroke, Point point, Colour colour);
void FlushPixelStroke(DisplayList& list, PixelStroke& stroke);

}  // namespace vantrek
