#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/message_sink.hpp"
#include "platform/program_folder.hpp"

namespace vantrek {

struct Colour {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
};

inline bool operator==(Colour a, Colour b) { return a.r == b.r && a.g == b.g && a.b == b.b; }
inline bool operator!=(Colour a, Colour b) { return !(a == b); }

// Pixels of this colour in a bitmap are left out when it is copied.
constexpr Colour kTransparentColour{249, 57, 198};

// A solid pen; width 0 means no outline at all.
struct Pen {
    int32_t width = 1;
    Colour colour;
};

// A solid brush; `hollow` means the inside is not filled.
struct Brush {
    Colour colour;
    bool hollow = false;
};

// The two fonts every view writes with.
enum class FontId : uint8_t {
    Small,  // 15 pixels, default weight: all ordinary text
    Large,  // 30 pixels, thin: the sky view's time and date
};

struct FontSpec {
    int32_t height;  // pixels
    int32_t weight;  // 0 is the default weight
};

FontSpec FontFor(FontId font);

// The eleven brushes, in creation order, named by colour.
enum class BrushId : uint8_t {
    Black,          // (0, 0, 0) night sky disc, panels
    Grey,           // (150, 150, 150)
    Red,            // (250, 0, 0) Pluto, the Sun comparison disc
    White,          // (255, 255, 255) stars
    DeepBlue,       // (0, 0, 180) Neptune, GPS signal bars
    ClockBlue,      // (100, 100, 250) clock box, Uranus
    Orange,         // (255, 100, 50) Mars, Jupiter
    Yellow,         // (255, 255, 25) Mercury, Saturn
    LightGrey,      // (200, 200, 200) Venus
    DaySky,         // (0, 0, 100) day sky disc
    SkyBackground,  // (50, 0, 50) sky view background
};
constexpr int kBrushCount = 11;

// The ten pens, in creation order.
enum class PenId : uint8_t {
    Panel,        // 1 (250, 250, 250) information panel rules
    Green,        // 1 (0, 255, 0) space view
    StarOutline,  // 1 (160, 160, 255)
    Red,          // 1 (250, 0, 0) sky, space and GPS status views
    BlueWide,     // 2 (0, 0, 200) space view
    Orange,       // 1 (255, 100, 0) space view
    Yellow,       // 1 (255, 255, 0) space view
    Grey,         // 1 (150, 150, 150) space view
    DaySky,       // 1 (0, 0, 100) day sky disc
    NightSkyRim,  // 2 (50, 0, 50) night sky disc
};
constexpr int kPenCount = 10;

Brush BrushFor(BrushId brush);
Pen PenFor(PenId pen);

// Every bitmap a view can copy from: the nine skins read from the program's
// folder, then the three carried inside the program.
enum class BitmapId : uint8_t {
    Night,           // 898 x 450 night side of the world map
    Day,             // 898 x 450 day side
    Iss,             // 15 x 15 mark of catalogue number 25544
    Sun,             // 31 x 31
    Moon,            // 31 x 31 the lit Moon
    MoonDark,        // 31 x 31 the dark Moon under the lit part
    Hst,             // loaded, drawn by no view
    Sat,             // 15 x 15 the current satellite
    NotSell,         // 15 x 15 any other satellite
    ObserverMarker,  // 13 x 13 the observer on the world map
    GpsIconFix,      // 14 x 14 GPS icon, first state
    GpsIconIdle,     // 14 x 14 GPS icon, second state
};
constexpr int kBitmapCount = 12;
constexpr int kSkinCount = 9;

struct SkinFile {
    BitmapId bitmap;
    const char* relativePath;    // below the program's folder
    const char* failureMessage;  // shown when the file cannot be read
};

// The skins in the order they are loaded (and their messages shown).
extern const SkinFile kSkinFiles[kSkinCount];

// Loads every skin from the program folder in table order through `load`
// (given the bitmap and the full path, true when it could read it); each one
// it could not read is reported with its message, error icon, no caption, and
// loading goes on. A program path the system could not tell ("Can't find
// Quorle program path!") or one without a folder ("Incorrect Quorle pragram
// path!") is reported once and no skin is tried.
// Returns the number of skins loaded.
int LoadSkinBitmaps(const ProgramFolder& folder,
                    const std::function<bool(BitmapId, const std::string&)>& load,
                    MessageSink& messages);

}  // namespace vantrek
