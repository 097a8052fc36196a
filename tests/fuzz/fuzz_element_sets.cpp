// Arbitrary bytes through the element-set loader and the two-line parser.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "fuzz_support.hpp"
#include "orbit/catalog_loading.hpp"
#include "orbit/two_line_format.hpp"

using namespace vantrek;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto terminatedName = [](const ElementSet& set) {
        return std::memchr(set.name, '\0', sizeof set.name) != nullptr;
    };
    auto catalog = std::make_unique<SatelliteCatalog>();
    loadPlaceholderElementSet(*catalog);
    catalog->current = 3;

    // The loader reads the buffer without a terminating NUL; an exact-size copy
    // lets AddressSanitizer see any read past its end.
    std::vector<char> buffer(data, data + size);
    const int count = loadElementSets(*catalog, buffer.data(), static_cast<long>(buffer.size()));
    require(count >= 0 && count <= kCatalogLimit);
    require(catalog->current == 3);
    // No set: the catalogue it had (the placeholder) stays.
    require(catalog->count == (count == 0 ? 1 : count));
    require(catalog->entries.size() == static_cast<std::size_t>(catalog->count));
    require(catalog->selected.size() >= static_cast<std::size_t>(std::max(400, catalog->count)));
    for (std::size_t i = 0; i < catalog->selected.size(); ++i) {
        require(catalog->selected[i] == (static_cast<int>(i) < catalog->count ? 1 : 0));
    }
    for (int i = 0; i < count; ++i) {
        const ElementSet& set = catalog->entries[static_cast<std::size_t>(i)];
        require(set.catalogNumber != 0);
        require(terminatedName(set));
        require(std::isfinite(set.epoch) && std::isfinite(set.meanMotion) &&
                std::isfinite(set.eccentricity) && std::isfinite(set.inclination) &&
                std::isfinite(set.meanAnomaly) && !std::isnan(set.bstar));
    }

    ElementSet working;
    loadWorkingElementSet(*catalog, count > 0 ? count - 1 : 0, working);
    require(terminatedName(working) && working.period == 0.0);

    // The same bytes as three NUL-terminated lines straight into the parser.
    std::vector<char> lines(data, data + size);
    lines.push_back('\0');
    const char* name = lines.data();
    const char* line1 = name + std::strlen(name);
    if (line1 < lines.data() + size) ++line1;
    const char* line2 = line1 + std::strlen(line1);
    if (line2 < lines.data() + size) ++line2;
    ElementSet parsed;
    parseElementSet(name, line1, line2, parsed);
    require(terminatedName(parsed) && std::strlen(parsed.name) <= 24);
    return 0;
}
