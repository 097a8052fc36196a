#include "orbit/catalog_loading.hpp"

#include <algorithm>
#include <cstring>
#include <vector>

#include "orbit/line_reader.hpp"
#include "orbit/omm_readers.hpp"
#include "orbit/two_line_format.hpp"

namespace vantrek {

namespace {

constexpr std::size_t kNameCapacity = 25;
constexpr std::size_t kElementLineCapacity = 80;

// Reads sets until the first missing line or bad set; those past the limit
// are parsed only to be counted.
int readTwoLineSets(const char* buffer, long length, std::vector<ElementSet>& sets) {
    LineReader reader;
    startLines(reader, buffer, length);
    // Two element lines take 140 bytes: room for every set of a well-formed file.
    sets.reserve(static_cast<std::size_t>(std::min<long>(length / 140 + 1, kCatalogLimit)));

    char name[kNameCapacity];
    char line1[kElementLineCapacity];
    char line2[kElementLineCapacity];
    ElementSet beyond;
    int beyondLimit = 0;
    for (;;) {
        if (!readLine(reader, name, sizeof name)) break;
        if (!readLine(reader, line1, sizeof line1)) break;
        if (!readLine(reader, line2, sizeof line2)) break;
        const bool full = sets.size() >= static_cast<std::size_t>(kCatalogLimit);
        ElementSet& set = full ? beyond : sets.emplace_back();
        if (!parseElementSet(name, line1, line2, set)) {
            if (!full) sets.pop_back();
            break;
        }
        if (full) ++beyondLimit;
    }
    return beyondLimit;
}

}  // namespace

ElementSetLoad loadElementSetBuffer(SatelliteCatalog& catalog, const char* buffer, long length) {
    if (buffer == nullptr || length < 0) length = 0;
    length = std::min(length, kElementFileMaxBytes);

    ElementSetLoad result;
    std::vector<ElementSet> sets;
    result.form = detectElementSetForm(buffer, length);
    if (result.form == ElementSetForm::TwoLine) {
        result.beyondLimit = readTwoLineSets(buffer, length, sets);
    } else {
        OmmLoad load{sets};
        if (result.form == ElementSetForm::OmmCsv) readOmmCsv(buffer, length, load);
        if (result.form == ElementSetForm::OmmJson) readOmmJson(buffer, length, load);
        if (result.form == ElementSetForm::OmmXml) readOmmXml(buffer, length, load);
        result.skipped = load.skipped;
        result.beyondLimit = load.beyondLimit;
    }
    result.loaded = static_cast<int>(sets.size());
    if (result.loaded == 0) return result;

    sets.shrink_to_fit();
    catalog.entries = std::move(sets);
    catalog.count = result.loaded;
    catalog.selected.assign(static_cast<std::size_t>(std::max(result.loaded, kSelectionMinimumFlags)), 0);
    std::fill_n(catalog.selected.begin(), result.loaded, 1);
    return result;
}

int loadElementSets(SatelliteCatalog& catalog, const char* buffer, long length) {
    return loadElementSetBuffer(catalog, buffer, length).loaded;
}

void resizeCatalog(SatelliteCatalog& catalog, int count) {
    count = std::clamp(count, 0, kCatalogLimit);
    catalog.entries.resize(static_cast<std::size_t>(count));
    catalog.count = count;
    const std::size_t flags = static_cast<std::size_t>(std::max(count, kSelectionMinimumFlags));
    if (catalog.selected.size() < flags) catalog.selected.resize(flags, 0);
}

void loadWorkingElementSet(const SatelliteCatalog& catalog, int index, ElementSet& record) {
    if (index < 0 || static_cast<std::size_t>(index) >= catalog.entries.size()) return;
    const ElementSet& entry = catalog.entries[static_cast<std::size_t>(index)];
    record.epoch = entry.epoch;
    record.meanMotionDot = entry.meanMotionDot;
    record.bstar = entry.bstar;
    record.inclination = entry.inclination;
    record.raan = entry.raan;
    record.eccentricity = entry.eccentricity;
    record.argPerigee = entry.argPerigee;
    record.meanAnomaly = entry.meanAnomaly;
    record.meanMotion = entry.meanMotion;
    record.catalogNumber = entry.catalogNumber;
    record.revolutionNumber = entry.revolutionNumber;
    record.elementNumber = entry.elementNumber;
    std::memcpy(record.name, entry.name, sizeof record.name);
    record.period = 0.0;
}

void loadPlaceholderElementSet(SatelliteCatalog& catalog) {
    resizeCatalog(catalog, 1);
    parseElementSet("No satellite ",
                    "1 00000U 00000A   00000.00000000  .00000000  00000-0  00000-3 0  0000",
                    "2 00000  00.0000  00.0000 0000000 000.0000 000.0000 00.00000000000000",
                    catalog.entries[0]);
    catalog.selected[0] = 1;
}

}  // namespace vantrek
