#include "framework/painting/RasterShapes_p.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "framework/painting/RasterBlend_p.h"

namespace fw {

namespace {

constexpr double kMaxDot = 1e6;  // beyond this a dot is far outside any picture
constexpr double kDotSize = 5;   // in points
constexpr int kSteps = 64;       // positions within a pixel, the painter's grid

// Where a dot at x (device pixels) lands: whole pixel and step within it.
void Place(double x, std::int64_t& pixel, int& step) {
    // Nearest step; x is within the int64 range here.
    std::int64_t steps = std::int64_t(x * kSteps + 0.5);
    if (double(steps) > x * kSteps + 0.5) --steps;
    static_assert(kSteps == 1 << 6);
    pixel = steps >> 6;
    step = int(steps & (kSteps - 1));
}

}  // namespace

// Coverage masks of a dot, made by the painter itself for every position
// within a pixel on its 1/64 grid, so that a dot looks as the painter draws it.
class DotMasks {
public:
    explicit DotMasks(double ratio)
        : ratio_(ratio),
          size_(kDotSize * ratio),
          side_(int(std::ceil(size_)) + 1),  // a dot off the grid touches one pixel more
          coverage_(std::size_t(kSteps) * kSteps * side_ * side_),
          made_(std::size_t(kSteps) * kSteps) {}

    double Ratio() const { return ratio_; }
    int Side() const { return side_; }

    // Main thread only.
    void Make(int stepX, int stepY) {
        const int key = stepY * kSteps + stepX;
        if (made_[key]) return;
        if (scratch_.isNull()) scratch_ = QImage(side_ + 2, side_ + 2, QImage::Format_ARGB32_Premultiplied);
        scratch_.fill(Qt::transparent);
        {
            QPainter painter(&scratch_);
            PreparePainter(painter);
            painter.setPen(Qt::NoPen);
            painter.setBrush(Qt::black);
            painter.scale(ratio_, ratio_);
            painter.drawEllipse(
                QRectF(double(stepX) / kSteps / ratio_, double(stepY) / kSteps / ratio_, kDotSize, kDotSize));
        }
        std::uint8_t* mask = &coverage_[std::size_t(key) * side_ * side_];
        for (int y = 0; y < side_; ++y) {
            for (int x = 0; x < side_; ++x) mask[y * side_ + x] = std::uint8_t(qAlpha(scratch_.pixel(x, y)));
        }
        made_[key] = true;
    }

