// The picture's own way of turning calls into pixels, held against the plain
// painter and against the pixels other code relies on.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "framework/painting/GraphicsQt_p.h"  // SetRenderThreads: any number of threads
#include "framework/painting/Picture.h"
#include "tests/support/ImageCompare.h"

namespace {

using testing_support::AtRatio;
using testing_support::Compare;
using testing_support::kEdgeTolerance;
using testing_support::kRatios;

constexpr QRgb kWhite = 0xffffffff;
const fw::Color kRed = fw::RGB(150, 0, 0);
const fw::Color kBlue = fw::RGB(0, 0, 255);

using Calls = std::function<void(fw::Graphics&)>;

QImage Draw(int width, int height, const Calls& calls, bool reference = false, int threads = 0, double ratio = 1) {
    const AtRatio at(ratio);
    auto picture = fw::Picture::Create(width, height, 32);
    calls(picture->Graphics());
    fw::SetRenderThreads(threads);
    QImage image = testing_support::Pixels(picture, reference);
    fw::SetRenderThreads(0);
    return image;
}

// At every ratio; tolerance at ratio 1, above it at the others.
void ExpectSameAsReference(int width, int height, const Calls& calls, int tolerance, int above) {
    for (double ratio : kRatios) {
        const auto d = Compare(Draw(width, height, calls, true, 0, ratio), Draw(width, height, calls, false, 0, ratio));
        EXPECT_EQ(d.solid, 0) << "ratio " << ratio;
        EXPECT_LE(d.maxChannel, ratio == 1 ? tolerance : above) << d.differing << " pixels differ at ratio " << ratio;
    }
}

// Whether the device pixel (x, y) of a picture at a whole ratio lies in a
// point of the box, corners included.
bool InPoints(int x, int y, int ratio, int x1, int y1, int x2, int y2) {
    return x / ratio >= std::min(x1, x2) && x / ratio <= std::max(x1, x2) && y / ratio >= std::min(y1, y2) &&
           y / ratio <= std::max(y1, y2);
}

// Random dots and lines, partly outside the picture.
void Scatter(fw::Graphics& g, int width, int height, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> x(-20.0, width + 20.0), y(-20.0, height + 20.0);
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

TEST(PictureRaster, BackgroundIsExactlyWhite) {
    for (const QImage& image : {Draw(123, 77, [](fw::Graphics&) {}), Draw(400, 300, [](fw::Graphics& g) {
                                    g.SetForeColor(fw::RGB(255, 255, 255));
                                    g.FillRect(0, 0, 400, 300);
                                })}) {
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) ASSERT_EQ(image.pixel(x, y), kWhite) << x << "," << y;
        }
    }
}

TEST(PictureRaster, AxisAlignedLinesCoverExactlyTheirPixels) {
    struct Line {
        int x1, y1, x2, y2;
    };
    // Across band borders (every 32nd row and more), both directions, on the
    // edges and reaching out of the picture.
    const std::vector<Line> lines = {{5, 31, 390, 31},     {390, 64, 5, 64}, {7, 0, 7, 299},
                                     {300, 299, 300, 0},   {0, 150, 0, 150}, {399, 10, 399, 40},
                                     {-50, 299, 450, 299}, {20, -9, 20, 3},  {60, 100, 60, 100}};
    const auto draw = [&](fw::Graphics& g) {
        g.SetForeColor(kRed);
        for (const Line& l : lines) g.DrawLine(l.x1, l.y1, l.x2, l.y2);
    };
    // At whole ratios a point is a square of device pixels; at the others
    // the edges are shared, exactly as the painter shares them.
    for (int ratio : {1, 2, 3}) {
        for (int threads : {1, 0}) {
            const QImage image = Draw(400, 300, draw, false, threads, ratio);
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    bool on = false;
                    for (const Line& l : lines) on = on || InPoints(x, y, ratio, l.x1, l.y1, l.x2, l.y2);
                    ASSERT_EQ(image.pixel(x, y), on ? qRgb(150, 0, 0) : kWhite)
                        << x << "," << y << " at ratio " << ratio << ", threads " << threads;
                }
            }
        }
    }
    ExpectSameAsReference(400, 300, draw, 0, 0);
}

