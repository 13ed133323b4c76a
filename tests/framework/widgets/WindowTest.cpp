#include <QMainWindow>
#include <QMenuBar>
#include <QTest>

#include <thread>

#include "framework/menus/MenuItem.h"
#include "framework/widgets/Canvas.h"
#include "tests/support/UiTestSupport.h"

using namespace uitest;

namespace {

class WindowTest : public UiTest {};

TEST_F(WindowTest, ImplicitInstanceIsFoundFromInsideOpenAndNeverBuiltTwice) {
    int built = 0;
    fw::WindowPtr seenInOpen;
    auto getter = [&]() -> fw::WindowPtr {
        if (auto w = fw::GetImplicitWindow(LogWindow::kClass)) return w;
        ++built;
        auto w = std::make_shared<LogWindow>();
        w->layout = [](LogWindow& self) { SetWindowRecord(self, 300, 200); };
        w->createControls = [](LogWindow& self) { self.AddControl("C", self.New<fw::Canvas>()); };
        w->open = [&](LogWindow& self) {
            seenInOpen = fw::GetImplicitWindow(LogWindow::kClass);
            // The controls exist before Open.
            EXPECT_NE(self.ControlByName("C"), nullptr);
        };
        w->Constructor();
        return w;
    };
    auto first = getter();
    auto second = getter();
    EXPECT_EQ(built, 1);
    EXPECT_EQ(first, second);
    EXPECT_EQ(seenInOpen, first);
    auto* log = &static_cast<LogWindow&>(*first).log;
    ASSERT_GE(log->size(), 3u);
    EXPECT_EQ((std::vector<std::string>(log->begin(), log->begin() + 3)),
              (std::vector<std::string>{"Layout", "CreateControls", "Open"}));
    EXPECT_TRUE(first->Widget()->isVisible());
}

TEST_F(WindowTest, ContentAreaHasTheRecordSizeBelowTheMenuBarAndKeepsItsLimits) {
    auto bar = std::make_shared<fw::MenuBar>();
    auto file = std::make_shared<fw::MenuItem>();
    file->SetName("FileMenu");
    file->SetText("&File");
    bar->AddMenu(file);
    auto w = std::make_shared<LogWindow>();
    w->layout = [&](LogWindow& self) {
        self.SetMenuBar(bar);
        SetWindowRecord(self, 576, 435);
    };
    w->Constructor();
    QApplication::processEvents();
    EXPECT_EQ(w->ContentWidget()->size(), QSize(576, 435));
    auto* main = static_cast<QMainWindow*>(w->Widget());
    ASSERT_NE(main->menuBar(), nullptr);
    EXPECT_GT(main->menuBar()->height(), 0);
    EXPECT_EQ(w->Widget()->height(), 435 + main->menuBar()->height());
    EXPECT_EQ(w->Count("Resiz"), 0) << "showing the window is no resize";

    w->Widget()->resize(100, 100);  // below the minimum
    QApplication::processEvents();
    EXPECT_EQ(w->ContentWidget()->size(), QSize(576, 435));
    EXPECT_EQ(w->Width(), 576);
}

TEST_F(WindowTest, ResizingComesOnEveryChangeAndResizedOnceSettled) {
    auto w = Build();
    QApplication::processEvents();
    w->log.clear();
    w->Widget()->resize(400, 260);
    QApplication::processEvents();
    w->Widget()->resize(420, 280);
    QApplication::processEvents();
    EXPECT_EQ(w->Count("Resizing"), 2);
    EXPECT_EQ(w->log.back(), "Resizing 420x280");
    QTRY_COMPARE(w->Count("Resized"), 1);
    EXPECT_EQ(w->log.back(), "Resized 420x280");
}

TEST_F(WindowTest, NoResizeEventReachesAClassThatDoesNotHandleIt) {
    struct Quiet : fw::Window {
        Quiet() : fw::Window("Quiet.Quiet") { fw::RegisterClass("Quiet.Quiet", {}); }
        bool IsEventImplemented(const std::string& n) override {
            return fw::RuntimeIsEventHandled(*this, "Quiet.Quiet", n, true);
        }
        void Layout() override { SetWindowRecord(*this, 200, 150); }
        void Event_Open() override { ++events; }
        void Event_Resizing() override { ++events; }
        int events = 0;
    };
    auto w = std::make_shared<Quiet>();
    w->Constructor();
    w->Widget()->resize(300, 300);
    QApplication::processEvents();
    EXPECT_EQ(w->events, 0);
    w->Close();
}

TEST_F(WindowTest, ClosingForgetsTheInstanceAndTheNextGetterBuildsAFreshOne) {
    auto w = Build();
    EXPECT_EQ(fw::GetImplicitWindow(LogWindow::kClass), w);
    w->Close();
    EXPECT_EQ(fw::GetImplicitWindow(LogWindow::kClass), nullptr);
    EXPECT_FALSE(w->Widget()->isVisible());
    EXPECT_THROW(w->Show(), fw::RuntimeException);

    // The user's close button does the same.
    auto again = Build();
    EXPECT_NE(again, w);
    again->Widget()->close();
    EXPECT_EQ(fw::GetImplicitWindow(LogWindow::kClass), nullptr);
}

TEST_F(WindowTest, AFailedConstructionLeavesNoInstanceBehind) {
    auto w = std::make_shared<LogWindow>();
    w->layout = [](LogWindow& self) { SetWindowRecord(self, 300, 200); };
    w->open = [](LogWindow&) { throw fw::IOException("kaputt"); };
    EXPECT_THROW(w->Constructor(), fw::IOException);
    EXPECT_EQ(fw::GetImplicitWindow(LogWindow::kClass), nullptr);
    EXPECT_FALSE(w->Widget()->isVisible());
}

TEST_F(WindowTest, PropertiesTheClassLacksAreRefusedByName) {
    auto w = std::make_shared<LogWindow>();
    try {
        w->SetProperty("Caption", std::string("x"));
        FAIL() << "no exception";
    } catch (const fw::UnsupportedFormatException& e) {
        EXPECT_NE(std::string(e.what()).find("Caption"), std::string::npos);
    }
    // A value of the wrong type is refused as well.
    EXPECT_THROW(w->SetProperty("Width", true), fw::UnsupportedFormatException);
}

TEST_F(WindowTest, FixedSizeTitleButtonsAndBackground) {
    auto w = std::make_shared<LogWindow>();
    w->layout = [](LogWindow& self) {
        SetWindowRecord(self, 238, 316, false);
        Set(self, {{"Title", std::string("Info")},
                   {"HasMaximizeButton", false},
                   {"HasMinimizeButton", true},
                   {"HasBackgroundColor", true},
                   {"BackgroundColor", fw::RGB(255, 255, 255)}});
    };
    w->Constructor();
    QApplication::processEvents();
    EXPECT_EQ(w->Widget()->windowTitle(), "Info");
    EXPECT_EQ(w->Widget()->minimumSize(), w->Widget()->maximumSize());
    EXPECT_EQ(w->ContentWidget()->size(), QSize(238, 316));
    const auto flags = w->Widget()->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(w->ContentWidget()->autoFillBackground());
    EXPECT_EQ(w->ContentWidget()->palette().color(QPalette::Window), QColor(Qt::white));
}

TEST_F(WindowTest, UserInterfaceMembersRefuseOtherThreads) {
    auto w = Build();
    bool refusedGetter = false, refusedShow = false, refusedNew = false;
    std::thread t([&] {
        try {
            fw::GetImplicitWindow(LogWindow::kClass);
        } catch (const fw::ThreadAccessingUIException&) {
            refusedGetter = true;
        }
        try {
            w->Show();
        } catch (const fw::ThreadAccessingUIException&) {
            refusedShow = true;
        }
        try {
            w->New<fw::Canvas>();
        } catch (const fw::ThreadAccessingUIException&) {
            refusedNew = true;
        }
    });
    t.join();
    EXPECT_TRUE(refusedGetter);
    EXPECT_TRUE(refusedShow);
    EXPECT_TRUE(refusedNew);
}

}  // namespace
