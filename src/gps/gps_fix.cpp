#include "gps/gps_fix.hpp"

namespace vantrek {

GpsFixData SnapshotGpsFix(const GpsFix& fix) {
    std::lock_guard<std::mutex> guard(fix.lock);
    return fix.data;
}

}  // namespace vantrek
