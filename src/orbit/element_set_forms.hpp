#pragma once

namespace vantrek {

// The forms an element-set file or download comes in, told by its content.
enum class ElementSetForm { TwoLine, OmmCsv, OmmJson, OmmXml };

// The most bytes of an orbit mean-elements file that are read: 400 records of
// the roomiest form (XML, about 2 kB each) with plenty to spare.
constexpr long kOmmFileMaxBytes = 8L * 1024 * 1024;

// After a UTF-8 byte-order mark and blanks: JSON starts with '[' or '{', XML
// with '<'; CSV has a first line naming NORAD_CAT_ID; anything else is read as
// two-line sets, whatever the file is called.
ElementSetForm detectElementSetForm(const char* buffer, long length);

// How much of a buffer of that form is used: the first 74,001 bytes of a
// two-line file, the first kOmmFileMaxBytes of the other forms.
long elementSetBytesUsed(const char* buffer, long length);

}  // namespace vantrek
