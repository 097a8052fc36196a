#pragma once

#include <string_view>

namespace vantrek {

// An ISO 8601 UTC time, YYYY-MM-DDThh:mm:ss[.fraction][Z] (or YYYY-DDD for the
// day of year, a blank for the T), as a two-line epoch YYDDD.DDDDDDDD. A time
// that a two-line set can state (a whole number of 1e-8 day, 864 us) gives
// exactly the double its epoch columns give. Digits past nanoseconds are
// ignored. False for anything else and for years outside 1957-2056.
bool epochFromIsoTime(std::string_view text, double& epoch);

}  // namespace vantrek
