#include "orbit/selection_file.hpp"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

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
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    unsigned char bytes[kSelectionFileBytes + 1];
    const std::size_t read = std::fread(bytes, 1, sizeof bytes, file);
    std::fclose(file);
    if (read != kSelectionFileBytes) return false;

    for (int i = 0; i < kCatalogCapacity; ++i) {
        const unsigned char* b = bytes + 4 * i;
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

    unsigned char bytes[kSelectionFileBytes];
    for (int i = 0; i < kCatalogCapacity; ++i) {
        const uint32_t bits = static_cast<uint32_t>(catalog.selected[i]);
        for (int k = 0; k < 4; ++k) bytes[4 * i + k] = static_cast<unsigned char>(bits >> (8 * k));
    }

    const std::string temporary = path + ".tmp";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) return false;
    bool written = std::fwrite(bytes, 1, sizeof bytes, file) == sizeof bytes;
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
