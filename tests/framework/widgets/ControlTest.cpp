#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QPointer>
#include <QScreen>
#include <QTest>

#include "framework/core/Application.h"
#include "framework/painting/GraphicsQt_p.h"
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
    std::shared_ptr<T> Add(fw::Window& w, const std::string& name, std::int64_t l, std::int64_t t, std::int64_t wd,
                           std::int64_t h, const std::string& parent = "") {
        auto c = w.New<T>();
        w.AddControl(name, c);
        SetBox(*c, l, t, wd, h);
        c->SetProperty("InitialParent", parent);
        return c;
    }
    // A control on a window of its own.
    template <typename T>
    std::shared_ptr<T> Alone(std::int64_t l = 0, std::int64_t t = 0, std::int64_t wd = 200, std::int64_t h = 200) {
        window = Build();
        return Add<T>(*window, "C", l, t, wd, h);
    }
    std::shared_ptr<LogWindow> window;
    std::vector<std::string> calls;
};

QColor At(QWidget* widget, int x, int y) { return ShownAt(widget, x, y); }

std::array<std::int64_t, 4> Box(const fw::RectControl& c) { return {c.Left(), c.Top(), c.Width(), c.Height()}; }

TEST_F(ControlTest, LocksDecideWhoGrowsAndWhoMovesWithTheWindow) {
    std::shared_ptr<fw::Canvas> all, fixed, right;
    auto w = Build(
        [&](LogWindow& self) {
            all = Add<fw::Canvas>(self, "all", 156, 15, 400, 400);
            Set(*all, {{"LockLeft", true}, {"LockTop", true}, {"LockRight", true}, {"LockBottom", true}});
            fixed = Add<fw::Canvas>(self, "fixed", 16, 15, 132, 97);
            right = Add<fw::Canvas>(self, "right", 500, 420, 20, 10);
            Set(*right, {{"LockRight", true}, {"LockBottom", true}});
        },
        576, 435);
    QApplication::processEvents();
    w->Widget()->resize(700, w->Widget()->height() + 65);
    QApplication::processEvents();
    EXPECT_EQ(all->Widget()->geometry(), QRect(156, 15, 524, 465));
    EXPECT_EQ(Box(*all), (std::array<std::int64_t, 4>{156, 15, 524, 465}));
    EXPECT_EQ(Box(*fixed), (std::array<std::int64_t, 4>{16, 15, 132, 97}));
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
        Set(*box, {{"Caption", std::string("Anzeige")}});
        a = Add<fw::CheckBox>(self, "a", 27, 37, 72, 22, "GroupBox1");
        b = Add<fw::CheckBox>(self, "b", 27, 56, 72, 22, "GroupBox1");
        c = Add<fw::CheckBox>(self, "c", 27, 85, 114, 22, "GroupBox1");
        // Created in another order than their tabs.
        Set(*a, {{"TabIndex", std::int64_t(2)}});
        Set(*c, {{"TabIndex", std::int64_t(1)}});
        after = Add<fw::PushButton>(self, "after", 29, 304, 109, 20);
        Set(*after, {{"TabIndex", std::int64_t(1)}});
    });
    EXPECT_EQ(static_cast<QGroupBox*>(box->Widget())->title(), "Anzeige");
    EXPECT_EQ(a->Widget()->parentWidget(), box->Widget());
    EXPECT_EQ(a->Widget()->pos(), QPoint(11, 22));
    EXPECT_EQ(a->Left(), 27);
    EXPECT_EQ(a->InitialParent(), "GroupBox1");
    box->SetLeft(20);  // carries its controls along
    EXPECT_EQ(a->Left(), 31);
    b->SetLeft(40);
    EXPECT_EQ(b->Widget()->pos(), QPoint(20, 41));
    EXPECT_EQ(a->Widget()->mapTo(w->ContentWidget(), QPoint(0, 0)), QPoint(31, 37));
    // One added later takes its place among the others (tab index 0).
    auto late = w->New<fw::PushButton>();
    w->AddControl("late", late);

    std::vector<QWidget*> chain;
    for (QWidget* x = box->Widget()->nextInFocusChain(); x != box->Widget() && chain.size() < 50;
         x = x->nextInFocusChain()) {
        for (const auto& control : {a, b, c}) {
            if (x == control->Widget()) chain.push_back(x);
        }
        if (x == after->Widget() || x == late->Widget()) chain.push_back(x);
    }
    EXPECT_EQ(chain, (std::vector<QWidget*>{b->Widget(), c->Widget(), a->Widget(), late->Widget(), after->Widget()}));
    EXPECT_TRUE(late->Widget()->isVisible());
    EXPECT_EQ(late->Widget()->geometry().topLeft(), QPoint(0, 0)) << "placed nowhere: at the window's corner";
    c->SetProperty("InitialParent", std::string());  // back onto the window, where it was
    EXPECT_EQ(c->Widget()->parentWidget(), w->ContentWidget());
    EXPECT_EQ(c->Widget()->pos(), QPoint(31, 85));

    EXPECT_THROW(a->SetProperty("InitialParent", std::string("Nirgends")), fw::UnsupportedFormatException);
    EXPECT_THROW(box->SetProperty("InitialParent", std::string("a")), fw::UnsupportedFormatException);  // a cycle
    EXPECT_THROW(w->AddControl("a", w->New<fw::Label>()), fw::RuntimeException);
    EXPECT_THROW(w->AddControl("y", nullptr), fw::NilObjectException);
}

