#pragma once

#include <cstdint>
#include <string>

#include "ui/display_list.hpp"

namespace vantrek {

// Lines of text written down a panel: each one single-line and vertically
// centred in a box as high as its font (15 or 30 pixels), placed at a top
// given outright or a number of pixels below the previous line's top.
struct PanelLines {
    PanelLines(DisplayList& target, int32_t leftEdge, int32_t rightEdge)
        : list(target), left(leftEdge), right(rightEdge) {}

    DisplayList& list;
    int32_t left = 0;
    int32_t right = 0;
    int32_t top = 0;         // top of the line written last
    std::string lastText;    // and its text

    // A line with its top at `lineTop`.
    void at(int32_t lineTop, Colour colour, const std::string& text, FontId font = FontId::Small);
    // A line `step` pixels below the previous line's top.
    void below(int32_t step, Colour colour, const std::string& text, FontId font = FontId::Small);
};

}  // namespace vantrek
