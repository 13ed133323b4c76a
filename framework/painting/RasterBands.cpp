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
// Bands larger than this lose the cache between one call and the next.
constexpr qsizetype kMaxBandBytes = 5 << 19;

// Far more than any glyph of the default font reaches above or below its
// baseline. Main thread.
double TextReach() {
    static const double reach = 2.0 * QFontMetricsF(QFont()).height() + 2.0;
    return reach;
}

// The device pixels a call may touch, generously, within the picture; right
// and bottom exclusive. Coordinates past this limit count as reaching
// everywhere.
struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
};

Box BoxOf(const DrawOp& op, int width, int height, double ratio) {
    constexpr double kLimit = 1e9;
    // low and high in points.
    auto range = [ratio](double low, double high, int size, int& from, int& to) {
        if (low > -kLimit && high < kLimit) {  // also false for NaN
            from = int(std::clamp(std::floor(low * ratio), 0.0, double(size)));
            to = int(std::clamp(std::ceil(high * ratio) + 1, 0.0, double(size)));
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

bool FillsWhole(const DrawOp& op, int width, int height, double ratio) {
    return op.kind == DrawOp::Kind::Rect && op.a <= 0 && op.b <= 0 && (op.a + op.c) * ratio >= width &&
           (op.b + op.d) * ratio >= height;
}

// What a rectangle comes to in device pixels, cut to [0, width) x [top,
// bottom): nothing, a solid fill, or edges within pixels.
enum class RectPixels { None, Whole, Partial };

RectPixels RectOnPixels(const DrawOp& op, double ratio, int width, int top, int bottom, QRect* whole) {
    if (!std::isfinite(op.a) || !std::isfinite(op.b) || !std::isfinite(op.c) || !std::isfinite(op.d)) {
        return RectPixels::None;
    }
    if (op.c <= 0 || op.d <= 0) return RectPixels::None;
    const double left = std::max(op.a * ratio, 0.0), up = std::max(op.b * ratio, double(top));
    const double right = std::min((op.a + op.c) * ratio, double(width));
    const double down = std::min((op.b + op.d) * ratio, double(bottom));
    if (right <= left || down <= up) return RectPixels::None;
    if (left != std::floor(left) || right != std::floor(right) || up != std::floor(up) || down != std::floor(down)) {
        return RectPixels::Partial;
    }
    if (whole) *whole = QRect(QPoint(int(left), int(up)), QPoint(int(right) - 1, int(down) - 1));
    return RectPixels::Whole;
}

// Calls this code leaves to a painter. Painters draw text, and the font
// caches text needs belong to the thread that draws it: the main thread.
bool NeedsPainter(const DrawOp& op, double ratio, int width, int height) {
    switch (op.kind) {
        case DrawOp::Kind::Line:
            return false;
        case DrawOp::Kind::Oval:
            return !IsDot(op);
        case DrawOp::Kind::Rect:
            return RectOnPixels(op, ratio, width, 0, height, nullptr) == RectPixels::Partial;
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

// Runs draw(0) .. draw(count - 1) on up to threads threads, this one among
// them; own are those only this thread may run.
void Run(int count, const std::vector<char>& own, const std::function<void(int)>& draw, int threads) {
    auto work = std::make_shared<Work>();
    work->bands = count;
    for (int i = 0; i < count; ++i) {
        if (!own[std::size_t(i)]) work->shared.push_back(i);
    }
    work->draw = draw;
    const int helpers = std::min(threads, count) - 1;
    if (helpers > 0 && Pool().maxThreadCount() < helpers) Pool().setMaxThreadCount(helpers);
    for (int i = 0; i < std::min<int>(helpers, int(work->shared.size())); ++i) Pool().start([work] { work->Drain(); });
    for (int i = 0; i < count; ++i) {
        if (own[std::size_t(i)]) work->Draw(i);
    }
    work->Drain();
    work->WaitUntilDrawn();
}

// What every band of one rendering shares.
struct Frame {
    uchar* bits;
    qsizetype bytesPerLine;
    int width, height;  // device pixels
    double ratio;       // device pixels per point
    QRectF bounds;      // the whole picture in points: calls are clipped as on one painter
    const DotMasks* dots;
    const WideLine* wide;  // per call, for lines at ratios above 1
};

// The rows [top, bottom) of the picture, drawn by one thread.
class Band {
public:
    Band(const Frame& frame, int top, int bottom)
        : frame_(frame), rows_{frame.bits, frame.bytesPerLine, frame.width, frame.height, top, bottom} {}

    // Call k of the rendering.
    void Draw(const DrawOp& op, std::size_t k) {
        switch (op.kind) {
            case DrawOp::Kind::Rect: {
                QRect whole;
                switch (RectOnPixels(op, frame_.ratio, rows_.width, rows_.top, rows_.bottom, &whole)) {
                    case RectPixels::None:
                        return;
                    case RectPixels::Whole:
                        return FillColumns(whole.top(), whole.bottom() + 1, whole.left(), whole.right() + 1, op.rgb);
                    case RectPixels::Partial:
                        break;
                }
                break;
            }
            case DrawOp::Kind::Oval:
                if (IsDot(op)) return FillDot(rows_, *frame_.dots, op);
                break;
            case DrawOp::Kind::Line:
                if (frame_.ratio == 1.0) return DrawThinLine(rows_, op, frame_.bounds);
                return DrawWideLine(rows_, frame_.wide[k], op.rgb);
            case DrawOp::Kind::Text:
            case DrawOp::Kind::Image:
                break;
        }
        RasterizeOp(Painter(), op, frame_.bounds);
    }

    // Rows [top, bottom) of this band, columns [first, last).
    void FillColumns(int top, int bottom, int first, int last, std::uint32_t color) {
        for (int y = top; y < bottom; ++y) std::fill(rows_.Row(y) + first, rows_.Row(y) + last, color);
    }

private:
    // Draws in points as a painter on the whole picture would: the band's
    // rows shifted up to its own top.
    QPainter& Painter() {
        if (!painter_) {
            view_ = std::make_unique<QImage>(rows_.bits + rows_.top * rows_.bytesPerLine, rows_.width,
                                             rows_.bottom - rows_.top, rows_.bytesPerLine, QImage::Format_RGB32);
            painter_ = std::make_unique<QPainter>(view_.get());
            PreparePainter(*painter_);
            painter_->setTransform(QTransform(frame_.ratio, 0, 0, frame_.ratio, 0, -rows_.top));
        }
        return *painter_;
    }

    const Frame& frame_;
    BandRows rows_;
    std::unique_ptr<QImage> view_;
    std::unique_ptr<QPainter> painter_;  // after view_: ends before it
};

}  // namespace

void RasterizeInBands(Picture::Impl& picture, const std::vector<DrawOp>& ops, int threads) {
    QImage& image = picture.image;
    const int width = image.width(), height = image.height();
    const double ratio = picture.ratio;
    DotMasks& dots = DotMasksFor(ratio);
    // What the bands only read is made ready here, on this thread: the dot
    // masks, the pixels of every picture drawn in, and the pixels each call may
    // touch. A picture drawn into itself is drawn by one band, reading while it
    // writes, as one painter would.
    bool drawsItself = false;
    std::vector<Box> boxes(ops.size());
    const QRectF bounds(0, 0, double(picture.width), double(picture.height));
    thread_local std::vector<WideLine> wide;
    if (ratio != 1.0) wide.resize(ops.size());
    for (std::size_t i = 0; i < ops.size(); ++i) {
        const DrawOp& op = ops[i];
        if (op.kind == DrawOp::Kind::Image && op.extra->picture) {
            Picture::Impl& source = op.extra->picture->impl();
            if (&source == &picture) drawsItself = true;
            source.Image();
        }
        if (IsDot(op)) PrepareDot(dots, op);
        if (ratio != 1.0 && op.kind == DrawOp::Kind::Line) {
            const WideLine& line = wide[i] = PrepareWideLine(op, bounds, ratio, width, height);
            boxes[i] = {line.left, line.top, line.right, line.bottom};
        } else {
            boxes[i] = BoxOf(op, width, height, ratio);
        }
    }
    // A rendering starts with a fill of the whole picture; in the colour the
    // picture already has outside its dirty ranges, only they need it.
    const bool startsWithFill = !ops.empty() && FillsWhole(ops[0], width, height, ratio);
    const bool fillOnlyDirty = startsWithFill && ops[0].rgb == picture.clean;

    if (threads <= 0) threads = QThread::idealThreadCount();
    // More bands than threads: a thread that wakes late or draws a quiet band
    // takes the next one, and no thread waits long for another.
    const int bands = drawsItself
                          ? 1
                          : std::clamp(height / kMinBandRows, 1,
                                       std::max<int>(threads * kBandsPerThread, image.sizeInBytes() / kMaxBandBytes));
    // bits() detaches here, on this thread.
    const Frame frame{image.bits(), image.bytesPerLine(), width, height, ratio, bounds, &dots, wide.data()};
    constexpr int kStrip = Picture::Impl::kStripRows;
    if (picture.dirty.size() != std::size_t((height + kStrip - 1) / kStrip)) picture.MarkAllDirty();
    auto* const dirty = picture.dirty.data();

    // On strip borders, so that no two bands share a strip.
    auto bandTop = [&](int i) { return i == bands ? height : height * i / bands / kStrip * kStrip; };
    std::vector<char> ownBands(std::size_t(bands), 0);
    for (std::size_t k = 0; k < ops.size(); ++k) {
        if (!NeedsPainter(ops[k], ratio, width, height)) continue;
        for (int i = 0; i < bands; ++i) {
            if (boxes[k].top < bandTop(i + 1) && boxes[k].bottom > bandTop(i)) ownBands[std::size_t(i)] = 1;
        }
    }

    const auto draw = [&](int i) {
        const int top = bandTop(i), bottom = bandTop(i + 1);
        Band band(frame, top, bottom);
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
            band.Draw(ops[k], k);
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
    Run(bands, ownBands, draw, threads);
    if (startsWithFill) picture.clean = ops[0].rgb;
}

void RunInParallel(int count, const std::function<void(int)>& task) {
    Run(count, std::vector<char>(std::size_t(count), 0), task, QThread::idealThreadCount());
}

}  // namespace fw