// A line of no length marks the pixel at its coordinates; so does one too
// short for the painter's 1/64 grid (as two points 0.0001 apart at zoom 50),
// which the painter would leave out.
TEST(PictureRaster, LinesOfNoOrHardlyAnyLengthMarkTheirPixelBothWays) {
    for (int ratio : {1, 2}) {
        for (bool reference : {false, true}) {
            const QImage image = Draw(
                40, 40,
                [](fw::Graphics& g) {
                    g.SetForeColor(kRed);
                    g.DrawLine(10, 10, 10, 10);
                    g.DrawLine(20.4, 20.6, 20.4, 20.6);  // rounds to (20, 21)
                    g.DrawLine(30, 30, 30.005, 30);
                    g.DrawLine(5.2, 35, 5.2, 35.0001);  // rounds to (5, 35)
                },
                reference, 0, ratio);
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    const bool on = InPoints(x, y, ratio, 10, 10, 10, 10) || InPoints(x, y, ratio, 20, 21, 20, 21) ||
                                    InPoints(x, y, ratio, 30, 30, 30, 30) || InPoints(x, y, ratio, 5, 35, 5, 35);
                    ASSERT_EQ(image.pixel(x, y), on ? qRgb(150, 0, 0) : kWhite)
                        << x << "," << y << " " << reference << " at ratio " << ratio;
                }
            }
        }
    }
}

TEST(PictureRaster, DotCentreHasExactlyItsColour) {
    // Whole positions on band borders and on the picture's edges.
    const std::vector<std::pair<int, int>> places = {{0, 0},    {100, 29},  {100, 30}, {101, 31},
                                                     {200, 62}, {395, 295}, {-2, 150}};
    const auto draw = [&](fw::Graphics& g) {
        g.SetForeColor(kBlue);
        for (auto [x, y] : places) g.FillOval(x, y, 5, 5);
    };
    for (double ratio : kRatios) {
        for (int threads : {1, 0}) {
            const QImage image = Draw(400, 300, draw, false, threads, ratio);
            for (auto [x, y] : places) {
                EXPECT_EQ(image.pixel(int((x + 2.5) * ratio), int((y + 2.5) * ratio)), qRgb(0, 0, 255))
                    << x << "," << y << " at ratio " << ratio;
            }
        }
    }
    ExpectSameAsReference(400, 300, draw, kEdgeTolerance, kEdgeTolerance);
}

TEST(PictureRaster, DotsAtAnyFractionMatchThePainter) {
    ExpectSameAsReference(
        200, 200,
        [](fw::Graphics& g) {
            g.SetForeColor(kBlue);
            for (int i = 0; i < 30; ++i) {
                for (int j = 0; j < 30; ++j) g.FillOval(3 + i * 6.0 + i / 30.0, 3 + j * 6.0 + j / 29.0, 5, 5);
            }
        },
        kEdgeTolerance, kEdgeTolerance);
}

TEST(PictureRaster, LinesInEveryDirectionMatchThePainter) {
    ExpectSameAsReference(
        300, 200,
        [](fw::Graphics& g) {
            for (int i = 0; i < 72; ++i) {
                const double angle = i * 5.0 * M_PI / 180.0;
                g.SetForeColor(fw::RGB(i * 3, 255 - i * 3, 100));
                g.DrawLine(150.3, 100.7, 150.3 + 140 * std::cos(angle), 100.7 + 140 * std::sin(angle));
            }
        },
        0, kEdgeTolerance);
}

TEST(PictureRaster, HostileCoordinatesAreSafeAndMatchThePainter) {
    const double inf = std::numeric_limits<double>::infinity(), nan = std::numeric_limits<double>::quiet_NaN();
    const double values[] = {nan,          inf,           -inf, 1e300, -1e300, 1e18, -1e18,
                             2147483648.0, -2147483649.0, 1e6,  -1e6,  -0.5,   0.25, 150.5};
    ExpectSameAsReference(
        300, 200,
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
        kEdgeTolerance, kEdgeTolerance);
}

