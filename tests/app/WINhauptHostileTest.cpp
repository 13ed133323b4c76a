// The main window pushed far: thousands of wheel turns and drags with a
// hostile file loaded, through real Qt input events. Run under the
// sanitizers, these are the window's share of the hardening.
#include <QApplication>
#include <QCheckBox>
#include <QTest>

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "app/WINhaupt.h"
#include "framework/core/EventBoundary.h"
#include "framework/painting/Picture.h"
#include "framework/widgets/OpenDialog.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/UiTestSupport.h"

namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

class WINhauptHostile : public MainWindowTest {
protected:
    void Load(const std::string& name) { MainWindowTest::Load(std::string(KZP_TEST_DATA) + "/hostile/" + name); }
    // Notches toward the user lower the zoom factor.
    void Wheel(int notches) { uitest::SendWheel(w->CAhaupt()->Widget(), {200, 200}, {0, -120 * notches}); }
    // One press, drag and release across the canvas.
    void Swipe(QPoint from, QPoint to) {
        QWidget* canvas = w->CAhaupt()->Widget();
        uitest::SendMouse(canvas, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        uitest::SendMouse(canvas, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        uitest::SendMouse(canvas, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    }
    std::vector<std::string> Rendering() {
        std::vector<std::string> ops;
        Module1::zebild->Graphics().SetRecorder(&ops);
        Module1::zeichnen();
        Module1::zebild->Graphics().SetRecorder(nullptr);
        return ops;
    }
};

TEST_F(WINhauptHostile, ThousandsOfWheelTurnsUpAndDownWithInfinitePixels) {
    Load("overflow_at_zoom.kzp");
    w->CBpunkte()->SetValue(true);
    ASSERT_EQ(Module1::anzpkt, 3);
    for (int i = 0; i < 3000; ++i) {
        Wheel(-1'000'000);
        if (i % 500 == 0) QApplication::processEvents();
    }
    EXPECT_EQ(Module1::zoomfaktor, 50 + std::int64_t{3000} * 1'000'000);
    EXPECT_EQ(w->EFzoom()->Text(), std::to_string(Module1::zoomfaktor));

    // Near the top of the range the factor stops there instead of overflowing.
    Module1::zoomfaktor = kMax - 5;
    for (int i = 0; i < 1000; ++i) Wheel(-17'000'000);
    EXPECT_EQ(Module1::zoomfaktor, kMax);
    QApplication::processEvents();
    for (int i = 0; i < 3000; ++i) Wheel(17'000'000);
    EXPECT_EQ(Module1::zoomfaktor, kMax - std::int64_t{3000} * 17'000'000);
    // And at the bottom it stops at 1.
    Module1::zoomfaktor = 40'000'000;
    for (int i = 0; i < 3; ++i) Wheel(17'000'000);
    EXPECT_EQ(Module1::zoomfaktor, 1);
    EXPECT_EQ(w->EFzoom()->Text(), "1");
    QApplication::processEvents();
    EXPECT_TRUE(reports.empty()) << reports.front();
}

// At zoom factor 1 an origin far away once meant one tick per pixel of
// distance; there and back, the view is the start view again.
TEST_F(WINhauptHostile, ThousandsOfDragsFarAwayAndBackAtZoomOne) {
    Load("pen_codes_64bit.kzp");
    w->CBpunkte()->SetValue(true);
    Wheel(49);
    ASSERT_EQ(Module1::zoomfaktor, 1);
    const auto start = Rendering();

    for (int i = 0; i < 3000; ++i) {
        Swipe({390, 10}, {10, 390});
        if (i % 500 == 0) QApplication::processEvents();
    }
    EXPECT_EQ(Module1::origx, 20 - 3000 * 380);
    EXPECT_EQ(Module1::origy, 380 + 3000 * 380);
    QApplication::processEvents();
    EXPECT_EQ(Module1::zebild->Pixel(200, 200), fw::RGB(255, 255, 255));

    for (int i = 0; i < 3000; ++i) {
        Swipe({10, 390}, {390, 10});
        if (i % 500 == 0) QApplication::processEvents();
    }
    EXPECT_EQ(Module1::origx, 20);
    EXPECT_EQ(Module1::origy, 380);
    EXPECT_EQ(Rendering(), start);

    // Dragged against the ends of the range, at the largest zoom factor.
    Module1::zoomfaktor = kMax;
    Module1::origx = kMax - 1000;
    Module1::origy = -kMax + 1000;
    constexpr int kFar = 2'000'000'000;
    for (int i = 0; i < 1000; ++i) Swipe({0, 0}, {i % 3 ? kFar : -kFar, i % 2 ? -kFar : kFar});
    Swipe({0, 0}, {kFar, -kFar});
    EXPECT_EQ(Module1::origx, kMax);
    EXPECT_EQ(Module1::origy, std::numeric_limits<std::int64_t>::min());
    QApplication::processEvents();
    QTest::mouseClick(w->PushButton1()->Widget(), Qt::LeftButton);
    EXPECT_EQ(Module1::origx, 20);
    EXPECT_EQ(Module1::origy, 380);
    QApplication::processEvents();
    EXPECT_TRUE(reports.empty()) << reports.front();
}

}  // namespace
