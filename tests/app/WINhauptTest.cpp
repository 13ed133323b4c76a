// The main window as the user meets it: built through its getter, driven by
// real Qt input events, judged by what its canvas shows.
#include <functional>
#include <limits>
#include <new>
#include <optional>
#include <string>

#include <QTimer>

#include "tests/support/MainWindowFixture.h"
#include "tests/support/UiTestSupport.h"

namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
const QColor kWhite(255, 255, 255), kGrey(100, 100, 100), kBlue(0, 0, 255);
const QPoint kUp(6, 3), kDown(6, 19);  // on the arrows

class WINhauptTest : public MainWindowTest {
protected:
    // Notches of the wheel, positive toward the user.
    bool Wheel(int x, int y) { return uitest::SendWheel(w->CAhaupt()->Widget(), {200, 200}, {-120 * x, -120 * y}); }
    // A press, or a move with the button held.
    void Mouse(QEvent::Type type, int x, int y) {
        const auto button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        uitest::SendMouse(w->CAhaupt()->Widget(), type, {x, y}, button, Qt::LeftButton);
    }
    // What the screen shows of the canvas, in points.
    QColor Shows(int x, int y) { return uitest::ShownAt(w->CAhaupt()->Widget(), x, y); }
    // Where the axes cross: the y axis has its ticks on its left, the x axis below.
    bool OriginShownAt(int x, int y) {
        return Shows(x, 200) == kGrey && Shows(x + 3, 200) == kWhite && Shows(300, y) == kGrey &&
               Shows(300, y - 3) == kWhite;
    }
};