    const std::uint8_t* Mask(int stepX, int stepY) const {
        return &coverage_[std::size_t(stepY * kSteps + stepX) * side_ * side_];
    }

private:
    double ratio_, size_;
    int side_;
    std::vector<std::uint8_t> coverage_;
    std::vector<bool> made_;
    QImage scratch_;
};

namespace {

// What a thin line leaves to its inner loop, by value: pixel stores cannot
// alias it, so it stays in registers.
struct LineSteps {
    std::uint32_t* pixels;
    qsizetype stride;     // in pixels
    std::uint64_t color;  // spread
#if defined(__SSE2__)
    __m128i colorPair;
#endif
    std::int64_t first, v, inc;          // first major pixel; minor position and its step in 16.16
    std::int64_t from, to, end;          // the steps to draw, and the last step of the line
    std::uint32_t startCover, endCover;  // of the first and last step, in 64ths
    int minorFrom, minorTo;              // the minor pixels that may be drawn
};

// One step: the two pixels across the line, cover in 64ths of a full step.
template <bool kSteep>
inline void DrawStep(const LineSteps& s, std::int64_t n, std::uint32_t cover) {
    const std::int64_t at = s.v + n * s.inc;
    const std::uint32_t alpha = std::uint32_t(at >> 8) & 255;
    const int minor = int(at >> 16);
    const std::int64_t major = s.first + n;
    const std::uint32_t nearCover = (255 - alpha) * cover >> 6, farCover = alpha * cover >> 6;
    auto at_ = [&](int m) -> std::uint32_t& {
        return kSteep ? s.pixels[major * s.stride + m] : s.pixels[m * s.stride + major];
    };
#if defined(__SSE2__)
    if (minor >= s.minorFrom && minor + 1 < s.minorTo) {
        BlendPair(at_(minor), at_(minor + 1), s.colorPair, nearCover, farCover);
        return;
    }
#endif
    if (minor >= s.minorFrom && minor < s.minorTo) BlendPixel(at_(minor), s.color, nearCover);
    if (minor + 1 >= s.minorFrom && minor + 1 < s.minorTo) BlendPixel(at_(minor + 1), s.color, farCover);
}

template <bool kSteep>
void DrawSteps(const LineSteps s) {
    std::int64_t n = s.from;
    if (n == 0 && n <= s.to) DrawStep<kSteep>(s, n++, s.startCover);
    for (const std::int64_t middle = std::min(s.to, s.end - 1); n <= middle; ++n) DrawStep<kSteep>(s, n, 64);
    if (n == s.end && n <= s.to) DrawStep<kSteep>(s, n, s.endCover);
}

}  // namespace

DotMasks& DotMasksFor(double ratio) {
    // Pictures of a process share one ratio or two: a short list will do.
    static std::vector<std::unique_ptr<DotMasks>> masks;
    for (const auto& m : masks) {
        if (m->Ratio() == ratio) return *m;
    }
    return *masks.emplace_back(std::make_unique<DotMasks>(ratio));
}

bool IsDot(const DrawOp& op) {
    return op.kind == DrawOp::Kind::Oval && op.c == kDotSize && op.d == kDotSize && std::abs(op.a) < kMaxDot &&
           std::abs(op.b) < kMaxDot;  // false for NaN as well
}

void PrepareDot(DotMasks& masks, const DrawOp& op) {
    std::int64_t pixel = 0;
    int stepX = 0, stepY = 0;
    Place(op.a * masks.Ratio(), pixel, stepX);
    Place(op.b * masks.Ratio(), pixel, stepY);
    masks.Make(stepX, stepY);
}

void FillDot(const BandRows& band, const DotMasks& masks, const DrawOp& op) {
    std::int64_t left = 0, top = 0;
    int stepX = 0, stepY = 0;
    const int side = masks.Side();
    Place(op.b * masks.Ratio(), top, stepY);
    if (top + side <= band.top || top >= band.bottom) return;
    Place(op.a * masks.Ratio(), left, stepX);
    if (left + side <= 0 || left >= band.width) return;
    const std::uint8_t* mask = masks.Mask(stepX, stepY);
    const std::uint64_t color = Spread(op.rgb);
    const int yFrom = int(std::max<std::int64_t>(top, band.top)),
              yTo = int(std::min<std::int64_t>(top + side, band.bottom));
    const int xFrom = int(std::max<std::int64_t>(left, 0)), xTo = int(std::min<std::int64_t>(left + side, band.width));
#if defined(__SSE2__)
    const __m128i colorPair = ColorPair(op.rgb);
#endif
    for (int y = yFrom; y < yTo; ++y) {
        std::uint32_t* row = band.Row(y);
        const std::uint8_t* coverage = mask + (y - top) * side - left;
        int x = xFrom;
#if defined(__SSE2__)
        for (; x + 1 < xTo; x += 2) BlendPair(row[x], row[x + 1], colorPair, coverage[x], coverage[x + 1]);
#endif
        for (; x < xTo; ++x) BlendPixel(row[x], color, coverage[x]);
    }
}

// As the painter's thin-pen stroker draws one: ends on its 1/64 grid, caps
// half a pixel long along the major axis, each step along that axis shared
// between two pixels.
void DrawThinLine(const BandRows& band, const DrawOp& op, const QRectF& bounds) {
    double x1 = op.a, y1 = op.b, x2 = op.c, y2 = op.d;
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) return;
    const QRectF clip = bounds.adjusted(-kLineMargin, -kLineMargin, kLineMargin, kLineMargin);
    if (!ClipLine(x1, y1, x2, y2, clip)) return;
    if (std::max(y1, y2) + kLineMargin < band.top || std::min(y1, y2) - kLineMargin > band.bottom) return;
    const std::uint32_t color = op.rgb;
    if (HasNoLength(x1, y1, x2, y2, 1.0)) {
        // A line of no length is its square cap: one pixel.
        const double x = std::floor(x1 + 0.5), y = std::floor(y1 + 0.5);
        if (x >= 0 && x < band.width && y >= band.top && y < band.bottom) band.Row(int(y))[int(x)] = color;
        return;
    }
    x1 += 0.5, y1 += 0.5, x2 += 0.5, y2 += 0.5;
    // The stroker's own clip, which decides where its steps start.
    if (!ClipLine(x1, y1, x2, y2, bounds.adjusted(-1, -1, 1, 1))) return;
    // Fixed point, as the stroker counts: ends in 64ths of a pixel (26.6),
    // so >> 6 is the whole pixel, & 63 the 64ths within it, and 32 half a
    // pixel; the minor position and its step per major pixel in 65536ths
    // (16.16, a 26.6 value << 10), whose bits 8..15 are the share of the
    // second pixel across the line. The start is moved from the first major
    // end to the centre of its pixel (- 32, back along the slope), the caps
    // add half a pixel (32) at both ends, and half a step (inc >> 1) puts the
    // minor position at the start of the step rather than its middle.
    auto fixed = [](double v) { return std::int64_t(v * 64.0); };
    std::int64_t u1 = fixed(x1), v1 = fixed(y1), u2 = fixed(x2), v2 = fixed(y2);
    // u is the major axis, v the minor one.
    const bool steep = std::abs(u2 - u1) < std::abs(v2 - v1);
    if (steep) std::swap(u1, v1), std::swap(u2, v2);
    if (u1 == u2) return;
    if (u1 > u2) std::swap(u1, u2), std::swap(v1, v2);

