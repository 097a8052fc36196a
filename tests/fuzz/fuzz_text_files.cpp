// Arbitrary bytes as Cities.loc and as Frequencies.txt in the program folder.
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "data/frequencies.hpp"
#include "data/locations_file.hpp"
#include "data/settings.hpp"
#include "fuzz_support.hpp"
#include "platform/program_folder.hpp"
#include "platform/temporary_folder.hpp"

using namespace vantrek;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static TemporaryFolder folder;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string cities = folder.write("Cities.loc", bytes);
    folder.write("Frequencies.txt", bytes);

    std::vector<std::string> names;
    require(readLocationNames(cities, names));
    require(names.size() <= static_cast<std::size_t>(kLocationLinesMax));
    for (const std::string& name : names) require(name.size() <= kLocationNameMax);
    for (int row : {1, 2, 3, static_cast<int>(names.size()), kLocationLinesMax, kLocationLinesMax + 1, 0, -1}) {
        LocationLine line;
        if (readLocationLine(cities, row, line)) {
            require(row >= 1 && row <= kLocationLinesMax);
            require(line.latitude.size() <= kLocationNumberMax && line.longitude.size() <= kLocationNumberMax &&
                    line.altitude.size() <= kLocationNumberMax && line.name.size() <= kLocationNameMax);
        }
    }

    const ProgramFolder program{folder.path()};
    Settings settings;
    for (int32_t number : {25544, 0, -1, 7530, 99999}) {
        settings.uplink = settings.downlink = NAN;
        LoadFrequencies(program, number, settings);
        require(std::isfinite(settings.uplink) && std::isfinite(settings.downlink));
    }
    return 0;
}
