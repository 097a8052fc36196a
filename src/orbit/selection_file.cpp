#include "orbit/selection_file.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace vantrek {

namespace {

// The path of Select.bol (to read, or to write: the user's data folder in an
// installed layout); the message when the program folder is unknown.
bool selectionPath(const ProgramFolder& folder, bool forWriting, std::string& path,
                   MessageSink& messages) {
    const bool found = forWriting ? programWritePath(folder, "Select.bol", path)
                                  : programFilePath(folder, "Select.bol", path);
    if (found) return true;
    messages.showMessage("Incorrect Quorle pragram path!", "", MessageIcon::Error);
    return false;
}

// Flushes the file's data to the disk before it replaces the old one.
bool syncToDisk(std::FILE* file) {
    if (std::fflush(file) != 0) return false;
#if defined(_WIN32)
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

}  // namespace

bool readSelection(const ProgramFolder& folder, SatelliteCatalog& catalog, MessageSink& messages) {
    std::string path;
    if (!selectionPath(folder, false, path, messages)) return false;
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size == 0 || size % 4 != 0 || size > kSelectionFileMaxBytes) return false;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    std::vector<unsigned char> bytes(static_cast<std::size_t>(size) + 1);
    const std::size_t read = std::fread(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    if (read != size) return false;  // the file changed while it was read

    const std::size_t flags = read / 4;
    if (catalog.selected.size() < flags) catalog.selected.resize(flags, 0);
    for (std::size_t i = 0; i < flags; ++i) {
        const unsigned char* b = bytes.data() + 4 * i;
        const uint32_t bits = uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 |
                              uint32_t(b[3]) << 24;
        catalog.selected[i] = static_cast<int32_t>(bits);
    }
    return true;
}

bool writeSelection(const ProgramFolder& folder, const SatelliteCatalog& catalog,
                    MessageSink& messages) {
    std::string path;
    if (!selectionPath(folder, true, path, messages)) return false;

    const std::size_t flags =
        static_cast<std::size_t>(std::clamp(catalog.count, kSelectionMinimumFlags, kCatalogLimit));
    std::vector<unsigned char> bytes(4 * flags, 0);
    for (std::size_t i = 0; i < flags && i < catalog.selected.size(); ++i) {
        const uint32_t bits = static_cast<uint32_t>(catalog.selected[i]);
        for (int k = 0; k < 4; ++k) bytes[4 * i + k] = static_cast<unsigned char>(bits >> (8 * k));
    }

    const std::string temporary = path + ".tmp";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) return false;
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    written = syncToDisk(file) && written;
    written = std::fclose(file) == 0 && written;

    std::error_code error;
    if (written) std::filesystem::rename(temporary, path, error);
    if (!written || error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

}  // namespace vantrek
