#include "framework/Raster.h"

#include <QPainter>
#include <QThread>
#include <QThreadPool>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <latch>
#include <memory>

namespace fw {

namespace {

// Bands thinner than this cost more to hand out than they save.
constexpr int kMinBandRows = 32;
constexpr double kMaxDot = 1e6;  // beyond this a dot is far outside any picture

// x * a / 255 for the two channels in each half of a pixel, rounded as the
// painter's blending rounds, so that both draw the same colours.
inline std::uint32_t ByteMul(std::uint32_t x, std::uint32_t a) {
    std::uint32_t t = (x & 0xff00ff) * a;
    t = ((t + ((t >> 8) & 0xff00ff) + 0x800080) >> 8) & 0xff00ff;
    x = ((x >> 8) & 0xff00ff) * a;
    x = (x + ((x >> 8) & 0xff00ff) + 0x800080) & 0xff00ff00;
    return x | t;
}

// Coverage masks of a 5 x 5 dot, made by the painter itself for every position
// within a pixel on its 1/64 grid, so that a dot looks as the painter draws it.
class DotMasks {
public:
    static constexpr int kSize = 5;
    static constexpr int kSide = kSize + 1;  // a dot off the grid touches six pixels
    static constexpr int kSteps = 64;

    // Where a dot at x lands: whole pixel and step within it.
    static void Place(double x, std::int64_t& pixel, int& step) {
        const double steps = std::round(x * kSteps);
        pixel = std::int64_t(std::floor(steps / kSteps));
        step = int(steps - double(pixel) * kSteps);
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

bool IsDot(const DrawOp& op) {
    return op.kind == DrawOp::Kind::Oval && op.c == DotMasks::kSize && op.d == DotMasks::kSize &&
           std::abs(op.a) < kMaxDot && std::abs(op.b) < kMaxDot;  // false for NaN as well
}

QThreadPool& Pool() {
    static QThreadPool pool;
    return pool;
}

// The rows [top, bottom) of the picture, drawn by one thread.
class Band {
public:
    Band(uchar* bits, qsizetype bytesPerLine, int width, int height, int top, int bottom)
        : bits_(bits), bytesPerLine_(bytesPerLine), width_(width), top_(top), bottom_(bottom), bounds_(0, 0, width, height) {}

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

private:
    std::uint32_t* Row(int y) { return reinterpret_cast<std::uint32_t*>(bits_ + y * bytesPerLine_); }

    void Blend(int x, int y, std::uint32_t color, int coverage) {
        if (x < 0 || x >= width_ || y < top_ || y >= bottom_ || coverage <= 0) return;
        std::uint32_t& pixel = Row(y)[x];
        pixel = ByteMul(color, std::uint32_t(coverage)) + ByteMul(pixel, std::uint32_t(255 - coverage));
    }

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
        const std::uint32_t color = op.color.rgba();
        for (int y = int(top); y < int(bottom); ++y) std::fill(Row(y) + int(left), Row(y) + int(right), color);
        return true;
    }

    void FillDot(const DrawOp& op) {
        std::int64_t x0 = 0, y0 = 0;
        int stepX = 0, stepY = 0;
        DotMasks::Place(op.a, x0, stepX);
        DotMasks::Place(op.b, y0, stepY);
        if (y0 + DotMasks::kSide <= top_ || y0 >= bottom_ || x0 + DotMasks::kSide <= 0 || x0 >= width_) return;
        const std::uint8_t* mask = Dots().Mask(stepX, stepY);
        const std::uint32_t color = op.color.rgba();
        for (int y = 0; y < DotMasks::kSide; ++y) {
            for (int x = 0; x < DotMasks::kSide; ++x) Blend(int(x0) + x, int(y0) + y, color, mask[y * DotMasks::kSide + x]);
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
        x1 += 0.5, y1 += 0.5, x2 += 0.5, y2 += 0.5;
        const std::uint32_t color = op.color.rgba();
        if (x1 == x2 && y1 == y2) {
            // A line of no length is its square cap: one pixel.
            Blend(int(std::floor(x1)), int(std::floor(y1)), color, 255);
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
        const int startCover = int(64 - (u1 & 63)), endCover = int(u2 & 63);

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
        // Locals, not members: the pixel stores could otherwise alias them.
        const std::int64_t from = std::int64_t(lo), to = std::int64_t(hi), end = last - first;
        const qsizetype stride = bytesPerLine_ / 4;
        std::uint32_t* const pixels = reinterpret_cast<std::uint32_t*>(bits_);
        // The minor coordinate must lie in [minorFrom, minorTo) for its pixel to be drawn.
        const int minorFrom = steep ? 0 : top_, minorTo = steep ? width_ : bottom_;
        auto blend = [&](std::int64_t major, int minor, int coverage) {
            if (minor < minorFrom || minor >= minorTo || coverage <= 0) return;
            std::uint32_t& pixel = steep ? pixels[major * stride + minor] : pixels[minor * stride + major];
            pixel = ByteMul(color, std::uint32_t(coverage)) + ByteMul(pixel, std::uint32_t(255 - coverage));
        };
        for (std::int64_t n = from; n <= to; ++n) {
            const int cover = n == 0 ? startCover : n == end ? endCover : 64;
            const std::int64_t at = v + n * inc;
            const int alpha = int((at >> 8) & 255), minor = int(at >> 16);
            blend(first + n, minor, (255 - alpha) * cover >> 6);
            blend(first + n, minor + 1, alpha * cover >> 6);
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

void RasterizeInBands(QImage& image, const std::vector<DrawOp>& ops, int threads) {
    for (const DrawOp& op : ops) {
        if (!IsDot(op)) continue;
        std::int64_t pixel = 0;
        int stepX = 0, stepY = 0;
        DotMasks::Place(op.a, pixel, stepX);
        DotMasks::Place(op.b, pixel, stepY);
        Dots().Make(stepX, stepY);
    }
    if (threads <= 0) threads = QThread::idealThreadCount();
    const int width = image.width(), height = image.height();
    const int bands = std::max(1, std::min(threads, height / kMinBandRows));
    uchar* bits = image.bits();  // detaches here, on this thread
    const qsizetype bytesPerLine = image.bytesPerLine();
    auto run = [&](int i) {
        Band band(bits, bytesPerLine, width, height, height * i / bands, height * (i + 1) / bands);
        for (const DrawOp& op : ops) band.Draw(op);
    };
    if (bands == 1) return run(0);
    if (Pool().maxThreadCount() < bands - 1) Pool().setMaxThreadCount(bands - 1);
    std::latch done(bands - 1);
    for (int i = 1; i < bands; ++i) {
        Pool().start([&run, &done, i] {
            run(i);
            done.count_down();
        });
    }
    run(0);
    done.wait();
}

}  // namespace fw
