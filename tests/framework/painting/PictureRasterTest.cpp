// The picture's own way of turning calls into pixels, held against the plain
// painter and against the pixels other code relies on.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <random>

#include "framework/painting/GraphicsQt_p.h"  // SetRenderThreads: any number of threads
#include "framework/painting/Picture.h"
#include "tests/support/ImageCompare.h"

namespace {

using testing_support::kEdgeTolerance;

constexpr QRgb kWhite = 0xffffffff;
const fw::Color kRed = fw::RGB(150, 0, 0);
const fw::Color kBlue = fw::RGB(0, 0, 255);

using Calls = std::function<void(fw::Graphics&)>;

QImage Draw(int width, int height, const Calls& calls, bool reference = false, int threads = 0, double ratio = 1) {
    const testing_support::AtRatio at(ratio);
    auto picture = fw::Picture::Create(width, height, 32);
    calls(picture->Graphics());
    fw::SetRenderThreads(threads);
    QImage image = testing_support::Pixels(picture, reference);
    fw::SetRenderThreads(0);
    return image;
}

// Lines across band borders (every 32nd row and more), both directions, on
// the edges, reaching out of the picture or coming from far away; and lines
// of no length or too short for the painter's 1/64 grid (as two points 0.0001
// apart at zoom 50), which the painter would leave out. Each covers exactly
// the points of its box, corners included.
const struct {
    double x1, y1, x2, y2;
    int left, top, right, bottom;
} kLines[] = {{5, 31, 390, 31, 5, 31, 390, 31},
              {390, 64, 5, 64, 5, 64, 390, 64},
              {7, 0, 7, 299, 7, 0, 7, 299},
              {300, 299, 300, 0, 300, 0, 300, 299},
              {0, 150, 0, 150, 0, 150, 0, 150},
              {399, 10, 399, 40, 399, 10, 399, 40},
              {-50, 299, 450, 299, 0, 299, 399, 299},
              {20, -9, 20, 3, 20, 0, 20, 3},
              {150, 1e300, 150, 100, 150, 100, 150, 299},
              {-1e300, 50, 100, 50, 0, 50, 100, 50},
              {60, 100, 60, 100, 60, 100, 60, 100},
              {20.4, 20.6, 20.4, 20.6, 20, 21, 20, 21},
              {30, 30, 30.005, 30, 30, 30, 30, 30},
              {5.2, 35, 5.2, 35.0001, 5, 35, 5, 35}};

void Lines(fw::Graphics& g) {
    // An opaque fill of the whole picture hides what came before it.
    g.FillOval(100, 100, 80, 80);
    g.SetForeColor(fw::RGB(255, 255, 255));
    g.FillRect(-5, -5, 500, 400);
    g.SetForeColor(kRed);
    for (const auto& l : kLines) g.DrawLine(l.x1, l.y1, l.x2, l.y2);
}

TEST(PictureRaster, LinesCoverExactlyTheirPixelsBothWays) {
    // At whole ratios a point is a square of device pixels.
    for (int ratio : {1, 2, 3}) {
        for (int threads : {1, 0, -1}) {  // -1: the plain painter
            const QImage image = Draw(400, 300, Lines, threads < 0, threads, ratio);
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    bool on = false;
                    for (const auto& l : kLines) {
                        on = on || (x / ratio >= l.left && x / ratio <= l.right && y / ratio >= l.top &&
                                    y / ratio <= l.bottom);
                    }
                    ASSERT_EQ(image.pixel(x, y), on ? qRgb(150, 0, 0) : kWhite)
                        << x << "," << y << " at ratio " << ratio << ", threads " << threads;
                }
            }
        }
    }
}

// Random dots and lines, partly outside the picture.
void Scatter(fw::Graphics& g) {
    std::mt19937 random(11);
    std::uniform_real_distribution<double> x(-20.0, 520.0), y(-20.0, 353.0);
    std::uniform_int_distribution<int> channel(0, 255);
    for (int i = 0; i < 300; ++i) {
        g.SetForeColor(fw::RGB(channel(random), channel(random), channel(random)));
        if (i % 2) {
            g.FillOval(x(random), y(random), 5, 5);
        } else {
            g.DrawLine(x(random), y(random), x(random), y(random));
        }
    }
}

