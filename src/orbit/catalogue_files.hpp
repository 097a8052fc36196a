#pragma once

#include <cstdint>
#include <string>

#include "data/settings.hpp"
#include "orbit/element_set.hpp"
#include "platform/message_sink.hpp"
#include "platform/program_folder.hpp"

namespace vantrek {

// The text after the last folder separator ('/' or '\'); the whole path when
// it has none.
std::string fileBaseName(const std::string& path);

// Whether an element-set file holds Iridium satellites, told by its name. At
// start only a lower-case "iridium" counts, and only in a path with a folder;
// the Open command also accepts "Iridium".
bool isIridiumFileAtStart(const std::string& path);
bool isIridiumFileOnOpen(const std::string& path);

// Loads an element-set file in any form (at most kElementFileMaxBytes of it)
// into the catalogue. "I can't open the file!" and false when it cannot be
// opened (the catalogue is unchanged); "Read failed!" when reading breaks
// off, and the load goes on over what was read. The caller resets the view
// orientation.
bool openElementSetFile(const std::string& path, SatelliteCatalog& catalog, MessageSink& messages);

// Start-up: the Iridium name test on Last_Open (clearing `flares` for any other
// name), then openElementSetFile. Nothing is done when Last_Open is empty.
bool reopenLastFile(Settings& settings, SatelliteCatalog& catalog, MessageSink& messages,
                    int32_t& iridiumCatalogue);

// The Open command once the user has chosen `path`: the file is loaded with
// every set selected and the count reported ("Data of %d satellites
// successfully read from %s", caption "Info", with a second sentence for sets
// past the catalogue limit or a file past the byte limit). When it yields
// sets, slot 0 becomes current and is loaded with its frequencies, the
// Iridium flag follows the file name (any other name clears `flares`) and the
// path is stored as the last file. True then; false when the file cannot be
// opened or holds no set, and nothing has changed. The caller resets the view
// orientation and names the file in the status bar.
bool openElementSetCommand(const std::string& path, SatelliteCatalog& catalog, Settings& settings,
                           SettingsStore& store, const ProgramFolder& folder, MessageSink& messages,
                           int32_t& iridiumCatalogue);

}  // namespace vantrek
