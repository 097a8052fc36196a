#include "ui/view_matrix.hpp"

#include <cmath>

#include "astro/constants.hpp"

namespace vantrek {

namespace {

// Sine and cosine of the 3-degree step, to the ten digits the program has always used.
constexpr double kStepSine = 0.0523359562;
constexpr double kStepCosine = 0.9986295347;
constexpr double kZoomStep = 1.1;
constexpr double kZoomMin = 1e-7;
constexpr double kZoomMax = 10000.0;

void stepFor(int from, int to, double& c, double& s) {
    c = from == to ? 1.0 : kStepCosine;
    s = from == to ? 0.0 : (to > from ? kStepSine : -kStepSine);
}

void roll(ViewMatrix& view, double s) {
    for (int j = 0; j < 2; ++j) {
        const double a = view.m[0][j];
        const double b = view.m[1][j];
        view.m[0][j] = kStepCosine * a - s * b;
        view.m[1][j] = s * a + kStepCosine * b;
    }
}

}  // namespace

void ResetViewMatrix(ViewMatrix& view) { view = ViewMatrix{}; }

void DragRotate(ViewMatrix& view, MousePoint& reference, MousePoint point) {
    double c, s;
    stepFor(reference.x, point.x, c, s);
    for (int j = 0; j < 4; ++j) {
        const double r0 = view.m[0][j];
        const double r2 = view.m[2][j];
        view.m[0][j] = c * r0 + s * r2;
        view.m[2][j] = -s * r0 + c * r2;
    }
    stepFor(reference.y, point.y, c, s);
    for (int j = 0; j < 4; ++j) {
        const double r1 = view.m[1][j];
        const double r2 = view.m[2][j];
        view.m[1][j] = c * r1 - s * r2;
        view.m[2][j] = s * r1 + c * r2;
    }
    reference = point;
}

void ZoomIn(ViewMatrix& view) {
    view.m[3][3] = std::fmin(view.m[3][3] * kZoomStep, kZoomMax);
}

void ZoomOut(ViewMatrix& view) {
    view.m[3][3] = std::fmax(view.m[3][3] / kZoomStep, kZoomMin);
}

void RollLeft(ViewMatrix& view) { roll(view, -kStepSine); }

void RollRight(ViewMatrix& view) { roll(view, kStepSine); }

void SetCompassHeading(ViewMatrix& view, double courseDeg, int32_t snToNs) {
    if (!std::isfinite(courseDeg)) return;
    const double a = courseDeg * kDegree;
    // The north-down chart is the north-up one turned by 180 degrees: the
    // same turn of the matrix undoes it.
    const double turn = snToNs == 0 ? -1.0 : 1.0;
    view = ViewMatrix{};
    view.m[0][0] = turn * std::cos(a);
    view.m[0][1] = turn * std::sin(a);
    view.m[1][0] = -turn * std::sin(a);
    view.m[1][1] = turn * std::cos(a);
}

}  // namespace vantrek
