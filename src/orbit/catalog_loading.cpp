#include "orbit/catalog_loading.hpp"

#include <cstring>

#include "orbit/line_reader.hpp"
#include "orbit/omm_readers.hpp"
#include "orbit/two_line_format.hpp"

namespace vantrek {

namespace {

constexpr std::size_t kNameCapacity = 25;
constexpr std::size_t kElementLineCapacity = 80;

int loadTwoLineSets(SatelliteCatalog& catalog, const char* buffer, long length) {
    if (length / 185 > kCatalogCapacity) length = 74000;
    LineReader reader;
    startLines(reader, buffer, length);

    char name[kNameCapacity];
    char line1[kElementLineCapacity];
    char line2[kElementLineCapacity];
    for (int slot = 0; slot < kCatalogCapacity; ++slot) {
        if (!readLine(reader, name, sizeof name)) break;
        if (!readLine(reader, line1, sizeof line1)) break;
        if (!readLine(reader, line2, sizeof line2)) break;
        if (!parseElementSet(name, line1, line2, catalog.entries[slot])) break;
        ++catalog.count;
    }
    return catalog.count;
}

}  // namespace

ElementSetLoad loadElementSetBuffer(SatelliteCatalog& catalog, const char* buffer, long length) {
    catalog.count = 0;
    std::memset(catalog.selected, 0, sizeof catalog.selected);

    ElementSetLoad result;
    result.form = detectElementSetForm(buffer, length);
    if (result.form == ElementSetForm::TwoLine) {
        loadTwoLineSets(catalog, buffer, length);
    } else {
        if (length > kOmmFileMaxBytes) length = kOmmFileMaxBytes;
        OmmLoad load{catalog};
        if (result.form == ElementSetForm::OmmCsv) readOmmCsv(buffer, length, load);
        if (result.form == ElementSetForm::OmmJson) readOmmJson(buffer, length, load);
        if (result.form == ElementSetForm::OmmXml) readOmmXml(buffer, length, load);
        result.skipped = load.skipped;
    }

    for (int i = 0; i < catalog.count; ++i) catalog.selected[i] = 1;
    result.loaded = catalog.count;
    return result;
}

int loadElementSets(SatelliteCatalog& catalog, const char* buffer, long length) {
    return loadElementSetBuffer(catalog, buffer, length).loaded;
}

void loadWorkingElementSet(const SatelliteCatalog& catalog, int index, ElementSet& record) {
    if (index < 0 || index >= kCatalogCapacity) return;
    const ElementSet& entry = catalog.entries[index];
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
    parseElementSet("No satellite ",
                    "1 00000U 00000A   00000.00000000  .00000000  00000-0  00000-3 0  0000",
                    "2 00000  00.0000  00.0000 0000000 000.0000 000.0000 00.00000000000000",
                    catalog.entries[0]);
    catalog.count = 1;
    catalog.selected[0] = 1;
}

}  // namespace vantrek
