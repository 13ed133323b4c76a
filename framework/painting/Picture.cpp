#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "framework/core/Exceptions.h"
#include "framework/painting/GraphicsQt_p.h"
#include "framework/painting/Raster_p.h"

namespace fw {

namespace {

double gDevicePixelRatio = 1.0;
std::vector<std::string> gAppFolders;
std::int64_t gAppFileReads = 0;
constexpr std::int64_t kMaxSide = 32767;
// Pending calls beyond this are drawn at once, so memory stays bounded even
// when nobody looks at the picture.
constexpr std::size_t kMaxPending = 1 << 20;

class PictureTarget final : public Graphics::Impl {
public:
    explicit PictureTarget(Picture::Impl& picture) : picture_(picture) {}
    void Submit(DrawOp&& op) override { picture_.Add(std::move(op)); }

private:
    Picture::Impl& picture_;
};

bool CoversWhole(const DrawOp& op, const Picture::Impl& p) {
    return op.kind == DrawOp::Kind::Rect && op.a <= 0 && op.b <= 0 && op.a + op.c >= double(p.width) &&
           op.b + op.d >= double(p.height) && qAlpha(op.rgb) == 255;
}

int gRenderThreads = 0;
bool gReferenceRendering = false;

}  // namespace

void SetRenderThreads(int count) { gRenderThreads = count < 0 ? 0 : count; }
void SetReferenceRendering(bool on) { gReferenceRendering = on; }

void Picture::Impl::Add(DrawOp&& op) {
    // An opaque fill of the whole picture hides everything drawn before it.
    // It fills every device pixel too: at a fractional ratio the last column
    // or row of them may reach past the picture's size in points, and what an
    // earlier rendering left there must not survive.
    if (CoversWhole(op, *this)) {
        pending.clear();
        op.c = std::max(op.c, double(width) + 1 - op.a);
        op.d = std::max(op.d, double(height) + 1 - op.b);
    }
    pending.push_back(std::move(op));
    if (pending.size() >= kMaxPending) Image();
}

const QImage& Picture::Impl::Image() {
    if (pending.empty()) return image;
    // Taken out first: a picture drawn into itself then finds nothing pending.
    std::vector<DrawOp> ops;
    ops.swap(pending);
    if (!gReferenceRendering) {
        RasterizeInBands(*this, ops, gRenderThreads);
    } else {
        QPainter painter(&image);
        PreparePainter(painter);
        const QRectF bounds(0, 0, double(width), double(height));
        for (const DrawOp& op : ops) RasterizeOp(painter, op, bounds);
        MarkAllDirty();
    }
    if (pending.empty()) pending.reserve(ops.size());
    return image;
}

void Picture::Impl::MarkAllDirty() {
    dirty.assign(std::size_t((image.height() + kStripRows - 1) / kStripRows), {0, image.width()});
}

Picture::Picture(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Picture::~Picture() = default;

PicturePtr Picture::Create(std::int64_t width, std::int64_t height, std::int64_t depth) {
    const double ratio = gDevicePixelRatio;
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide ||
        double(width) * ratio > double(kMaxSide) || double(height) * ratio > double(kMaxSide)) {
        throw UnsupportedFormatException("Ein Bild von " + std::to_string(width) + " x " + std::to_string(height) +
                                         " Punkten kann nicht angelegt werden.");
    }
    auto impl = std::make_unique<Impl>();
    impl->width = width;
    impl->height = height;
    impl->depth = depth;
    impl->ratio = ratio;
    impl->image =
        QImage(int(std::lround(double(width) * ratio)), int(std::lround(double(height) * ratio)), QImage::Format_RGB32);
    if (impl->image.isNull()) throw UnsupportedFormatException("Für das Bild reicht der Speicher nicht.");
    impl->image.setDevicePixelRatio(ratio);
    impl->image.fill(Qt::white);
    impl->clean = qRgb(255, 255, 255);
    impl->dirty.assign(std::size_t((impl->image.height() + Impl::kStripRows - 1) / Impl::kStripRows), {0, 0});
    auto* raw = impl.get();
    impl->graphics = std::make_unique<fw::Graphics>(std::make_unique<PictureTarget>(*raw));
    return PicturePtr(new Picture(std::move(impl)));
}

PicturePtr Picture::OpenFromApp(const std::string& name) {
    if (name.empty() || name.find('/') != std::string::npos) return nullptr;
    QStringList folders;
    if (gAppFolders.empty()) {
        const QString appDir = QCoreApplication::applicationDirPath();
        folders = {appDir + "/resources", appDir + "/../share/kzp-viewer"};
    } else {
        for (const std::string& f : gAppFolders) folders.push_back(QString::fromStdString(f));
    }
    for (const QString& folder : folders) {
        const QString path = QDir(folder).filePath(QString::fromStdString(name));
        if (!QFileInfo(path).isFile()) continue;
        ++gAppFileReads;
        QImageReader reader(path);
        QImage loaded = reader.read();
        if (loaded.isNull()) continue;
        auto impl = std::make_unique<Impl>();
        impl->width = loaded.width();
        impl->height = loaded.height();
        impl->depth = 32;
        impl->ratio = 1.0;
        impl->image = loaded.convertToFormat(QImage::Format_RGB32);
        impl->MarkAllDirty();
        auto* raw = impl.get();
        impl->graphics = std::make_unique<fw::Graphics>(std::make_unique<PictureTarget>(*raw));
        return PicturePtr(new Picture(std::move(impl)));
    }
    return nullptr;
}

void Picture::SetAppFolders(std::vector<std::string> folders) { gAppFolders = std::move(folders); }
std::int64_t Picture::AppFileReads() { return gAppFileReads; }

std::int64_t Picture::Width() const { return impl_->width; }
std::int64_t Picture::Height() const { return impl_->height; }
std::int64_t Picture::Depth() const { return impl_->depth; }
fw::Graphics& Picture::Graphics() { return *impl_->graphics; }

Color Picture::Pixel(std::int64_t x, std::int64_t y) {
    const QImage& image = impl_->Image();
    // Judged in points first: a far-away point would overflow the int below.
    const bool inside = x >= 0 && y >= 0 && x < impl_->width && y < impl_->height;
    const int px = inside ? int(std::floor(double(x) * impl_->ratio)) : -1;
    const int py = inside ? int(std::floor(double(y) * impl_->ratio)) : -1;
    if (px < 0 || py < 0 || px >= image.width() || py >= image.height()) {
        throw OutOfBoundsException("Bildpunkt (" + std::to_string(x) + ", " + std::to_string(y) +
                                   ") liegt außerhalb des Bildes.");
    }
    const QRgb rgb = image.pixel(px, py);
    return RGB(qRed(rgb), qGreen(rgb), qBlue(rgb), 0);
}

bool Picture::SavePng(const std::string& path) { return impl_->Image().save(QString::fromStdString(path), "PNG"); }

void Picture::SetDevicePixelRatio(double ratio) {
    gDevicePixelRatio = (std::isfinite(ratio) && ratio >= 1.0 && ratio <= 8.0) ? ratio : 1.0;
}
double Picture::DevicePixelRatio() { return gDevicePixelRatio; }

}  // namespace fw
