#pragma once

#include <string>
#include <vector>

#include "app/display_list_painter.hpp"

namespace vantrek::app {

// Reads the skins from the program's folder and the bitmaps carried in the
// program into `table`. Returns the messages for the skins that could not be
// read, in loading order, for the caller to show.
std::vector<std::string> LoadDrawingBitmaps(const std::string& programFolder, BitmapTable& table);

}  // namespace vantrek::app
