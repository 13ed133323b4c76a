#include "framework/widgets/Canvas.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <QWidget>

#include <cmath>

#include "framework/core/MainThread_p.h"
#include "framework/painting/GraphicsQt_p.h"

namespace fw {

namespace {
// Qt counts wheel turns in eighths of a degree; one notch is 15 degrees.
constexpr int kNotch = 120;
}  // namespace

class CanvasWidget final : public QWidget {
public:
    Canvas* owner = nullptr;
    bool dragging = false;
    int wheelX = 0, wheelY = 0;

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        auto graphics = MakePainterGraphics(painter, QRectF(rect()));
        if (!owner) return;
        if (owner->backdrop_) graphics->DrawPicture(owner->backdrop_, 0, 0);
        std::vector<Rect> areas;
        for (const QRect& r : event->region()) areas.push_back(Rect{r.x(), r.y(), r.width(), r.height()});
        if (auto self = owner->SelfAs<Canvas>()) self->Paint.Raise(self, *graphics, areas);
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