TEST(PictureRaster, LineFromAFarPointStaysOnItsCourseBothWays) {
    for (int ratio : {1, 2}) {
        for (bool reference : {false, true}) {
            const QImage image = Draw(
                300, 200,
                [](fw::Graphics& g) {
                    g.SetForeColor(kRed);
                    g.DrawLine(150, 1e300, 150, 100);
                    g.DrawLine(-1e300, 50, 100, 50);
                },
                reference, 0, ratio);
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    const bool on = InPoints(x, y, ratio, 150, 100, 150, 199) || InPoints(x, y, ratio, 0, 50, 100, 50);
                    ASSERT_EQ(image.pixel(x, y), on ? qRgb(150, 0, 0) : kWhite)
                        << x << "," << y << " " << reference << " at ratio " << ratio;
                }
            }
        }
    }
}

TEST(PictureRaster, SamePixelsWithAnyNumberOfThreads) {
    const auto scatter = [](fw::Graphics& g) { Scatter(g, 500, 333, 11); };
    for (double ratio : {1.0, 1.5, 2.0}) {
        const QImage one = Draw(500, 333, scatter, false, 1, ratio);
        for (int threads : {2, 3, 8, 13}) {
            EXPECT_EQ(Draw(500, 333, scatter, false, threads, ratio), one) << threads << " at ratio " << ratio;
        }
        const auto d = Compare(Draw(500, 333, scatter, true, 0, ratio), one);
        EXPECT_EQ(d.solid, 0);
        EXPECT_LE(d.maxChannel, kEdgeTolerance);
    }
}

TEST(PictureRaster, TextAndOtherShapesStayWithThePainter) {
    ExpectSameAsReference(
        300, 200,
        [](fw::Graphics& g) {
            g.SetForeColor(kRed);
            g.FillRect(10.5, 20.25, 100, 60.5);  // off the pixel grid: antialiased edges
            g.FillOval(50, 50, 80, 40);
            g.SetForeColor(kBlue);
            g.DrawString("Achsen x y", 20, 31);  // across a band border
            g.DrawString("unten", 250, 199);
        },
        0, 0);
}

TEST(PictureRaster, OpaqueFillOfTheWholePictureHidesEarlierCalls) {
    const QImage image = Draw(100, 100, [](fw::Graphics& g) {
        g.SetForeColor(kRed);
        g.DrawLine(0, 0, 99, 99);
        g.SetForeColor(fw::RGB(255, 255, 255));
        g.FillRect(-5, -5, 200, 200);
        g.SetForeColor(kBlue);
        g.FillOval(40, 40, 5, 5);
    });
    EXPECT_EQ(image.pixel(10, 10), kWhite);
    EXPECT_EQ(image.pixel(42, 42), qRgb(0, 0, 255));
}

TEST(PictureRaster, PicturesDrawnInShowTheirLatestCalls) {
    auto source = fw::Picture::Create(20, 20, 32);
    source->Graphics().SetForeColor(kRed);
    source->Graphics().FillRect(0, 0, 20, 20);
    auto target = fw::Picture::Create(100, 100, 32);
    target->Graphics().DrawPicture(source, 40, 40);
    EXPECT_EQ(target->Pixel(50, 50), kRed);
    EXPECT_EQ(target->Pixel(30, 30), fw::RGB(255, 255, 255));

    // Drawn into itself: what it held before, no endless loop.
    target->Graphics().DrawPicture(target, 0, 0, 50, 50);
    EXPECT_EQ(target->Pixel(25, 25), kRed);
}

TEST(PictureRaster, RecorderSeesEveryCallInOrderBeforeClipping) {
    auto picture = fw::Picture::Create(50, 50, 32);
    std::vector<std::string> lines;
    picture->Graphics().SetRecorder(&lines);
    picture->Graphics().SetForeColor(kRed);
    picture->Graphics().DrawLine(-1e300, 2, 3, 1e300);
    picture->Graphics().FillOval(1000, 1000, 5, 5);
    picture->Graphics().SetRecorder(nullptr);
    picture->Graphics().FillRect(0, 0, 1, 1);
    EXPECT_EQ(lines,
              (std::vector<std::string>{"ForeColor 150 0 0", "DrawLine -1e+300 2 3 1e+300", "FillOval 1000 1000 5 5"}));
    // The colour outlives the calls: the unrecorded rectangle is red.
    EXPECT_EQ(picture->Pixel(0, 0), kRed);
}

}  // namespace
