#pragma once

namespace vantrek {

// Which estimate Kepler's equation gives when it has not converged within its
// passes: the last one computed, or the one the last pass started from.
enum class KeplerFallback { LastComputed, LastPassStart };

struct KeplerRoot {
    double x = 0.0;  // the estimate chosen
    double sinX = 0.0;
    double cosX = 0.0;
};

// Solves x - axn sin x + ayn cos x = capu by the report's Newton passes from
// `start`: a correction within `tolerance` means the estimate it was computed
// from is the answer. With axn = e and ayn = 0 this is E - e sin E = M; the
// near-Earth models pass e cos w and e sin w and solve for E + w.
//
// For an eccentricity e = sqrt(axn^2 + ayn^2) below 1 the root lies within e
// (so within 1) of capu and the left side grows with x, so every estimate
// narrows a bracket. A Newton step that would leave the bracket (the report's
// iteration diverges or oscillates so when e is near 1) is replaced by halving
// it, and the passes then go on past the report's 11 until the tolerance is
// met. Where no step is limited, passes, fallback and answer are the report's.
KeplerRoot solveKepler(double start, double capu, double axn, double ayn, double tolerance,
                       KeplerFallback fallback);

}  // namespace vantrek
