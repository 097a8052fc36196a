#include "data/frequencies.hpp"

#include <cmath>
#include <cstdio>
#include <string>

namespace vantrek {

namespace {

constexpr int kHeaderBufferBytes = 20;
constexpr int kLineBufferBytes = 30;

}  // namespace

void LoadFrequencies(const ProgramFolder& folder, int32_t catalogNumber, Settings& settings) {
    settings.uplink = kDefaultLinkFrequency;
    settings.downlink = kDefaultLinkFrequency;

    std::string path;
    if (!programFilePath(folder, "Frequencies.txt", path)) return;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return;

    char line[kLineBufferBytes];
    if (std::fgets(line, kHeaderBufferBytes, file) != nullptr) {
        while (std::fgets(line, sizeof line, file) != nullptr) {
            int number = 0;
            float down = 0.0f;
            float up = 0.0f;
            // "inf", "nan" or a number beyond float's range is not a frequency.
            if (std::sscanf(line, "%5d %f %f", &number, &down, &up) == 3 && number == catalogNumber &&
                std::isfinite(down) && std::isfinite(up)) {
                settings.downlink = down;
                settings.uplink = up;
            }
        }
    }
    std::fclose(file);
}

}  // namespace vantrek
