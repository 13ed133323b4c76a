// The main window as the user meets it: built through its getter, driven
// by real Qt input events, its drawing read back from the model's picture
// and from the painted canvas.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "app/MenuBar1.h"
#include "app/WINhaupt.h"
#include "framework/core/EventBoundary.h"
#include "framework/painting/Picture.h"
#include "framework/widgets/OpenDialog.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/UiTestSupport.h"

namespace {

using uitest::SendMouse;
using uitest::SendWheel;
constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

std::array<std::int64_t, 4> Box(const fw::ControlPtr& c) {
    auto r = fw::Cast<fw::RectControl>(c);
    return {r->Left(), r->Top(), r->Width(), r->Height()};
}

class WINhauptTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        Record();
    }

    // Starts recording the drawing calls into the current picture.
    void Record() {
        ops.clear();
        if (Module1::zebild) Module1::zebild->Graphics().SetRecorder(&ops);
    }
    // Renderings since Record(): each starts with the white background.
    int Renderings() const {
        return int(std::count_if(ops.begin(), ops.end(),
                                 [](const std::string& op) { return op.rfind("FillRect 0 0 ", 0) == 0; }));
    }
    bool Drew(const std::string& op) const { return std::find(ops.begin(), ops.end(), op) != ops.end(); }

    void ClickUp() { QTest::mouseClick(w->UPDzoom()->Widget(), Qt::LeftButton, {}, QPoint(6, 3)); }
    void ClickDown() { QTest::mouseClick(w->UPDzoom()->Widget(), Qt::LeftButton, {}, QPoint(6, 19)); }
    void Click(const std::shared_ptr<fw::RectControl>& c) {
        QTest::mouseClick(c->Widget(), Qt::LeftButton, {}, QPoint(c->Widget()->width() / 2, c->Widget()->height() / 2));
    }
    // Notches of the wheel, positive toward the user.
    bool Wheel(int x, int y) { return SendWheel(w->CAhaupt()->Widget(), {200, 200}, {-120 * x, -120 * y}); }
    void Press(int x, int y) {
        SendMouse(w->CAhaupt()->Widget(), QEvent::MouseButtonPress, {x, y}, Qt::LeftButton, Qt::LeftButton);
    }
    void DragTo(int x, int y) {
        SendMouse(w->CAhaupt()->Widget(), QEvent::MouseMove, {x, y}, Qt::NoButton, Qt::LeftButton);
    }
    void Release(int x, int y) {
        SendMouse(w->CAhaupt()->Widget(), QEvent::MouseButtonRelease, {x, y}, Qt::LeftButton, Qt::NoButton);
    }

    // The canvas as it is painted now.
    QColor CanvasPixel(int x, int y) {
        const QImage shot = w->CAhaupt()->Widget()->grab().toImage();
        const qreal r = shot.devicePixelRatio();
        return shot.pixelColor(int(x * r), int(y * r));
    }

    std::vector<std::string> ops;
};

TEST_F(WINhauptTest, OneWindowOpensAtItsRecordSizeWithTheSharedMenuBar) {
    EXPECT_EQ(WINhaupt::Instance(), w);
    EXPECT_EQ(fw::GetImplicitWindow(WINhaupt::kClassName), w);
    EXPECT_TRUE(w->Widget()->isVisible());
    EXPECT_EQ(w->Title(), "KZP-Viewer");
    EXPECT_EQ(w->ContentWidget()->size(), QSize(576, 435));
    EXPECT_EQ(w->MenuBar(), MenuBar1::Instance());
    EXPECT_TRUE(w->Resizeable());
    EXPECT_EQ(
        (std::array<std::int64_t, 4>{w->MinimumWidth(), w->MinimumHeight(), w->MaximumWidth(), w->MaximumHeight()}),
        (std::array<std::int64_t, 4>{576, 435, 32000, 32000}));
    EXPECT_TRUE(w->HasCloseButton() && w->HasMinimizeButton());
    EXPECT_FALSE(w->HasMaximizeButton() || w->HasFullScreenButton());
    for (const char* e : {"Open", "Resized", "Resizing"}) EXPECT_TRUE(w->IsEventImplemented(e)) << e;
    for (const char* e : {"Close", "CancelClose", "Activate", "Paint", "MouseDown", "Layout"}) {
        EXPECT_FALSE(w->IsEventImplemented(e)) << e;
    }
    // Open reached the window under construction: the first picture and
    // the zoom field, and no second window.
    ASSERT_TRUE(Module1::zebild);
    EXPECT_EQ(Module1::zebild->Width(), 400);
    EXPECT_EQ(Module1::zebild->Height(), 400);
    EXPECT_EQ(w->EFzoom()->Text(), "50");
    EXPECT_EQ(w->ControlCount(), 12);
    EXPECT_TRUE(reports.empty());
}

