#include "orbit/catalogue_files.hpp"

#include <cstdio>
#include <vector>

#include "orbit/catalog_loading.hpp"
#include "orbit/current_satellite.hpp"

namespace vantrek {

namespace {

bool isSeparator(char c) { return c == '/' || c == '\\'; }

bool beginsWith(const std::string& text, const char* prefix) {
    return text.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

// Reads the part of the file that its form uses (elementSetBytesUsed) into
// `bytes`. False (with its message) when the file cannot be opened; a broken
// read is reported and what was read is kept.
bool readElementFile(const std::string& path, std::vector<char>& bytes, MessageSink& messages) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        messages.showMessage("I can't open the file!", "", MessageIcon::Error);
        return false;
    }
    // In pieces: most files are a few kilobytes, none is read past the cap.
    constexpr std::size_t kPiece = 64 * 1024;
    const std::size_t cap = static_cast<std::size_t>(kOmmFileMaxBytes);
    bytes.clear();
    while (bytes.size() < cap) {
        const std::size_t had = bytes.size();
        const std::size_t want = cap - had < kPiece ? cap - had : kPiece;
        bytes.resize(had + want);
        const std::size_t read = std::fread(bytes.data() + had, 1, want, file);
        bytes.resize(had + read);
        if (read < want) break;
    }
    if (std::ferror(file)) messages.showMessage("Read failed!", "", MessageIcon::Error);
    std::fclose(file);
    bytes.resize(static_cast<std::size_t>(elementSetBytesUsed(bytes.data(), static_cast<long>(bytes.size()))));
    return true;
}

int loadBytes(SatelliteCatalog& catalog, const std::vector<char>& bytes) {
    return loadElementSets(catalog, bytes.data(), static_cast<long>(bytes.size()));
}

}  // namespace

std::string fileBaseName(const std::string& path) {
    for (std::size_t i = path.size(); i > 0; --i) {
        if (isSeparator(path[i - 1])) return path.substr(i);
    }
    return path;
}

bool isIridiumFileAtStart(const std::string& path) {
    const std::string base = fileBaseName(path);
    return base.size() < path.size() && beginsWith(base, "iridium");
}

bool isIridiumFileOnOpen(const std::string& path) {
    const std::string base = fileBaseName(path);
    return beginsWith(base, "iridium") || beginsWith(base, "Iridium");
}

bool openElementSetFile(const std::string& path, SatelliteCatalog& catalog, MessageSink& messages) {
    std::vector<char> bytes;
    if (!readElementFile(path, bytes, messages)) return false;
    loadBytes(catalog, bytes);
    return true;
}

bool reopenLastFile(Settings& settings, SatelliteCatalog& catalog, MessageSink& messages,
                    int32_t& iridiumCatalogue) {
    const std::string& path = settings.Last_Open;
    if (path.empty()) return false;
    if (fileBaseName(path).size() < path.size()) {
        if (isIridiumFileAtStart(path)) {
            iridiumCatalogue = 1;
        } else {
            settings.flares = 0;
        }
    }
    return openElementSetFile(path, catalog, messages);
}

bool openElementSetCommand(const std::string& path, SatelliteCatalog& catalog, Settings& settings,
                           SettingsStore& store, const ProgramFolder& folder, MessageSink& messages,
                           int32_t& iridiumCatalogue) {
    catalog.current = 0;
    iridiumCatalogue = 0;

    std::vector<char> bytes;
    if (!readElementFile(path, bytes, messages)) return false;
    if (isIridiumFileOnOpen(path)) {
        iridiumCatalogue = 1;
    } else {
        settings.flares = 0;  // flares are predicted for Iridium files only
    }
    const int count = loadBytes(catalog, bytes);

    // The path may be long: the text is built to fit, never cut.
    std::vector<char> text(path.size() + 64);
    std::snprintf(text.data(), text.size(), "Data of %d satellites successfully read from %s", count,
                  path.c_str());
    messages.showMessage(text.data(), "Info", MessageIcon::None);

    loadCurrentSatellite(catalog, folder, settings);
    settings.Last_Open = path;
    StoreLastFile(store, settings, catalog.current);
    return true;
}

}  // namespace vantrek
