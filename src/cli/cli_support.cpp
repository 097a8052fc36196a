#include "cli/cli_support.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "astro/constants.hpp"
#include "astro/julian_date.hpp"
#include "orbit/catalog_loading.hpp"
#include "ui/display_list_text.hpp"

namespace vantrek::cli {

bool readFileBytes(const std::string& path, long maxBytes, std::string& bytes) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    // In pieces, so that a small file costs little and none is read past the cap.
    constexpr std::size_t kPiece = 1024 * 1024;
    const std::size_t cap = maxBytes > 0 ? static_cast<std::size_t>(maxBytes) : 0;
    bytes.clear();
    while (bytes.size() < cap && file) {
        const std::size_t had = bytes.size();
        bytes.resize(had + std::min(kPiece, cap - had));
        file.read(&bytes[had], static_cast<std::streamsize>(bytes.size() - had));
        bytes.resize(had + static_cast<std::size_t>(file.gcount()));
    }
    return true;
}

bool loadElementFile(const std::string& path, SatelliteCatalog& catalog) {
    std::string bytes;
    if (!readFileBytes(path, kElementFileMaxBytes, bytes)) {
        std::fprintf(stderr, "vantrek-cli: cannot open %s\n", path.c_str());
        return false;
    }
    const ElementSetLoad load = loadElementSetBuffer(catalog, bytes.data(), static_cast<long>(bytes.size()));
    if (load.skipped > 0) {
        std::fprintf(stderr, "vantrek-cli: %d records skipped in %s\n", load.skipped, path.c_str());
    }
    if (load.beyondLimit > 0) {
        std::fprintf(stderr, "vantrek-cli: %d sets past the limit of %d not read from %s\n", load.beyondLimit,
                     kCatalogLimit, path.c_str());
    }
    return true;
}

bool loadElementFileWithSet(const std::string& path, int index, SatelliteCatalog& catalog) {
    if (!loadElementFile(path, catalog)) return false;
    if (index < catalog.count) return true;
    std::fprintf(stderr, "vantrek-cli: %s holds %d element sets; no index %d\n", path.c_str(), catalog.count, index);
    return false;
}

Observer SiteArguments::observer() const {
    Observer o;
    o.latitude = latitudeDeg * kDegree;
    o.longitude = longitudeDeg * kDegree;
    o.height = heightKm;
    return o;
}

int parseSiteOption(const char* arg, const char* value, SiteArguments& site) {
    bool ok = false;
    if (std::strcmp(arg, "--index") == 0) {
        char* end = nullptr;
        const long n = std::strtol(value, &end, 10);
        ok = end != value && *end == '\0' && n >= 0 && n < kCatalogLimit;
        if (ok) site.index = static_cast<int>(n);
    } else if (std::strcmp(arg, "--lat") == 0) {
        ok = parseNumber(value, site.latitudeDeg) && std::fabs(site.latitudeDeg) <= 90.0;
    } else if (std::strcmp(arg, "--lon") == 0) {
        ok = parseNumber(value, site.longitudeDeg) && std::fabs(site.longitudeDeg) <= 360.0;
    } else if (std::strcmp(arg, "--alt") == 0) {
        ok = parseNumber(value, site.heightKm) && std::fabs(site.heightKm) <= 100000.0;
    } else {
        return 0;
    }
    return ok ? 1 : -1;
}

bool parseNumber(const char* text, double& value) {
    char* end = nullptr;
    value = std::strtod(text, &end);
    return end != text && *end == '\0' && std::isfinite(value);
}

namespace {

bool twoDigits(const char* p, int& value) {
    if (p[0] < '0' || p[0] > '9' || p[1] < '0' || p[1] > '9') return false;
    value = (p[0] - '0') * 10 + (p[1] - '0');
    return true;
}

}  // namespace

bool parseUtcTime(const char* text, double& jd) {
    const size_t length = std::strlen(text);
    if (length < 19) return false;
    int year = 0;
    for (int i = 0; i < 4; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        year = year * 10 + (text[i] - '0');
    }
    int month, day, hour, minute, second;
    if (text[4] != '-' || !twoDigits(text + 5, month) || text[7] != '-' || !twoDigits(text + 8, day) ||
        text[10] != 'T' || !twoDigits(text + 11, hour) || text[13] != ':' || !twoDigits(text + 14, minute) ||
        text[16] != ':' || !twoDigits(text + 17, second)) {
        return false;
    }
    int millisecond = 0;
    if (length > 19) {
        if (text[19] != '.' || length == 20 || length > 23) return false;
        int scale = 100;
        for (size_t i = 20; i < length; ++i, scale /= 10) {
            if (text[i] < '0' || text[i] > '9') return false;
            millisecond += (text[i] - '0') * scale;
        }
    }
    if (month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 || second > 60) return false;
    jd = JulianDateFromCalendar(year, month, day, hour, minute, second, millisecond);
    return jd != kInvalidJulianDate;
}

std::string trimmedName(const ElementSet& set) {
    std::string name(set.name);
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.pop_back();
    return name;
}

void printDisplayList(const DisplayList& list) {
    std::string out;
    for (const DrawCommand& command : list.commands) {
        out += DescribeDrawCommand(command);
        out += '\n';
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
}

}  // namespace vantrek::cli