TEST_F(WINhauptTest, AClosedWindowIsBuiltAnewByTheNextCall) {
    w->Close();
    EXPECT_EQ(fw::GetImplicitWindow(WINhaupt::kClassName), nullptr);
    auto again = WINhaupt::Instance();
    EXPECT_NE(again, w);
    EXPECT_EQ(again->EFzoom()->Text(), "50");
    EXPECT_EQ(WINhaupt::Instance(), again);
}

TEST_F(WINhauptTest, TwelveObjectsInOrderWithTheirPlacesParentsAndStartStates) {
    const std::vector<std::string> names = {"GroupBox1", "CBpunkte",    "CBlinien",    "CBachsen",
                                            "GroupBox2", "PushButton1", "UPDzoom",     "Label1",
                                            "EFzoom",    "CAhaupt",     "PushButton2", "Timer1"};
    ASSERT_EQ(w->ControlCount(), 12);
    for (std::int64_t i = 0; i < 12; ++i) EXPECT_EQ(w->ControlAt(i)->Name(), names[std::size_t(i)]);

    const std::map<std::string, std::array<std::int64_t, 4>> boxes = {
        {"GroupBox1", {16, 15, 132, 97}}, {"CBpunkte", {27, 37, 72, 22}},     {"CBlinien", {27, 56, 72, 22}},
        {"CBachsen", {27, 85, 114, 22}},  {"GroupBox2", {16, 124, 132, 95}},  {"PushButton1", {49, 187, 68, 20}},
        {"UPDzoom", {121, 153, 13, 23}},  {"Label1", {28, 153, 43, 20}},      {"EFzoom", {72, 153, 41, 22}},
        {"CAhaupt", {156, 15, 400, 400}}, {"PushButton2", {29, 304, 109, 20}}};
    for (const auto& [name, box] : boxes) EXPECT_EQ(Box(w->ControlByName(name)), box) << name;

    QWidget* g1 = w->GroupBox1()->Widget();
    QWidget* g2 = w->GroupBox2()->Widget();
    for (auto c : {w->CBpunkte(), w->CBlinien(), w->CBachsen()}) EXPECT_EQ(c->Widget()->parentWidget(), g1);
    for (QWidget* c :
         {w->PushButton1()->Widget(), w->UPDzoom()->Widget(), w->Label1()->Widget(), w->EFzoom()->Widget()}) {
        EXPECT_EQ(c->parentWidget(), g2);
    }
    for (QWidget* c : {g1, g2, w->CAhaupt()->Widget(), w->PushButton2()->Widget()}) {
        EXPECT_EQ(c->parentWidget(), w->ContentWidget());
    }

    EXPECT_FALSE(w->CBpunkte()->Value());
    EXPECT_TRUE(w->CBlinien()->Value());
    EXPECT_TRUE(w->CBachsen()->Value());
    EXPECT_EQ(w->CBpunkte()->Caption(), "Punkte");

    auto timer = std::dynamic_pointer_cast<WINhaupt::wrapper_Timer1>(w->Timer1());
    ASSERT_TRUE(timer);
    EXPECT_EQ(timer->FrameworkClassName(), "WINhaupt._wrapper_Timer1") << "a name in a string keeps its underscore";
    EXPECT_EQ(timer->Window(), w);
    EXPECT_EQ(timer->Period(), 500);
}

