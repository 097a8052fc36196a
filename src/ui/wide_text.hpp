#pragma once

#include <cstddef>
#include <string>

namespace vantrek {

// An 8-bit text from a file (an element-set name) as the program's UTF-8: at
// most `count` characters, ending early at a NUL; bytes above 127 are read as
// Latin-1, the code page such files were written in. A null text gives "".
std::string toWideText(const char* text, std::size_t count);

}  // namespace vantrek
