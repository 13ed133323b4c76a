#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "tests/support/ModelFixture.h"

namespace {

using Renderer = ModelTest;

std::vector<std::string> Matching(const std::vector<std::string>& ops, const std::string& prefix) {
    std::vector<std::string> out;
    std::copy_if(ops.begin(), ops.end(), std::back_inserter(out),
                 [&](const std::string& op) { return op.rfind(prefix, 0) == 0; });
    return out;
}

TEST_F(Renderer, StartValuesGiveExactlyTheseCallsInThisOrder) {
    const std::vector<std::string> expected = {"ForeColor 255 255 255",
                                               "FillRect 0 0 400 400",
                                               "Read CBachsen",
                                               "ForeColor 100 100 100",
                                               "FillOval 18 378 5 5",
                                               "DrawLine 20 380 370 380",
                                               "DrawLine 20 380 20 30",
                                               "DrawLine 20 30 24 34",
                                               "DrawLine 20 30 16 34",
                                               "DrawLine 370 380 366 376",
                                               "DrawLine 370 380 366 384",
                                               "DrawString x 375 378",
                                               "DrawString y 18 25",
                                               "DrawLine 20 380 20 385",
                                               "DrawLine 70 380 70 385",
                                               "DrawLine 120 380 120 385",
                                               "DrawLine 170 380 170 385",
                                               "DrawLine 220 380 220 385",
                                               "DrawLine 270 380 270 385",
                                               "DrawLine 320 380 320 385",
                                               "DrawLine 370 380 370 385",
                                               "DrawLine 20 380 15 380",
                                               "DrawLine 20 330 15 330",
                                               "DrawLine 20 280 15 280",
                                               "DrawLine 20 230 15 230",
                                               "DrawLine 20 180 15 180",
                                               "DrawLine 20 130 15 130",
                                               "DrawLine 20 80 15 80",
                                               "DrawLine 20 30 15 30",
                                               "ForeColor 0 0 255",
                                               "Read CBpunkte",
                                               "Read CBlinien",
                                               "Invalidate"};
    EXPECT_EQ(Render(), expected);
}

TEST_F(Renderer, WithoutAxesNoGreyButStillBlueAndARepaint) {
    view->achsen = false;
    const auto ops = Render();
    EXPECT_EQ(Matching(ops, "ForeColor 100"), std::vector<std::string>{});
    EXPECT_EQ(ops, (std::vector<std::string>{"ForeColor 255 255 255", "FillRect 0 0 400 400", "Read CBachsen",
                                             "ForeColor 0 0 255", "Read CBpunkte", "Read CBlinien", "Invalidate"}));
}

struct AxisCase {
    std::int64_t breite, hoehe, origx, origy, zoom;
    std::size_t xTicks, yTicks;
    std::string xAxis, yAxis, lastXTick;
};

class AxisGeometry : public ModelTest, public ::testing::WithParamInterface<AxisCase> {};

TEST_P(AxisGeometry, LengthsTipsAndTicks) {
    const AxisCase& c = GetParam();
    Module1::breite = c.breite;
    Module1::hoehe = c.hoehe;
    Module1::origx = c.origx;
    Module1::origy = c.origy;
    Module1::zoomfaktor = c.zoom;
    const auto ops = Draws();
    // Calls 4 and 5 are the two axes; the ticks follow the two labels.
    ASSERT_GT(ops.size(), 12u);
    EXPECT_EQ(ops[4], c.xAxis);
    EXPECT_EQ(ops[5], c.yAxis);
    const auto ticks = std::vector<std::string>(ops.begin() + 12, ops.end() - 1);
    ASSERT_EQ(ticks.size(), c.xTicks + c.yTicks);
    EXPECT_EQ(ticks[c.xTicks - 1], c.lastXTick);
}

INSTANTIATE_TEST_SUITE_P(Cases, AxisGeometry,
                         ::testing::Values(
                             // zoom 1: one tick per pixel, 351 per axis
                             AxisCase{400, 400, 20, 380, 1, 351, 351, "DrawLine 20 380 370 380",
                                      "DrawLine 20 380 20 30", "DrawLine 370 380 370 385"},
                             // 350 is not a multiple of 60: the last tick stops short of the tip
                             AxisCase{400, 400, 20, 380, 60, 6, 6, "DrawLine 20 380 370 380", "DrawLine 20 380 20 30",
                                      "DrawLine 320 380 320 385"},
                             // zoom equal to the axis length: origin and tip
                             AxisCase{400, 400, 20, 380, 350, 2, 2, "DrawLine 20 380 370 380", "DrawLine 20 380 20 30",
                                      "DrawLine 370 380 370 385"},
                             // zoom above the axis length: the origin tick only
                             AxisCase{400, 400, 20, 380, 351, 1, 1, "DrawLine 20 380 370 380", "DrawLine 20 380 20 30",
                                      "DrawLine 20 380 20 385"},
                             // origin at the right and top edges: both axes 10 long
                             AxisCase{400, 400, 360, 40, 5, 3, 3, "DrawLine 360 40 370 40", "DrawLine 360 40 360 30",
                                      "DrawLine 370 40 370 45"},
                             // origin beyond the picture on the right and above: still 10 long, nothing skipped
                             AxisCase{400, 400, 900, -50, 50, 1, 1, "DrawLine 900 -50 910 -50",
                                      "DrawLine 900 -50 900 -60", "DrawLine 900 -50 900 -45"},
                             // origin far left of a wide picture
                             AxisCase{600, 500, -200, 480, 100, 8, 5, "DrawLine -200 480 570 480",
                                      "DrawLine -200 480 -200 30", "DrawLine 500 480 500 485"}),
                         [](const ::testing::TestParamInfo<AxisCase>& info) {
                             return "case" + std::to_string(info.index);
                         });

// An origin dragged far away at zoom factor 1 made one tick per pixel of
// distance: seconds at ten million pixels, a hang beyond. Ticks far outside
// the picture are left out; those that can show are all still there.
TEST_F(Renderer, AFarOriginAtZoomOneStillGivesEveryVisibleTick) {
    constexpr std::int64_t kFar = 1'000'000'000'000;
    constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
    constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
    Module1::zoomfaktor = 1;
    for (const auto& [ox, oy] : std::vector<std::pair<std::int64_t, std::int64_t>>{
             {-kFar, 200}, {200, kFar}, {kMin, kMax}, {-kFar + 3, kFar - 5}}) {
        SCOPED_TRACE(std::to_string(ox) + ", " + std::to_string(oy));
        Module1::origx = ox;
        Module1::origy = oy;
        const auto ticks = Matching(Draws(), "DrawLine");
        EXPECT_LT(ticks.size(), 6000u);
        if (oy == 200) {
            // Every column up to the tip (30 pixels before the right edge) has its tick.
            for (int x : {-1, 0, 1, 200, 370}) {
                const std::string tick = "DrawLine " + std::to_string(x) + " 200 " + std::to_string(x) + " 205";
                EXPECT_NE(std::find(ticks.begin(), ticks.end(), tick), ticks.end()) << tick;
            }
        }
        if (ox == 200) {
            for (int y : {30, 200, 399, 400}) {
                const std::string tick = "DrawLine 200 " + std::to_string(y) + " 195 " + std::to_string(y);
                EXPECT_NE(std::find(ticks.begin(), ticks.end(), tick), ticks.end()) << tick;
            }
        }
    }
    Module1::origx = -kFar;
    Module1::origy = 200;
    Module1::zeichnen();
    for (std::int64_t x = 0; x <= 370; x += 9) ASSERT_EQ(Module1::zebild->Pixel(x, 202), fw::RGB(100, 100, 100)) << x;
}

TEST_F(Renderer, PointsBecomeUnroundedDotsInBlue) {
    view->punkte = true;
    view->linien = false;
    view->achsen = false;
    Module1::anzpkt = 3;
    SetPoint(1, 1, 2);
    SetPoint(2, 0, 0);
    SetPoint(3, 0.5, -0.25);
    EXPECT_EQ(Draws(),
              (std::vector<std::string>{"ForeColor 255 255 255", "FillRect 0 0 400 400", "ForeColor 0 0 255",
                                        "FillOval 68 278 5 5", "FillOval 18 378 5 5", "FillOval 43 390.5 5 5"}));
}

TEST_F(Renderer, CountsOfZeroOrBelowDrawNothing) {
    view->punkte = true;
    SetPoint(1, 1, 1);
    SetLine(1, 1, 3);
    for (std::int64_t count : {std::int64_t{0}, std::int64_t{-1}, std::numeric_limits<std::int64_t>::min()}) {
        Module1::anzpkt = count;
        Module1::anzlin = count;
        view->achsen = false;
        EXPECT_EQ(Draws().size(), 3u) << count;
    }
}

TEST_F(Renderer, PenUpMovesThePenAndPenDownDrawsFromIt) {
    view->achsen = false;
    Module1::anzpkt = 2;
    SetPoint(1, 1, 1);
    SetPoint(2, 2, 1);
    Module1::anzlin = 4;
    SetLine(1, 1, 0);  // pen up to point 1
    SetLine(2, 2, 5);  // line to point 2 in (150, 0, 150)
    SetLine(3, 0, 4);  // red line back to the data origin
    SetLine(4, 0, 0);  // only moves
    EXPECT_EQ(Draws(), (std::vector<std::string>{"ForeColor 255 255 255", "FillRect 0 0 400 400", "ForeColor 0 0 255",
                                                 "ForeColor 150 0 150", "DrawLine 70 330 120 330", "ForeColor 0 0 255",
                                                 "ForeColor 150 0 0", "DrawLine 120 330 20 380", "ForeColor 0 0 255"}));
}

TEST_F(Renderer, TheFirstRecordStartsAtTheDataOriginEveryTime) {
    view->achsen = false;
    SetPoint(2, 2, 1);
    Module1::anzpkt = 2;
    Module1::anzlin = 1;
    SetLine(1, 2, 1);
    const auto first = Draws();
    EXPECT_EQ(first[4], "DrawLine 20 380 120 330");
    EXPECT_EQ(first[3], "ForeColor 0 0 150");
    EXPECT_EQ(Draws(), first);  // the pen position does not carry over
}

TEST_F(Renderer, PenColoursFollowTheLowFourBits) {
    const std::vector<std::pair<std::int64_t, std::string>> table = {
        {1, "0 0 150"},
        {2, "0 150 0"},
        {3, "0 150 150"},
        {4, "150 0 0"},
        {5, "150 0 150"},
        {6, "150 150 0"},
        {7, "150 150 150"},
        {8, "105 105 105"},
        {9, "105 105 255"},
        {10, "105 255 105"},
        {11, "105 255 255"},
        {12, "255 105 105"},
        {13, "255 105 255"},
        {14, "255 255 105"},
        {15, "255 255 255"},
        {16, "0 0 0"},
        {32, "0 0 0"},
        {-1, "255 255 255"},
        {-3, "255 105 255"},
        {-8, "105 105 105"},
        {-16, "0 0 0"},
        {std::numeric_limits<std::int64_t>::min(), "0 0 0"},
        {std::numeric_limits<std::int64_t>::max(), "255 255 255"}};
    view->achsen = false;
    Module1::anzlin = static_cast<std::int64_t>(table.size());
    for (std::size_t k = 0; k < table.size(); ++k) SetLine(static_cast<std::int64_t>(k + 1), 0, table[k].first);
    const auto colours = Matching(Draws(), "ForeColor");
    ASSERT_EQ(colours.size(), 2 + 2 * table.size());
    for (std::size_t k = 0; k < table.size(); ++k) {
        EXPECT_EQ(colours[2 + 2 * k], "ForeColor " + table[k].second) << "pen code " << table[k].first;
        EXPECT_EQ(colours[3 + 2 * k], "ForeColor 0 0 255");
    }
}

TEST_F(Renderer, RowsAboveTheCountStillHoldAnEarlierFilesPoints) {
    view->achsen = false;
    SetPoint(5, 3, 3);  // left by an earlier, larger file
    Module1::anzpkt = 2;
    Module1::anzlin = 1;
    SetLine(1, 5, 2);
    EXPECT_EQ(Draws()[4], "DrawLine 20 380 170 230");
}

TEST_F(Renderer, IndexesOutsideTheTableAreSkippedAndThePenStays) {
    view->achsen = false;
    SetPoint(1, 1, 1);
    SetPoint(3000, 2, 2);
    Module1::anzlin = 6;
    SetLine(1, 1, 0);
    SetLine(2, -1, 3);
    SetLine(3, 3001, 3);
    SetLine(4, std::numeric_limits<std::int64_t>::max(), 3);
    SetLine(5, std::numeric_limits<std::int64_t>::min(), 0);
    SetLine(6, 3000, 3);
    const auto lines = Matching(Draws(), "DrawLine");
    EXPECT_EQ(lines, std::vector<std::string>{"DrawLine 70 330 120 280"});
}

TEST_F(Renderer, NothingOfAnEarlierRenderingSurvives) {
    view->punkte = true;
    Module1::anzpkt = 1;
    SetPoint(1, 1, 1);
    Module1::init();
    EXPECT_EQ(Module1::zebild->Pixel(70, 330), fw::RGB(0, 0, 255));
    view->punkte = false;
    view->achsen = false;
    Module1::zeichnen();
    for (std::int64_t y = 0; y < 400; y += 7) {
        for (std::int64_t x = 0; x < 400; x += 7) ASSERT_EQ(Module1::zebild->Pixel(x, y), fw::RGB(255, 255, 255));
    }
}

TEST_F(Renderer, PixelsOfARealRendering) {
    view->punkte = true;
    Module1::anzpkt = 3;
    SetPoint(1, 1, 2);
    SetPoint(2, 5, 1);
    SetPoint(3, 3, 5);
    Module1::anzlin = 2;
    SetLine(1, 1, 0);
    SetLine(2, 2, 10);  // (105, 255, 105)
    Module1::init();
    auto& pic = *Module1::zebild;
    EXPECT_EQ(pic.Pixel(200, 100), fw::RGB(255, 255, 255));
    EXPECT_EQ(pic.Pixel(200, 380), fw::RGB(100, 100, 100));  // on the x axis between ticks
    EXPECT_EQ(pic.Pixel(20, 200), fw::RGB(100, 100, 100));   // on the y axis
    EXPECT_EQ(pic.Pixel(170, 130), fw::RGB(0, 0, 255));      // dot centre of point 3
    // A horizontal pen line at whole coordinates: exactly its colour, only on its row.
    SetPoint(2, 5, 2);
    Module1::zeichnen();
    for (std::int64_t x = 70; x <= 270; x += 10) ASSERT_EQ(pic.Pixel(x, 280), fw::RGB(105, 255, 105)) << x;
    EXPECT_EQ(pic.Pixel(150, 279), fw::RGB(255, 255, 255));
    EXPECT_EQ(pic.Pixel(150, 281), fw::RGB(255, 255, 255));
    EXPECT_EQ(pic.Pixel(71, 281), fw::RGB(0, 0, 255));  // below the line, still inside the first dot
}

}  // namespace