TEST_F(WINhauptTest, MenuItemAccessorsFindTheBarsItemsAndNeedABar) {
    EXPECT_EQ(w->About()->Name(), "About");
    EXPECT_EQ(w->FileQuit()->Name(), "FileQuit");
    EXPECT_EQ(w->EditSelectAll()->Text(), "Select &All");
    EXPECT_EQ(w->UntitledMenu0()->Text(), "-");
    EXPECT_EQ(w->FileMenu(), MenuBar1::Instance()->Child("FileMenu"));
    w->SetMenuBar(nullptr);
    EXPECT_THROW(w->EditMenu(), fw::NilObjectException);
}

TEST_F(WINhauptTest, ArrowsChangeTheZoomByOneAndNeverBelowOne) {
    ClickUp();
    EXPECT_EQ(Module1::zoomfaktor, 51);
    EXPECT_EQ(w->EFzoom()->Text(), "51");
    EXPECT_EQ(Renderings(), 1);

    Module1::zoomfaktor = 2;
    Record();
    ClickDown();
    EXPECT_EQ(Module1::zoomfaktor, 1);
    EXPECT_EQ(w->EFzoom()->Text(), "1");
    EXPECT_EQ(Renderings(), 1);

    Record();
    ClickDown();
    EXPECT_EQ(Module1::zoomfaktor, 1);
    EXPECT_EQ(w->EFzoom()->Text(), "1");
    EXPECT_EQ(Renderings(), 0) << "nothing drawn at 1";

    // No upper limit, and no overflow at the end of the range.
    Module1::zoomfaktor = kMax;
    ClickUp();
    EXPECT_EQ(Module1::zoomfaktor, kMax);
    EXPECT_EQ(w->EFzoom()->Text(), std::to_string(kMax));
    EXPECT_TRUE(reports.empty());
}

TEST_F(WINhauptTest, WheelZoomsByTheVerticalAmountDrawsEveryTimeAndLeavesTheEvent) {
    Module1::zoomfaktor = 2;
    EXPECT_FALSE(Wheel(0, 3));
    EXPECT_EQ(Module1::zoomfaktor, 1) << "not -1";
    EXPECT_EQ(w->EFzoom()->Text(), "1");
    EXPECT_EQ(Renderings(), 1);

    // What the user typed into the field counts for nothing and is replaced.
    QTest::keyClicks(w->EFzoom()->Widget(), "7");
    EXPECT_EQ(Module1::zoomfaktor, 1);
    Record();
    EXPECT_FALSE(Wheel(1, 0));  // a horizontal turn: vertical amount 0
    EXPECT_EQ(Module1::zoomfaktor, 1);
    EXPECT_EQ(w->EFzoom()->Text(), "1");
    EXPECT_EQ(Renderings(), 1);

    Module1::zoomfaktor = 50;
    Wheel(0, -5);
    EXPECT_EQ(Module1::zoomfaktor, 55);
    EXPECT_EQ(w->EFzoom()->Text(), "55");

    Module1::zoomfaktor = kMax - 2;
    Wheel(0, -5);
    EXPECT_EQ(Module1::zoomfaktor, kMax);
    EXPECT_TRUE(reports.empty());
}

TEST_F(WINhauptTest, DraggingMovesTheOriginPerAxisAndDrawsOnlyWhenItMoved) {
    Press(100, 100);
    EXPECT_EQ(Renderings(), 0);
    EXPECT_EQ(Module1::mausx, 100);
    EXPECT_EQ(Module1::mausy, 100);
    DragTo(130, 90);
    EXPECT_EQ(Module1::origx, 50);
    EXPECT_EQ(Module1::origy, 370);
    EXPECT_EQ(Module1::mausx, 130);
    EXPECT_EQ(Module1::mausy, 90);
    EXPECT_EQ(Renderings(), 1);
    EXPECT_TRUE(Drew("FillOval 48 368 5 5")) << "the origin dot followed";

    Record();
    DragTo(130, 90);
    EXPECT_EQ(Renderings(), 0) << "at the anchor nothing moves";
    DragTo(150, 90);
    EXPECT_EQ(Module1::origx, 70);
    EXPECT_EQ(Module1::origy, 370);
    EXPECT_EQ(Module1::mausx, 150);
    EXPECT_EQ(Module1::mausy, 90);
    EXPECT_EQ(Renderings(), 1);
    Release(150, 90);

    // The origin stops at the end of the range instead of overflowing.
    Module1::origx = kMax - 10;
    Press(0, 0);
    DragTo(100, 0);
    EXPECT_EQ(Module1::origx, kMax);
    EXPECT_TRUE(reports.empty());
}

