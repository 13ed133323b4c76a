#include "framework/painting/Raster_p.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QThread>
#include <QThreadPool>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <vector>

namespace fw {

namespace {

// Bands thinner than this cost more to hand out than they save.
constexpr int kMinBandRows = 32;
constexpr int kBandsPerThread = 3;
constexpr double kMaxDot = 1e6;  // beyond this a dot is far outside any picture

// A pixel with each channel in a 16-bit lane, so that one multiplication
// scales all four.
constexpr std::uint64_t kLanes = 0x00ff00ff00ff00ffULL;

inline std::uint64_t Spread(std::uint32_t pixel) {
    const std::uint64_t p = pixel;
    return (p & 0x00ff00ff) | ((p << 24) & 0x00ff00ff00000000ULL);
}

inline std::uint32_t Gather(std::uint64_t lanes) {
    return std::uint32_t((lanes & 0x00ff00ff) | ((lanes >> 24) & 0xff00ff00));
}

// Every channel times a / 255, rounded as the painter's blending rounds, so
// that both draw the same colours.
inline std::uint64_t ByteMul(std::uint64_t lanes, std::uint64_t a) {
    const std::uint64_t t = lanes * a;
    return ((t + ((t >> 8) & kLanes) + 0x0080008000800080ULL) >> 8) & kLanes;
}

// An opaque colour (spread) over a pixel; exact at coverage 0 and 255 too.
inline void BlendPixel(std::uint32_t& pixel, std::uint64_t color, std::uint32_t coverage) {
    pixel = Gather(ByteMul(color, coverage) + ByteMul(Spread(pixel), 255 - coverage));
}

#if defined(__SSE2__)
// Two pixels at once, with the same rounding as BlendPixel: the two pixels of
// a line's step.
inline void BlendPair(std::uint32_t& first, std::uint32_t& second, __m128i colorPair, std::uint32_t firstCover,
                      std::uint32_t secondCover) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i pixels =
        _mm_unpacklo_epi8(_mm_unpacklo_epi32(_mm_cvtsi32_si128(int(first)), _mm_cvtsi32_si128(int(second))), zero);
    const __m128i cover = _mm_unpacklo_epi64(_mm_set1_epi16(short(firstCover)), _mm_set1_epi16(short(secondCover)));
    const __m128i inverse = _mm_sub_epi16(_mm_set1_epi16(255), cover);
    auto byteMul = [](__m128i t) {  // t <= 255 * 255 in every lane: no lane overflows
        return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(t, _mm_srli_epi16(t, 8)), _mm_set1_epi16(0x80)), 8);
    };
    const __m128i sum =
        _mm_add_epi16(byteMul(_mm_mullo_epi16(colorPair, cover)), byteMul(_mm_mullo_epi16(pixels, inverse)));
    const __m128i packed = _mm_packus_epi16(sum, zero);
    first = std::uint32_t(_mm_cvtsi128_si32(packed));
    second = std::uint32_t(_mm_cvtsi128_si32(_mm_srli_si128(packed, 4)));
}
#endif

// Coverage masks of a 5 x 5 dot, made by the painter itself for every position
// within a pixel on its 1/64 grid, so that a dot looks as the painter draws it.
class DotMasks {
public:
    static constexpr int kSize = 5;
    static constexpr int kSide = kSize + 1;  // a dot off the grid touches six pixels
    static constexpr int kSteps = 64;

    // Where a dot at x lands: whole pixel and step within it.
    static void Place(double x, std::int64_t& pixel, int& step) {
        // Nearest step; x is within the int64 range here.
        std::int64_t steps = std::int64_t(x * kSteps + 0.5);
        if (double(steps) > x * kSteps + 0.5) --steps;
        static_assert(kSteps == 1 << 6);
        pixel = steps >> 6;
        step = int(steps & (kSteps - 1));
    }

