#pragma once

// Shared by the orbit mean-elements fuzz targets: arbitrary bytes through one
// reader and through the loader, and what every loaded set must satisfy.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "fuzz_support.hpp"
#include "orbit/catalog_loading.hpp"
#include "orbit/omm_readers.hpp"

namespace vantrek {

inline void requireUsableSets(const SatelliteCatalog& catalog) {
    require(catalog.count >= 0 && catalog.count <= kCatalogLimit);
    require(catalog.entries.size() == static_cast<std::size_t>(catalog.count));
    for (int i = 0; i < catalog.count; ++i) {
        const ElementSet& set = catalog.entries[i];
        require(set.catalogNumber > 0);
        require(std::memchr(set.name, '\0', sizeof set.name) != nullptr);
        require(set.eccentricity >= 0.0 && set.eccentricity < 1.0);
        require(set.meanMotion > 0.0 && std::isfinite(set.meanMotion));
        require(set.inclination >= 0.0 && set.inclination <= 3.15);
        // YYDDD.DDDDDDDD: the year 2000's epochs are 00DDD, below 1000; the day is 1..366.
        require(std::isfinite(set.epoch) && set.epoch >= 1.0 && set.epoch < 100000.0 &&
                std::fmod(set.epoch, 1000.0) >= 1.0 && std::fmod(set.epoch, 1000.0) < 367.0);
        require(std::isfinite(set.raan) && std::isfinite(set.argPerigee) && std::isfinite(set.meanAnomaly) &&
                std::isfinite(set.bstar) && std::isfinite(set.meanMotionDot));
    }
}

inline void fuzzOmmReader(const uint8_t* data, size_t size, void (*reader)(const char*, long, OmmLoad&)) {
    // An exact-size copy: AddressSanitizer catches any read past the last byte.
    std::vector<char> bytes(data, data + size);
    std::vector<ElementSet> sets;
    OmmLoad load{sets};
    reader(bytes.data(), static_cast<long>(bytes.size()), load);
    require(load.skipped >= 0 && load.beyondLimit >= 0);
    require(sets.size() <= static_cast<std::size_t>(kCatalogLimit));
    auto catalog = std::make_unique<SatelliteCatalog>();
    catalog->entries = sets;
    catalog->count = static_cast<int32_t>(sets.size());
    requireUsableSets(*catalog);

    // The loader keeps the catalogue it had when the bytes hold no set.
    const ElementSetLoad result = loadElementSetBuffer(*catalog, bytes.data(), static_cast<long>(bytes.size()));
    require(result.skipped >= 0 && result.beyondLimit >= 0);
    require(result.loaded == 0 || result.loaded == catalog->count);
    if (result.form != ElementSetForm::TwoLine) requireUsableSets(*catalog);
}

}  // namespace vantrek
