#include "ui/views/gps_status_view.hpp"

#include <string>

#include "ui/text_format.hpp"

namespace vantrek {

namespace {

constexpr Colour kPageText{50, 250, 0};
constexpr Colour kPrnLabel{100, 100, 80};
constexpr Colour kUsedSnrLabel{250, 150, 150};

// The text column and its line boxes, pixels.
constexpr int32_t kColumnLeft = 10;
constexpr int32_t kColumnRight = 400;
constexpr int32_t kLineBox = 20;
constexpr int32_t kNextLine = 19;
constexpr int32_t kGap = 38;

constexpr int kGaugeSquares = 20;
constexpr int32_t kGaugeLeft = 220;
constexpr int32_t kGaugeSquare = 6;
constexpr int32_t kGaugePitch = 10;

// The signal chart's frame, pixels.
constexpr int32_t kFrameTop = 370;
constexpr int32_t kFrameBottom = 450;
constexpr int32_t kBarBase = 449;  // bottom of the bars, one pixel per dB-Hz above it

struct TextColumn {
    DisplayList& list;
    int32_t top;

    void write(const std::string& text) {
        DrawText(list, {kColumnLeft, top, kColumnRight, top + kLineBox}, text, kPageText, FontId::Small,
                 TextLeft | TextSingleLine);
    }
    void next(const std::string& text) {
        top += kNextLine;
        write(text);
    }
    void gap(const std::string& text) {
        top += kGap;
        write(text);
    }
    // The squares beside the line just written; the next line comes 6 pixels lower.
    void gauge(double value) {
        const int dark = GaugeDarkSquares(value);
        for (int i = 0; i < kGaugeSquares; ++i) {
            const int32_t x = kGaugeLeft + kGaugePitch * i;
            const int32_t y = top + kGaugeSquare;
            FillRect(list, {x, y, x + kGaugeSquare, y + kGaugeSquare},
                     BrushFor(i < dark ? BrushId::DeepBlue : BrushId::ClockBlue));
        }
        top += kGaugeSquare;
    }
};

const char* fixModeText(int32_t fixMode) {
    switch (fixMode) {
        case 1: return "Position not know.";
        case 2: return "2D mode";
        case 3: return "3D mode";
        default: return "";
    }
}

void drawFixText(TextColumn& column, const GpsFixData& fix) {
    std::string line;
    formatWide(line, "GPS time UTC %d-%d-%d  %d:%2.2d:%2.2d (%2.2d)", fix.utcYear,
               static_cast<int>(fix.utcMonth), static_cast<int>(fix.utcDay), fix.utcHour, fix.utcMinute,
               fix.utcSecond, fix.utcHundredths);
    column.next(line);
    column.next(fixModeText(fix.fixMode));
    const bool fixed = fix.fixMode >= 2;
    if (fixed) {
        formatWide(line, "Sat. in view:%d,   sat. in use: %d", fix.satellitesInView, fix.satellitesUsed);
    } else {
        line = "Sat. in view: --,   sat. in use: --";
    }
    column.next(line);
    column.next("Position:");
    if (fixed) {
        formatWide(line, "lat(N): %3.5f°     lon(E): %3.5f°    Altitude: %3.1fm", fix.latitudeDeg,
                   fix.longitudeDeg, fix.altitudeM);
    } else {
        line = "lat(N):--°,   lon(E):--°   Altitude: --m";
    }
    column.next(line);

    if (fixed) {
        formatWide(line, "Horisontal precision (HDOP): %2.1fm", fix.hdop);
    } else {
        line = "Horisontal precision: --m";
    }
    column.gap(line);
    column.gauge(fix.hdop);
    if (fixed) {
        formatWide(line, "Vertical precision (VDOP): %2.1fm", fix.vdop);
    } else {
        line = "Vertical precision (VDOP): --m";
    }
    column.next(line);
    column.gauge(fix.vdop);
    if (fixed) {
        formatWide(line, "Precision (PDOP): %2.1fm ", fix.pdop);
    } else {
        line = "PDOP: --m";
    }
    column.next(line);
    column.gauge(fix.pdop);

    if (fixed) {
        formatWide(line, "Speed: %4.2fkm/h  Azymuth:%3.1f°", fix.speedKmh, fix.courseDeg);
    } else {
        line = "Speed: --km/h";
    }
    column.gap(line);
    if (fixed) {
        formatWide(line, "SGP89 difference %3.1fm     station %d", fix.geoidSeparationM,
                   fix.referenceStation);
    } else {
        line = "SGP89 difference: --m";
    }
    column.next(line);
}

bool isUsed(const GpsFixData& fix, uint16_t prn) {
    for (int k = 0; k < kGpsSlotCount; ++k)
        if (fix.usedPrn[k] == static_cast<int32_t>(prn)) return true;
    return false;
}

// One frame per in-view slot, whatever count the receiver reported. The label
// colour carries over from slot to slot, as the page has one text colour.
void drawSignalChart(DisplayList& list, const GpsFixData& fix) {
    Colour text = kPageText;
    std::string label;
    for (int s = 0; s < kGpsSlotCount; ++s) {
        const int32_t x = 30 + 30 * s;  // the slot's right edge
        FillRect(list, {x - 21, kFrameTop, x + 1, kFrameBottom}, BrushFor(BrushId::White));
        FillRect(list, {x - 20, kFrameTop + 1, x, kFrameBottom - 1}, BrushFor(BrushId::Black));
        const uint16_t prn = fix.prn[s];
        if (prn == 0) {
            DrawText(list, {x - 20, kFrameTop + 1, x, kFrameBottom - 1}, "--", text, FontId::Small,
                     TextCenter | TextSingleLine);
            continue;
        }
        const bool used = isUsed(fix, prn);
        text = kPrnLabel;
        formatWide(label, "%2d", static_cast<int>(prn));
        DrawText(list, {x - 21, 454, x + 1, 469}, label, text, FontId::Small, TextCenter | TextSingleLine);
        const int32_t snr = fix.snrDb[s];
        if (snr > 0) {
            const int32_t barTop = kBarBase - snr;
            FillRect(list, {x - 20, barTop, x, kBarBase},
                     BrushFor(used ? BrushId::DeepBlue : BrushId::ClockBlue));
            if (used) text = kUsedSnrLabel;
            formatWide(label, "%2d", static_cast<int>(snr));
            DrawText(list, {x - 20, barTop, x, barTop + 15}, label, text, FontId::Small,
                     TextCenter | TextSingleLine);
        }
    }
}

}  // namespace

int GaugeDarkSquares(double value) {
    int dark = 0;
    while (dark < kGaugeSquares && value > dark * dark * 0.125) ++dark;
    return dark;
}

void PaintGpsStatus(const AppState& state, DisplayList& list, Rect client, const LocalClockTime& systemUtc) {
    FillRect(list, client, BrushFor(BrushId::Black));
    const GpsFixData fix = SnapshotGpsFix(state.gps);
    const bool tracking = state.gps.trackingEnabled;

    TextColumn column{list, 52};
    std::string line;
    formatWide(line, "SYS time UTC %d-%d-%d  %d:%2.2d:%2.2d", systemUtc.year, systemUtc.month, systemUtc.day,
               systemUtc.hour, systemUtc.minute, systemUtc.second);
    column.write(line);
    if (!tracking || fix.fixMode == 0) {
        column.next("GPS not activated.   ");
    } else {
        drawFixText(column, fix);
    }
    if (tracking) drawSignalChart(list, fix);
}

}  // namespace vantrek
