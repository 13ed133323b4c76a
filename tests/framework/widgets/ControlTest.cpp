#include <QLineEdit>
#include <QPointer>
#include <QTest>

#include "framework/painting/Picture.h"
#include "framework/widgets/Canvas.h"
#include "framework/widgets/CheckBox.h"
#include "framework/widgets/GroupBox.h"
#include "framework/widgets/ImageWell.h"
#include "framework/widgets/Label.h"
#include "framework/widgets/PushButton.h"
#include "framework/widgets/TextField.h"
#include "framework/widgets/Timer.h"
#include "framework/widgets/UpDownArrows.h"
#include "tests/support/UiTestSupport.h"

using namespace uitest;

namespace {

class ControlTest : public UiTest {
protected:
    template <typename T>
    std::shared_ptr<T> Alone(std::int64_t l = 0, std::int64_t t = 0, std::int64_t wd = 200, std::int64_t h = 200) {
        window = Build();
        return Add<T>(*window, "C", l, t, wd, h);
    }
    std::shared_ptr<LogWindow> window;
    std::vector<std::string> calls;
};

std::array<std::int64_t, 4> Box(const fw::RectControl& c) { return {c.Left(), c.Top(), c.Width(), c.Height()}; }

TEST_F(ControlTest, LocksDecideWhoGrowsAndWhoMovesWithTheWindow) {
    std::shared_ptr<fw::Canvas> all, right;
    auto w = Build(
        [&](LogWindow& self) {
            all = Add<fw::Canvas>(self, "all", 156, 15, 400, 400);
            Set(*all, {{"LockLeft", true}, {"LockTop", true}, {"LockRight", true}, {"LockBottom", true}});
            right = Add<fw::Canvas>(self, "right", 500, 420, 20, 10);
            Set(*right, {{"LockRight", true}, {"LockBottom", true}});
        },
        576, 435);
    QApplication::processEvents();
    w->Widget()->resize(700, w->Widget()->height() + 65);
    QApplication::processEvents();
    EXPECT_EQ(Box(*all), (std::array<std::int64_t, 4>{156, 15, 524, 465}));
    EXPECT_EQ(Box(*right), (std::array<std::int64_t, 4>{624, 485, 20, 10}));
    // Set now, a place holds for the window as it is now.
    for (auto c : {all, right}) c->SetLeft(c->Left() + 1), c->SetTop(c->Top() + 1), c->SetWidth(30), c->SetHeight(40);
    EXPECT_EQ(Box(*all), (std::array<std::int64_t, 4>{157, 16, 30, 40}));
    EXPECT_EQ(Box(*right), (std::array<std::int64_t, 4>{625, 486, 30, 40}));
    w->Widget()->resize(576, w->Widget()->height() - 65);
    QApplication::processEvents();
    EXPECT_EQ(Box(*all), (std::array<std::int64_t, 4>{157, 16, 0, 0}));
    EXPECT_EQ(Box(*right), (std::array<std::int64_t, 4>{501, 421, 30, 40}));
}

TEST_F(ControlTest, ControlsInsideAGroupBoxKeepWindowCoordinatesAndOrderTheirTabsThere) {
    std::shared_ptr<fw::GroupBox> box;
    std::shared_ptr<fw::CheckBox> a, b, c;
    std::shared_ptr<fw::PushButton> after;
    auto w = Build([&](LogWindow& self) {
        box = Add<fw::GroupBox>(self, "GroupBox1", 16, 15, 132, 97);
        a = Add<fw::CheckBox>(self, "a", 27, 37, 72, 22, "GroupBox1");
        b = Add<fw::CheckBox>(self, "b", 27, 56, 72, 22, "GroupBox1");
        c = Add<fw::CheckBox>(self, "c", 27, 85, 114, 22, "GroupBox1");
        // Created in another order than their tabs.
        Set(*a, {{"TabIndex", std::int64_t(2)}});
        Set(*c, {{"TabIndex", std::int64_t(1)}});
        after = Add<fw::PushButton>(self, "after", 29, 304, 109, 20);
        Set(*after, {{"TabIndex", std::int64_t(1)}});
    });
    EXPECT_EQ(a->Widget()->pos(), QPoint(11, 22));
    box->SetLeft(20);  // carries its controls along
    EXPECT_EQ(a->Left(), 31);
    b->SetLeft(40);
    EXPECT_EQ(b->Widget()->pos(), QPoint(20, 41));
    // One added later takes its place among the others (tab index 0).
    auto late = w->New<fw::PushButton>();
    w->AddControl("late", late);

    const std::vector<QWidget*> tabs = {b->Widget(), c->Widget(), a->Widget(), late->Widget(), after->Widget()};
    std::vector<QWidget*> chain;
    for (QWidget* x = box->Widget()->nextInFocusChain(); x != box->Widget(); x = x->nextInFocusChain()) {
        if (std::count(tabs.begin(), tabs.end(), x)) chain.push_back(x);
    }
    EXPECT_EQ(chain, tabs);
    EXPECT_TRUE(late->Widget()->isVisible());
    EXPECT_EQ(late->Widget()->geometry().topLeft(), QPoint(0, 0)) << "placed nowhere: at the window's corner";
    c->SetProperty("InitialParent", std::string());  // back onto the window, where it was
    EXPECT_EQ(c->Widget()->pos(), QPoint(31, 85));

    EXPECT_THROW(a->SetProperty("InitialParent", std::string("Nirgends")), fw::UnsupportedFormatException);
    EXPECT_THROW(box->SetProperty("InitialParent", std::string("a")), fw::UnsupportedFormatException);  // a cycle
    EXPECT_THROW(w->AddControl("a", w->New<fw::Label>()), fw::RuntimeException);
    EXPECT_THROW(w->AddControl("y", nullptr), fw::NilObjectException);
}

TEST_F(ControlTest, CanvasFollowsADragOnlyWhileHeldAndMouseDownAskedAndCountsWholeWheelNotches) {
    auto ca = Alone<fw::Canvas>(50, 20, 200, 200);
    bool follow = true;
    ca->MouseDown.Bind([&](std::shared_ptr<fw::Canvas>, std::int64_t x, std::int64_t y) {
        calls.push_back("down " + std::to_string(x) + "," + std::to_string(y));
        return follow;
    });
    ca->MouseDrag.Bind([&](std::shared_ptr<fw::Canvas>, std::int64_t x, std::int64_t y) {
        calls.push_back("drag " + std::to_string(x) + "," + std::to_string(y));
    });
    ca->MouseWheel.Bind([&](std::shared_ptr<fw::Canvas>, std::int64_t, std::int64_t, std::int64_t dx, std::int64_t dy) {
        calls.push_back(std::to_string(dx) + "," + std::to_string(dy));
        return false;
    });
    QWidget* cw = ca->Widget();
    SendMouse(cw, QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton, Qt::LeftButton);
    SendMouse(cw, QEvent::MouseMove, {130, 90}, Qt::NoButton, Qt::LeftButton);
    SendMouse(cw, QEvent::MouseButtonRelease, {130, 90}, Qt::LeftButton, Qt::NoButton);
    SendMouse(cw, QEvent::MouseMove, {140, 95}, Qt::NoButton, Qt::NoButton);  // hovering is no drag
    follow = false;
    SendMouse(cw, QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton, Qt::LeftButton);
    SendMouse(cw, QEvent::MouseMove, {20, 20}, Qt::NoButton, Qt::LeftButton);
    SendWheel(cw, {5, 5}, {0, 120});      // one notch away from the user
    SendWheel(cw, {5, 5}, {-240, -360});  // two to the right, three toward
    // A touchpad's fractions: nothing until they make a notch, the rest is kept.
    for (int i = 0; i < 3; ++i) SendWheel(cw, {5, 5}, {0, -50});
    SendWheel(cw, {5, 5}, {0, -90});
    EXPECT_EQ(calls,
              (std::vector<std::string>{"down 100,100", "drag 130,90", "down 10,10", "0,-1", "2,3", "0,1", "0,1"}));
}

TEST_F(ControlTest, PaintDrawsOverTheBackdrop) {
    auto ca = Alone<fw::Canvas>(0, 0, 40, 30);
    auto backdrop = fw::Picture::Create(10, 10, 32);
    backdrop->Graphics().SetForeColor(fw::RGB(255, 0, 0));
    backdrop->Graphics().FillRect(0, 0, 10, 10);
    ca->SetBackdrop(backdrop);
    ca->Paint.Bind([&](std::shared_ptr<fw::Canvas>, fw::Graphics& g, const std::vector<fw::Rect>&) {
        g.SetForeColor(fw::RGB(0, 0, 255));
        g.FillRect(20, 0, 10, 10);
    });
    EXPECT_EQ(ShownAt(ca->Widget(), 5, 5), QColor(255, 0, 0));
    EXPECT_EQ(ShownAt(ca->Widget(), 25, 5), QColor(0, 0, 255));
}

// The widgets go later than their controls: what the user does meanwhile reaches nobody.
TEST_F(ControlTest, AWidgetOutlivingItsControlIgnoresTheUser) {
    auto upd = std::make_shared<fw::UpDownArrows>();
    auto ca = std::make_shared<fw::Canvas>();
    upd->Up.Bind([&](std::shared_ptr<fw::UpDownArrows>) { calls.push_back("up"); });
    ca->MouseDown.Bind(
        [&](std::shared_ptr<fw::Canvas>, std::int64_t, std::int64_t) { return calls.push_back("down"), true; });
    const QPointer<QWidget> arrows = upd->Widget(), canvas = ca->Widget();
    ca->SetVisible(true);
    EXPECT_FALSE(canvas->isVisible()) << "no window of its own before it has one";
    upd.reset();
    ca.reset();
    ASSERT_TRUE(arrows && canvas);
    QTest::mouseClick(arrows, Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_TRUE(calls.empty());
}

TEST_F(ControlTest, UpDownArrowsRaiseUpOnTheUpperAndDownOnTheLowerHalf) {
    auto upd = Alone<fw::UpDownArrows>(121, 153, 13, 23);
    upd->Up.Bind([&](std::shared_ptr<fw::UpDownArrows>) { calls.push_back("up"); });
    upd->Down.Bind([&](std::shared_ptr<fw::UpDownArrows>) { calls.push_back("down"); });
    for (int y : {2, 11, 12}) QTest::mouseClick(upd->Widget(), Qt::LeftButton, {}, QPoint(6, y));
    EXPECT_EQ(calls, (std::vector<std::string>{"up", "up", "down"}));
}

TEST_F(ControlTest, ARepeatingTimerStopsWithItsWindow) {
    int fired = 0;
    auto timer = Build()->New<fw::Timer>();
    fw::GetImplicitWindow(LogWindow::kClass)->AddControl("Timer1", timer);
    Set(*timer, {{"RunMode", std::int64_t(2)}, {"Period", std::int64_t(60000)}, {"Enabled", false}});
    timer->Action.Bind([&](std::shared_ptr<fw::Timer> t) {
        if (++fired == 1) t->SetRunMode(fw::Timer::kOff);
        if (fired == 2) t->Window()->Close();
    });
    QTest::qWait(50);
    EXPECT_EQ(fired, 0) << "not while disabled";
    timer->SetEnabled(true);
    timer->SetPeriod(10);
    EXPECT_TRUE(QTest::qWaitFor([&] { return fired == 1; }));
    QTest::qWait(50);
    EXPECT_EQ(fired, 1) << "not while its run mode is off";
    timer->SetRunMode(fw::Timer::kMultiple);
    EXPECT_TRUE(QTest::qWaitFor([&] { return fired == 2; }));
    QTest::qWait(100);
    EXPECT_EQ(fired, 2) << "a closed window's timer stays quiet";
}

TEST_F(ControlTest, CheckBoxTextFieldLabelAndImageWellTakeTheirPropertiesAndInput) {
    std::shared_ptr<fw::CheckBox> cb;
    std::shared_ptr<fw::TextField> tf;
    std::shared_ptr<fw::Label> label, tiny;
    std::shared_ptr<fw::ImageWell> well;
    Build([&](LogWindow& self) {
        cb = Add<fw::CheckBox>(self, "CB", 100, 10, 100, 22);
        tf = Add<fw::TextField>(self, "EF", 72, 153, 41, 22);
        label = Add<fw::Label>(self, "L", 69, 223, 100, 20);
        Set(*label, {{"Tooltip", std::string("Name")}});
        tiny = Add<fw::Label>(self, "T", 0, 0, 10, 10);
        well = Add<fw::ImageWell>(self, "IW", 10, 10, 40, 40);
    });
    Set(*cb, {{"Value", true}});
    cb->Action.Bind([&](std::shared_ptr<fw::CheckBox> box) { calls.push_back(box->Value() ? "1" : "0"); });
    cb->SetValue(false);  // a change made by the program is no action of the user
    QTest::mouseClick(cb->Widget(), Qt::LeftButton, {}, QPoint(5, 11));
    EXPECT_EQ(calls, std::vector<std::string>{"1"});
    cb->SetVisualState(fw::CheckBox::kIndeterminate);
    EXPECT_FALSE(cb->Value());
    tf->SetText("50");
    QTest::keyClicks(tf->Widget(), "7");
    EXPECT_EQ(tf->Text(), "507") << "typing needs no handler";
    for (std::int64_t n : {1, 0}) {
        Set(*tf, {{"MaximumCharactersAllowed", n}});
        EXPECT_EQ(static_cast<QLineEdit*>(tf->Widget())->maxLength(), n ? 1 : 32767);
    }
    Set(*tf, {{"Enabled", false}});
    EXPECT_FALSE(tf->Widget()->isEnabled());
    EXPECT_EQ(label->Widget()->font().family(), QApplication::font().family()) << "\"System\" is the default";
    Set(*tiny, {{"FontName", std::string("Serif")}, {"TextColor", fw::RGB(200, 0, 0)}});
    EXPECT_EQ(tiny->Widget()->palette().color(QPalette::WindowText), QColor(200, 0, 0));
    EXPECT_EQ(tiny->Widget()->font().family(), "Serif");
    EXPECT_EQ(label->Widget()->toolTip(), "Name");
    for (float size : {1.0f, 0.4f, 0.0f}) {
        Set(*tiny, {{"FontSize", size}});
        EXPECT_EQ(tiny->Widget()->font().pixelSize(), size > 0 ? 1 : -1) << size;  // 0: the default size
    }

    // Fitted into 40 x 40 and centred: 40 x 20 across, 20 x 40 upright.
    for (bool across : {true, false}) {
        auto pic = fw::Picture::Create(across ? 80 : 40, across ? 40 : 80, 32);
        pic->Graphics().SetForeColor(fw::RGB(0, 128, 0));
        pic->Graphics().FillRect(0, 0, 80, 80);
        well->SetImage(pic);
        auto at = [&](int along) {
            return across ? ShownAt(well->Widget(), 20, along) : ShownAt(well->Widget(), along, 20);
        };
        for (int along : {11, 28}) EXPECT_EQ(at(along), QColor(0, 128, 0)) << along;
        for (int along : {8, 32}) EXPECT_NE(at(along), QColor(0, 128, 0)) << along;
    }
}

}  // namespace
