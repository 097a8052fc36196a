#include "ui/display_list.hpp"

#include <utility>

namespace vantrek {

namespace {

DrawCommand& append(DisplayList& list, DrawOp op) {
    DrawCommand& command = list.commands.emplace_back();
    command.op = op;
    command.target = list.target;
    return command;
}

}  // namespace

void FillRect(DisplayList& list, Rect rect, Brush brush) {
    DrawCommand& c = append(list, DrawOp::FillRect);
    c.rect = rect;
    c.brush = brush;
}

void DrawEllipse(DisplayList& list, Rect rect, Pen pen, Brush brush) {
    DrawCommand& c = append(list, DrawOp::Ellipse);
    c.rect = rect;
    c.pen = pen;
    c.brush = brush;
}

void DrawPolyline(DisplayList& list, std::vector<Point> points, Pen pen) {
    DrawCommand& c = append(list, DrawOp::Polyline);
    c.points = std::move(points);
    c.pen = pen;
}

void SetPixel(DisplayList& list, Point point, Colour colour) {
    SetPixels(list, {point}, colour);
}

void SetPixels(DisplayList& list, std::vector<Point> points, Colour colour) {
    if (points.empty()) return;
    DrawCommand& c = append(list, DrawOp::SetPixels);
    c.points = std::move(points);
    c.colour = colour;
}

void DrawText(DisplayList& list, Rect rect, std::string text, Colour colour, FontId font,
              uint32_t flags) {
    DrawCommand& c = append(list, DrawOp::Text);
    c.rect = rect;
    c.text = std::move(text);
    c.colour = colour;
    c.font = font;
    c.textFlags = flags;
}

void CopyBitmap(DisplayList& list, BitmapId bitmap, Point to, Point from, int32_t width,
                int32_t height) {
    DrawCommand& c = append(list, DrawOp::CopyBitmap);
    c.bitmap = bitmap;
    c.rect = {to.x, to.y, to.x + width, to.y + height};
    c.source = {from.x, from.y, from.x + width, from.y + height};
}

void StretchBitmap(DisplayList& list, BitmapId bitmap, Rect to, Rect from) {
    DrawCommand& c = append(list, DrawOp::StretchBitmap);
    c.bitmap = bitmap;
    c.rect = to;
    c.source = from;
}

void CopySurface(DisplayList& list, Surface from, Rect source, Point to) {
    DrawCommand& c = append(list, DrawOp::CopySurface);
    c.sourceSurface = from;
    c.source = source;
    c.rect = {to.x, to.y, to.x + (source.right - source.left), to.y + (source.bottom - source.top)};
}

void StretchSurface(DisplayList& list, Surface from, Rect source, Rect to) {
    DrawCommand& c = append(list, DrawOp::StretchSurface);
    c.sourceSurface = from;
    c.source = source;
    c.rect = to;
}

std::vector<const DrawCommand*> TextCommands(const DisplayList& list) {
    std::vector<const DrawCommand*> texts;
    for (const DrawCommand& c : list.commands)
        if (c.op == DrawOp::Text) texts.push_back(&c);
    return texts;
}

}  // namespace vantrek
