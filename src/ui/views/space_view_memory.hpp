#pragma once

namespace vantrek {

// What the space view remembers from one paint to the next: the current
// satellite's speed and the instant, for the acceleration it shows.
struct SpaceViewMemory {
    double speed = 0.0;        // km/s
    double julianDate = 0.0;   // 0: no previous paint
};

}  // namespace vantrek
