// Arbitrary stored bytes: Select.bol of any size, and settings values of any
// size under every name the program stores.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "data/settings.hpp"
#include "fuzz_support.hpp"
#include "orbit/catalog_loading.hpp"
#include "orbit/selection_file.hpp"
#include "platform/message_sink.hpp"
#include "platform/program_folder.hpp"
#include "platform/settings_store.hpp"
#include "platform/temporary_folder.hpp"

using namespace vantrek;

namespace {

const char* const kValueNames[] = {
    "Lat", "Lon", "Alt", "City", "GPSPort", "GPSSpeed", "GPSCompass", "SNtoNS", "Stars_Mag",
    "SatPredictMag", "SatPredictVisible", "flag_refraction", "uplink", "downlink", "flares",
    "s4_s8", "Flag_planets", "Flag_colors", "Sat_Display", "Sat_ele", "Sun_ele", "Last_Open"};

void requireUsable(const Settings& s) {
    require(std::isfinite(s.Lat) && std::isfinite(s.Lon) && std::isfinite(s.Alt));
    require(std::isfinite(s.uplink) && std::isfinite(s.downlink));
    require(std::isfinite(s.Sat_ele) && std::isfinite(s.Sun_ele));
    require(s.GPSPort >= 0 && s.GPSPort <= 11 && s.GPSSpeed >= 0 && s.GPSSpeed <= 10);
    require(s.Stars_Mag >= 0 && s.Stars_Mag <= 5);
    require(s.SatPredictMag >= 0 && s.SatPredictMag <= 20);
    require(s.Sat_Display >= 0 && s.Sat_Display < kCatalogLimit);
    require(s.City >= 0 && s.City <= 1800);
}

void fuzzSelection(const uint8_t* data, size_t size) {
    static TemporaryFolder folder;
    folder.write("Select.bol", std::string(reinterpret_cast<const char*>(data), size));
    auto catalog = std::make_unique<SatelliteCatalog>();
    for (int32_t& flag : catalog->selected) flag = 7;
    resizeCatalog(*catalog, 5);
    RecordingMessageSink messages;
    const ProgramFolder program{folder.path()};
    const bool read = readSelection(program, *catalog, messages);
    // Any whole number of flags up to the catalogue limit reads; nothing else does.
    require(read == (size > 0 && size % 4 == 0 && size <= kSelectionFileMaxBytes));
    require(catalog->selected.size() == std::max<std::size_t>(400, read ? size / 4 : 0));
    for (std::size_t i = 0; i < catalog->selected.size(); ++i) {
        int32_t saved = 7;
        if (read && i < size / 4) std::memcpy(&saved, data + 4 * i, 4);  // little-endian hosts
        require(catalog->selected[i] == saved);
    }
    require(catalog->count == 5);
    // What was read is written back whole (at least 400 flags).
    require(writeSelection(program, *catalog, messages));
    auto again = std::make_unique<SatelliteCatalog>();
    require(readSelection(program, *again, messages));
    require(again->selected.size() == 400);
    require(std::equal(again->selected.begin(), again->selected.end(), catalog->selected.begin()));
}

void fuzzSettings(const uint8_t* data, size_t size) {
    // Each value takes a length byte and that many bytes, in the order of the names.
    MemorySettingsStore store;
    store.keyPresent = true;
    size_t at = 0;
    for (const char* name : kValueNames) {
        if (at >= size) break;
        const size_t length = data[at++] % 64 * (name == std::string("Last_Open") ? 9 : 1);
        const size_t take = length < size - at ? length : size - at;
        store.values[name].assign(data + at, data + at + take);
        at += take;
    }
    Settings settings;
    const int32_t city = LoadSettings(store, settings);
    require(city >= -1 && city <= 1800);
    requireUsable(settings);

    // Whatever was loaded survives a store and a load unchanged.
    MemorySettingsStore copy;
    EnsureSettingsKey(copy);
    StoreOptions(copy, settings, settings.Sat_Display);
    StoreLocation(copy, settings, settings.City);
    StoreGpsSettings(copy, settings);
    StoreLastFile(copy, settings, settings.Sat_Display);
    Settings reloaded;
    LoadSettings(copy, reloaded);
    requireUsable(reloaded);
    require(reloaded.Lat == settings.Lat && reloaded.Lon == settings.Lon && reloaded.Alt == settings.Alt);
    require(reloaded.GPSPort == settings.GPSPort && reloaded.SatPredictMag == settings.SatPredictMag);
    require(reloaded.Sat_Display == settings.Sat_Display && reloaded.Stars_Mag == settings.Stars_Mag);
    require(reloaded.Last_Open == settings.Last_Open || reloaded.Last_Open.empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The first byte chooses the file.
    if (size > 0) (data[0] & 1 ? fuzzSelection : fuzzSettings)(data + 1, size - 1);
    return 0;
}
