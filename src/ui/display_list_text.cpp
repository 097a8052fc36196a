#include "ui/display_list_text.hpp"

#include <cstdio>

namespace vantrek {

namespace {

std::string box(Rect r) {
    char text[64];
    std::snprintf(text, sizeof text, "%d,%d,%d,%d", r.left, r.top, r.right, r.bottom);
    return text;
}

std::string rgb(Colour c) {
    char text[16];
    std::snprintf(text, sizeof text, "%d,%d,%d", c.r, c.g, c.b);
    return text;
}

}  // namespace

const char* BitmapName(BitmapId bitmap) {
    switch (bitmap) {
        case BitmapId::Night: return "night";
        case BitmapId::Day: return "day";
        case BitmapId::Iss: return "iss";
        case BitmapId::Sun: return "sun";
        case BitmapId::Moon: return "moon";
        case BitmapId::MoonDark: return "moondark";
        case BitmapId::Hst: return "hst";
        case BitmapId::Sat: return "sat";
        case BitmapId::NotSell: return "notsell";
        case BitmapId::ObserverMarker: return "observer";
        case BitmapId::GpsIconFix: return "gpsfix";
        case BitmapId::GpsIconIdle: return "gpsidle";
    }
    return "?";
}

const char* SurfaceName(Surface surface) {
    switch (surface) {
        case Surface::BackBuffer: return "backbuffer";
        case Surface::SignalMapSurface: return "signalmap";
        case Surface::StatusBar: return "statusbar";
        case Surface::WorkImage: return "workimage";
    }
    return "?";
}

std::string DescribeDrawCommand(const DrawCommand& c) {
    std::string line;
    switch (c.op) {
        case DrawOp::Text:
            line = "text\t" + box(c.rect) + "\t" + rgb(c.colour) + "\t" +
                   (c.font == FontId::Large ? "large" : "small") + "\t" + c.text;
            break;
        case DrawOp::CopyBitmap:
            line = "bitmap\t" + std::to_string(c.rect.left) + "," + std::to_string(c.rect.top) + "\t" +
                   BitmapName(c.bitmap);
            break;
        case DrawOp::StretchBitmap:
            line = "stretch\t" + box(c.rect) + "\t" + BitmapName(c.bitmap) + "\t" + box(c.source);
            break;
        case DrawOp::Ellipse: line = "ellipse\t" + box(c.rect) + "\t" + rgb(c.brush.colour); break;
        case DrawOp::FillRect: line = "fill\t" + box(c.rect) + "\t" + rgb(c.brush.colour); break;
        case DrawOp::SetPixels:
            line = "pixels\t" + rgb(c.colour) + "\t" + std::to_string(c.points.size());
            break;
        case DrawOp::Polyline:
            line = "polyline\t" + rgb(c.pen.colour) + "\t" + std::to_string(c.points.size());
            break;
        case DrawOp::CopySurface:
        case DrawOp::StretchSurface:
            line = std::string(c.op == DrawOp::CopySurface ? "copy\t" : "stretchsurface\t") + box(c.rect) +
                   "\t" + SurfaceName(c.sourceSurface) + "\t" + box(c.source);
            break;
    }
    if (c.target != Surface::BackBuffer) line += std::string("\ton ") + SurfaceName(c.target);
    return line;
}

}  // namespace vantrek
