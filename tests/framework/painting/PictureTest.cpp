#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

#include "framework/core/Exceptions.h"
#include "framework/painting/GraphicsQt_p.h"
#include "framework/painting/Picture.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::nan("");
const fw::Color kWhite = fw::RGB(255, 255, 255);
const fw::Color kRed = fw::RGB(200, 0, 0);

fw::PicturePtr Blank(std::int64_t w = 100, std::int64_t h = 80) {
    auto pic = fw::Picture::Create(w, h, 16);
    pic->Graphics().SetForeColor(kRed);
    return pic;
}

int NonWhite(fw::Picture& pic) {
    int n = 0;
    for (std::int64_t y = 0; y < pic.Height(); ++y) {
        for (std::int64_t x = 0; x < pic.Width(); ++x) n += pic.Pixel(x, y) != kWhite;
    }
    return n;
}

TEST(Picture, SizeAndRefusals) {
    auto pic = fw::Picture::Create(400, 300, 16);
    EXPECT_EQ(pic->Pixel(399, 299), kWhite);
    try {
        fw::Picture::Create(0, 10, 16);
        ADD_FAILURE() << "a picture without width";
    } catch (const fw::RuntimeException& e) {
        EXPECT_STREQ(e.what(), "Ein Bild von 0 x 10 Punkten kann nicht angelegt werden.");
    }
    EXPECT_THROW(fw::Picture::Create(10, -1, 16), fw::RuntimeException);
    EXPECT_THROW(fw::Picture::Create(1 << 20, 10, 16), fw::RuntimeException);
    const std::int64_t outside[][2] = {{400, 0},       {0, 300},       {-1, 0},       {0, -1},
                                       {INT64_MAX, 0}, {0, INT64_MIN}, {1LL << 40, 1}};
    for (auto [x, y] : outside) EXPECT_THROW(pic->Pixel(x, y), fw::OutOfBoundsException) << x << "," << y;
}

TEST(Graphics, AnOvalFillsTheDiscInsideItsBox) {
    auto pic = Blank();
    pic->Graphics().FillOval(18, 28, 5, 5);
    pic->Graphics().FillOval(50, 20, 30, 20);
    EXPECT_EQ(pic->Pixel(20, 30), kRed);
    EXPECT_EQ(pic->Pixel(17, 30), kWhite);
    EXPECT_EQ(pic->Pixel(23, 30), kWhite);
    EXPECT_EQ(pic->Pixel(20, 27), kWhite);
    EXPECT_NE(pic->Pixel(18, 28), kRed);  // the box's corner lies outside the disc
    EXPECT_EQ(pic->Pixel(65, 30), kRed);
    EXPECT_EQ(pic->Pixel(51, 21), kWhite);
}

