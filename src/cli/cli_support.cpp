#include "cli/cli_support.hpp"

#include <cstdio>
#include <fstream>

#include "orbit/catalog_loading.hpp"

namespace vantrek::cli {

bool readFileBytes(const std::string& path, long maxBytes, std::string& bytes) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    bytes.assign(static_cast<std::size_t>(maxBytes), '\0');
    file.read(&bytes[0], maxBytes);
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    return true;
}

bool loadElementFile(const std::string& path, SatelliteCatalog& catalog) {
    std::string bytes;
    if (!readFileBytes(path, kElementFileMaxBytes, bytes)) {
        std::fprintf(stderr, "vantrek-cli: cannot open %s\n", path.c_str());
        return false;
    }
    loadElementSets(catalog, bytes.data(), static_cast<long>(bytes.size()));
    return true;
}

std::string trimmedName(const ElementSet& set) {
    std::string name(set.name);
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.pop_back();
    return name;
}

}  // namespace vantrek::cli
