#pragma once

#include "ui/display_list.hpp"

namespace vantrek {

// Sets the pixels from `from` towards `to` in n = max(|dx|, |dy|) steps:
// pixel i is from + trunc(i * d / n) for i = 0 .. n - 1, so the end point is
// not set and a line of length 0 sets nothing. Only the pixels that fall on
// the list's surface (surfaceWidth x surfaceHeight) are appended, so a far end
// point costs no more than the part of the line that can be seen.
void PixelLine(DisplayList& list, Point from, Point to, Colour colour);

}  // namespace vantrek