    const std::int64_t inc = ((v2 - v1) << 16) / (u2 - u1);
    std::int64_t v = (v1 - 32) << 10;
    v -= (((u1 & 63) - 32) * inc) >> 6;
    u1 -= 32, u2 += 32, v -= inc >> 1;
    const std::int64_t first = u1 >> 6, last = u2 >> 6;
    const std::int64_t startCover = 64 - (u1 & 63), endCover = u2 & 63;

    // Only the steps that can touch this band.
    const int majorLow = steep ? band.top : 0, majorHigh = steep ? band.bottom : band.width;
    const int minorLow = steep ? -1 : band.top - 1, minorHigh = steep ? band.width : band.bottom;
    double lo = double(std::max<std::int64_t>(0, majorLow - first));
    double hi = double(std::min<std::int64_t>(last - first, majorHigh - 1 - first));
    if (inc == 0) {
        const std::int64_t row = v >> 16;
        if (row < minorLow || row >= minorHigh) return;
    } else {
        const double a = (double(std::int64_t(minorLow) << 16) - double(v)) / double(inc);
        const double b = (double(std::int64_t(minorHigh) << 16) - double(v)) / double(inc);
        lo = std::max(lo, std::floor(std::min(a, b)) - 1);
        hi = std::min(hi, std::ceil(std::max(a, b)) + 1);
    }
    LineSteps steps {
        reinterpret_cast<std::uint32_t*>(band.bits), band.bytesPerLine / 4, Spread(color),
#if defined(__SSE2__)
            ColorPair(color),
#endif
            first, v, inc, std::int64_t(lo), std::int64_t(hi), last - first, std::uint32_t(startCover),
            std::uint32_t(endCover), steep ? 0 : band.top, steep ? band.width : band.bottom
    };
    if (steep) {
        DrawSteps<true>(steps);
    } else {
        DrawSteps<false>(steps);
    }
}

}  // namespace fw
