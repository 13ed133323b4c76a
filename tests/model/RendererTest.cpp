// The renderer's calls for given views are in tests/data/render; here is
// what no file can hold: indexes outside the table, and renderings one
// after the other.
#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "framework/painting/GraphicsQt_p.h"  // the picture's pixels, to compare two renderings
#include "tests/support/ImageCompare.h"
#include "tests/support/ModelFixture.h"

namespace {

using Renderer = ModelTest;

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
    const auto ops = Draws();
    EXPECT_EQ(std::count(ops.begin(), ops.end(), "DrawLine 70 330 120 280"), 1);
    EXPECT_EQ(ops.size(), 6u);
}

// Random views of random small drawings, one rendering after the other into
// the same picture: each must look exactly like a fresh picture's first
// rendering of that view. Nothing of an earlier rendering may survive.
TEST_F(Renderer, EachRenderingEqualsAFreshOneOfTheSameView) {
    std::mt19937 random(13);
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    for (int sequence = 0; sequence < 400; ++sequence) {
        // A fractional ratio with an odd size ends the picture inside a device pixel.
        const testing_support::AtRatio at(pick(0, 2) == 0 ? 1.5 : 1.0);
        Module1::breite = pick(8, 140);
        Module1::hoehe = pick(8, 100);
        Module1::init();
        for (int step = 0; step < 6; ++step) {
            if (step == 0 || pick(0, 2) == 0) {
                Module1::anzpkt = pick(0, 4);
                Module1::anzlin = pick(0, 4);
                for (int i = 1; i <= 4; ++i) SetPoint(i, pick(-150, 350) / 97.0, pick(-150, 350) / 89.0);
                for (int k = 1; k <= 4; ++k) SetLine(k, pick(0, 4), pick(0, 3) * pick(0, 15));
            }
            Module1::origx = pick(-30, 170);
            Module1::origy = pick(-30, 130);
            Module1::zoomfaktor = pick(1, 90);
            view->punkte = pick(0, 1);
            view->linien = pick(0, 3) > 0;
            view->achsen = pick(0, 3) == 0;
            Module1::zeichnen();
            const auto kept = Module1::zebild;
            Module1::init();
            ASSERT_TRUE(kept->impl().Image() == Module1::zebild->impl().Image()) << sequence << ", step " << step;
            Module1::zebild = kept;
        }
    }
}

}  // namespace
