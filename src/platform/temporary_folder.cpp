#include "platform/temporary_folder.hpp"

#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

namespace vantrek {

TemporaryFolder::TemporaryFolder() {
    std::error_code error;
    const std::filesystem::path base = std::filesystem::temp_directory_path(error);
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
        const std::filesystem::path candidate = base / ("vantrek-" + std::to_string(random()));
        // create_directory is false when the name is taken: try another.
        if (std::filesystem::create_directory(candidate, error)) path_ = candidate.string();
    }
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code error;
    if (!path_.empty()) std::filesystem::remove_all(path_, error);
}

std::string TemporaryFolder::file(const std::string& name) const { return path_ + "/" + name; }

std::string TemporaryFolder::write(const std::string& name, const std::string& bytes) const {
    const std::string target = file(name);
    std::ofstream out(target, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return target;
}

}  // namespace vantrek
