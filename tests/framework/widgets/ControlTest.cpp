#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QTest>

#include <QScreen>
#include "tests/support/UiTestSupport.h"

#include "framework/core/Application.h"
#include "framework/painting/GraphicsQt_p.h"  // internal: the picture's device pixels
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

using namespace uitest;

namespace {

class ControlTest : public UiTest {};

template <typename T>
std::shared_ptr<T> Add(fw::Window& w, const std::string& name, std::int64_t l, std::int64_t t, std::int64_t wd,
                       std::int64_t h, const std::string& parent = "") {
    auto c = w.New<T>();
    w.AddControl(name, c);
    SetBox(*c, l, t, wd, h);
    c->SetProperty("InitialParent", parent);
    return c;
}

TEST_F(ControlTest, LocksDecideWhoGrowsAndWhoMovesWithTheWindow) {
    std::shared_ptr<fw::Canvas> all, fixed, right, leftTop;
    auto w = Build(
        [&](LogWindow& self) {
            all = Add<fw::Canvas>(self, "all", 156, 15, 400, 400);
            Set(*all, {{"LockLeft", true}, {"LockTop", true}, {"LockRight", true}, {"LockBottom", true}});
            fixed = Add<fw::Canvas>(self, "fixed", 16, 15, 132, 97);
            right = Add<fw::Canvas>(self, "right", 500, 420, 20, 10);
            Set(*right, {{"LockRight", true}, {"LockBottom", true}});
            leftTop = Add<fw::Canvas>(self, "leftTop", 28, 153, 43, 20);
            Set(*leftTop, {{"LockLeft", true}, {"LockTop", true}});
        },
        576, 435);
    QApplication::processEvents();
    w->Widget()->resize(700, w->Widget()->height() + 65);
    QApplication::processEvents();
    ASSERT_EQ(w->Width(), 700);
    ASSERT_EQ(w->Height(), 500);
    EXPECT_EQ((std::array{all->Left(), all->Top(), all->Width(), all->Height()}),
              (std::array<std::int64_t, 4>{156, 15, 524, 465}));
    EXPECT_EQ(all->Widget()->geometry(), QRect(156, 15, 524, 465));
    EXPECT_EQ((std::array{fixed->Left(), fixed->Top(), fixed->Width(), fixed->Height()}),
              (std::array<std::int64_t, 4>{16, 15, 132, 97}));
    EXPECT_EQ((std::array{right->Left(), right->Top(), right->Width()}), (std::array<std::int64_t, 3>{624, 485, 20}));
    EXPECT_EQ((std::array{leftTop->Left(), leftTop->Top(), leftTop->Width()}),
              (std::array<std::int64_t, 3>{28, 153, 43}));
    // Back to the start size: back to the start places.
    w->Widget()->resize(576, w->Widget()->height() - 65);
    QApplication::processEvents();
    EXPECT_EQ(all->Widget()->geometry(), QRect(156, 15, 400, 400));
}

TEST_F(ControlTest, ControlsInsideAGroupBoxKeepWindowCoordinatesAndOrderTheirTabsThere) {
    std::shared_ptr<fw::GroupBox> box;
    std::shared_ptr<fw::CheckBox> a, b, c;
    std::shared_ptr<fw::PushButton> after;
    auto w = Build([&](LogWindow& self) {
        box = Add<fw::GroupBox>(self, "GroupBox1", 16, 15, 132, 97);
        Set(*box, {{"TabIndex", std::int64_t(0)}});
        a = Add<fw::CheckBox>(self, "a", 27, 37, 72, 22, "GroupBox1");
        b = Add<fw::CheckBox>(self, "b", 27, 56, 72, 22, "GroupBox1");
        c = Add<fw::CheckBox>(self, "c", 27, 85, 114, 22, "GroupBox1");
        // Created in another order than their tabs.
        Set(*a, {{"TabIndex", std::int64_t(2)}});
        Set(*b, {{"TabIndex", std::int64_t(0)}});
        Set(*c, {{"TabIndex", std::int64_t(1)}});
        after = Add<fw::PushButton>(self, "after", 29, 304, 109, 20);
        Set(*after, {{"TabIndex", std::int64_t(1)}});
    });
    EXPECT_EQ(a->Widget()->parentWidget(), box->Widget());
    EXPECT_EQ(a->Widget()->pos(), QPoint(11, 22));
    EXPECT_EQ(a->Left(), 27);
    EXPECT_EQ(c->Top(), 85);
    EXPECT_EQ(a->InitialParent(), "GroupBox1");
    EXPECT_EQ(a->Widget()->mapTo(w->ContentWidget(), QPoint(0, 0)), QPoint(27, 37));
    // Moving the box carries its controls along.
    box->SetLeft(20);
    EXPECT_EQ(a->Left(), 31);

    std::vector<QWidget*> chain;
    QWidget* start = box->Widget();
    for (QWidget* x = start->nextInFocusChain(); x != start && chain.size() < 50; x = x->nextInFocusChain()) {
        if (x == a->Widget() || x == b->Widget() || x == c->Widget() || x == after->Widget()) chain.push_back(x);
    }
    EXPECT_EQ(chain, (std::vector<QWidget*>{b->Widget(), c->Widget(), a->Widget(), after->Widget()}));
}

TEST_F(ControlTest, AnUnknownInitialParentIsRefusedByName) {
    auto w = Build();
    auto cb = w->New<fw::CheckBox>();
    w->AddControl("x", cb);
    try {
        cb->SetProperty("InitialParent", std::string("Nirgends"));
        FAIL();
    } catch (const fw::UnsupportedFormatException& e) {
        EXPECT_NE(std::string(e.what()).find("Nirgends"), std::string::npos);
    }
    EXPECT_THROW(w->AddControl("x", w->New<fw::Label>()), fw::RuntimeException);
    EXPECT_THROW(w->AddControl("y", nullptr), fw::NilObjectException);
}

struct Handlers : fw::Window {
    Handlers() : fw::Window("Handlers.Handlers") {}
    std::vector<std::string> calls;
    bool follow = true;
    void CB_Action(std::shared_ptr<fw::CheckBox> cb) {
        calls.push_back(std::string("check ") + (cb->Value() ? "1" : "0"));
    }
    bool CA_MouseDown(std::shared_ptr<fw::Canvas>, std::int64_t x, std::int64_t y) {
        calls.push_back("down " + std::to_string(x) + "," + std::to_string(y));
        return follow;
    }
    void CA_MouseDrag(std::shared_ptr<fw::Canvas>, std::int64_t x, std::int64_t y) {
        calls.push_back("drag " + std::to_string(x) + "," + std::to_string(y));
    }
    bool CA_MouseWheel(std::shared_ptr<fw::Canvas>, std::int64_t, std::int64_t, std::int64_t dx, std::int64_t dy) {
        calls.push_back("wheel " + std::to_string(dx) + "," + std::to_string(dy));
        return false;
    }
    void UPD_Up(std::shared_ptr<fw::UpDownArrows>) { calls.push_back("up"); }
    void UPD_Down(std::shared_ptr<fw::UpDownArrows>) { calls.push_back("down"); }
};

TEST_F(ControlTest, CheckBoxStatesAndActionOnAClick) {
    auto h = std::make_shared<Handlers>();
    SetWindowRecord(*h, 200, 100);
    auto cb = h->New<fw::CheckBox>();
    h->AddControl("CB", cb);
    SetBox(*cb, 10, 10, 100, 22);
    Set(*cb, {{"Caption", std::string("Linien")}, {"VisualState", std::int64_t(1)}});
    EXPECT_TRUE(cb->Value());
    cb->Action.Bind(h, &Handlers::CB_Action);
    // A change made by the program is no action of the user.
    cb->SetValue(false);
    EXPECT_TRUE(h->calls.empty());
    QTest::mouseClick(cb->Widget(), Qt::LeftButton, {}, QPoint(5, 11));
    EXPECT_EQ(h->calls, std::vector<std::string>{"check 1"});
    EXPECT_EQ(cb->VisualState(), fw::CheckBox::kChecked);
    cb->SetVisualState(fw::CheckBox::kIndeterminate);
    EXPECT_EQ(cb->VisualState(), fw::CheckBox::kIndeterminate);
    EXPECT_FALSE(cb->Value());
}

TEST_F(ControlTest, CanvasFollowsADragOnlyWhileTheButtonIsHeldAndMouseDownAsked) {
    auto h = std::make_shared<Handlers>();
    SetWindowRecord(*h, 300, 300);
    auto ca = h->New<fw::Canvas>();
    h->AddControl("CA", ca);
    SetBox(*ca, 50, 20, 200, 200);
    ca->MouseDown.Bind(h, &Handlers::CA_MouseDown);
    ca->MouseDrag.Bind(h, &Handlers::CA_MouseDrag);
    QWidget* cw = ca->Widget();
    SendMouse(cw, QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton, Qt::LeftButton);
    SendMouse(cw, QEvent::MouseMove, {130, 90}, Qt::NoButton, Qt::LeftButton);
    SendMouse(cw, QEvent::MouseButtonRelease, {130, 90}, Qt::LeftButton, Qt::NoButton);
    SendMouse(cw, QEvent::MouseMove, {140, 95}, Qt::NoButton, Qt::NoButton);  // hovering is no drag
    EXPECT_EQ(h->calls, (std::vector<std::string>{"down 100,100", "drag 130,90"}));

    h->calls.clear();
    h->follow = false;
    SendMouse(cw, QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton, Qt::LeftButton);
    SendMouse(cw, QEvent::MouseMove, {20, 20}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(h->calls, std::vector<std::string>{"down 10,10"});
}

TEST_F(ControlTest, WheelCountsWholeNotchesPositiveTowardTheUser) {
    auto h = std::make_shared<Handlers>();
    SetWindowRecord(*h, 300, 300);
    auto ca = h->New<fw::Canvas>();
    h->AddControl("CA", ca);
    SetBox(*ca, 0, 0, 200, 200);
    ca->MouseWheel.Bind(h, &Handlers::CA_MouseWheel);
    QWidget* cw = ca->Widget();
    SendWheel(cw, {5, 5}, {0, 120});   // one notch away from the user
    SendWheel(cw, {5, 5}, {0, -360});  // three toward
    EXPECT_EQ(h->calls, (std::vector<std::string>{"wheel 0,-1", "wheel 0,3"}));
    h->calls.clear();
    // A touchpad's fractions: nothing until they make a notch, the rest is kept.
    SendWheel(cw, {5, 5}, {0, -50});
    SendWheel(cw, {5, 5}, {0, -50});
    EXPECT_TRUE(h->calls.empty());
    SendWheel(cw, {5, 5}, {0, -50});
    EXPECT_EQ(h->calls, std::vector<std::string>{"wheel 0,1"});
    SendWheel(cw, {5, 5}, {0, -90});
    EXPECT_EQ(h->calls.back(), "wheel 0,1");
    // The handler's False leaves the event to others.
    EXPECT_FALSE(SendWheel(cw, {5, 5}, {0, 120}));
}

TEST_F(ControlTest, PaintGetsADrawingContextAndTheAreasAfterTheBackdrop) {
    auto w = Build();
    auto ca = w->New<fw::Canvas>();
    w->AddControl("CA", ca);
    SetBox(*ca, 0, 0, 40, 30);
    auto backdrop = fw::Picture::Create(10, 10, 32);
    backdrop->Graphics().SetForeColor(fw::RGB(255, 0, 0));
    backdrop->Graphics().FillRect(0, 0, 10, 10);
    ca->SetBackdrop(backdrop);
    std::vector<fw::Rect> areas;
    ca->Paint.Bind([&](std::shared_ptr<fw::Canvas>, fw::Graphics& g, const std::vector<fw::Rect>& a) {
        areas = a;
        g.SetForeColor(fw::RGB(0, 0, 255));
        g.FillRect(20, 0, 20, 30);
    });
    const QImage shot = ca->Widget()->grab().toImage();
    ASSERT_FALSE(areas.empty());
    EXPECT_EQ(areas.front(), (fw::Rect{0, 0, 40, 30}));
    const qreal r = shot.devicePixelRatio();
    EXPECT_EQ(shot.pixelColor(int(5 * r), int(5 * r)), QColor(255, 0, 0));
    EXPECT_EQ(shot.pixelColor(int(30 * r), int(20 * r)), QColor(0, 0, 255));
}

TEST_F(ControlTest, HighResolutionPicturesKeepTheirSizeInPoints) {
    fw::Application::SetSupportsHiDPI(true);
    EXPECT_EQ(fw::Picture::DevicePixelRatio(), QGuiApplication::primaryScreen()->devicePixelRatio());
    fw::Picture::SetDevicePixelRatio(2.0);
    auto pic = fw::Picture::Create(10, 10, 32);
    fw::Picture::SetDevicePixelRatio(1.0);
    pic->Graphics().SetForeColor(fw::RGB(0, 0, 0));
    pic->Graphics().FillRect(0, 0, 10, 10);
    EXPECT_EQ(pic->impl().Image().size(), QSize(20, 20)) << "twice the pixels";
    auto w = Build();
    auto ca = w->New<fw::Canvas>();
    w->AddControl("CA", ca);
    SetBox(*ca, 0, 0, 30, 30);
    ca->Paint.Bind(
        [&](std::shared_ptr<fw::Canvas>, fw::Graphics& g, const std::vector<fw::Rect>&) { g.DrawPicture(pic, 0, 0); });
    const QImage shot = ca->Widget()->grab().toImage();
    const qreal r = shot.devicePixelRatio();
    EXPECT_EQ(shot.pixelColor(int(9 * r), int(9 * r)), QColor(0, 0, 0));
    EXPECT_NE(shot.pixelColor(int(11 * r), int(11 * r)), QColor(0, 0, 0)) << "10 points, not 20";
}

TEST_F(ControlTest, UpDownArrowsRaiseUpOnTheUpperAndDownOnTheLowerHalf) {
    auto h = std::make_shared<Handlers>();
    SetWindowRecord(*h, 100, 100);
    auto upd = h->New<fw::UpDownArrows>();
    h->AddControl("UPD", upd);
    SetBox(*upd, 121, 153, 13, 23);
    upd->Up.Bind(h, &Handlers::UPD_Up);
    upd->Down.Bind(h, &Handlers::UPD_Down);
    QTest::mouseClick(upd->Widget(), Qt::LeftButton, {}, QPoint(6, 2));
    QTest::mouseClick(upd->Widget(), Qt::LeftButton, {}, QPoint(6, 20));
    QTest::mouseClick(upd->Widget(), Qt::LeftButton, {}, QPoint(6, 12));
    EXPECT_EQ(h->calls, (std::vector<std::string>{"up", "down", "down"}));
}

TEST_F(ControlTest, TimerOfRunModeOneFiresOnceAndStopsWithItsWindow) {
    int fired = 0;
    std::shared_ptr<fw::Timer> timer;
    auto w = Build([&](LogWindow& self) {
        timer = self.New<fw::Timer>();
        self.AddControl("Timer1", timer);
        Set(*timer, {{"RunMode", std::int64_t(1)}, {"Period", std::int64_t(20)}, {"Enabled", true}});
        timer->Action.Bind([&](std::shared_ptr<fw::Timer> t) {
            ++fired;
            EXPECT_EQ(t->Window(), fw::GetImplicitWindow(LogWindow::kClass));
        });
    });
    QTRY_COMPARE(fired, 1);
    QTest::qWait(100);
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(timer->RunMode(), fw::Timer::kOff);

    timer->SetRunMode(fw::Timer::kMultiple);
    w->Close();
    QTest::qWait(100);
    EXPECT_EQ(fired, 1) << "a closed window's timer stays quiet";
}

TEST_F(ControlTest, TextFieldLabelAndImageWellTakeTheirProperties) {
    std::shared_ptr<fw::TextField> tf;
    std::shared_ptr<fw::Label> label;
    std::shared_ptr<fw::ImageWell> well;
    auto w = Build([&](LogWindow& self) {
        tf = Add<fw::TextField>(self, "EF", 72, 153, 41, 22);
        label = Add<fw::Label>(self, "L", 69, 223, 100, 20);
        Set(*label, {{"Text", std::string("KZP-Viewer")},
                     {"TextAlignment", std::int64_t(2)},
                     {"Bold", true},
                     {"FontName", std::string("System")},
                     {"FontSize", 16.0f},
                     {"FontUnit", std::uint8_t(0)}});
        well = Add<fw::ImageWell>(self, "IW", 10, 10, 40, 40);
    });
    tf->SetText("50");
    EXPECT_EQ(tf->Text(), "50");
    EXPECT_EQ(static_cast<QLineEdit*>(tf->Widget())->text(), "50");
    QTest::keyClicks(tf->Widget(), "7");
    EXPECT_EQ(tf->Text(), "507") << "typing needs no handler";
    EXPECT_TRUE(label->Widget()->font().bold());
    EXPECT_EQ(label->Widget()->font().pixelSize(), 16);

    auto pic = fw::Picture::Create(80, 40, 32);
    pic->Graphics().SetForeColor(fw::RGB(0, 128, 0));
    pic->Graphics().FillRect(0, 0, 80, 40);
    well->SetImage(pic);
    const QImage shot = well->Widget()->grab().toImage();
    const qreal r = shot.devicePixelRatio();
    // 80 x 40 fitted into 40 x 40: 40 x 20, centred.
    EXPECT_EQ(shot.pixelColor(int(20 * r), int(20 * r)), QColor(0, 128, 0));
    EXPECT_NE(shot.pixelColor(int(20 * r), int(5 * r)), QColor(0, 128, 0));
}

}  // namespace
