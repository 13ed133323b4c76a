#include "framework/painting/GraphicsQt_p.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "framework/text/Text.h"

namespace fw {

namespace {

constexpr double kTextMargin = 2000.0;
constexpr double kMaxShape = 1e6;

bool Finite(double a, double b, double c, double d) {
    return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d);
}

std::string Num(double v) { return ShortestDouble(v); }

class PainterTarget final : public Graphics::Impl {
public:
    PainterTarget(QPainter& painter, const QRectF& bounds) : painter_(painter), bounds_(bounds) {}
    void Submit(DrawOp&& op) override { RasterizeOp(painter_, op, bounds_); }

private:
    QPainter& painter_;
    QRectF bounds_;
};

}  // namespace

// Cuts the segment to the rectangle; false when nothing is left. Each cut
// puts the moved end exactly on the edge and moves the other coordinate along
// the slope, so a horizontal or vertical line keeps its exact row or column
// however far away its ends lie.
bool ClipLine(double& x1, double& y1, double& x2, double& y2, const QRectF& r) {
    auto outcode = [&r](double x, double y) {
        int c = 0;
        if (x < r.left())
            c |= 1;
        else if (x > r.right())
            c |= 2;
        if (y < r.top())
            c |= 4;
        else if (y > r.bottom())
            c |= 8;
        return c;
    };
    // Halves keep the differences finite for ends near the double range.
    const double dx = x2 * 0.5 - x1 * 0.5, dy = y2 * 0.5 - y1 * 0.5;
    int c1 = outcode(x1, y1), c2 = outcode(x2, y2);
    for (int step = 0; step < 4 && (c1 | c2) != 0; ++step) {
        if ((c1 & c2) != 0) return false;
        const bool first = c1 != 0;
        double& x = first ? x1 : x2;
        double& y = first ? y1 : y2;
        const int c = first ? c1 : c2;
        if (c & 3) {
            const double edge = (c & 1) ? r.left() : r.right();
            y = y + (edge - x) * (dy / dx);
            x = edge;
        } else {
            const double edge = (c & 4) ? r.top() : r.bottom();
            x = x + (edge - y) * (dx / dy);
            y = edge;
        }
        if (!std::isfinite(x) || !std::isfinite(y)) return false;
        (first ? c1 : c2) = outcode(x, y);
    }
    if ((c1 | c2) != 0) return false;
    return true;
}

bool HasNoLength(double x1, double y1, double x2, double y2, double scale) {
    // The half-pixel offset first, as the lines are drawn; truncated as the stroker does.
    auto cell = [scale](double v) { return std::int64_t((v + 0.5) * scale * 64.0); };
    return cell(x1) == cell(x2) && cell(y1) == cell(y2);
}

QColor ToQColor(Color c) { return QColor(c.red, c.green, c.blue); }
QRgb ToRgb(Color c) { return qRgb(c.red, c.green, c.blue); }

void PreparePainter(QPainter& painter) { painter.setRenderHint(QPainter::Antialiasing, true); }

void RasterizeOp(QPainter& painter, const DrawOp& op, const QRectF& bounds) {
    switch (op.kind) {
        case DrawOp::Kind::Rect: {
            if (!Finite(op.a, op.b, op.c, op.d) || op.c <= 0 || op.d <= 0) return;
            const double left = std::max(op.a, bounds.left() - 1), top = std::max(op.b, bounds.top() - 1);
            const double right = std::min(op.a + op.c, bounds.right() + 1);
            const double bottom = std::min(op.b + op.d, bounds.bottom() + 1);
            if (right <= left || bottom <= top) return;
            painter.fillRect(QRectF(left, top, right - left, bottom - top), QColor(op.rgb));
            return;
        }
        case DrawOp::Kind::Oval: {
            if (!Finite(op.a, op.b, op.c, op.d) || op.c <= 0 || op.d <= 0) return;
            if (op.c > kMaxShape || op.d > kMaxShape) return;
            const QRectF box(op.a, op.b, op.c, op.d);
            if (!box.intersects(bounds)) return;
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(op.rgb));
            painter.drawEllipse(box);
            return;
        }
        case DrawOp::Kind::Line: {
            double x1 = op.a, y1 = op.b, x2 = op.c, y2 = op.d;
            if (!Finite(x1, y1, x2, y2)) return;
            const QRectF clip = bounds.adjusted(-kLineMargin, -kLineMargin, kLineMargin, kLineMargin);
            if (!ClipLine(x1, y1, x2, y2, clip)) return;
            if (HasNoLength(x1, y1, x2, y2, painter.deviceTransform().m11())) {
                // Of no length, a line is its square cap: the pixel at its coordinates
                // (the painter would put it one pixel right of and below them).
                painter.fillRect(QRectF(std::floor(x1 + 0.5), std::floor(y1 + 0.5), 1, 1), QColor(op.rgb));
                return;
            }
            QPen pen(QColor(op.rgb), 1.0, Qt::SolidLine, Qt::SquareCap);
            painter.setPen(pen);
            painter.setBrush(Qt::NoBrush);
            // The half-pixel offset puts a line at whole coordinates on exactly one row or column.
            painter.drawLine(QPointF(x1 + 0.5, y1 + 0.5), QPointF(x2 + 0.5, y2 + 0.5));
            return;
        }
        case DrawOp::Kind::Text: {
            if (!std::isfinite(op.a) || !std::isfinite(op.b)) return;
            if (!bounds.adjusted(-kTextMargin, -kTextMargin, kTextMargin, kTextMargin).contains(op.a, op.b)) return;
            painter.setPen(QColor(op.rgb));
            painter.drawText(QPointF(op.a, op.b), op.extra->text);
            return;
        }
        case DrawOp::Kind::Image: {
            const DrawOp::Extra& e = *op.extra;
            if (!e.picture || !Finite(op.a, op.b, op.c, op.d) || !Finite(e.sx, e.sy, e.sw, e.sh)) return;
            auto& source = e.picture->impl();
            const QImage& image = source.Image();
            const double sw = e.sw == Graphics::kNaturalSize ? double(source.width) : e.sw;
            const double sh = e.sh == Graphics::kNaturalSize ? double(source.height) : e.sh;
            const double w = op.c == Graphics::kNaturalSize ? sw : op.c;
            const double h = op.d == Graphics::kNaturalSize ? sh : op.d;
            if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return;
            if (std::abs(op.a) > kMaxShape || std::abs(op.b) > kMaxShape || w > kMaxShape || h > kMaxShape) return;
            const QRectF sourceRect(e.sx * source.ratio, e.sy * source.ratio, sw * source.ratio, sh * source.ratio);
            painter.drawImage(QRectF(op.a, op.b, w, h), image, sourceRect);
            return;
        }
    }
}