    // Main thread only.
    void Make(int stepX, int stepY) {
        const int key = stepY * kSteps + stepX;
        if (made_[key]) return;
        if (scratch_.isNull()) scratch_ = QImage(kSide + 2, kSide + 2, QImage::Format_ARGB32_Premultiplied);
        scratch_.fill(Qt::transparent);
        {
            QPainter painter(&scratch_);
            PreparePainter(painter);
            painter.setPen(Qt::NoPen);
            painter.setBrush(Qt::black);
            painter.drawEllipse(QRectF(double(stepX) / kSteps, double(stepY) / kSteps, kSize, kSize));
        }
        std::uint8_t* mask = &coverage_[std::size_t(key) * kSide * kSide];
        for (int y = 0; y < kSide; ++y) {
            for (int x = 0; x < kSide; ++x) mask[y * kSide + x] = std::uint8_t(qAlpha(scratch_.pixel(x, y)));
        }
        made_[key] = true;
    }

    const std::uint8_t* Mask(int stepX, int stepY) const {
        return &coverage_[std::size_t(stepY * kSteps + stepX) * kSide * kSide];
    }

private:
    std::vector<std::uint8_t> coverage_ = std::vector<std::uint8_t>(std::size_t(kSteps) * kSteps * kSide * kSide);
    std::vector<bool> made_ = std::vector<bool>(std::size_t(kSteps) * kSteps);
    QImage scratch_;
};

DotMasks& Dots() {
    static DotMasks masks;
    return masks;
}

// Far more than any glyph of the default font reaches above or below its
// baseline. Main thread.
double TextReach() {
    static const double reach = 2.0 * QFontMetricsF(QFont()).height() + 2.0;
    return reach;
}

bool IsDot(const DrawOp& op) {
    return op.kind == DrawOp::Kind::Oval && op.c == DotMasks::kSize && op.d == DotMasks::kSize &&
           std::abs(op.a) < kMaxDot && std::abs(op.b) < kMaxDot;  // false for NaN as well
}

// What a thin line leaves to its inner loop, by value: pixel stores cannot
// alias it, so it stays in registers.
struct LineSteps {
    std::uint32_t* pixels;
    qsizetype stride;     // in pixels
    std::uint64_t color;  // spread
#if defined(__SSE2__)
    __m128i colorPair;  // twice, a channel per 16-bit lane
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

// The pixels a call may touch, generously, within the picture; right and
// bottom exclusive. Coordinates past this limit count as reaching everywhere.
struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
};

Box BoxOf(const DrawOp& op, int width, int height) {
    constexpr double kLimit = 1e9;
    auto range = [](double low, double high, int size, int& from, int& to) {
        if (low > -kLimit && high < kLimit) {  // also false for NaN
            from = int(std::clamp(std::floor(low), 0.0, double(size)));
            to = int(std::clamp(std::ceil(high) + 1, 0.0, double(size)));
        } else {
            from = 0, to = size;
        }
    };
    Box box;
    switch (op.kind) {
        case DrawOp::Kind::Line:
            // Cutting a line keeps it between its ends within this range.
            range(std::min(op.a, op.c) - kLineMargin - 1, std::max(op.a, op.c) + kLineMargin + 1, width, box.left,
                  box.right);
            range(std::min(op.b, op.d) - kLineMargin - 1, std::max(op.b, op.d) + kLineMargin + 1, height, box.top,
                  box.bottom);
            break;
        case DrawOp::Kind::Oval:
        case DrawOp::Kind::Rect:
            range(op.a - 2, op.a + op.c + 2, width, box.left, box.right);
            range(op.b - 2, op.b + op.d + 2, height, box.top, box.bottom);
            break;
        case DrawOp::Kind::Text:
            box.left = 0, box.right = width;
            range(op.b - TextReach(), op.b + TextReach(), height, box.top, box.bottom);
            break;
        case DrawOp::Kind::Image:
            box.right = width, box.bottom = height;
            break;
    }
    return box;
}

bool FillsWhole(const DrawOp& op, int width, int height) {
    return op.kind == DrawOp::Kind::Rect && op.a <= 0 && op.b <= 0 && op.a + op.c >= width && op.b + op.d >= height;
}

// Calls this code leaves to a painter. Painters draw text, and the font
// caches text needs belong to the thread that draws it: the main thread.
bool NeedsPainter(const DrawOp& op) {
    switch (op.kind) {
        case DrawOp::Kind::Line:
            return false;
        case DrawOp::Kind::Oval:
            return !IsDot(op);
        case DrawOp::Kind::Rect:
            return op.a != std::floor(op.a) || op.b != std::floor(op.b) || op.c != std::floor(op.c) ||
                   op.d != std::floor(op.d);
        case DrawOp::Kind::Text:
        case DrawOp::Kind::Image:
            break;
    }
    return true;
}

