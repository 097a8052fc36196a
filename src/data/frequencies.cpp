#include "data/frequencies.hpp"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
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
            // The whole catalogue number, however many digits: cut to five,
            // 100001 would read as 10000 and its last digit as the downlink.
            char* end = nullptr;
            errno = 0;
            const long number = std::strtol(line, &end, 10);
            float down = 0.0f;
            float up = 0.0f;
            // "inf", "nan" or a number beyond float's range is not a frequency.
            if (end != line && errno == 0 && number == catalogNumber &&
                std::sscanf(end, "%f %f", &down, &up) == 2 && std::isfinite(down) && std::isfinite(up)) {
                settings.downlink = down;
                settings.uplink = up;
            }
        }
    }
    std::fclose(file);
}

}  // namespace vantrek
