#include "observe/pass_export.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

#include "astro/constants.hpp"
#include "observe/pass_detail_cells.hpp"
#include "platform/replace_file.hpp"

namespace vantrek {

namespace {

constexpr double kSecondsPerDay = 86400.0;
constexpr size_t kLongestCalendarLine = 75;  // octets, without the CRLF

std::string fixed(double value, const char* format) {
    char text[48];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// The 16 points of the compass, for a calendar reader.
const char* compassPoint(double azimuth) {
    static const char* const kPoints[16] = {"N", "NNE", "NE", "ENE", "E", "ESE", "SE", "SSE",
                                            "S", "SSW", "SW", "WSW", "W", "WNW", "NW", "NNW"};
    const double sixteenths = std::fmod(azimuth / kTwoPi * 16.0 + 0.5, 16.0);
    const int point = std::isfinite(sixteenths) ? static_cast<int>(std::max(0.0, sixteenths)) % 16 : 0;
    return kPoints[point];
}

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

// "20240320T123456Z"
std::string calendarTime(double jd) {
    std::string text = UtcSecondText(jd);  // 2024-03-20T12:34:56Z
    text.erase(std::remove(text.begin(), text.end(), '-'), text.end());
    text.erase(std::remove(text.begin(), text.end(), ':'), text.end());
    return text;
}

// "12:34:56" of a UTC instant.
std::string clockTime(double jd) { return UtcSecondText(jd).substr(11, 8); }

// Text values escape backslash, semicolon, comma and line ends.
std::string calendarText(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        if (c == '\\' || c == ';' || c == ',') {
            escaped += '\\';
            escaped += c;
        } else if (c == '\n') {
            escaped += "\\n";
        } else if (c != '\r') {
            escaped += c;
        }
    }
    return escaped;
}

// A name from an element-set file as calendar text: bytes that are no UTF-8
// character become "?", control characters blanks.
std::string calendarName(const std::string& name) {
    std::string clean;
    for (size_t i = 0; i < name.size();) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        const size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        bool whole = n > 0 && i + n <= name.size();
        for (size_t k = 1; whole && k < n; ++k) whole = (static_cast<unsigned char>(name[i + k]) & 0xC0) == 0x80;
        if (!whole) {
            clean += '?';
            ++i;
            continue;
        }
        if (n == 1 && (c < 0x20 || c == 0x7F)) {
            clean += ' ';
        } else {
            clean.append(name, i, n);
        }
        i += n;
    }
    return clean;
}

// A content line, folded: at most 75 octets a line, each continuation line
// starting with a blank, and never between the bytes of one UTF-8 character.
void addLine(std::string& out, const std::string& line) {
    size_t start = 0;
    size_t room = kLongestCalendarLine;
    while (line.size() - start > room) {
        size_t cut = start + room;
        while (cut > start && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
        out.append(line, start, cut - start);
        out += "\r\n ";
        start = cut;
        room = kLongestCalendarLine - 1;  // the leading blank counts
    }
    out.append(line, start, std::string::npos);
    out += "\r\n";
}

std::string description(const PassDetails& p) {
    std::string text = (p.upAtStart ? "Up at the start " : "Rises ") + clockTime(p.aos) + " UTC at " +
                       fixed(AzimuthDegrees(p.aosAzimuth, 0), "%.0f") + "\u00b0 (" + compassPoint(p.aosAzimuth) +
                       "), highest " + fixed(p.maxElevation / kDegree, "%.1f") + "\u00b0 at " + clockTime(p.tca) +
                       " UTC in the " + compassPoint(p.tcaAzimuth) + " (" + fixed(p.tcaRange, "%.0f") +
                       " km), sets " + clockTime(p.los) + " UTC at " + fixed(AzimuthDegrees(p.losAzimuth, 0), "%.0f") +
                       "\u00b0 (" + compassPoint(p.losAzimuth) + ").";
    if (p.visible) {
        text += "\nVisible " + clockTime(p.visibleStart) + " to " + clockTime(p.visibleEnd) + " UTC";
        text += p.brightestMagnitude < 90.0 ? ", magnitude " + fixed(p.brightestMagnitude, "%.1f") + "." : ".";
    } else {
        text += "\nNot visible to the eye.";
    }
    return text;
}

}  // namespace

PassFileFormat PassFileFormatFor(const std::string& path) {
    std::string end = path.size() >= 4 ? path.substr(path.size() - 4) : path;
    for (char& c : end) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return end == ".ics" ? PassFileFormat::ICalendar : PassFileFormat::Csv;
}

std::vector<const PassDetails*> PassesToExport(const std::vector<PassDetails>& details) {
    std::vector<const PassDetails*> passes;
    for (const PassDetails& d : details)
        if (d.valid) passes.push_back(&d);
    std::stable_sort(passes.begin(), passes.end(),
                     [](const PassDetails* a, const PassDetails* b) { return a->aos < b->aos; });
    // One pass found from two rows gives the same rise to well within a second.
    const auto same = [](const PassDetails* a, const PassDetails* b) {
        return a->catalogNumber == b->catalogNumber && a->name == b->name &&
               std::fabs(a->aos - b->aos) < 1.0 / kSecondsPerDay;
    };
    std::vector<const PassDetails*> unique;
    for (const PassDetails* p : passes) {
        if (std::none_of(unique.begin(), unique.end(), [&](const PassDetails* u) { return same(u, p); }))
            unique.push_back(p);
    }
    return unique;
}

std::string PassesCsv(const std::vector<PassDetails>& details) {
    std::string out =
        "satellite,catalogue_number,aos_utc,tca_utc,los_utc,aos_azimuth_deg,los_azimuth_deg,"
        "max_elevation_deg,visible_start_utc,visible_end_utc,magnitude,up_at_start\n";
    for (const PassDetails* p : PassesToExport(details)) {
        const bool bright = p->visible && p->brightestMagnitude < 90.0;
        out += csvField(p->name) + "," + std::to_string(p->catalogNumber) + "," + UtcSecondText(p->aos) + "," +
               UtcSecondText(p->tca) + "," + UtcSecondText(p->los) + "," +
               fixed(AzimuthDegrees(p->aosAzimuth, 2), "%.2f") + "," + fixed(AzimuthDegrees(p->losAzimuth, 2), "%.2f") +
               "," + fixed(p->maxElevation / kDegree, "%.2f") + "," +
               (p->visible ? UtcSecondText(p->visibleStart) : "") + "," +
               (p->visible ? UtcSecondText(p->visibleEnd) : "") + "," +
               (bright ? fixed(p->brightestMagnitude, "%.1f") : "") + "," + (p->upAtStart ? "1" : "0") + "\n";
    }
    return out;
}

std::string PassesICalendar(const std::vector<PassDetails>& details, double stamp) {
    std::string out;
    addLine(out, "BEGIN:VCALENDAR");
    addLine(out, "VERSION:2.0");
    addLine(out, "PRODID:-//Vantrek//Vantrek passes//EN");
    addLine(out, "CALSCALE:GREGORIAN");
    addLine(out, "METHOD:PUBLISH");
    for (const PassDetails* p : PassesToExport(details)) {
        addLine(out, "BEGIN:VEVENT");
        addLine(out, "UID:" + std::to_string(p->catalogNumber) + "-" + calendarTime(p->aos) + "@vantrek");
        addLine(out, "DTSTAMP:" + calendarTime(stamp));
        addLine(out, "DTSTART:" + calendarTime(p->aos));
        addLine(out, "DTEND:" + calendarTime(p->los));
        addLine(out, "SUMMARY:" + calendarText(calendarName(p->name) + " max " + fixed(p->maxElevation / kDegree, "%.0f") +
                                               "\u00b0"));
        addLine(out, "DESCRIPTION:" + calendarText(description(*p)));
        addLine(out, "TRANSP:TRANSPARENT");
        addLine(out, "END:VEVENT");
    }
    addLine(out, "END:VCALENDAR");
    return out;
}

bool SavePassesFile(const std::string& path, const std::vector<PassDetails>& details, double stamp) {
    const std::string text = PassFileFormatFor(path) == PassFileFormat::ICalendar
                                 ? PassesICalendar(details, stamp)
                                 : PassesCsv(details);
    return ReplaceFile(path, text);
}

}  // namespace vantrek
