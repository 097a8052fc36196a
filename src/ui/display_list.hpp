#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "astro/projections.hpp"
#include "ui/drawing_resources.hpp"

namespace vantrek {

// A pixel of a surface, the same record the projections produce.
using Point = PixelPoint;

// A box in pixels; right and bottom are exclusive, as in the window system.
struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

// The back buffer and the signal map are at least this large, and as large
// as the window's client area when that is larger.
constexpr int32_t kSurfaceWidth = 1800;
constexpr int32_t kSurfaceHeight = 900;

// Where a command draws, or where a copy reads from.
enum class Surface : uint8_t {
    BackBuffer,        // every view draws here
    SignalMapSurface,  // the same size; the GPS signal map accumulates here
    StatusBar,         // the status bar's own client area
    WorkImage,         // 900 x 450, the map view composes day and night here
};

// The map view's work image, composed at this size and stretched onto the map.
constexpr int32_t kWorkImageWidth = 900;
constexpr int32_t kWorkImageHeight = 450;

enum class DrawOp : uint8_t {
    FillRect,      // rect filled with the brush, no outline
    Ellipse,       // ellipse inscribed in rect: outline with the pen, inside with the brush
    Polyline,      // points joined by the pen
    SetPixels,     // each of points set to colour
    Text,          // text in rect with font, colour and text flags
    CopyBitmap,    // bitmap: source box copied to rect's corner, transparent colour skipped
    StretchBitmap, // bitmap: source box stretched onto rect, transparent colour skipped
    CopySurface,   // sourceSurface: source box copied to rect's corner
    StretchSurface,// sourceSurface: source box stretched onto rect
};

// Text placement, after the window system's DrawText flags.
enum TextFlags : uint32_t {
    TextLeft = 0,
    TextCenter = 1u << 0,
    TextRight = 1u << 1,
    TextVCenter = 1u << 2,
    TextBottom = 1u << 3,
    TextSingleLine = 1u << 4,
    TextWordBreak = 1u << 5,
};

// One drawing command. Only the fields its op names are meaningful.
struct DrawCommand {
    DrawOp op = DrawOp::FillRect;
    Surface target = Surface::BackBuffer;
    Rect rect;
    Rect source;
    Pen pen;
    Brush brush;
    Colour colour;                // pixels and text
    FontId font = FontId::Small;
    uint32_t textFlags = 0;
    bool opaqueText = false;      // text drawn on `background` instead of transparently
    Colour background;
    BitmapId bitmap = BitmapId::Night;
    Surface sourceSurface = Surface::BackBuffer;
    std::vector<Point> points;
    std::string text;             // UTF-8
};

// What a view or the status bar asks to be drawn, in order.
struct DisplayList {
    std::vector<DrawCommand> commands;
    Surface target = Surface::BackBuffer;  // target of the commands appended next
    // Size of the back buffer and the signal map the list is replayed onto;
    // PixelLine emits no pixel beyond it.
    int32_t surfaceWidth = kSurfaceWidth;
    int32_t surfaceHeight = kSurfaceHeight;
};

void FillRect(DisplayList& list, Rect rect, Brush brush);
void DrawEllipse(DisplayList& list, Rect rect, Pen pen, Brush brush);
void DrawPolyline(DisplayList& list, std::vector<Point> points, Pen pen);
void SetPixel(DisplayList& list, Point point, Colour colour);
void SetPixels(DisplayList& list, std::vector<Point> points, Colour colour);
void DrawText(DisplayList& list, Rect rect, std::string text, Colour colour, FontId font,
              uint32_t flags);
// Copies a width x height block of `bitmap` from `from` to `to`, leaving out
// pixels of the transparent colour.
void CopyBitmap(DisplayList& list, BitmapId bitmap, Point to, Point from, int32_t width,
                int32_t height);
void StretchBitmap(DisplayList& list, BitmapId bitmap, Rect to, Rect from);
void CopySurface(DisplayList& list, Surface from, Rect source, Point to);
void StretchSurface(DisplayList& list, Surface from, Rect source, Rect to);

// The commands of `list` that draw text, for tests and for finding a line.
std::vector<const DrawCommand*> TextCommands(const DisplayList& list);

}  // namespace vantrek
