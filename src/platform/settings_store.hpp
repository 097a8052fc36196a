#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace vantrek {

// The user's persisted settings: one key holding named values of raw bytes.
// The program's store is the registry key Software\Vantrek on Windows and an
// INI file on other systems; tests use MemorySettingsStore.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // True when the settings key exists and can be opened.
    virtual bool keyExists() const = 0;
    // Creates the key when it is missing; false when it cannot be created.
    virtual bool createKey() = 0;
    // Copies every byte of the named value into `bytes`; false when the key or
    // the value is missing.
    virtual bool readValue(const std::string& name, std::vector<std::uint8_t>& bytes) const = 0;
    // Replaces the named value; false when the key is missing or the write fails.
    virtual bool writeValue(const std::string& name, const std::uint8_t* bytes,
                            std::size_t size) = 0;
};

// A settings store in memory. Every write is logged by name, in order.
class MemorySettingsStore : public SettingsStore {
public:
    bool keyPresent = false;
    bool failWrites = false;  // a key that opens but refuses every write
    std::map<std::string, std::vector<std::uint8_t>> values;
    std::vector<std::string> writeLog;

    bool keyExists() const override;
    bool createKey() override;
    bool readValue(const std::string& name, std::vector<std::uint8_t>& bytes) const override;
    bool writeValue(const std::string& name, const std::uint8_t* bytes, std::size_t size) override;
};

}  // namespace vantrek
