#pragma once

#include "orbit/omm_record.hpp"

namespace vantrek {

// Each reader goes through one buffer (not NUL-terminated, never read past
// `length`) and hands every record it finds to addOmmRecord, in file order. A record that cannot be used is skipped and
// counted; a file cut off or broken part-way keeps the records before the break.

// CSV: a header line naming the fields in any order, then one record a line.
// Values may be quoted ("" for a quote inside); a record never spans lines,
// and one with fewer fields than the header is skipped.
void readOmmCsv(const char* buffer, long length, OmmLoad& load);

// JSON: an array of objects, or one object; values as numbers or as strings.
void readOmmJson(const char* buffer, long length, OmmLoad& load);

// XML: every <omm> element (at any depth, under <ndm> or alone) is a record,
// its fields the elements of those names inside it. Entities declared in a
// document type are never expanded.
void readOmmXml(const char* buffer, long length, OmmLoad& load);

}  // namespace vantrek
