#include "observe/visibility_code.hpp"

namespace vantrek {

const char* VisibilityWord(int32_t code) {
    switch (code) {
        case kVisibilityInvisible: return "Invisible";
        case kVisibilityEclipsed: return "Eclipsed";
        case kVisibilityInSun: return "In sun";
        case kVisibilityVisible: return "Visible";
        case kVisibilityFlare: return "Flare";
        default: return "";
    }
}

}  // namespace vantrek
