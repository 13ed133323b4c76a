#include <gtest/gtest.h>

#include "framework/core/Exceptions.h"
#include "tests/support/ModelFixture.h"

namespace {

using DrawingModel = ModelTest;

TEST_F(DrawingModel, StartValues) {
    EXPECT_EQ(Module1::breite, 400);
    EXPECT_EQ(Module1::hoehe, 400);
    EXPECT_EQ(Module1::origx, 20);
    EXPECT_EQ(Module1::origy, 380);
    EXPECT_EQ(Module1::zoomfaktor, 50);
    EXPECT_EQ(Module1::anzpkt, 0);
    EXPECT_EQ(Module1::anzlin, 0);
    EXPECT_EQ(Module1::mausx, 0);
    EXPECT_EQ(Module1::mausy, 0);
    EXPECT_EQ(Module1::zebild, nullptr);
    for (std::int64_t row : {0, 1, 1500, 3000}) {
        for (std::int64_t column : {0, 1, 2}) {
            EXPECT_EQ(Module1::punkt.Get(row, column), 0.0);
            EXPECT_EQ(Module1::linie.Get(row, column), 0);
        }
    }
}

TEST_F(DrawingModel, TablesHaveRowsZeroTo3000AndColumnsZeroToTwo) {
    EXPECT_NO_THROW(Module1::punkt.Set(3000, 2, 1.0));
    EXPECT_NO_THROW(Module1::linie.Get(3000, 0));
    EXPECT_THROW(Module1::punkt.Get(3001, 1), fw::OutOfBoundsException);
    EXPECT_THROW(Module1::punkt.Get(1, 3), fw::OutOfBoundsException);
    EXPECT_THROW(Module1::linie.Set(-1, 1, 5), fw::OutOfBoundsException);
}

TEST_F(DrawingModel, InitMakesThePictureShowsTheZoomAndRenders) {
    Module1::zoomfaktor = 73;
    Module1::init();
    ASSERT_NE(Module1::zebild, nullptr);
    EXPECT_EQ(Module1::zebild->Width(), 400);
    EXPECT_EQ(Module1::zebild->Height(), 400);
    EXPECT_EQ(view->zoomText, "73");
    EXPECT_EQ(view->invalidates, 1);
}

TEST_F(DrawingModel, InitAfterAResizeReplacesThePictureAndKeepsTheView) {
    Module1::init();
    const auto first = Module1::zebild;
    Module1::breite = 600;
    Module1::hoehe = 500;
    Module1::init();
    EXPECT_NE(Module1::zebild, first);
    EXPECT_EQ(Module1::zebild->Width(), 600);
    EXPECT_EQ(Module1::zebild->Height(), 500);
    EXPECT_EQ(Module1::origx, 20);
    EXPECT_EQ(Module1::origy, 380);
    EXPECT_EQ(Module1::zoomfaktor, 50);
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
