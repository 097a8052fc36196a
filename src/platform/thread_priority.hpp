#pragma once

namespace vantrek {

// Gives the calling thread the lowest scheduling priority (best effort).
void LowerCurrentThreadPriority();

}  // namespace vantrek
