#include "data/downloaded_sets.hpp"

#include "orbit/catalog_loading.hpp"

namespace vantrek {

int readDownloadedSets(SatelliteCatalog& catalog, const std::string& answer) {
    // Each form applies its own byte cap (74,001 bytes for two-line sets).
    const long length = answer.size() > static_cast<std::size_t>(kOmmFileMaxBytes)
                            ? kOmmFileMaxBytes
                            : static_cast<long>(answer.size());
    return loadElementSetBuffer(catalog, answer.data(), length).loaded;
}

}  // namespace vantrek
