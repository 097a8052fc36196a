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
    require(catalog.count >= 0 && catalog.count <= kCatalogCapacity);
    for (int i = 0; i < catalog.count; ++i) {
        const ElementSet& set = catalog.entries[i];
        require(set.catalogNumber > 0);
        require(std::memchr(set.name, '\0', sizeof set.name) != nullptr);
        require(set.eccentricity >= 0.0 && set.eccentricity < 1.0);
        require(set.meanMotion > 0.0 && std::isfinite(set.meanMotion));
        require(set.inclination >= 0.0 && set.inclination <= 3.15);
        require(std::isfinite(set.epoch) && set.epoch >= 1001.0 && set.epoch < 100000.0);
        require(std::isfinite(set.raan) && std::isfinite(set.argPerigee) && std::isfinite(set.meanAnomaly) &&
                std::isfinite(set.bstar) && std::isfinite(set.meanMotionDot));
    }
}

inline void fuzzOmmReader(const uint8_t* data, size_t size, void (*reader)(const char*, long, OmmLoad&)) {
    static auto catalog = std::make_unique<SatelliteCatalog>();
    // An exact-size copy: AddressSanitizer catches any read past the last byte.
    std::vector<char> bytes(data, data + size);
    catalog->count = 0;
    OmmLoad load{*catalog};
    reader(bytes.data(), static_cast<long>(bytes.size()), load);
    require(load.skipped >= 0);
    requireUsableSets(*catalog);

    const ElementSetLoad result = loadElementSetBuffer(*catalog, bytes.data(), static_cast<long>(bytes.size()));
    require(result.loaded == catalog->count && result.skipped >= 0);
    if (result.form != ElementSetForm::TwoLine) requireUsableSets(*catalog);
}

}  // namespace vantrek
