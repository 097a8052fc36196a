#include "data/downloaded_sets.hpp"

#include "orbit/catalog_loading.hpp"

namespace vantrek {

int readDownloadedSets(SatelliteCatalog& catalog, const std::string& answer) {
    return loadElementSetBuffer(catalog, answer.data(), static_cast<long>(answer.size())).loaded;
}

}  // namespace vantrek
