#include "framework/widgets/ImageWell.h"

#include <QPainter>
#include <QWidget>

#include <algorithm>

#include "framework/core/MainThread_p.h"
#include "framework/painting/GraphicsQt_p.h"

namespace fw {

class ImageWidget final : public QWidget {
public:
    ImageWell* owner = nullptr;

protected:
    void paintEvent(QPaintEvent*) override {
        if (!owner || !owner->image_) return;
        QPainter painter(this);
        auto graphics = MakePainterGraphics(painter, QRectF(rect()));
        const double w = double(owner->image_->Width()), h = double(owner->image_->Height());
        const double scale = std::min({1.0, width() / w, height() / h});
        const double dw = w * scale, dh = h * scale;
        graphics->DrawPicture(owner->image_, (width() - dw) / 2, (height() - dh) / 2, dw, dh);
    }
};

ImageWell::ImageWell() : RectControl(new ImageWidget()) {
    well_ = static_cast<ImageWidget*>(Widget());
    well_->owner = this;
}

ImageWell::~ImageWell() {
    if (QtAlive() && Widget()) well_->owner = nullptr;
}

void ImageWell::SetImage(const PicturePtr& picture) {
    CheckMainThread();
    image_ = picture;
    Invalidate();
}

void ImageWell::SetProperty(const std::string& name, const PropertyValue& value) {
    RectControl::SetProperty(name, value);
}

}  // namespace fw