// One rendering's bands. The main thread draws those that need a painter;
// the others are taken one after the other by whichever thread is free.
// Shared with the helpers: one that wakes after the last band was taken
// finds nothing left and touches nothing else.
struct Work {
    int bands = 0;
    std::vector<int> shared;        // the bands any thread may take
    std::function<void(int)> draw;  // valid until WaitUntilDrawn returns
    std::atomic<int> next{0}, drawn{0};

    void Draw(int band) {
        draw(band);
        if (drawn.fetch_add(1) + 1 == bands) drawn.notify_all();
    }
    void Drain() {
        for (int i = next.fetch_add(1); i < int(shared.size()); i = next.fetch_add(1)) Draw(shared[i]);
    }
    void WaitUntilDrawn() {
        for (int seen = drawn.load(); seen < bands; seen = drawn.load()) drawn.wait(seen);
    }
};

QThreadPool& Pool() {
    static QThreadPool pool;
    return pool;
}

// The rows [top, bottom) of the picture, drawn by one thread.
class Band {
public:
    Band(uchar* bits, qsizetype bytesPerLine, int width, int height, int top, int bottom)
        : bits_(bits),
          bytesPerLine_(bytesPerLine),
          width_(width),
          top_(top),
          bottom_(bottom),
          bounds_(0, 0, width, height) {}

    void Draw(const DrawOp& op) {
        switch (op.kind) {
            case DrawOp::Kind::Rect:
                if (FillWholeRect(op)) return;
                break;
            case DrawOp::Kind::Oval:
                if (IsDot(op)) return FillDot(op);
                break;
            case DrawOp::Kind::Line:
                return DrawThinLine(op);
            case DrawOp::Kind::Text:
            case DrawOp::Kind::Image:
                break;
        }
        RasterizeOp(Painter(), op, bounds_);
    }

    // Rows [top, bottom) of this band, columns [first, last).
    void FillColumns(int top, int bottom, int first, int last, std::uint32_t color) {
        for (int y = top; y < bottom; ++y) std::fill(Row(y) + first, Row(y) + last, color);
    }

private:
    std::uint32_t* Row(int y) { return reinterpret_cast<std::uint32_t*>(bits_ + y * bytesPerLine_); }

    // A rectangle on whole pixels is a solid fill; any other goes to the painter.
    bool FillWholeRect(const DrawOp& op) {
        if (!std::isfinite(op.a) || !std::isfinite(op.b) || !std::isfinite(op.c) || !std::isfinite(op.d)) return true;
        if (op.c <= 0 || op.d <= 0) return true;
        const double left = std::max(op.a, 0.0), top = std::max(op.b, double(top_));
        const double right = std::min(op.a + op.c, double(width_)), bottom = std::min(op.b + op.d, double(bottom_));
        if (right <= left || bottom <= top) return true;
        if (left != std::floor(left) || right != std::floor(right) || top != std::floor(top) ||
            bottom != std::floor(bottom)) {
            return false;
        }
        const std::uint32_t color = op.rgb;
        for (int y = int(top); y < int(bottom); ++y) std::fill(Row(y) + int(left), Row(y) + int(right), color);
        return true;
    }

    void FillDot(const DrawOp& op) {
        std::int64_t left = 0, top = 0;
        int stepX = 0, stepY = 0;
        DotMasks::Place(op.b, top, stepY);
        if (top + DotMasks::kSide <= top_ || top >= bottom_) return;
        DotMasks::Place(op.a, left, stepX);
        if (left + DotMasks::kSide <= 0 || left >= width_) return;
        const std::uint8_t* mask = Dots().Mask(stepX, stepY);
        const std::uint64_t color = Spread(op.rgb);
        const int yFrom = int(std::max<std::int64_t>(top, top_)),
                  yTo = int(std::min<std::int64_t>(top + DotMasks::kSide, bottom_));
        const int xFrom = int(std::max<std::int64_t>(left, 0)),
                  xTo = int(std::min<std::int64_t>(left + DotMasks::kSide, width_));
        for (int y = yFrom; y < yTo; ++y) {
            std::uint32_t* row = Row(y);
            const std::uint8_t* coverage = mask + (y - top) * DotMasks::kSide - left;
            for (int x = xFrom; x < xTo; ++x) BlendPixel(row[x], color, coverage[x]);
        }
    }

