#pragma once

#include <functional>
#include <string>

#include "platform/message_sink.hpp"

namespace vantrek {

// Opens a page outside the program (a web address) with the desktop's
// browser; false when nothing could open it (no browser set up).
using PageOpener = std::function<bool(const std::string& address)>;

// What the user is told when a page cannot be opened, with its address so
// that it can be typed into a browser by hand.
std::string CantOpenPageText(const std::string& address);

// Opens the page, or says that it could not, with its address. True when opened.
bool OpenOutsidePage(const PageOpener& opener, const std::string& address, MessageSink& messages);

}  // namespace vantrek