Graphics::Graphics(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Graphics::~Graphics() = default;

Color Graphics::ForeColor() const { return impl_->fore; }

void Graphics::SetForeColor(Color color) {
    impl_->fore = color;
    if (impl_->recorder) {
        impl_->recorder->push_back("ForeColor " + std::to_string(color.red) + " " + std::to_string(color.green) + " " +
                                   std::to_string(color.blue));
    }
}

void Graphics::FillRect(double x, double y, double width, double height) {
    if (impl_->recorder) {
        impl_->recorder->push_back("FillRect " + Num(x) + " " + Num(y) + " " + Num(width) + " " + Num(height));
    }
    impl_->Submit(DrawOp{DrawOp::Kind::Rect, ToRgb(impl_->fore), x, y, width, height, nullptr});
}

void Graphics::FillOval(double x, double y, double width, double height) {
    if (impl_->recorder) {
        impl_->recorder->push_back("FillOval " + Num(x) + " " + Num(y) + " " + Num(width) + " " + Num(height));
    }
    impl_->Submit(DrawOp{DrawOp::Kind::Oval, ToRgb(impl_->fore), x, y, width, height, nullptr});
}

void Graphics::DrawLine(double x1, double y1, double x2, double y2) {
    if (impl_->recorder) {
        impl_->recorder->push_back("DrawLine " + Num(x1) + " " + Num(y1) + " " + Num(x2) + " " + Num(y2));
    }
    impl_->Submit(DrawOp{DrawOp::Kind::Line, ToRgb(impl_->fore), x1, y1, x2, y2, nullptr});
}

void Graphics::DrawString(const std::string& text, double x, double y, double, bool) {
    if (impl_->recorder) impl_->recorder->push_back("DrawString " + text + " " + Num(x) + " " + Num(y));
    impl_->Submit(DrawOp{DrawOp::Kind::Text, ToRgb(impl_->fore), x, y, 0, 0,
                         std::make_unique<DrawOp::Extra>(DrawOp::Extra{QString::fromStdString(text), nullptr})});
}

void Graphics::DrawPicture(const PicturePtr& picture, double x, double y, double width, double height, double sourceX,
                           double sourceY, double sourceWidth, double sourceHeight) {
    if (impl_->recorder) impl_->recorder->push_back("DrawPicture " + Num(x) + " " + Num(y));
    if (!picture) return;
    impl_->Submit(DrawOp{
        DrawOp::Kind::Image, ToRgb(impl_->fore), x, y, width, height,
        std::make_unique<DrawOp::Extra>(DrawOp::Extra{{}, picture, sourceX, sourceY, sourceWidth, sourceHeight})});
}

void Graphics::SetRecorder(std::vector<std::string>* lines) { impl_->recorder = lines; }

std::unique_ptr<Graphics> MakePainterGraphics(QPainter& painter, const QRectF& bounds) {
    PreparePainter(painter);
    return std::make_unique<Graphics>(std::make_unique<PainterTarget>(painter, bounds));
}

}  // namespace fw
