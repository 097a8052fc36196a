#pragma once

namespace vantrek {

// The forms an element-set file or download comes in, told by its content.
enum class ElementSetForm { TwoLine, OmmCsv, OmmJson, OmmXml };

// The most bytes of an element-set file that are read, in any form: the
// whole public catalogue as XML (about 2 kB a set) twice over.
constexpr long kElementFileMaxBytes = 64L * 1024 * 1024;

// After a UTF-8 byte-order mark and blanks: JSON starts with '[' or '{', XML
// with '<'; CSV has a first line naming NORAD_CAT_ID; anything else is read as
// two-line sets, whatever the file is called.
ElementSetForm detectElementSetForm(const char* buffer, long length);

}  // namespace vantrek
