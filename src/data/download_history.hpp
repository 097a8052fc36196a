#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace vantrek {

// When each group was last asked for (seconds since 1970), so that no group is
// asked for twice within the server's update period. Lives as long as the program.
struct DownloadHistory {
    std::map<std::string, int64_t> askedAt;
};

}  // namespace vantrek
