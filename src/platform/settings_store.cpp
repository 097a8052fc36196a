#include "platform/settings_store.hpp"

namespace vantrek {

bool MemorySettingsStore::keyExists() const { return keyPresent; }

bool MemorySettingsStore::createKey() {
    keyPresent = true;
    return true;
}

bool MemorySettingsStore::readValue(const std::string& name, std::vector<std::uint8_t>& bytes) const {
    if (!keyPresent) return false;
    const auto found = values.find(name);
    if (found == values.end()) return false;
    bytes = found->second;
    return true;
}

bool MemorySettingsStore::writeValue(const std::string& name, const std::uint8_t* bytes,
                                     std::size_t size) {
    if (!keyPresent || failWrites) return false;
    values[name].assign(bytes, bytes + size);
    writeLog.push_back(name);
    return true;
}

}  // namespace vantrek
