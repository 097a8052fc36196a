#pragma once

#include "platform/message_sink.hpp"
#include "platform/program_folder.hpp"

#include "app/display_list_painter.hpp"

namespace vantrek::app {

// Reads the skins from the program's folder and the bitmaps carried in the
// program into `table`; each skin that cannot be read is reported to `messages`.
void LoadDrawingBitmaps(const ProgramFolder& folder, MessageSink& messages, BitmapTable& table);

}  // namespace vantrek::app
