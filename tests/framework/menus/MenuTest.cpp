#include <QAction>
#include <QClipboard>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

#include <thread>

#include "framework/core/Application.h"
#include "framework/menus/MenuItem.h"
#include "framework/widgets/TextField.h"
#include "tests/support/UiTestSupport.h"

using namespace uitest;

namespace {

class MenuTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        previousApp = fw::GetAppObject();
        app = std::make_shared<fw::Application>();
        fw::RuntimeRegisterAppObject(app);
    }
    void TearDown() override {
        if (previousApp) fw::RuntimeRegisterAppObject(previousApp);
        UiTest::TearDown();
    }
    template <typename T = fw::MenuItem>
    std::shared_ptr<T> Item(const std::string& name, const std::string& text, const std::string& shortcut = "") {
        auto i = std::make_shared<T>();
        i->Constructor();
        i->SetName(name);
        i->SetText(text);
        i->SetShortcut(shortcut);
        return i;
    }
    std::shared_ptr<fw::MenuBar> EditBar() {
        auto bar = std::make_shared<fw::MenuBar>();
        auto edit = Item("EditMenu", "&Edit");
        bar->AddMenu(edit);
        for (auto [n, t, s] : {std::tuple{"EditUndo", "&Undo", "Cmd+Z"},
                               {"Sep", "-", ""},
                               {"EditCut", "Cu&t", "Cmd+X"},
                               {"EditCopy", "&Copy", "Cmd+C"},
                               {"EditPaste", "&Paste", "Cmd+V"},
                               {"EditClear", "Clear", ""},
                               {"EditSelectAll", "Select &All", "Cmd+A"}}) {
            bar->Child("EditMenu")->AddMenu(Item(n, t, s));
        }
        return bar;
    }
    fw::ApplicationPtr app, previousApp;
};

TEST_F(MenuTest, TreeLookupsFindChildrenAndDeeperItems) {
    auto bar = EditBar();
    EXPECT_EQ(bar->Count(), 1);
    EXPECT_EQ(bar->Child("EditMenu")->Count(), 7);
    EXPECT_EQ(bar->Child("EditCut"), nullptr) << "Child looks one level down only";
    ASSERT_NE(bar->Lookup("EditCut"), nullptr);
    EXPECT_EQ(bar->Lookup("EditCut")->Text(), "Cu&t");
    EXPECT_EQ(bar->Lookup("Nothing"), nullptr);
    EXPECT_EQ(bar->Child("EditMenu")->Item(1)->IsSeparator(), true);
    EXPECT_THROW(bar->AddMenu(nullptr), fw::NilObjectException);
}

TEST_F(MenuTest, AWindowShowsTheTreeWithSeparatorsAndCommandShortcuts) {
    auto bar = EditBar();
    auto w = Build();
    w->SetMenuBar(bar);
    auto* qbar = static_cast<QMainWindow*>(w->Widget())->menuBar();
    ASSERT_EQ(qbar->actions().size(), 1);
    EXPECT_EQ(qbar->actions()[0]->text(), "&Edit");
    QMenu* menu = qbar->actions()[0]->menu();
    ASSERT_NE(menu, nullptr);
    const auto actions = menu->actions();
    ASSERT_EQ(actions.size(), 7);
    EXPECT_EQ(actions[0]->text(), "&Undo");
    EXPECT_EQ(actions[0]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_TRUE(actions[1]->isSeparator());
    EXPECT_EQ(actions[5]->shortcut(), QKeySequence());
    EXPECT_EQ(actions[6]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_A));
    // Two windows share one bar and its actions.
    auto other = std::make_shared<fw::Window>("Other.Other");
    other->SetMenuBar(bar);
    EXPECT_EQ(static_cast<QMainWindow*>(other->Widget())->menuBar()->actions()[0]->menu()->actions()[0], actions[0]);
}

