#include "observe/satellite_shape.hpp"

#include <cstdio>

#include "observe/magnitude_table.hpp"

namespace vantrek {

namespace {

// The table's placeholder for "size unknown".
constexpr double kUnknownShapeLength = 0.2;

}  // namespace

std::string SatelliteShapeText(int32_t catalogNumber) {
    const MagnitudeRow* row = FindMagnitudeRow(catalogNumber);
    if (row == nullptr) row = &kMagnitudeTable[0];
    char text[128];
    if (row->depth != 0.0) {
        std::snprintf(text, sizeof text, "Satellite dimensionsL L.=%3.1fm W.=%3.1fm D.=%3.1fm",
                      row->length, row->width, row->depth);
    } else if (row->width != 0.0) {
        std::snprintf(text, sizeof text, "Cylindrical shape l.=%2.1fm r.=%2.1fm", row->length,
                      row->width);
    } else if (row->length == kUnknownShapeLength) {
        std::snprintf(text, sizeof text, "Shape not know. ");
    } else {
        std::snprintf(text, sizeof text, "Spherical satellite r.=%2.1fm ", row->length);
    }
    return text;
}

}  // namespace vantrek