// A rectangle on whole pixels is filled solid; an edge off the grid shares
// its pixel column or row with the background, whichever edge it is.
TEST(Graphics, RectanglesCoverTheirAreaAndShareTheirEdgesOffTheGrid) {
    const struct {
        double x, y, w, h;
        std::int64_t edgeX, edgeY;
    } cases[] = {{10.5, 20, 29.5, 10, 10, 25},
                 {10, 20, 29.5, 10, 39, 25},
                 {10, 20.5, 30, 9.5, 20, 20},
                 {10, 20, 30, 9.5, 20, 29}};
    for (const auto& c : cases) {
        auto pic = Blank();
        pic->Graphics().FillRect(c.x, c.y, c.w, c.h);
        EXPECT_EQ(pic->Pixel(15, 25), kRed);
        const fw::Color edge = pic->Pixel(c.edgeX, c.edgeY);
        EXPECT_TRUE(edge != kRed && edge != kWhite) << c.x << " " << c.y << " " << c.w << " " << c.h;
    }
    // All but one edge row or column of the picture hides nothing there of
    // what was drawn before.
    for (auto [x, y, w, h, outX, outY] : {std::array<int, 6>{1, 0, 99, 80, 0, 40},
                                          {0, 1, 100, 79, 50, 0},
                                          {0, 0, 99, 80, 99, 40},
                                          {0, 0, 100, 79, 50, 79}}) {
        auto pic = Blank();
        pic->Graphics().SetForeColor(fw::RGB(0, 0, 255));
        pic->Graphics().DrawLine(outX, outY, outX, outY);
        pic->Graphics().SetForeColor(kRed);
        pic->Graphics().FillRect(x, y, w, h);
        EXPECT_EQ(pic->Pixel(50, 40), kRed);
        EXPECT_EQ(pic->Pixel(outX, outY), fw::RGB(0, 0, 255)) << outX << "," << outY;
    }
    auto pic = Blank();
    pic->Graphics().FillRect(70.5, 10.5, 1, 1);  // a thin one, off the grid
    EXPECT_NE(pic->Pixel(71, 11), kWhite);
    pic->Graphics().FillRect(-1e300, 60, 2e300, 1e300);
    EXPECT_EQ(pic->Pixel(0, 60), kRed);
    EXPECT_EQ(pic->Pixel(99, 79), kRed);
    EXPECT_EQ(pic->Pixel(50, 59), kWhite);
}

TEST(Graphics, LinesReachTheEdgeOfAPictureOnePixelHighOrWide) {
    auto row = Blank(10, 1), column = Blank(1, 10);
    row->Graphics().DrawLine(0, 0, 9, 0);
    column->Graphics().DrawLine(0, 0, 0, 9);
    EXPECT_EQ(NonWhite(*row), 10);
    EXPECT_EQ(NonWhite(*column), 10);
}

TEST(Graphics, NonFiniteAndFarAwayShapesDrawNothingAndDoNotCrash) {
    auto pic = Blank();
    auto& g = pic->Graphics();
    g.DrawLine(kNaN, 0, 50, 50);
    g.DrawLine(0, 0, kInf, 50);
    g.DrawLine(-kInf, 10, kInf, 10);
    g.FillOval(1e300, 1e300, 5, 5);
    g.FillOval(kNaN, 10, 5, 5);
    g.FillOval(10, 10, kInf, kInf);
    g.FillOval(-1e12, 40, 5, 5);
    g.FillRect(kNaN, 0, 10, 10);
    g.FillRect(10, 10, -5, 5);
    g.FillRect(1e300, 1e300, 1e300, 1e300);
    g.DrawString("x", 1e12, 10);
    g.DrawString("y", kNaN, kInf);
    g.DrawLine(1e12, 1e12, 1e12 + 5, 1e12);
    g.DrawPicture(nullptr, 0, 0);
    EXPECT_EQ(NonWhite(*pic), 0);
}

TEST(Graphics, DrawPictureCopiesAtNaturalSizeAndSkipsAnEmptySource) {
    auto source = Blank(20, 10);
    source->Graphics().FillRect(0, 0, 20, 10);
    auto target = Blank(100, 80);
    auto& g = target->Graphics();
    for (auto [sw, sh] : {std::pair<double, double>{0, 10}, {20, 0}, {-3, 10}, {20, -1}}) {
        g.DrawPicture(source, 50, 50, 20, 10, 0, 0, sw, sh);
        EXPECT_EQ(NonWhite(*target), 0) << sw << " x " << sh;
    }
    g.DrawPicture(source, 5, 7);
    EXPECT_EQ(target->Pixel(5, 7), kRed);
    EXPECT_EQ(target->Pixel(24, 16), kRed);
    EXPECT_EQ(target->Pixel(25, 16), kWhite);
    EXPECT_EQ(target->Pixel(24, 17), kWhite);
    // Drawn into itself: what it held before, no endless loop.
    g.DrawPicture(target, 20, 10, 50, 50);
    EXPECT_EQ(target->Pixel(25, 17), kRed);
}

}  // namespace