TEST_F(MenuTest, EditItemsActOnTheFocusedTextFieldAndOnlyWhenTheyCan) {
    auto bar = EditBar();
    std::shared_ptr<fw::TextField> tf;
    auto w = Build([&](LogWindow& self) {
        tf = self.New<fw::TextField>();
        self.AddControl("EF", tf);
        SetBox(*tf, 10, 10, 100, 22);
    });
    w->SetMenuBar(bar);
    QApplication::setActiveWindow(w->Widget());
    tf->Widget()->setFocus();
    QTRY_VERIFY(tf->Widget()->hasFocus());
    QApplication::clipboard()->clear();
    fw::RefreshMenuItems();
    auto copy = bar->Lookup("EditCopy"), cut = bar->Lookup("EditCut"), paste = bar->Lookup("EditPaste");
    auto all = bar->Lookup("EditSelectAll"), clear = bar->Lookup("EditClear"), undo = bar->Lookup("EditUndo");
    EXPECT_FALSE(copy->Action()->isEnabled());
    EXPECT_FALSE(all->Action()->isEnabled()) << "nothing to select";
    EXPECT_FALSE(paste->Action()->isEnabled()) << "nothing to paste";

    QTest::keyClicks(tf->Widget(), "12345");
    EXPECT_TRUE(all->Action()->isEnabled());
    EXPECT_TRUE(undo->Action()->isEnabled());
    all->Action()->trigger();
    EXPECT_TRUE(copy->Action()->isEnabled());
    copy->Action()->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "12345");
    static_cast<QLineEdit*>(tf->Widget())->setSelection(1, 2);
    cut->Action()->trigger();
    EXPECT_EQ(tf->Text(), "145");
    EXPECT_TRUE(paste->Action()->isEnabled());
    paste->Action()->trigger();
    EXPECT_EQ(tf->Text(), "12345");
    static_cast<QLineEdit*>(tf->Widget())->setSelection(0, 1);
    clear->Action()->trigger();
    EXPECT_EQ(tf->Text(), "2345");
    undo->Action()->trigger();
    EXPECT_EQ(tf->Text(), "12345");

    // Without a focused text field nothing can act.
    tf->Widget()->clearFocus();
    fw::RefreshMenuItems();
    EXPECT_FALSE(copy->Action()->isEnabled());
    EXPECT_FALSE(all->Action()->isEnabled());
}

TEST_F(MenuTest, AHandlerBoundByNameRunsAndTakesPrecedence) {
    auto bar = std::make_shared<fw::MenuBar>();
    auto file = Item("FileMenu", "&File");
    bar->AddMenu(file);
    auto about = Item<fw::AppleMenuItem>("About",
                                         "\xC3\x9C"
                                         "ber... ",
                                         "Cmd+I");
    file->AddMenu(about);
    auto copy = Item("EditCopy", "&Copy", "Cmd+C");
    file->AddMenu(copy);
    EXPECT_FALSE(about->Action()->isEnabled()) << "no handler yet";
    int abouts = 0, copies = 0;
    app->AddMenuHandler("About", [&] {
        ++abouts;
        return false;
    });
    app->AddMenuHandler("EditCopy", [&] {
        ++copies;
        return true;
    });
    EXPECT_TRUE(about->Action()->isEnabled());
    about->Action()->trigger();
    copy->Action()->trigger();
    EXPECT_EQ(abouts, 1);
    EXPECT_EQ(copies, 1);
    EXPECT_EQ(about->Action()->text().toStdString(),
              "\xC3\x9C"
              "ber... ");
}

TEST_F(MenuTest, AnExceptionInAMenuHandlerIsReportedInGermanAndTheProgramGoesOn) {
    auto item = Item("Boom", "Boom");
    app->AddMenuHandler("Boom", []() -> bool { throw fw::IOException("Datei fehlt."); });
    item->Action()->trigger();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], "Datei fehlt.");
    item->Action()->trigger();
    EXPECT_EQ(reports.size(), 2u);
}

TEST_F(MenuTest, MenusAndTheApplicationRefuseOtherThreads) {
    auto bar = EditBar();
    int refused = 0;
    std::thread t([&] {
        auto count = [&](auto f) {
            try {
                f();
            } catch (const fw::ThreadAccessingUIException&) {
                ++refused;
            }
        };
        count([&] { bar->AddMenu(std::make_shared<fw::MenuItem>()); });
        count([&] { bar->Lookup("EditCut"); });
        count([&] { app->AddMenuHandler("About", [] { return false; }); });
        count([&] { app->SetMenuBar(bar); });
    });
    t.join();
    EXPECT_EQ(refused, 4);
    EXPECT_EQ(bar->Count(), 1);
}

TEST_F(MenuTest, QuitEndsTheEventLoop) {
    auto quit = Item<fw::QuitMenuItem>("FileQuit", "Quit", "Cmd+Q");
    EXPECT_TRUE(quit->Action()->isEnabled());
    QTimer::singleShot(0, [&] { quit->Action()->trigger(); });
    EXPECT_EQ(fw::RuntimeRun(), 0);
}

TEST_F(MenuTest, ApplicationKeepsVersionDataAndMenuBar) {
    app->SetVersionData(2, 0, 0, 0, 2, "", "", "");
    EXPECT_EQ(app->MajorVersion(), 2);
    EXPECT_EQ(app->StageCode(), 2);
    auto bar = std::make_shared<fw::MenuBar>();
    app->SetMenuBar(bar);
    EXPECT_EQ(app->MenuBar(), bar);
    EXPECT_FALSE(app->IsEventImplemented("Open"));
    int calls = 0;
    fw::RunFrameworkInitialization([&] { ++calls; });
    EXPECT_EQ(calls, 1);
}

}  // namespace
