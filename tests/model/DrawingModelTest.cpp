#include <gtest/gtest.h>

#include "framework/core/Exceptions.h"
#include "tests/support/ModelFixture.h"

namespace {

using DrawingModel = ModelTest;

// The zoom field shows the new factor before the first rendering of the new picture.
TEST_F(DrawingModel, InitMakesAPictureOfTheSizeShowsTheZoomThenRenders) {
    Module1::breite = 600;
    Module1::hoehe = 500;
    Module1::zoomfaktor = 73;
    Module1::init();
    ASSERT_NE(Module1::zebild, nullptr);
    EXPECT_EQ(Module1::zebild->Width(), 600);
    EXPECT_EQ(Module1::zebild->Height(), 500);
    EXPECT_EQ(view->zoomText, "73");
    EXPECT_EQ(view->invalidatesWhenZoomShown, 0);
    EXPECT_EQ(view->invalidates, 1);
}

TEST_F(DrawingModel, AFailedPictureKeepsThePreviousOneAndDrawsNothing) {
    Module1::init();
    const auto first = Module1::zebild;
    view->zoomText = "untouched";
    Module1::breite = -5;
    EXPECT_THROW(Module1::init(), fw::RuntimeException);
    EXPECT_EQ(Module1::zebild, first);
    EXPECT_EQ(view->zoomText, "untouched");
    EXPECT_EQ(view->invalidates, 1);
}

TEST_F(DrawingModel, WithoutAWindowTheModelRaisesInsteadOfCrashing) {
    Module1::SetHauptGetter(nullptr);
    EXPECT_THROW(Module1::init(), fw::NilObjectException);
    Module1::zebild = nullptr;
    Module1::SetHauptGetter([v = view] { return v; });
    EXPECT_THROW(Module1::zeichnen(), fw::NilObjectException);
}

}  // namespace
