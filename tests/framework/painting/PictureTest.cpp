#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "framework/core/Exceptions.h"
#include "framework/painting/Picture.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::nan("");
const fw::Color kWhite = fw::RGB(255, 255, 255);
const fw::Color kRed = fw::RGB(200, 0, 0);

fw::PicturePtr Blank(std::int64_t w = 100, std::int64_t h = 80) {
    auto pic = fw::Picture::Create(w, h, 16);
    pic->Graphics().SetForeColor(kWhite);
    pic->Graphics().FillRect(0, 0, double(w), double(h));
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
    EXPECT_EQ(pic->Width(), 400);
    EXPECT_EQ(pic->Height(), 300);
    EXPECT_EQ(pic->Pixel(0, 0), kWhite);
    EXPECT_THROW(fw::Picture::Create(0, 10, 16), fw::RuntimeException);
    EXPECT_THROW(fw::Picture::Create(10, -1, 16), fw::RuntimeException);
    EXPECT_THROW(fw::Picture::Create(1 << 20, 10, 16), fw::RuntimeException);
    EXPECT_THROW(pic->Pixel(400, 0), fw::OutOfBoundsException);
    // Far outside, where a conversion to the raster's int would overflow.
    EXPECT_THROW(pic->Pixel(INT64_MAX, 0), fw::OutOfBoundsException);
    EXPECT_THROW(pic->Pixel(0, INT64_MIN), fw::OutOfBoundsException);
    EXPECT_THROW(pic->Pixel(std::int64_t{1} << 40, 1), fw::OutOfBoundsException);
}

TEST(Graphics, TheColourPersistsAcrossFetchesAndCalls) {
    auto pic = Blank();
    pic->Graphics().SetForeColor(fw::RGB(1, 2, 3));
    pic->Graphics().FillRect(10, 10, 5, 5);
    pic->Graphics().FillRect(30, 30, 5, 5);
    EXPECT_EQ(pic->Graphics().ForeColor(), fw::RGB(1, 2, 3));
    EXPECT_EQ(pic->Pixel(12, 12), fw::RGB(1, 2, 3));
    EXPECT_EQ(pic->Pixel(32, 32), fw::RGB(1, 2, 3));
}

TEST(Graphics, LinesAtWholeCoordinatesCoverExactlyOneRowOrColumn) {
    auto pic = Blank();
    pic->Graphics().DrawLine(10, 20, 60, 20);
    pic->Graphics().DrawLine(80, 5, 80, 50);
    for (std::int64_t x = 10; x <= 60; ++x) ASSERT_EQ(pic->Pixel(x, 20), kRed) << x;
    for (std::int64_t y = 5; y <= 50; ++y) ASSERT_EQ(pic->Pixel(80, y), kRed) << y;
    EXPECT_EQ(NonWhite(*pic), 51 + 46);
}

TEST(Graphics, AnOvalFillsTheDiscInsideItsBox) {
    auto pic = Blank();
    pic->Graphics().FillOval(18, 28, 5, 5);
    EXPECT_EQ(pic->Pixel(20, 30), kRed);
    EXPECT_EQ(pic->Pixel(17, 30), kWhite);
    EXPECT_EQ(pic->Pixel(23, 30), kWhite);
    EXPECT_EQ(pic->Pixel(20, 27), kWhite);
    EXPECT_NE(pic->Pixel(18, 28), kRed);  // the box's corner lies outside the disc
}

TEST(Graphics, HugeLinesDrawTheirVisiblePart) {
    auto pic = Blank(400, 400);
    pic->Graphics().DrawLine(-1e300, 200, 1e300, 200);
    pic->Graphics().DrawLine(150, -1e18, 150, 1e18);
    for (std::int64_t x = 0; x < 400; ++x) ASSERT_EQ(pic->Pixel(x, 200), kRed) << x;
    for (std::int64_t y = 0; y < 400; ++y) ASSERT_EQ(pic->Pixel(150, y), kRed) << y;
    EXPECT_EQ(NonWhite(*pic), 400 + 399);

    // Slope -1 from the origin pixel: the visible part follows the diagonal.
    auto diag = Blank(400, 400);
    diag->Graphics().DrawLine(20, 380, 1e12, -1e12);
    for (std::int64_t t = 0; t < 300; t += 37) {
        const fw::Color c = diag->Pixel(20 + t, 380 - t);
        EXPECT_LT(int(c.green), 160) << t;  // mostly covered
    }
    EXPECT_EQ(diag->Pixel(100, 380), kWhite);
    EXPECT_EQ(diag->Pixel(20, 100), kWhite);
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

TEST(Graphics, HugeRectanglesAreClippedToThePicture) {
    auto pic = Blank();
    pic->Graphics().FillRect(-1e300, 40, 2e300, 1e300);
    EXPECT_EQ(pic->Pixel(0, 40), kRed);
    EXPECT_EQ(pic->Pixel(99, 79), kRed);
    EXPECT_EQ(pic->Pixel(50, 39), kWhite);
}

TEST(Graphics, TheRecorderSeesEveryCallBeforeClipping) {
    auto pic = Blank();
    std::vector<std::string> ops;
    pic->Graphics().SetRecorder(&ops);
    pic->Graphics().SetForeColor(fw::RGB(0, 0, 255));
    pic->Graphics().DrawLine(20, 380, 1e12, -1e12);
    pic->Graphics().FillOval(43, 390.5, 5, 5);
    pic->Graphics().DrawString("x", 375, 378, 0, false);
    pic->Graphics().FillRect(kNaN, 0, 1, 1);
    pic->Graphics().SetRecorder(nullptr);
    pic->Graphics().DrawLine(0, 0, 1, 1);
    EXPECT_EQ(ops, (std::vector<std::string>{"ForeColor 0 0 255", "DrawLine 20 380 1e+12 -1e+12",
                                             "FillOval 43 390.5 5 5", "DrawString x 375 378", "FillRect nan 0 1 1"}));
}

TEST(Graphics, DrawPictureCopiesAtNaturalSize) {
    auto source = Blank(20, 10);
    source->Graphics().FillRect(0, 0, 20, 10);
    auto target = Blank(100, 80);
    target->Graphics().DrawPicture(source, 5, 7);
    EXPECT_EQ(target->Pixel(5, 7), kRed);
    EXPECT_EQ(target->Pixel(24, 16), kRed);
    EXPECT_EQ(target->Pixel(25, 16), kWhite);
    EXPECT_EQ(target->Pixel(24, 17), kWhite);
}

}  // namespace
