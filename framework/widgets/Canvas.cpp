#include "framework/widgets/Canvas.h"

#include <QMouseEvent>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "framework/core/MainThread_p.h"
#include "framework/painting/GraphicsQt_p.h"
#include "framework/painting/Picture.h"
#include "framework/painting/Raster_p.h"

namespace fw {

namespace {
// Qt counts wheel turns in eighths of a degree; one notch is 15 degrees.
constexpr int kNotch = 120;

// The calls of one Paint, kept until the background is filled.
class PaintCalls final : public Graphics::Impl {
public:
    void Submit(DrawOp&& op) override { calls.push_back(std::move(op)); }
    std::vector<DrawOp> calls;
};

// The points a call paints over with opaque pixels, whatever lies below:
// a picture (pictures have no transparency) at its natural size at whole
// points. At a fractional device pixel ratio its last row and column of
// points may end within a device pixel, which the background then fills.
QRect Hidden(const DrawOp& op, qreal pixelRatio) {
    if (op.kind != DrawOp::Kind::Image || !op.extra->picture) return {};
    const DrawOp::Extra& e = *op.extra;
    constexpr double kNatural = Graphics::kNaturalSize;
    if (op.c != kNatural || op.d != kNatural || e.sx != 0 || e.sy != 0 || e.sw != kNatural || e.sh != kNatural) {
        return {};
    }
    if (!(std::abs(op.a) < 1e6 && std::abs(op.b) < 1e6) || op.a != std::floor(op.a) || op.b != std::floor(op.b)) {
        return {};
    }
    const Picture& picture = *e.picture;
    const int shrink = pixelRatio == std::floor(pixelRatio) ? 0 : 1;
    return QRect(int(op.a), int(op.b), int(picture.Width()) - shrink, int(picture.Height()) - shrink);
}
// Copies a picture that Hidden found to cover points onto the painter's
// pixels when it lands on them exactly, as drawing it would, but in bands on
// every core: a canvas-sized picture at a high ratio is tens of megabytes.
// False when the target is not plain pixels or the picture would land
// between them; drawing it is left to the painter then.
bool CopyPicture(QPainter& painter, const DrawOp& op) {
    QPaintEngine* engine = painter.paintEngine();
    if (!engine || painter.hasClipping() || painter.opacity() != 1.0 ||
        painter.compositionMode() != QPainter::CompositionMode_SourceOver) {
        return false;
    }
    QPaintDevice* device = engine->paintDevice();
    if (!device || device->devType() != QInternal::Image) return false;
    QImage& target = *static_cast<QImage*>(device);
    const QImage::Format format = target.format();
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 &&
        format != QImage::Format_ARGB32_Premultiplied) {
        return false;
    }
    Picture::Impl& picture = op.extra->picture->impl();
    const double ratio = picture.ratio;
    const QTransform t = painter.deviceTransform();
    if (t.type() > QTransform::TxScale || t.m11() != ratio || t.m22() != ratio || ratio != std::floor(ratio)) {
        return false;
    }
    const double x = t.dx() + op.a * ratio, y = t.dy() + op.b * ratio;
    if (x != std::floor(x) || y != std::floor(y) || std::abs(x) > 1e6 || std::abs(y) > 1e6) return false;
    const QImage& source = picture.Image();
    const QRect area = QRect(int(x), int(y), source.width(), source.height()) & target.rect();
    QRegion region = engine->systemClip();
    region = region.isEmpty() ? QRegion(area) : region & area;
    std::vector<QRect> rects(region.begin(), region.end());
    // Bands of rows, so that every core has some.
    constexpr int kRows = 64;
    std::vector<std::pair<const QRect*, int>> bands;
    for (const QRect& r : rects) {
        for (int top = r.top(); top <= r.bottom(); top += kRows) bands.emplace_back(&r, top);
    }
    RunInParallel(int(bands.size()), [&](int i) {
        const auto [r, top] = bands[std::size_t(i)];
        for (int row = top; row < std::min(top + kRows, r->bottom() + 1); ++row) {
            const auto* from =
                reinterpret_cast<const std::uint32_t*>(source.constScanLine(row - int(y))) + (r->left() - int(x));
            auto* to = reinterpret_cast<std::uint32_t*>(target.scanLine(row)) + r->left();
            std::copy(from, from + r->width(), to);
        }
    });
    return true;
}

}  // namespace

