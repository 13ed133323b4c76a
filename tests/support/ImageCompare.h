#pragma once
// Holds a picture against the one the plain painter drew: solid colours must
// be exactly equal, antialiased edges may differ by a few steps.
#include <QImage>

#include <algorithm>
#include <cstdlib>
#include <functional>

#include "framework/painting/GraphicsQt_p.h"  // SetReferenceRendering: the plain painter's pixels
#include "framework/painting/Picture.h"

namespace testing_support {

// Largest difference of one channel allowed on an antialiased edge, in steps
// of 0..255. Dots differ by up to 8 (their masks are made on the painter's
// 1/64 grid, the painter puts its curve points on that grid). Lines match at
// ratio 1 and along an axis; slanted ones above ratio 1 differ by up to 3, a
// little more where they cross (the painter works out a pixel's share in
// fixed point, this code exactly).
inline constexpr int kEdgeTolerance = 10;

// The device pixel ratios the fast drawing is held against the painter at.
inline constexpr double kRatios[] = {1, 1.25, 1.5, 2, 3};

// Pictures made while one lives have the given device pixel ratio.
class AtRatio {
public:
    explicit AtRatio(double ratio) { fw::Picture::SetDevicePixelRatio(ratio); }
    ~AtRatio() { fw::Picture::SetDevicePixelRatio(before_); }

private:
    double before_ = fw::Picture::DevicePixelRatio();
};

struct Difference {
    int maxChannel = 0;  // anywhere
    int solid = 0;       // pixels that differ where the reference is one colour all around
    int differing = 0;
};

inline Difference Compare(const QImage& reference, const QImage& image) {
    Difference d;
    const int w = reference.width(), h = reference.height();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const QRgb r = reference.pixel(x, y), p = image.pixel(x, y);
            if (r == p) continue;
            ++d.differing;
            d.maxChannel = std::max({d.maxChannel, std::abs(qRed(r) - qRed(p)), std::abs(qGreen(r) - qGreen(p)),
                                     std::abs(qBlue(r) - qBlue(p))});
            bool uniform = true;
            for (int dy = -1; dy <= 1 && uniform; ++dy) {
                for (int dx = -1; dx <= 1 && uniform; ++dx) {
                    const int nx = std::clamp(x + dx, 0, w - 1), ny = std::clamp(y + dy, 0, h - 1);
                    uniform = reference.pixel(nx, ny) == r;
                }
            }
            if (uniform) ++d.solid;
        }
    }
    return d;
}

// The pixels of a picture after draw, drawn the fast way or the plain way.
inline QImage Pixels(const fw::PicturePtr& picture, bool reference) {
    fw::SetReferenceRendering(reference);
    QImage image = picture->impl().Image().copy();
    fw::SetReferenceRendering(false);
    return image;
}

}  // namespace testing_support