    // A 1-pixel antialiased line with square caps, as the painter's thin-pen
    // stroker draws one: ends on its 1/64 grid, caps half a pixel long along the
    // major axis, each step along that axis shared between two pixels.
    void DrawThinLine(const DrawOp& op) {
        double x1 = op.a, y1 = op.b, x2 = op.c, y2 = op.d;
        if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) return;
        const QRectF clip = bounds_.adjusted(-kLineMargin, -kLineMargin, kLineMargin, kLineMargin);
        if (!ClipLine(x1, y1, x2, y2, clip)) return;
        if (std::max(y1, y2) + kLineMargin < top_ || std::min(y1, y2) - kLineMargin > bottom_) return;
        x1 += 0.5, y1 += 0.5, x2 += 0.5, y2 += 0.5;
        const std::uint32_t color = op.rgb;
        if (x1 == x2 && y1 == y2) {
            // A line of no length is its square cap: one pixel.
            const double x = std::floor(x1), y = std::floor(y1);
            if (x >= 0 && x < width_ && y >= top_ && y < bottom_) Row(int(y))[int(x)] = color;
            return;
        }
        // The stroker's own clip, which decides where its steps start.
        if (!ClipLine(x1, y1, x2, y2, bounds_.adjusted(-1, -1, 1, 1))) return;
        auto fixed = [](double v) { return std::int64_t(v * 64.0); };
        std::int64_t u1 = fixed(x1), v1 = fixed(y1), u2 = fixed(x2), v2 = fixed(y2);
        // u is the major axis, v the minor one.
        const bool steep = std::abs(u2 - u1) < std::abs(v2 - v1);
        if (steep) std::swap(u1, v1), std::swap(u2, v2);
        if (u1 == u2) return;
        if (u1 > u2) std::swap(u1, u2), std::swap(v1, v2);

        const std::int64_t inc = ((v2 - v1) << 16) / (u2 - u1);  // 16.16 per major step
        std::int64_t v = (v1 - 32) << 10;
        v -= (((u1 & 63) - 32) * inc) >> 6;
        u1 -= 32, u2 += 32, v -= inc >> 1;  // the caps
        const std::int64_t first = u1 >> 6, last = u2 >> 6;
        const std::int64_t startCover = 64 - (u1 & 63), endCover = u2 & 63;

        // Only the steps that can touch this band.
        const int majorLow = steep ? top_ : 0, majorHigh = steep ? bottom_ : width_;
        const int minorLow = steep ? -1 : top_ - 1, minorHigh = steep ? width_ : bottom_;
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
        auto* pixels = reinterpret_cast<std::uint32_t*>(bits_);
        LineSteps steps {
            pixels, bytesPerLine_ / 4, Spread(color),
#if defined(__SSE2__)
                _mm_unpacklo_epi8(_mm_set1_epi32(int(color)), _mm_setzero_si128()),
#endif
                first, v, inc, std::int64_t(lo), std::int64_t(hi), last - first, std::uint32_t(startCover),
                std::uint32_t(endCover), steep ? 0 : top_, steep ? width_ : bottom_
        };
        if (steep) {
            DrawSteps<true>(steps);
        } else {
            DrawSteps<false>(steps);
        }
    }

    QPainter& Painter() {
        if (!painter_) {
            view_ = std::make_unique<QImage>(bits_ + top_ * bytesPerLine_, width_, bottom_ - top_, bytesPerLine_,
                                             QImage::Format_RGB32);
            painter_ = std::make_unique<QPainter>(view_.get());
            PreparePainter(*painter_);
            painter_->translate(0, -top_);
        }
        return *painter_;
    }

    uchar* bits_;
    qsizetype bytesPerLine_;
    int width_, top_, bottom_;
    QRectF bounds_;  // the whole picture: calls are clipped as on one painter
    std::unique_ptr<QImage> view_;
    std::unique_ptr<QPainter> painter_;  // after view_: ends before it
};

}  // namespace