class CanvasWidget final : public QWidget {
public:
    Canvas* owner = nullptr;
    bool dragging = false;
    int wheelX = 0, wheelY = 0;

protected:
    // Opaque: what the window would paint below the canvas is painted here,
    // and only where no picture hides it (a picture as large as the canvas
    // would otherwise be drawn over a fill of the same size).
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        auto recorded = std::make_unique<PaintCalls>();
        const std::vector<DrawOp>& calls = recorded->calls;
        Graphics graphics(std::move(recorded));
        if (owner) {
            if (owner->backdrop_) graphics.DrawPicture(owner->backdrop_, 0, 0);
            std::vector<Rect> areas;
            for (const QRect& r : event->region()) areas.push_back(Rect{r.x(), r.y(), r.width(), r.height()});
            if (auto self = owner->SelfAs<Canvas>()) self->Paint.Raise(self, graphics, areas);
        }
        QRegion bare = event->region();
        std::vector<QRect> hidden;
        for (const DrawOp& op : calls) {
            hidden.push_back(Hidden(op, devicePixelRatioF()));
            bare -= hidden.back();
        }
        for (const QRect& r : bare) painter.fillRect(r, palette().brush(backgroundRole()));
        PreparePainter(painter);
        for (std::size_t i = 0; i < calls.size(); ++i) {
            if (hidden[i].isEmpty() || !CopyPicture(painter, calls[i])) RasterizeOp(painter, calls[i], QRectF(rect()));
        }
    }

    void mousePressEvent(QMouseEvent* event) override {
        if (!owner || event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
        auto self = owner->SelfAs<Canvas>();
        const QPointF p = event->position();
        dragging =
            self && self->MouseDown.Raise(self, std::int64_t(std::floor(p.x())), std::int64_t(std::floor(p.y())));
        event->accept();
    }

    void mouseMoveEvent(QMouseEvent* event) override {
        if (!owner || !dragging || !(event->buttons() & Qt::LeftButton)) return QWidget::mouseMoveEvent(event);
        const QPointF p = event->position();
        if (auto self = owner->SelfAs<Canvas>()) {
            self->MouseDrag.Raise(self, std::int64_t(std::floor(p.x())), std::int64_t(std::floor(p.y())));
        }
        event->accept();
    }

    void mouseReleaseEvent(QMouseEvent* event) override {
        if (!(event->buttons() & Qt::LeftButton)) dragging = false;
        QWidget::mouseReleaseEvent(event);
    }

    void wheelEvent(QWheelEvent* event) override {
        if (!owner) return QWidget::wheelEvent(event);
        wheelX += event->angleDelta().x();
        wheelY += event->angleDelta().y();
        const int notchesX = wheelX / kNotch, notchesY = wheelY / kNotch;
        wheelX -= notchesX * kNotch;
        wheelY -= notchesY * kNotch;
        if (notchesX == 0 && notchesY == 0) return event->accept();
        auto self = owner->SelfAs<Canvas>();
        const QPointF p = event->position();
        // Qt's angles are positive away from the user and to the left.
        const bool handled = self && self->MouseWheel.Raise(self, std::int64_t(std::floor(p.x())),
                                                            std::int64_t(std::floor(p.y())), -notchesX, -notchesY);
        event->setAccepted(handled);
    }
};

Canvas::Canvas() : RectControl(new CanvasWidget()) {
    canvas_ = static_cast<CanvasWidget*>(Widget());
    canvas_->owner = this;
    canvas_->setFocusPolicy(Qt::NoFocus);
    canvas_->setAttribute(Qt::WA_OpaquePaintEvent);
}

Canvas::~Canvas() {
    if (QtAlive() && Widget()) canvas_->owner = nullptr;
}

void Canvas::SetBackdrop(const PicturePtr& picture) {
    CheckMainThread();
    backdrop_ = picture;
    Invalidate();
}

void Canvas::SetProperty(const std::string& name, const PropertyValue& value) {
    CheckMainThread();
    if (name == "AllowFocus")
        canvas_->setFocusPolicy(AsBool(name, value) ? Qt::StrongFocus : Qt::NoFocus);
    else if (name == "AllowFocusRing" || name == "AllowTabs" || name == "DoubleBuffer")
        AsBool(name, value);
    else
        RectControl::SetProperty(name, value);
}

}  // namespace fw