// The same pixels with any number of threads, and those of the painter at
// every ratio: solid colours exactly, antialiased edges within a tolerance
// (at ratio 1, above it).
TEST(PictureRaster, ShapesMatchThePainterWithAnyNumberOfThreads) {
    const double inf = std::numeric_limits<double>::infinity(), nan = std::numeric_limits<double>::quiet_NaN();
    const double values[] = {nan,          inf,           -inf, 1e300, -1e300, 1e18, -1e18,
                             2147483648.0, -2147483649.0, 1e6,  -1e6,  -0.5,   0.25, 150.5};
    const struct {
        const char* name;
        int width, height;
        Calls calls;
        int tolerance, above;
    } scenes[] = {
        {"lines", 400, 300, Lines, 0, 0},
        {"dots at any fraction, on band borders and the picture's edges", 400, 300,
         [](fw::Graphics& g) {
             g.SetForeColor(kBlue);
             for (int i = 0; i < 30; ++i) {
                 for (int j = 0; j < 30; ++j) g.FillOval(3 + i * 6.0 + i / 30.0, 3 + j * 6.0 + j / 29.0, 5, 5);
             }
             for (auto [x, y] :
                  {std::pair{0, 0}, {200, 29}, {200, 30}, {201, 31}, {300, 62}, {100, 254}, {395, 295}, {-2, 150}}) {
                 g.FillOval(x, y, 5, 5);
             }
         },
         kEdgeTolerance, kEdgeTolerance},
        {"lines in every direction", 300, 200,
         [](fw::Graphics& g) {
             for (int i = 0; i < 72; ++i) {
                 const double angle = i * 5.0 * M_PI / 180.0;
                 g.SetForeColor(fw::RGB(i * 3, 255 - i * 3, 100));
                 g.DrawLine(150.3, 100.7, 150.3 + 140 * std::cos(angle), 100.7 + 140 * std::sin(angle));
             }
         },
         0, kEdgeTolerance},
        {"hostile coordinates", 300, 200,
         [&](fw::Graphics& g) {
             g.SetForeColor(kRed);
             for (double a : values) {
                 for (double b : values) {
                     g.DrawLine(a, b, 150, 100);
                     g.DrawLine(a, 100, b, 50);
                     g.FillOval(a, b, 5, 5);
                     g.FillOval(10, 10, a, b);
                     g.FillRect(a, b, 3, 3);
                     g.FillRect(200, 150, a, b);
                     g.DrawString("x", a, b);
                 }
             }
         },
         kEdgeTolerance, kEdgeTolerance},
        {"text and other shapes", 300, 200,
         [](fw::Graphics& g) {
             g.SetForeColor(kRed);
             g.FillRect(10.5, 20.25, 100, 60.5);  // off the pixel grid: antialiased edges
             g.FillOval(50, 50, 80, 40);
             g.SetForeColor(kBlue);
             g.DrawString("Achsen x y", 20, 31);  // across a band border
             g.DrawString("unten", 250, 199);
         },
         0, 0},
        {"scattered", 500, 333, Scatter, kEdgeTolerance, kEdgeTolerance},
    };
    for (const auto& s : scenes) {
        for (double ratio : testing_support::kRatios) {
            const QImage image = Draw(s.width, s.height, s.calls, false, 0, ratio);
            for (int threads : {1, 13}) {
                EXPECT_EQ(Draw(s.width, s.height, s.calls, false, threads, ratio), image)
                    << s.name << " with " << threads << " threads at ratio " << ratio;
            }
            const auto d = testing_support::Compare(Draw(s.width, s.height, s.calls, true, 0, ratio), image);
            EXPECT_EQ(d.solid, 0) << s.name << " at ratio " << ratio;
            EXPECT_LE(d.maxChannel, ratio == 1 ? s.tolerance : s.above)
                << s.name << ": " << d.differing << " pixels differ at ratio " << ratio;
        }
    }
}

}  // namespace
