// The picture's own way of turning calls into pixels, held against the plain
// painter and against the pixels other code relies on.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "framework/painting/GraphicsQt_p.h"
#include "framework/painting/Picture.h"
#include "tests/support/ImageCompare.h"

namespace {

using testing_support::Compare;
using testing_support::kEdgeTolerance;

constexpr QRgb kWhite = 0xffffffff;
const fw::Color kRed = fw::RGB(150, 0, 0);
const fw::Color kBlue = fw::RGB(0, 0, 255);

using Calls = std::function<void(fw::Graphics&)>;

QImage Draw(int width, int height, const Calls& calls, bool reference = false, int threads = 0) {
    auto picture = fw::Picture::Create(width, height, 32);
    calls(picture->Graphics());
    fw::SetRenderThreads(threads);
    QImage image = testing_support::Pixels(picture, reference);
    fw::SetRenderThreads(0);
    return image;
}

void ExpectSameAsReference(int width, int height, const Calls& calls, int tolerance) {
    const auto d = Compare(Draw(width, height, calls, true), Draw(width, height, calls));
    EXPECT_EQ(d.solid, 0);
    EXPECT_LE(d.maxChannel, tolerance) << d.differing << " pixels differ";
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
    for (const Line& l : lines) {
        for (int threads : {1, 0}) {
            const QImage image = Draw(
                400, 300,
                [&](fw::Graphics& g) {
                    g.SetForeColor(kRed);
                    g.DrawLine(l.x1, l.y1, l.x2, l.y2);
                },
                false, threads);
            for (int y = 0; y < 300; ++y) {
                for (int x = 0; x < 400; ++x) {
                    const bool on = x >= std::min(l.x1, l.x2) && x <= std::max(l.x1, l.x2) &&
                                    y >= std::min(l.y1, l.y2) && y <= std::max(l.y1, l.y2);
                    ASSERT_EQ(image.pixel(x, y), on ? qRgb(150, 0, 0) : kWhite)
                        << "line " << l.x1 << "," << l.y1 << " " << l.x2 << "," << l.y2 << " at " << x << "," << y;
                }
            }
        }
    }
}

TEST(PictureRaster, LineOfNoLengthCoversItsOwnPixelBothWays) {
    for (bool reference : {false, true}) {
        const QImage image = Draw(
            40, 40,
            [](fw::Graphics& g) {
                g.SetForeColor(kRed);
                g.DrawLine(10, 10, 10, 10);
                g.DrawLine(20.4, 20.6, 20.4, 20.6);  // rounds to (20, 21)
            },
            reference);
        int coloured = 0;
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 40; ++x) coloured += image.pixel(x, y) != kWhite;
        }
        EXPECT_EQ(coloured, 2);
        EXPECT_EQ(image.pixel(10, 10), qRgb(150, 0, 0));
        EXPECT_EQ(image.pixel(20, 21), qRgb(150, 0, 0));
    }
}

TEST(PictureRaster, DotCentreHasExactlyItsColour) {
    // Whole positions on band borders and on the picture's edges.
    const std::vector<std::pair<int, int>> places = {{0, 0},    {100, 29},  {100, 30}, {101, 31},
                                                     {200, 62}, {395, 295}, {-2, 150}};
    for (int threads : {1, 0}) {
        const QImage image = Draw(
            400, 300,
            [&](fw::Graphics& g) {
                g.SetForeColor(kBlue);
                for (auto [x, y] : places) g.FillOval(x, y, 5, 5);
            },
            false, threads);
        for (auto [x, y] : places) EXPECT_EQ(image.pixel(x + 2, y + 2), qRgb(0, 0, 255)) << x << "," << y;
    }
    ExpectSameAsReference(
        400, 300,
        [&](fw::Graphics& g) {
            g.SetForeColor(kBlue);
            for (auto [x, y] : places) g.FillOval(x, y, 5, 5);
        },
        kEdgeTolerance);
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
        kEdgeTolerance);
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
        0);
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
        kEdgeTolerance);
}

TEST(PictureRaster, LineFromAFarPointStaysOnItsCourseBothWays) {
    for (bool reference : {false, true}) {
        const QImage image = Draw(
            300, 200,
            [](fw::Graphics& g) {
                g.SetForeColor(kRed);
                g.DrawLine(150, 1e300, 150, 100);
                g.DrawLine(-1e300, 50, 100, 50);
            },
            reference);
        for (int y = 0; y < 200; ++y) {
            for (int x = 0; x < 300; ++x) {
                const bool on = (x == 150 && y >= 100) || (y == 50 && x <= 100);
                ASSERT_EQ(image.pixel(x, y), on ? qRgb(150, 0, 0) : kWhite) << x << "," << y << " " << reference;
            }
        }
    }
}

TEST(PictureRaster, SamePixelsWithAnyNumberOfThreads) {
    const auto scatter = [](fw::Graphics& g) { Scatter(g, 500, 333, 11); };
    const QImage one = Draw(500, 333, scatter, false, 1);
    for (int threads : {2, 3, 8, 13}) EXPECT_EQ(Draw(500, 333, scatter, false, threads), one) << threads;
    const auto d = Compare(Draw(500, 333, scatter, true), one);
    EXPECT_EQ(d.solid, 0);
    EXPECT_LE(d.maxChannel, kEdgeTolerance);
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
        0);
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
