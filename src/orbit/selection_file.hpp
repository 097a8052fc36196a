#pragma once

#include <cstddef>

#include "orbit/element_set.hpp"
#include "platform/message_sink.hpp"
#include "platform/program_folder.hpp"

namespace vantrek {

// Select.bol in the program folder: the `selected` flags as little-endian
// 32-bit integers, no header, max(400, count) of them. It records slots, not
// catalogue numbers.
constexpr std::size_t kSelectionFileMaxBytes = 4 * static_cast<std::size_t>(kCatalogLimit);

// Replaces the `selected` flags with the saved ones, as many as the file
// holds (a file of 1,600 bytes sets the first 400; flags past its end stay).
// A missing or empty file, one whose length is not a multiple of 4, or one
// longer than kSelectionFileMaxBytes leaves them as they are. True when read.
bool readSelection(const ProgramFolder& folder, SatelliteCatalog& catalog, MessageSink& messages);

// Saves the first max(400, count) `selected` flags. The file is written
// beside Select.bol under a temporary name and then renamed over it, so a
// failed write leaves the previous file whole. True when saved.
bool writeSelection(const ProgramFolder& folder, const SatelliteCatalog& catalog,
                    MessageSink& messages);

}  // namespace vantrek
