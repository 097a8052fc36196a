#pragma once

#include <string>

namespace vantrek {

// Writes `bytes` to a new file beside `path` and renames it over `path`, so
// that the file is either the old one or the whole new one: a failed write
// (a full disk, a folder without the right to write) leaves no half file and
// no temporary behind. False on any failure.
bool ReplaceFile(const std::string& path, const std::string& bytes);

}  // namespace vantrek
