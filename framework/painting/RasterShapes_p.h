#pragma once
// Framework-internal: the shapes the drawing model issues by the thousand,
// 5 x 5 dots and 1-point lines, drawn straight into a band of a picture's
// device pixels by code made for exactly those shapes, matching the pixels
// the painter gives them at the picture's device pixel ratio.
#include <QImage>
#include <QRectF>

#include <cstdint>

#include "framework/painting/GraphicsQt_p.h"

namespace fw {

// The rows [top, bottom) of a picture of width x height device pixels
// (RGB32), drawn by one thread.
struct BandRows {
    uchar* bits;
    qsizetype bytesPerLine;
    int width, height, top, bottom;

    std::uint32_t* Row(int y) const { return reinterpret_cast<std::uint32_t*>(bits + y * bytesPerLine); }
};

// The coverage of a dot at every position within a pixel, at one ratio.
class DotMasks;
// Main thread: the masks of that ratio, made as dots need them.
DotMasks& DotMasksFor(double ratio);
bool IsDot(const DrawOp& op);
// Main thread, before any band draws the dot: makes what FillDot reads.
void PrepareDot(DotMasks& masks, const DrawOp& op);
void FillDot(const BandRows& band, const DotMasks& masks, const DrawOp& op);

// A line at ratio 1: 1 pixel wide, antialiased, square caps; bounds is the
// whole picture in points, where the painter clips.
void DrawThinLine(const BandRows& band, const DrawOp& op, const QRectF& bounds);
// A line at any ratio above 1, ratio device pixels wide, worked out once in
// device pixels for all bands (RasterWideLine.cpp).
struct WideLine {
    enum class Kind : std::uint8_t { None, Rect, Shape, SidewaysShape } kind = Kind::None;
    // Rect: left, top, right, bottom. A shape: the corners top, right, bottom
    // and left, x and y each, with y along the line's major axis (the
    // picture's x for a sideways one).
    double at[8] = {};
    double pen = 0;                                // device pixels
    bool flatTop = false;                          // the painter leaves out its first row
    int left = 0, top = 0, right = 0, bottom = 0;  // the pixels it may touch, right and bottom exclusive
};
// bounds: the whole picture in points; width and height in device pixels.
WideLine PrepareWideLine(const DrawOp& op, const QRectF& bounds, double ratio, int width, int height);
void DrawWideLine(const BandRows& band, const WideLine& line, std::uint32_t rgb);

}  // namespace fw
