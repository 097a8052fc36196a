#include "ui/views/panel_lines.hpp"

namespace vantrek {

void PanelLines::at(int32_t lineTop, Colour colour, const std::string& text, FontId font) {
    top = lineTop;
    lastText = text;
    const Rect box{left, lineTop, right, lineTop + FontFor(font).height};
    DrawText(list, box, text, colour, font, TextSingleLine | TextVCenter);
}

void PanelLines::below(int32_t step, Colour colour, const std::string& text, FontId font) {
    at(top + step, colour, text, font);
}

}  // namespace vantrek