TEST_F(WINhauptTest, ArrowsAndWheelChangeTheZoomWithinItsRangeShowItAndDraw) {
    EXPECT_EQ(w->EFzoom()->Text(), "50");
    QTest::keyClicks(w->EFzoom()->Widget(), "7");  // what the user typed counts for nothing
    struct Case {
        std::int64_t from, to;
        bool draws;
        std::function<void()> act;
    };
    const Case cases[] = {
        {50, 51, true, [&] { Click(w->UPDzoom(), kUp); }},
        {2, 1, true, [&] { Click(w->UPDzoom(), kDown); }},
        {1, 1, false, [&] { Click(w->UPDzoom(), kDown); }},
        {kMax, kMax, true, [&] { Click(w->UPDzoom(), kUp); }},
        {50, 55, true, [&] { EXPECT_FALSE(Wheel(0, -5)); }},  // the event goes on to others
        {2, 1, true, [&] { EXPECT_FALSE(Wheel(0, 3)); }},
        {1, 1, true, [&] { Wheel(1, 0); }},  // a horizontal turn draws too
        {kMax - 2, kMax, true, [&] { Wheel(0, -5); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        Module1::zoomfaktor = c.from;
        Module1::origx = 100;
        c.act();
        EXPECT_EQ(w->EFzoom()->Text(), std::to_string(c.to));
        EXPECT_TRUE(OriginShownAt(c.draws ? 100 : 20, 380));
        Module1::origx = 20;
        Module1::zeichnen();
    }
    EXPECT_TRUE(reports.empty());
}

TEST_F(WINhauptTest, DraggingMovesTheOriginPerAxisAndDrawsOnlyWhenItMoved) {
    Mouse(QEvent::MouseButtonPress, 100, 100);
    Mouse(QEvent::MouseMove, 130, 90);
    EXPECT_TRUE(OriginShownAt(50, 370));
    Module1::zoomfaktor = 10;  // not drawn while the mouse stays at the anchor
    Mouse(QEvent::MouseMove, 130, 90);
    EXPECT_EQ(Shows(60, 373), kWhite);
    Mouse(QEvent::MouseMove, 130, 110);
    EXPECT_TRUE(OriginShownAt(50, 390));
    // The origin stops at the end of the range instead of overflowing.
    Module1::origx = kMax - 10;
    Mouse(QEvent::MouseMove, 230, 110);
    EXPECT_EQ(Module1::origx, kMax);
    Click(w->PushButton1());  // reset
    EXPECT_TRUE(OriginShownAt(20, 380));
    EXPECT_TRUE(reports.empty());
}

TEST_F(WINhauptTest, LoadingDrawsTheFileAtTheCurrentViewAFailedLoadSaysWhyAndTheBoxesRedraw) {
    Module1::zoomfaktor = 100;
    Load(KZP_TEST_DATA "/app/pen_lines.kzp");
    EXPECT_EQ(Shows(220, 280), QColor(150, 0, 0));  // (1, 1) to (3, 1), pen 4
    // Whatever part is repainted, the picture lies at the canvas's (0, 0).
    const QImage part = w->CAhaupt()->Widget()->grab(QRect(200, 260, 50, 50)).toImage();
    const qreal r = part.devicePixelRatio();
    EXPECT_EQ(part.pixelColor(int(20 * r), int(20 * r)), QColor(150, 0, 0));

    Module1::origx = 0;
    Load(KZP_TEST_DATA "/app/no_such_file.kzp");
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("no_such_file.kzp"), std::string::npos) << reports[0];
    EXPECT_EQ(Shows(110, 280), kWhite) << "the old drawing is still shown, not redrawn";

    // Each box redraws, at the origin now set; (3, 3) has no line.
    Click(w->CBlinien());
    EXPECT_EQ(Shows(220, 280), kWhite);
    Click(w->CBpunkte());
    EXPECT_EQ(Shows(300, 80), kBlue);
    Click(w->CBpunkte());
    EXPECT_EQ(Shows(300, 80), kWhite);
    Click(w->CBachsen());
    EXPECT_EQ(Shows(200, 380), kWhite);
    Click(w->CBachsen());
    EXPECT_EQ(Shows(200, 380), kGrey);
}

TEST_F(WINhauptTest, RunningOutOfMemoryWhileReportingThatMemoryRanOutKeepsTheLoopAndTheDrawing) {
    Module1::zoomfaktor = 100;
    Load(KZP_TEST_DATA "/app/pen_lines.kzp");
    const auto picture = Module1::zebild;
    // The dialog runs out of memory, and so does showing its report.
    fw::SetOpenDialogAnswer([]() -> std::optional<std::string> { throw std::bad_alloc(); });
    int tries = 0;
    fw::SetExceptionReporter([&](const std::string& text) {
        if (++tries == 1) throw std::bad_alloc();
        reports.push_back(text);
    });
    QColor shown;  // what the loop, still running, shows afterwards
    testing::internal::CaptureStderr();
    QTimer::singleShot(0, [&] {
        Click(w->PushButton2());
        QTimer::singleShot(0, [&] {
            shown = Shows(220, 280);
            fw::Application::Quit();
        });
    });
    EXPECT_EQ(fw::RuntimeRun(), 0);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(reports, std::vector<std::string>{
                           "Ein unerwarteter Fehler ist aufgetreten:\n\nDer Arbeitsspeicher reicht nicht aus."});
    EXPECT_EQ(Module1::zebild, picture);
    EXPECT_EQ(shown, QColor(150, 0, 0));
}

TEST_F(WINhauptTest, ThePictureFollowsTheCanvasOnEveryResizeStepAndACanvasSqueezedOrWithoutPictureShowsNothing) {
    const QImage before = w->CAhaupt()->Widget()->grab().toImage();
    QWidget* top = w->Widget();
    const QSize start = top->size();
    top->resize(start + QSize(124, 65));
    QApplication::processEvents();
    EXPECT_EQ(Module1::zebild->Width(), 524);
    EXPECT_EQ(Module1::zebild->Height(), 465);
    EXPECT_EQ(Shows(470, 380), kGrey);  // the longer x axis, as far from the top
    top->resize(300, 200);              // never below the start
    QApplication::processEvents();
    EXPECT_EQ(w->ContentWidget()->size(), QSize(576, 435));
    EXPECT_FALSE(top->windowFlags() & (Qt::WindowMaximizeButtonHint | Qt::WindowFullscreenButtonHint));

    // As a window manager that ignores the minimum size, or none at all, does;
    // the drawing comes back with room.
    top->setMinimumSize(0, 0);
    for (int width : {120, 110, 100}) {
        top->resize(width, start.height());
        QApplication::processEvents();
    }
    EXPECT_EQ(w->CAhaupt()->Width(), 0);
    QTest::qWait(300);  // the settled size's Resized as well
    top->resize(start);
    QTest::qWait(300);
    EXPECT_EQ(w->CAhaupt()->Widget()->grab().toImage(), before);
    Module1::zebild = nullptr;  // as before the first picture
    EXPECT_FALSE(w->CAhaupt()->Widget()->grab().toImage().isNull());
    EXPECT_TRUE(reports.empty());
}

struct WINhauptTimerTest : WINhauptTest {
    WINhauptTimerTest() { quietTimer = false; }
};

TEST_F(WINhauptTimerTest, TheTimerRedrawsOnceAfterTheWindowIsBuilt) {
    Module1::origx = 100;
    EXPECT_TRUE(QTest::qWaitFor([&] { return OriginShownAt(100, 380); }, 5000));
    EXPECT_EQ(w->Timer1()->FrameworkClassName(), "WINhaupt._wrapper_Timer1")
        << "a name in a string keeps its underscore";
    EXPECT_EQ(w->Timer1()->RunMode(), fw::Timer::kOff) << "once, never again";
}

}  // namespace
