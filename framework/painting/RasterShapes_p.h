#pragma once
// Framework-internal: the shapes the drawing model issues by the thousand,
// 5 x 5 dots and 1-pixel lines, drawn straight into a band of a picture's
// pixels by code made for exactly those shapes, matching the painter's pixels.
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

bool IsDot(const DrawOp& op);
// Main thread, before any band draws the dot: makes what FillDot reads.
void PrepareDot(const DrawOp& op);
void FillDot(const BandRows& band, const DrawOp& op);

// A 1-pixel antialiased line with square caps; bounds is the whole picture,
// where the painter clips.
void DrawThinLine(const BandRows& band, const DrawOp& op, const QRectF& bounds);

}  // namespace fw
