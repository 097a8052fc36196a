#include "ui/status_bar.hpp"

#include "astro/constants.hpp"
#include "ui/text_format.hpp"

namespace vantrek {

namespace {

constexpr Colour kStatusText{0, 0, 0};
constexpr uint32_t kLineFlags = TextSingleLine | TextVCenter;
// The link states start after the position text and end left of the GPS icon,
// or left of the GPS fix text while that is shown.
constexpr int32_t kStationTextLeft = 820;
constexpr int32_t kGpsTextWidth = 160;

}  // namespace

BitmapId StatusBarGpsIcon(int32_t fixMode, int16_t& tickCounter) {
    if (fixMode <= 0) return BitmapId::GpsIconIdle;
    if (tickCounter < 2) return BitmapId::GpsIconFix;
    if (fixMode == 1 && tickCounter == 2) tickCounter = 0;
    return BitmapId::GpsIconIdle;
}

void DrawStatusBar(DisplayList& list, Rect client, const StatusBarFacts& facts,
                   int16_t& tickCounter) {
    const Surface previous = list.target;
    list.target = Surface::StatusBar;
    Rect box = client;
    box.top += 1;

    CopyBitmap(list, StatusBarGpsIcon(facts.fixMode, tickCounter), {box.right - 40, box.top + 5},
               {0, 0}, 14, 14);

    std::string text;
    formatWide(text, "File: %s  Nr of satellites %d", facts.fileDisplayName.c_str(), facts.count);
    Rect line = box;
    line.right = box.right - 150;
    DrawText(list, line, text, kStatusText, FontId::Small, kLineFlags);

    line.left += 230;
    DrawText(list, line, facts.refraction == 1 ? "Refraction ON" : "Refraction OFF", kStatusText,
             FontId::Small, kLineFlags);

    line.left += 90;
    DrawText(list, line, facts.simpleMode ? "Simple mode ON" : "Simple mode OFF", kStatusText,
             FontId::Small, kLineFlags);

    // The longitude is labelled south whatever its sign, as it always has been.
    formatWide(text, "Position Lat %4.5f°N   Lon  %4.5f°S ", facts.latitude / kDegree,
               facts.longitude / kDegree);
    line.left += 200;
    line.right = box.right - 50;
    DrawText(list, line, text, kStatusText, FontId::Small, kLineFlags);

    if (!facts.stationText.empty()) {
        const int32_t right = box.right - 50 - (facts.trackingEnabled ? kGpsTextWidth : 0);
        const Rect station{box.left + kStationTextLeft, box.top, right, box.bottom};
        if (station.right > station.left)
            DrawText(list, station, facts.stationText, kStatusText, FontId::Small, kLineFlags | TextRight);
    }

    if (facts.trackingEnabled) {
        const Rect gps{300, box.top, box.right - 50, box.bottom};
        DrawText(list, gps, facts.fixQuality != 0 ? "GPS position fixed" : "GPS position not fixed",
                 kStatusText, FontId::Small, kLineFlags | TextRight);
    }
    list.target = previous;
}

}  // namespace vantrek
