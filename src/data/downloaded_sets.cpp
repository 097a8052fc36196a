#include "data/downloaded_sets.hpp"

#include "orbit/catalog_loading.hpp"

namespace vantrek {

int readDownloadedSets(SatelliteCatalog& catalog, const std::string& answer) {
    const long length = answer.size() > static_cast<std::size_t>(kElementFileMaxBytes)
                            ? kElementFileMaxBytes
                            : static_cast<long>(answer.size());
    return loadElementSets(catalog, answer.data(), length);
}

}  // namespace vantrek
