// Lines at a device pixel ratio r above 1. The painter no longer takes its
// thin-pen stroker there: it fills the rectangle r device pixels wide around
// the line, square caps included, giving each pixel the share of it that the
// pixel covers. Nearly horizontal and vertical lines become axis-aligned
// rectangles, the others a four-cornered shape with corners on its 1/64 grid.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "framework/painting/RasterBlend_p.h"
#include "framework/painting/RasterFillShape_p.h"
#include "framework/painting/RasterShapes_p.h"

namespace fw {

namespace {

// Less than this apart (1/64 of a pixel), the painter counts two coordinates
// as one.
bool Close(double a, double b) { return std::abs(b - a) * 64.0 < 1.0; }

// The painter's fixed point for coverage: 16.16, truncated.
std::int64_t Fixed(double v) { return std::int64_t(v * 65536.0); }

// An axis-aligned rectangle, device pixels, edges anywhere: every pixel gets
// its column's width times its row's height, in 16.16, times 255, truncated.
void FillAxisRect(const BandRows& band, double left, double top, double right, double bottom, std::uint32_t rgb) {
    left = std::clamp(left, 0.0, double(band.width));
    right = std::clamp(right, 0.0, double(band.width));
    top = std::clamp(top, 0.0, double(band.height));
    bottom = std::clamp(bottom, 0.0, double(band.height));
    if (Close(left, right) || Close(top, bottom)) return;
    const int iLeft = int(left), iRight = int(right);
    const std::int64_t leftFx = Fixed(left), rightFx = Fixed(right), topFx = Fixed(top), bottomFx = Fixed(bottom);
    const std::uint64_t color = Spread(rgb);
    const int rowTo = std::min(int(bottom), band.bottom - 1);
    for (int y = std::max(int(top), band.top); y <= rowTo; ++y) {
        const std::int64_t yFx = std::int64_t(y) << 16;
        const std::int64_t height = std::min(yFx + 65536, bottomFx) - std::max(yFx, topFx);
        if (height <= 0) continue;
        auto blend = [&](std::uint32_t& pixel, std::int64_t width) {
            BlendPixel(pixel, color, std::uint32_t((height * width * 255) >> 32));
        };
        std::uint32_t* row = band.Row(y);
        if (iLeft == iRight) {
            blend(row[iLeft], rightFx - leftFx);
            continue;
        }
        blend(row[iLeft], (std::int64_t(iLeft + 1) << 16) - leftFx);
        if (height == 65536) {
            std::fill(row + iLeft + 1, row + iRight, rgb);
        } else {
            for (int x = iLeft + 1; x < iRight; ++x) blend(row[x], 65536);
        }
        if (iRight < band.width) blend(row[iRight], rightFx - (std::int64_t(iRight) << 16));
    }
}

// Cuts the segment to the rectangle; false when nothing is left.
bool ClipSegment(Corner& a, Corner& b, double left, double top, double right, double bottom) {
    double t1 = 0, t2 = 1;
    const double from[2] = {a.x, a.y}, step[2] = {b.x - a.x, b.y - a.y};
    const double low[2] = {left, top}, high[2] = {right, bottom};
    for (int i = 0; i < 2; ++i) {
        if (step[i] == 0) {
            if (from[i] <= low[i] || from[i] >= high[i]) return false;
            continue;
        }
        double tLow = (low[i] - from[i]) / step[i], tHigh = (high[i] - from[i]) / step[i];
        if (tLow > tHigh) std::swap(tLow, tHigh);
        t1 = std::max(t1, tLow);
        t2 = std::min(t2, tHigh);
        if (t1 >= t2) return false;
    }
    const Corner start = a;
    a = {start.x + step[0] * t1, start.y + step[1] * t1};
    b = {start.x + step[0] * t2, start.y + step[1] * t2};
    return true;
}

Corner Snap(Corner p) { return {std::floor(p.x * 64) / 64, std::floor(p.y * 64) / 64}; }

}  // namespace

WideLine PrepareWideLine(const DrawOp& op, const QRectF& bounds, double ratio, int width, int height) {
    WideLine line;
    line.pen = ratio;
    auto rect = [&](double left, double top, double right, double bottom) {
        line.kind = WideLine::Kind::Rect;
        line.at[0] = left, line.at[1] = top, line.at[2] = right, line.at[3] = bottom;
        line.left = std::clamp(Floor(std::clamp(left, -1.0, width + 1.0)), 0, width);
        line.right = std::clamp(Ceil(std::clamp(right, -1.0, width + 1.0)) + 1, 0, width);
        line.top = std::clamp(Floor(std::clamp(top, -1.0, height + 1.0)), 0, height);
        line.bottom = std::clamp(Ceil(std::clamp(bottom, -1.0, height + 1.0)) + 1, 0, height);
        return line;
    };
    double x1 = op.a, y1 = op.b, x2 = op.c, y2 = op.d;
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) return line;
    const QRectF clip = bounds.adjusted(-kLineMargin, -kLineMargin, kLineMargin, kLineMargin);
    if (!ClipLine(x1, y1, x2, y2, clip)) return line;
    if (HasNoLength(x1, y1, x2, y2, ratio)) {
        // A line of no length is its square cap: the point's pixel, r device pixels across.
        const double x = std::floor(x1 + 0.5), y = std::floor(y1 + 0.5);
        return rect(x * ratio, y * ratio, (x + 1) * ratio, (y + 1) * ratio);
    }
    const double pen = ratio;
    Corner a{(x1 + 0.5) * ratio, (y1 + 0.5) * ratio}, b{(x2 + 0.5) * ratio, (y2 + 0.5) * ratio};
    if (a.x == b.x && a.y == b.y) return line;
    // The caps: half the pen past either end.
    const double dx = b.x - a.x, dy = b.y - a.y, length = std::hypot(dx, dy);
    const double cap = 0.5 * pen / length;
    a = {a.x - cap * dx, a.y - cap * dy};
    b = {b.x + cap * dx, b.y + cap * dy};
    // Cut to the picture widened by the pen's reach across the line.
    const double overX = std::abs(dy) * cap, overY = std::abs(dx) * cap;
    if (!ClipSegment(a, b, -overX, -overY, width + overX, height + overY)) return line;
    if (Close(a.y, b.y)) {
        const double middle = (a.x + b.x) * 0.5, half = std::abs(b.x - a.x) * 0.5;
        const double across = 0.5 * pen * std::abs(b.x - a.x) / std::hypot(b.x - a.x, b.y - a.y);
        return rect(middle - half, a.y - across, middle + half, a.y + across);
    }
    if (a.y > b.y) std::swap(a, b);
    if (Close(a.x, b.x)) {
        const double across = 0.5 * pen * (b.y - a.y) / std::hypot(b.x - a.x, b.y - a.y);
        return rect(a.x - across, a.y, a.x + across, b.y);
    }
    // Corners as the painter places them, seen along the major axis.
    const bool sideways = std::abs(b.x - a.x) > std::abs(b.y - a.y);
    if (sideways) a = {a.y, a.x}, b = {b.y, b.x};
    if (a.y > b.y) std::swap(a, b);
    const double half = 0.5 * pen / std::hypot(b.x - a.x, b.y - a.y);
    const Corner across{(b.y - a.y) * half, -(b.x - a.x) * half};
    const Corner plusA = Snap({a.x + across.x, a.y + across.y}), minusA = Snap({a.x - across.x, a.y - across.y});
    const Corner plusB = Snap({b.x + across.x, b.y + across.y}), minusB = Snap({b.x - across.x, b.y - across.y});
    const bool rightwards = a.x < b.x;
    const Corner corners[4] = {rightwards ? plusA : minusA, rightwards ? plusB : plusA, rightwards ? minusB : plusB,
                               rightwards ? minusA : minusB};
    line.kind = sideways ? WideLine::Kind::SidewaysShape : WideLine::Kind::Shape;
    // A line this close to upright may have both corners of its upper end on
    // one row of the painter's grid. The painter's slope of the end between
    // them is then infinite, and it leaves out the row they lie in; so do we.
    line.flatTop = !sideways && (corners[0].y == corners[1].y || corners[0].y == corners[3].y);
    double lowX = corners[0].x, highX = lowX;
    for (int i = 0; i < 4; ++i) {
        line.at[2 * i] = corners[i].x, line.at[2 * i + 1] = corners[i].y;
        lowX = std::min(lowX, corners[i].x), highX = std::max(highX, corners[i].x);
    }
    // In the picture's own terms: the major axis is y, or x when sideways.
    const int lowMinor = Floor(lowX) - 1, highMinor = Ceil(highX) + 1;
    const int lowMajor = Floor(corners[0].y) - 1, highMajor = Ceil(corners[2].y) + 1;
    line.left = std::clamp(sideways ? lowMajor : lowMinor, 0, width);
    line.right = std::clamp(sideways ? highMajor : highMinor, 0, width);
    line.top = std::clamp(sideways ? lowMinor : lowMajor, 0, height);
    line.bottom = std::clamp(sideways ? highMinor : highMajor, 0, height);
    return line;
}

void DrawWideLine(const BandRows& band, const WideLine& line, std::uint32_t rgb) {
    if (line.top >= band.bottom || line.bottom <= band.top) return;
    const double* at = line.at;
    const Corner top{at[0], at[1]}, right{at[2], at[3]}, bottom{at[4], at[5]}, left{at[6], at[7]};
    switch (line.kind) {
        case WideLine::Kind::None:
            return;
        case WideLine::Kind::Rect:
            return FillAxisRect(band, at[0], at[1], at[2], at[3], rgb);
        case WideLine::Kind::Shape:
        case WideLine::Kind::SidewaysShape:
            return FillShape(band, line.kind == WideLine::Kind::SidewaysShape, {top, right, bottom, left}, line.pen,
                             line.flatTop, rgb);
    }
}

}  // namespace fw