TEST_F(WINhauptTest, ResetPutsTheOriginBackAndKeepsTheZoom) {
    Wheel(0, -30);
    Press(10, 10);
    DragTo(60, 40);
    Release(60, 40);
    ASSERT_EQ(Module1::zoomfaktor, 80);
    ASSERT_EQ(Module1::origx, 70);
    Record();
    Click(w->PushButton1());
    EXPECT_EQ(Module1::origx, 20);
    EXPECT_EQ(Module1::origy, 380);
    EXPECT_EQ(Module1::zoomfaktor, 80);
    EXPECT_EQ(w->EFzoom()->Text(), "80");
    EXPECT_EQ(Module1::mausx, 60) << "the anchor stays";
    EXPECT_EQ(Renderings(), 1);
}

TEST_F(WINhauptTest, CheckBoxesRedrawWithWhatTheyNowSay) {
    Click(w->CBachsen());
    EXPECT_FALSE(w->CBachsen()->Value());
    EXPECT_EQ(Renderings(), 1);
    EXPECT_FALSE(Drew("FillOval 18 378 5 5")) << "no axes";
    Record();
    Click(w->CBpunkte());
    Click(w->CBlinien());
    EXPECT_EQ(Renderings(), 2);
    EXPECT_TRUE(w->CBpunkte()->Value());
    EXPECT_FALSE(w->CBlinien()->Value());
}

TEST_F(WINhauptTest, ALoadedFileIsDrawnInItsPenColoursOnTheCanvas) {
    Load(KZP_TEST_DATA "/app/pen_lines.kzp");
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(Module1::anzpkt, 3);
    EXPECT_EQ(Renderings(), 1);
    QApplication::processEvents();
    // Record 2 (pen 4) from (1, 1) to (3, 1), record 3 (pen 2) up to (3, 3).
    EXPECT_EQ(CanvasPixel(120, 330), QColor(150, 0, 0));
    EXPECT_EQ(CanvasPixel(170, 280), QColor(0, 150, 0));
    EXPECT_EQ(CanvasPixel(120, 280), QColor(255, 255, 255));
    // Whatever part is repainted, the picture lies at the canvas's (0, 0).
    const QImage part = w->CAhaupt()->Widget()->grab(QRect(100, 300, 50, 50)).toImage();
    EXPECT_EQ(part.pixelColor(int(20 * part.devicePixelRatio()), int(30 * part.devicePixelRatio())), QColor(150, 0, 0));

    // A new file is drawn at the current view.
    Module1::zoomfaktor = 100;
    Record();
    Load(KZP_TEST_DATA "/app/pen_lines.kzp");
    EXPECT_TRUE(Drew("DrawLine 120 280 320 280"));
}

TEST_F(WINhauptTest, CancelledLoadDrawsTheSameViewAgain) {
    Load(std::nullopt);
    EXPECT_EQ(Renderings(), 1);
    EXPECT_EQ(Module1::anzpkt, 0);
    EXPECT_TRUE(reports.empty());
}

TEST_F(WINhauptTest, ARefusedOrUnreadableFileLeavesTheViewAndSaysWhy) {
    Load(KZP_TEST_DATA "/app/pen_lines.kzp");
    const auto picture = Module1::zebild;
    Record();
    Load(KZP_TEST_DATA "/reader/refusals/index_too_large.kzp");
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("3001"), std::string::npos) << reports[0];
    EXPECT_EQ(Module1::anzpkt, 3);
    EXPECT_EQ(Renderings(), 0);
    EXPECT_EQ(Module1::zebild, picture);

    Load(KZP_TEST_DATA "/app/no_such_file.kzp");
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_NE(reports[1].find("no_such_file.kzp"), std::string::npos) << reports[1];
    EXPECT_EQ(Renderings(), 0);
    QApplication::processEvents();
    EXPECT_EQ(CanvasPixel(120, 330), QColor(150, 0, 0)) << "the old drawing is still shown";
}