void RasterizeInBands(Picture::Impl& picture, const std::vector<DrawOp>& ops, int threads) {
    QImage& image = picture.image;
    const int width = image.width(), height = image.height();
    // What the bands only read is made ready here, on this thread: the dot
    // masks, the pixels of every picture drawn in, and the pixels each call may
    // touch. A picture drawn into itself is drawn by one band, reading while it
    // writes, as one painter would.
    bool drawsItself = false;
    std::vector<Box> boxes(ops.size());
    for (std::size_t i = 0; i < ops.size(); ++i) {
        const DrawOp& op = ops[i];
        if (op.kind == DrawOp::Kind::Image && op.extra->picture) {
            Picture::Impl& source = op.extra->picture->impl();
            if (&source == &picture) drawsItself = true;
            source.Image();
        }
        if (IsDot(op)) {
            std::int64_t pixel = 0;
            int stepX = 0, stepY = 0;
            DotMasks::Place(op.a, pixel, stepX);
            DotMasks::Place(op.b, pixel, stepY);
            Dots().Make(stepX, stepY);
        }
        boxes[i] = BoxOf(op, width, height);
    }
    // A rendering starts with a fill of the whole picture; in the colour the
    // picture already has outside its dirty ranges, only they need it.
    const bool startsWithFill = !ops.empty() && FillsWhole(ops[0], width, height);
    const bool fillOnlyDirty = startsWithFill && ops[0].rgb == picture.clean;

    if (threads <= 0) threads = QThread::idealThreadCount();
    // More bands than threads: a thread that wakes late or draws a quiet band
    // takes the next one, and no thread waits long for another.
    const int bands = drawsItself ? 1 : std::clamp(height / kMinBandRows, 1, threads * kBandsPerThread);
    const int helpers = std::min(threads, bands) - 1;
    uchar* bits = image.bits();  // detaches here, on this thread
    const qsizetype bytesPerLine = image.bytesPerLine();
    constexpr int kStrip = Picture::Impl::kStripRows;
    if (picture.dirty.size() != std::size_t((height + kStrip - 1) / kStrip)) picture.MarkAllDirty();
    auto* const dirty = picture.dirty.data();

    // On strip borders, so that no two bands share a strip.
    auto bandTop = [&](int i) { return i == bands ? height : height * i / bands / kStrip * kStrip; };
    std::vector<char> ownBands(std::size_t(bands), 0);
    for (std::size_t k = 0; k < ops.size(); ++k) {
        if (!NeedsPainter(ops[k])) continue;
        for (int i = 0; i < bands; ++i) {
            if (boxes[k].top < bandTop(i + 1) && boxes[k].bottom > bandTop(i)) ownBands[std::size_t(i)] = 1;
        }
    }

    auto work = std::make_shared<Work>();
    work->bands = bands;
    for (int i = 0; i < bands; ++i) {
        if (!ownBands[std::size_t(i)]) work->shared.push_back(i);
    }
    work->draw = [&](int i) {
        const int top = bandTop(i), bottom = bandTop(i + 1);
        Band band(bits, bytesPerLine, width, height, top, bottom);
        std::size_t k = 0;
        if (startsWithFill) {
            for (int s = top / kStrip; s * kStrip < bottom; ++s) {
                auto& [first, last] = dirty[s];
                if (!fillOnlyDirty) first = 0, last = width;
                band.FillColumns(s * kStrip, std::min(bottom, (s + 1) * kStrip), first, last, ops[0].rgb);
                first = last = 0;
            }
            k = 1;
        }
        for (; k < ops.size(); ++k) {
            const Box& box = boxes[k];
            if (box.bottom <= top || box.top >= bottom || box.left >= box.right) continue;
            band.Draw(ops[k]);
            for (int s = std::max(box.top, top) / kStrip; s * kStrip < std::min(box.bottom, bottom); ++s) {
                auto& [first, last] = dirty[s];
                if (first >= last) {
                    first = box.left, last = box.right;
                } else {
                    first = std::min(first, box.left), last = std::max(last, box.right);
                }
            }
        }
    };
    if (helpers > 0 && Pool().maxThreadCount() < helpers) Pool().setMaxThreadCount(helpers);
    for (int i = 0; i < std::min<int>(helpers, int(work->shared.size())); ++i) Pool().start([work] { work->Drain(); });
    for (int i = 0; i < bands; ++i) {
        if (ownBands[std::size_t(i)]) work->Draw(i);
    }
    work->Drain();
    work->WaitUntilDrawn();
    if (startsWithFill) picture.clean = ops[0].rgb;
}

}  // namespace fw
