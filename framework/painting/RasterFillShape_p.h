#pragma once
// Framework-internal: the four-cornered shape of a slanted line at a ratio
// above 1 (RasterWideLine.cpp), each pixel given its exact share of it.
#include <cstdint>

#include "framework/painting/RasterShapes_p.h"

namespace fw {

// A corner, with y along the line's major axis: the picture's own x and y,
// or their exchange for a line that runs more sideways than down.
struct Corner {
    double x, y;
};

// The shape with the corners top, right, bottom and left (clockwise, top the
// highest, bottom the lowest), at most reach device pixels outside the
// picture. flatTop: its upper end lies on one row of the painter's grid, and
// the row it is in stays empty, as the painter leaves it.
void FillShape(const BandRows& band, bool sideways, const Corner (&corners)[4], double reach, bool flatTop,
               std::uint32_t rgb);

// Whole pixels of a coordinate within the int range, without a library call.
inline int Floor(double v) {
    const int i = int(v);
    return i - (v < i);
}
inline int Ceil(double v) {
    const int i = int(v);
    return i + (v > i);
}

}  // namespace fw
