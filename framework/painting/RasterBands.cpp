#include "framework/painting/Raster_p.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QThread>
#include <QThreadPool>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "framework/painting/RasterShapes_p.h"

namespace fw {

namespace {

// Bands thinner than this cost more to hand out than they save.
constexpr int kMinBandRows = 32;
constexpr int kBandsPerThread = 3;

// Far more than any glyph of the default font reaches above or below its
// baseline. Main thread.
double TextReach() {
    static const double reach = 2.0 * QFontMetricsF(QFont()).height() + 2.0;
    return reach;
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
        : rows_{bits, bytesPerLine, width, height, top, bottom}, bounds_(0, 0, width, height) {}

    void Draw(const DrawOp& op) {
        switch (op.kind) {
            case DrawOp::Kind::Rect:
                if (FillWholeRect(op)) return;
                break;
            case DrawOp::Kind::Oval:
                if (IsDot(op)) return FillDot(rows_, op);
                break;
            case DrawOp::Kind::Line:
                return DrawThinLine(rows_, op, bounds_);
            case DrawOp::Kind::Text:
            case DrawOp::Kind::Image:
                break;
        }
        RasterizeOp(Painter(), op, bounds_);
    }

    // Rows [top, bottom) of this band, columns [first, last).
    void FillColumns(int top, int bottom, int first, int last, std::uint32_t color) {
        for (int y = top; y < bottom; ++y) std::fill(rows_.Row(y) + first, rows_.Row(y) + last, color);
    }

private:
    // A rectangle on whole pixels is a solid fill; any other goes to the painter.
    bool FillWholeRect(const DrawOp& op) {
        if (!std::isfinite(op.a) || !std::isfinite(op.b) || !std::isfinite(op.c) || !std::isfinite(op.d)) return true;
        if (op.c <= 0 || op.d <= 0) return true;
        const double left = std::max(op.a, 0.0), top = std::max(op.b, double(rows_.top));
        const double right = std::min(op.a + op.c, double(rows_.width));
        const double bottom = std::min(op.b + op.d, double(rows_.bottom));
        if (right <= left || bottom <= top) return true;
        if (left != std::floor(left) || right != std::floor(right) || top != std::floor(top) ||
            bottom != std::floor(bottom)) {
            return false;
        }
        FillColumns(int(top), int(bottom), int(left), int(right), op.rgb);
        return true;
    }

    QPainter& Painter() {
        if (!painter_) {
            view_ = std::make_unique<QImage>(rows_.bits + rows_.top * rows_.bytesPerLine, rows_.width,
                                             rows_.bottom - rows_.top, rows_.bytesPerLine, QImage::Format_RGB32);
            painter_ = std::make_unique<QPainter>(view_.get());
            PreparePainter(*painter_);
            painter_->translate(0, -rows_.top);
        }
        return *painter_;
    }

    BandRows rows_;
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
        if (IsDot(op)) PrepareDot(op);
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
