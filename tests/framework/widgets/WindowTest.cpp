#include <QMainWindow>
#include <QMenuBar>
#include <QTest>

#include <algorithm>
#include <thread>

#include "framework/core/Application.h"
#include "framework/menus/MenuItem.h"
#include "framework/widgets/Canvas.h"
#include "tests/support/UiTestSupport.h"

using namespace uitest;

namespace {

class WindowTest : public UiTest {};

TEST_F(WindowTest, ImplicitInstanceIsFoundFromInsideOpenAndForgottenOnCloseOrFailure) {
    fw::WindowPtr seenInOpen;
    auto w = Build([&](LogWindow& self) {
        self.AddControl("C", self.New<fw::Canvas>());
        self.open = [&](LogWindow& me) {
            seenInOpen = fw::GetImplicitWindow(LogWindow::kClass);
            EXPECT_NE(me.ControlByName("C"), nullptr) << "the controls exist before Open";
        };
    });
    EXPECT_EQ(seenInOpen, w);
    EXPECT_EQ((std::vector<std::string>(w->log.begin(), w->log.begin() + 3)),
              (std::vector<std::string>{"Layout", "CreateControls", "Open"}));
    EXPECT_EQ(w->ControlAt(0), w->ControlByName("C"));
    EXPECT_EQ(w->ControlAt(-1), nullptr);
    EXPECT_EQ(w->ControlAt(1), nullptr);

    w->Close();
    EXPECT_EQ(fw::GetImplicitWindow(LogWindow::kClass), nullptr);
    EXPECT_FALSE(w->Widget()->isVisible());
    EXPECT_THROW(w->Show(), fw::RuntimeException);
    // The user's close button does the same.
    auto again = Build();
    again->Widget()->close();
    EXPECT_EQ(fw::GetImplicitWindow(LogWindow::kClass), nullptr);
    auto failed = std::make_shared<LogWindow>();
    failed->layout = [](LogWindow& self) { SetWindowRecord(self, 300, 200); };
    failed->open = [](LogWindow&) { throw fw::IOException("kaputt"); };
    EXPECT_THROW(failed->Constructor(), fw::IOException);
    EXPECT_EQ(fw::GetImplicitWindow(LogWindow::kClass), nullptr);
    EXPECT_FALSE(failed->Widget()->isVisible());
}

TEST_F(WindowTest, TheContentHasTheRecordSizeBelowTheMenuBar) {
    auto bar = std::make_shared<fw::MenuBar>();
    auto file = std::make_shared<fw::MenuItem>();
    file->SetText("&File");
    bar->AddMenu(file);
    for (bool resizeable : {true, false}) {
        SCOPED_TRACE(resizeable);
        auto w = std::make_shared<LogWindow>();
        w->layout = [&](LogWindow& self) {
            self.SetMenuBar(bar);
            SetWindowRecord(self, 576, 435, resizeable);
            Set(self, {{"MinimumWidth", std::int64_t(100)},
                       {"MinimumHeight", std::int64_t(100)},
                       {"MaximumHeight", std::int64_t(500)}});
        };
        w->Constructor();
        QApplication::processEvents();
        EXPECT_GT(static_cast<QMainWindow*>(w->Widget())->menuBar()->height(), 0);
        EXPECT_EQ(w->ContentWidget()->size(), QSize(576, 435));
        EXPECT_EQ(w->Count("Resiz"), 0) << "showing the window is no resize";
        // Its limits hold for the content too; Resized waits until the size settles.
        for (int side : {10, 1000}) {
            w->Widget()->resize(side, side);
            QApplication::processEvents();
            EXPECT_EQ(w->ContentWidget()->height(), resizeable ? std::clamp(side, 100, 500) : 435);
        }
        EXPECT_EQ(w->Count("Resizing"), resizeable ? 2 : 0);
        if (resizeable) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return w->Count("Resized") > 0; }));
            EXPECT_EQ(w->log.back(), "Resized 1000x500");
            EXPECT_EQ(w->Count("Resized"), 1);
        }
        const int height = w->ContentWidget()->height();
        w->SetMenuBar(nullptr);
        QApplication::processEvents();
        EXPECT_EQ(w->ContentWidget()->height(), height) << "without the bar, the same content";
        w->Close();
    }
}

TEST_F(WindowTest, NoEventReachesAClassThatDoesNotHandleItAndAHiddenRecordStaysHidden) {
    struct Quiet : LogWindow {
        bool IsEventImplemented(const std::string& n) override {
            return fw::RuntimeIsEventHandled(*this, "Q", n, true);
        }
    };
    fw::RegisterClass("Q", {});
    auto w = std::make_shared<Quiet>();
    w->layout = [](LogWindow& self) { SetWindowRecord(self, 200, 150), Set(self, {{"Visible", false}}); };
    w->Constructor();
    EXPECT_FALSE(w->Widget()->isVisible());
    w->Show();
    w->Widget()->resize(300, 300);
    QApplication::processEvents();
    EXPECT_TRUE(w->Widget()->isVisible());
    EXPECT_EQ(w->Count("Open") + w->Count("Resiz"), 0);
    w->SetProperty("Visible", false);
    EXPECT_FALSE(w->Widget()->isVisible());
}

// Windows, controls, menus and the application object belong to the main thread.
TEST_F(WindowTest, UserInterfaceObjectsRefuseOtherThreads) {
    auto w = Build();
    auto bar = std::make_shared<fw::MenuBar>();
    auto app = std::make_shared<fw::Application>();
    const std::vector<std::function<void()>> calls = {
        [] { fw::GetImplicitWindow(LogWindow::kClass); },
        [&] { w->New<fw::Canvas>(); },
        [&] { bar->AddMenu(std::make_shared<fw::MenuItem>()); },
        [&] { app->AddMenuHandler("About", [] { return false; }); },
    };
    for (std::size_t i = 0; i < calls.size(); ++i) {
        bool refused = false;
        std::thread([&] {
            try {
                calls[i]();
            } catch (const fw::ThreadAccessingUIException&) {
                refused = true;
            }
        }).join();
        EXPECT_TRUE(refused) << "call " << i;
    }
    EXPECT_EQ(bar->Count(), 0);
}

}  // namespace