TEST_F(ControlTest, CheckBoxStatesAndActionOnAClick) {
    auto cb = Alone<fw::CheckBox>(10, 10, 100, 22);
    Set(*cb, {{"Caption", std::string("Linien")}, {"Value", true}});
    EXPECT_EQ(cb->VisualState(), fw::CheckBox::kChecked);
    cb->Action.Bind([&](std::shared_ptr<fw::CheckBox> box) { calls.push_back(box->Value() ? "1" : "0"); });
    cb->SetValue(false);  // a change made by the program is no action of the user
    QTest::mouseClick(cb->Widget(), Qt::LeftButton, {}, QPoint(5, 11));
    EXPECT_EQ(calls, std::vector<std::string>{"1"});
    cb->SetVisualState(fw::CheckBox::kIndeterminate);
    EXPECT_EQ(cb->VisualState(), fw::CheckBox::kIndeterminate);
    EXPECT_FALSE(cb->Value());
}

TEST_F(ControlTest, CanvasFollowsADragOnlyWhileTheButtonIsHeldAndMouseDownAsked) {
    auto ca = Alone<fw::Canvas>(50, 20, 200, 200);
    bool follow = true;
    ca->MouseDown.Bind([&](std::shared_ptr<fw::Canvas>, std::int64_t x, std::int64_t y) {
        calls.push_back("down " + std::to_string(x) + "," + std::to_string(y));
        return follow;
    });
    ca->MouseDrag.Bind([&](std::shared_ptr<fw::Canvas>, std::int64_t x, std::int64_t y) {
        calls.push_back("drag " + std::to_string(x) + "," + std::to_string(y));
    });
    QWidget* cw = ca->Widget();
    SendMouse(cw, QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton, Qt::LeftButton);
    SendMouse(cw, QEvent::MouseMove, {130, 90}, Qt::NoButton, Qt::LeftButton);
    SendMouse(cw, QEvent::MouseButtonRelease, {130, 90}, Qt::LeftButton, Qt::NoButton);
    SendMouse(cw, QEvent::MouseMove, {140, 95}, Qt::NoButton, Qt::NoButton);  // hovering is no drag
    follow = false;
    SendMouse(cw, QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton, Qt::LeftButton);
    SendMouse(cw, QEvent::MouseMove, {20, 20}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(calls, (std::vector<std::string>{"down 100,100", "drag 130,90", "down 10,10"}));
}

TEST_F(ControlTest, WheelCountsWholeNotchesPositiveTowardTheUser) {
    auto ca = Alone<fw::Canvas>();
    ca->MouseWheel.Bind([&](std::shared_ptr<fw::Canvas>, std::int64_t, std::int64_t, std::int64_t dx, std::int64_t dy) {
        calls.push_back(std::to_string(dx) + "," + std::to_string(dy));
        return false;
    });
    QWidget* cw = ca->Widget();
    SendWheel(cw, {5, 5}, {0, 120});      // one notch away from the user
    SendWheel(cw, {5, 5}, {-240, -360});  // two to the right, three toward
    // A touchpad's fractions: nothing until they make a notch, the rest is kept.
    for (int i = 0; i < 3; ++i) SendWheel(cw, {5, 5}, {0, -50});
    SendWheel(cw, {5, 5}, {0, -90});
    EXPECT_EQ(calls, (std::vector<std::string>{"0,-1", "2,3", "0,1", "0,1"}));
    EXPECT_FALSE(SendWheel(cw, {5, 5}, {0, 120})) << "the handler's False leaves the event to others";
}

TEST_F(ControlTest, PaintDrawsOverTheBackdropAndPicturesKeepTheirSizeInPoints) {
    auto ca = Alone<fw::Canvas>(0, 0, 40, 30);
    auto backdrop = fw::Picture::Create(10, 10, 32);
    backdrop->Graphics().SetForeColor(fw::RGB(255, 0, 0));
    backdrop->Graphics().FillRect(0, 0, 10, 10);
    ca->SetBackdrop(backdrop);
    fw::Picture::SetDevicePixelRatio(2.0);
    auto sharp = fw::Picture::Create(10, 10, 32);
    fw::Picture::SetDevicePixelRatio(1.0);
    EXPECT_EQ(sharp->impl().Image().size(), QSize(20, 20)) << "twice the pixels";
    sharp->Graphics().SetForeColor(fw::RGB(0, 0, 255));
    sharp->Graphics().FillRect(0, 0, 10, 10);
    sharp->Graphics().SetForeColor(fw::RGB(255, 0, 0));
    sharp->Graphics().FillRect(8, 8, 2, 2);
    EXPECT_EQ(sharp->Pixel(9, 9), fw::RGB(255, 0, 0));
    std::vector<fw::Rect> areas;
    ca->Paint.Bind([&](std::shared_ptr<fw::Canvas>, fw::Graphics& g, const std::vector<fw::Rect>& a) {
        areas = a;
        g.DrawPicture(sharp, 20, 0);
    });
    EXPECT_EQ(At(ca->Widget(), 5, 5), QColor(255, 0, 0));
    EXPECT_EQ(At(ca->Widget(), 25, 5), QColor(0, 0, 255));
    EXPECT_NE(At(ca->Widget(), 31, 11), QColor(0, 0, 255)) << "10 points, not 20";
    ASSERT_FALSE(areas.empty());
    EXPECT_EQ(areas.front(), (fw::Rect{0, 0, 40, 30}));
    fw::Application::SetSupportsHiDPI(true);
    EXPECT_EQ(fw::Picture::DevicePixelRatio(), QGuiApplication::primaryScreen()->devicePixelRatio());
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

// How many dark pixels each row of an image holds, rows without any left out.
std::vector<int> DarkRows(const QImage& image) {
    std::vector<int> rows;
    for (int y = 0; y < image.height(); ++y) {
        int dark = 0;
        for (int x = 0; x < image.width(); ++x) dark += qGray(image.pixel(x, y)) < 100;
        if (dark) rows.push_back(dark);
    }
    return rows;
}

TEST_F(ControlTest, UpDownArrowsShowTheirWayAndRaiseUpOnTheUpperAndDownOnTheLowerHalf) {
    auto upd = Alone<fw::UpDownArrows>(121, 153, 13, 23);
    upd->Up.Bind([&](std::shared_ptr<fw::UpDownArrows>) { calls.push_back("up"); });
    upd->Down.Bind([&](std::shared_ptr<fw::UpDownArrows>) { calls.push_back("down"); });
    auto half = [&](bool upper) {
        const QImage shot = upd->Widget()->grab().toImage();
        return shot.copy(0, upper ? 0 : shot.height() / 2, shot.width(), shot.height() / 2);
    };
    const QImage upper = half(true), lower = half(false);
    const auto up = DarkRows(upper), down = DarkRows(lower);
    ASSERT_TRUE(!up.empty() && !down.empty());
    EXPECT_LT(up.front(), up.back()) << "the upper arrow points up";
    EXPECT_GT(down.front(), down.back()) << "the lower arrow points down";
    for (bool upperHeld : {true, false}) {
        const QPoint at(6, upperHeld ? 2 : 20);
        SendMouse(upd->Widget(), QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        EXPECT_NE(half(upperHeld), upperHeld ? upper : lower) << "the held arrow looks pressed";
        EXPECT_EQ(half(!upperHeld), upperHeld ? lower : upper);
        SendMouse(upd->Widget(), QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    }
    QTest::mouseClick(upd->Widget(), Qt::LeftButton, {}, QPoint(6, 12));
    EXPECT_EQ(calls, (std::vector<std::string>{"up", "down", "down"}));
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

TEST_F(ControlTest, TextFieldLabelAndImageWellTakeTheirProperties) {
    std::shared_ptr<fw::TextField> tf;
    std::shared_ptr<fw::Label> label, tiny;
    std::shared_ptr<fw::ImageWell> well;
    Build([&](LogWindow& self) {
        tf = Add<fw::TextField>(self, "EF", 72, 153, 41, 22);
        label = Add<fw::Label>(self, "L", 69, 223, 100, 20);
        Set(*label, {{"Text", std::string("KZP-Viewer")},
                     {"Bold", true},
                     {"FontSize", 16.0f},
                     {"Tooltip", std::string("Name")}});
        tiny = Add<fw::Label>(self, "T", 0, 0, 10, 10);
        well = Add<fw::ImageWell>(self, "IW", 10, 10, 40, 40);
    });
    tf->SetText("50");
    QTest::keyClicks(tf->Widget(), "7");
    EXPECT_EQ(tf->Text(), "507") << "typing needs no handler";
    EXPECT_EQ(static_cast<QLineEdit*>(tf->Widget())->text(), "507");
    for (std::int64_t n : {1, 0}) {
        Set(*tf, {{"MaximumCharactersAllowed", n}});
        EXPECT_EQ(static_cast<QLineEdit*>(tf->Widget())->maxLength(), n ? 1 : 32767);
    }
    Set(*tf, {{"Enabled", false}});
    EXPECT_FALSE(tf->Widget()->isEnabled());
    EXPECT_TRUE(label->Widget()->font().bold());
    EXPECT_EQ(label->Widget()->font().pixelSize(), 16);
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
        auto at = [&](int along) { return across ? At(well->Widget(), 20, along) : At(well->Widget(), along, 20); };
        for (int along : {11, 28}) EXPECT_EQ(at(along), QColor(0, 128, 0)) << along;
        for (int along : {8, 32}) EXPECT_NE(at(along), QColor(0, 128, 0)) << along;
    }
}

}  // namespace
