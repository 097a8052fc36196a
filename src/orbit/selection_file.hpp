#pragma once

#include <cstddef>

#include "orbit/element_set.hpp"
#include "platform/message_sink.hpp"
#include "platform/program_folder.hpp"

namespace vantrek {

// Select.bol in the program folder: the 400 `selected` flags as little-endian
// 32-bit integers, no header. It records slots, not catalogue numbers.
constexpr std::size_t kSelectionFileBytes = 4 * kCatalogCapacity;

// Replaces the `selected` flags with the saved ones. A missing file, or one
// of any other size than 1600 bytes, leaves them as they are. True when read.
bool readSelection(const ProgramFolder& folder, SatelliteCatalog& catalog, MessageSink& messages);

// Saves the `selected` flags. The file is written beside Select.bol under a
// temporary name and then renamed over it, so a failed write leaves the
// previous file whole. True when saved.
bool writeSelection(const ProgramFolder& folder, const SatelliteCatalog& catalog,
                    MessageSink& messages);

}  // namespace vantrek
