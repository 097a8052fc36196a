#include "orbit/catalogue_files.hpp"

#include <cstdio>
#include <string>
#include <vector>

#include "orbit/catalog_loading.hpp"
#include "orbit/current_satellite.hpp"

namespace vantrek {

namespace {

bool isSeparator(char c) { return c == '/' || c == '\\'; }

bool beginsWith(const std::string& text, const char* prefix) {
    return text.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

// Reads at most kElementFileMaxBytes of the file into `bytes`; `cutShort`
// tells whether the file holds more. False (with its message) when the file
// cannot be opened; a broken read is reported and what was read is kept.
bool readElementFile(const std::string& path, std::vector<char>& bytes, bool& cutShort,
                     MessageSink& messages) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        messages.showMessage("I can't open the file!", "", MessageIcon::Error);
        return false;
    }
    // In pieces: most files are a few kilobytes, none is read past the cap.
    constexpr std::size_t kPiece = 1024 * 1024;
    const std::size_t cap = static_cast<std::size_t>(kElementFileMaxBytes);
    bytes.clear();
    cutShort = false;
    while (bytes.size() < cap) {
        const std::size_t had = bytes.size();
        const std::size_t want = cap - had < kPiece ? cap - had : kPiece;
        bytes.resize(had + want);
        const std::size_t read = std::fread(bytes.data() + had, 1, want, file);
        bytes.resize(had + read);
        if (read < want) break;
    }
    if (bytes.size() == cap) cutShort = std::fgetc(file) != EOF;
    if (std::ferror(file)) messages.showMessage("Read failed!", "", MessageIcon::Error);
    std::fclose(file);
    return true;
}

ElementSetLoad loadBytes(SatelliteCatalog& catalog, const std::vector<char>& bytes) {
    return loadElementSetBuffer(catalog, bytes.data(), static_cast<long>(bytes.size()));
}

// "Data of N satellites successfully read from PATH", and what was left out.
std::string loadReport(const std::string& path, const ElementSetLoad& load, bool cutShort) {
    std::string text = "Data of " + std::to_string(load.loaded) + " satellites successfully read from " + path;
    if (load.beyondLimit > 0) {
        text += "\n" + std::to_string(load.beyondLimit) +
                " more satellites in the file were not read: the catalogue holds at most " +
                std::to_string(kCatalogLimit) + ".";
    }
    if (cutShort) {
        text += "\nThe file is larger than " + std::to_string(kElementFileMaxBytes / (1024 * 1024)) +
                " MiB: only its beginning was read.";
    }
    return text;
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
    bool cutShort = false;
    if (!readElementFile(path, bytes, cutShort, messages)) return false;
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
    std::vector<char> bytes;
    bool cutShort = false;
    if (!readElementFile(path, bytes, cutShort, messages)) return false;
    const ElementSetLoad load = loadBytes(catalog, bytes);
    messages.showMessage(loadReport(path, load, cutShort), "Info", MessageIcon::None);
    // A file without a set (an empty file, a text of another kind) leaves
    // the catalogue, the current satellite and the last file as they were.
    if (load.loaded == 0) return false;

    catalog.current = 0;
    if (isIridiumFileOnOpen(path)) {
        iridiumCatalogue = 1;
    } else {
        iridiumCatalogue = 0;
        settings.flares = 0;  // flares are predicted for Iridium files only
    }
    loadCurrentSatellite(catalog, folder, settings);
    settings.Last_Open = path;
    StoreLastFile(store, settings, catalog.current);
    return true;
}

}  // namespace vantrek
