#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "framework/core/Application.h"
#include "framework/widgets/Canvas.h"
#include "framework/widgets/PushButton.h"
#include "tests/support/UiTestSupport.h"

using namespace uitest;

namespace {

class EventBoundaryTest : public UiTest {};

TEST_F(EventBoundaryTest, AnExceptionEscapingAControlHandlerIsReportedAndTheWindowGoesOn) {
    std::shared_ptr<fw::PushButton> button;
    auto w = Build([&](LogWindow& self) {
        button = self.New<fw::PushButton>();
        self.AddControl("B", button);
        SetBox(*button, 10, 10, 80, 20);
    });
    int presses = 0;
    button->Action.Bind([&](std::shared_ptr<fw::PushButton>) {
        if (++presses == 1) throw fw::NilObjectException();
    });
    QTest::mouseClick(button->Widget(), Qt::LeftButton);
    ASSERT_EQ(reports.size(), 1u);
    // A fault of the program is reported as unexpected; a refused file (see the menu test) is not.
    EXPECT_EQ(reports[0],
              std::string("Ein unerwarteter Fehler ist aufgetreten:\n\n") + fw::NilObjectException().what());
    QTest::mouseClick(button->Widget(), Qt::LeftButton);
    EXPECT_EQ(presses, 2);
    EXPECT_EQ(reports.size(), 1u);
    EXPECT_EQ(fw::GetImplicitWindow(LogWindow::kClass), w);
}

TEST_F(EventBoundaryTest, AButtonMayCloseItsOwnWindowFromItsHandler) {
    std::weak_ptr<fw::Window> weak;
    {
        auto w = Build([](LogWindow& self) {
            auto ok = self.New<fw::PushButton>();
            self.AddControl("OK", ok);
            SetBox(*ok, 10, 10, 60, 20);
            ok->Action.Bind([](std::shared_ptr<fw::PushButton>) { fw::GetImplicitWindow(LogWindow::kClass)->Close(); });
        });
        weak = w;
        QTest::mouseClick(fw::Cast<fw::PushButton>(w->ControlByName("OK"))->Widget(), Qt::LeftButton);
        EXPECT_EQ(fw::GetImplicitWindow(LogWindow::kClass), nullptr);
    }
    QApplication::processEvents();
    EXPECT_TRUE(weak.expired()) << "a closed window leaves nothing behind";
    EXPECT_TRUE(reports.empty());
}

TEST_F(EventBoundaryTest, AFailingResizeHandlerIsReportedOncePerEvent) {
    struct Failing : LogWindow {
        void Event_Resizing() override { throw std::runtime_error("zu klein"); }
    };
    auto w = std::make_shared<Failing>();
    w->layout = [](LogWindow& self) { SetWindowRecord(self, 200, 100); };
    w->Constructor();
    QApplication::processEvents();
    w->Widget()->resize(300, 300);
    QApplication::processEvents();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("zu klein"), std::string::npos);
}

TEST_F(EventBoundaryTest, InTheEventLoopAReportWaitsUntilTheResizeHasReturnedAndIsNotStacked) {
    struct Failing : LogWindow {
        void Event_Resizing() override { throw std::runtime_error("zu klein"); }
    };
    auto w = std::make_shared<Failing>();
    w->layout = [](LogWindow& self) { SetWindowRecord(self, 200, 100); };
    w->Constructor();
    fw::SetExceptionReporter(nullptr);  // the real box
    bool resizing = false, boxDuringResize = false;
    std::vector<QString> shown;
    auto openBoxes = [] {
        std::vector<QMessageBox*> found;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(top); box && box->isVisible()) found.push_back(box);
        }
        return found;
    };
    auto resize = [&](int width) {
        resizing = true;
        w->Widget()->resize(width, 300);
        resizing = false;
    };
    // Closes a box that a nested loop opened inside the resize, so the test
    // ends either way.
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!resizing) return;
        boxDuringResize = true;
        for (QMessageBox* box : openBoxes()) box->reject();
    });
    watch.start(10);
    QTimer::singleShot(0, [&] {
        resize(300);
        QTimer::singleShot(0, [&] {
            for (QMessageBox* box : openBoxes()) shown.push_back(box->text());
            resize(320);  // the same message while its box is open
            QTimer::singleShot(0, [&] {
                EXPECT_EQ(openBoxes().size(), 1u) << "not stacked";
                for (QMessageBox* box : openBoxes()) box->accept();
                fw::Application::Quit();
            });
        });
    });
    EXPECT_EQ(fw::RuntimeRun(), 0);
    EXPECT_FALSE(boxDuringResize);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].indexOf("zu klein"), -1);
}

TEST_F(EventBoundaryTest, AHandlerOfAWindowThatIsGoneIsNotCalled) {
    auto canvas = std::make_shared<fw::Canvas>();
    struct Target : fw::Window {
        Target() : fw::Window("Target.Target") {}
        bool Down(std::shared_ptr<fw::Canvas>, std::int64_t, std::int64_t) { return true; }
    };
    {
        auto t = std::make_shared<Target>();
        canvas->MouseDown.Bind(t, &Target::Down);
    }
    EXPECT_FALSE(canvas->MouseDown.Raise(canvas, 1, 1));
}

}  // namespace

TEST(EventBoundaryText, RunningOutOfMemoryIsReportedInGerman) {
    EXPECT_EQ(fw::ExceptionReportText(std::bad_alloc()),
              "Ein unerwarteter Fehler ist aufgetreten:\n\nDer Arbeitsspeicher reicht nicht aus.");
}