TEST_F(WINhauptTest, PaintBeforeTheFirstPictureDrawsNothing) {
    Module1::zebild = nullptr;
    const QImage shot = w->CAhaupt()->Widget()->grab().toImage();
    EXPECT_FALSE(shot.isNull());
    EXPECT_TRUE(reports.empty());
}

TEST_F(WINhauptTest, ThePictureFollowsTheCanvasSizeOnEveryResizeStep) {
    QWidget* top = w->Widget();
    top->resize(top->width() + 124, top->height() + 65);
    QApplication::processEvents();
    ASSERT_EQ(w->Width(), 700);
    ASSERT_EQ(w->Height(), 500);
    EXPECT_EQ(Box(w->CAhaupt()), (std::array<std::int64_t, 4>{156, 15, 524, 465}));
    EXPECT_EQ(Box(w->PushButton2()), (std::array<std::int64_t, 4>{29, 304, 109, 20}));
    ASSERT_TRUE(Module1::zebild);
    EXPECT_EQ(Module1::zebild->Width(), 524);
    EXPECT_EQ(Module1::zebild->Height(), 465);
    EXPECT_EQ(Module1::breite, 524);
    EXPECT_EQ(Module1::hoehe, 465);
    EXPECT_EQ(Module1::origy, 380) << "the origin keeps its distance from the top";
    EXPECT_EQ(w->EFzoom()->Text(), "50");
    // After the size settles, Resized makes the same picture again.
    const auto afterResizing = Module1::zebild;
    for (int i = 0; i < 100 && Module1::zebild == afterResizing; ++i) QTest::qWait(20);
    EXPECT_NE(Module1::zebild, afterResizing);
    EXPECT_EQ(Module1::zebild->Width(), 524);
    QApplication::processEvents();
    EXPECT_EQ(CanvasPixel(520, 460), QColor(255, 255, 255)) << "the picture covers the canvas";

    // Never smaller than at start.
    top->resize(300, 200);
    QApplication::processEvents();
    EXPECT_GE(w->Width(), 576);
    EXPECT_GE(w->Height(), 435);
    EXPECT_GE(Module1::breite, 400);
    EXPECT_GE(Module1::hoehe, 400);
    EXPECT_TRUE(reports.empty());
}

TEST_F(WINhauptTest, ACanvasSqueezedToNothingShowsNothingAndItsDrawingComesBackWithRoom) {
    QApplication::processEvents();
    const QImage before = w->CAhaupt()->Widget()->grab().toImage();
    // As a window manager that ignores the minimum size, or none at all, does.
    QWidget* top = w->Widget();
    const QSize start = top->size();
    top->setMinimumSize(0, 0);
    for (int width : {120, 110, 100}) {
        top->resize(width, start.height());
        QApplication::processEvents();
    }
    EXPECT_EQ(w->CAhaupt()->Width(), 0);
    QTest::qWait(300);  // the settled size's Resized as well
    EXPECT_TRUE(reports.empty()) << reports.front();
    top->resize(start);
    QTest::qWait(300);
    EXPECT_EQ(w->CAhaupt()->Width(), 400);
    EXPECT_EQ(w->CAhaupt()->Widget()->grab().toImage(), before);
    EXPECT_TRUE(reports.empty());
}

class WINhauptTimerTest : public WINhauptTest {
protected:
    WINhauptTimerTest() { quietTimer = false; }
};

TEST_F(WINhauptTimerTest, TheTimerRedrawsOnceAfterTheWindowIsBuilt) {
    for (int i = 0; i < 250 && Renderings() == 0; ++i) QTest::qWait(20);
    EXPECT_EQ(Renderings(), 1);
    QTest::qWait(700);
    EXPECT_EQ(Renderings(), 1) << "once, never again";
    EXPECT_EQ(w->Timer1()->RunMode(), fw::Timer::kOff);
}

}  // namespace
