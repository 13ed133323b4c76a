#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <gtest/gtest.h>

#include "app/MenuBar1.h"
#include "framework/core/Application.h"
#include "framework/core/EventBoundary.h"
#include "framework/widgets/Window.h"

namespace {

struct Row {
    std::string name, text, shortcut, cls;
};

std::vector<Row> Rows(const fw::MenuItem& menu) {
    std::vector<Row> rows;
    for (std::int64_t i = 0; i < menu.Count(); ++i) {
        auto item = menu.Item(i);
        EXPECT_TRUE(item->AutoEnabled()) << item->Name();
        EXPECT_TRUE(item->Visible()) << item->Name();
        rows.push_back({item->Name(), item->Text(), item->Shortcut(), item->FrameworkClassName()});
    }
    return rows;
}

bool operator==(const Row& a, const Row& b) {
    return a.name == b.name && a.text == b.text && a.shortcut == b.shortcut && a.cls == b.cls;
}

void PrintTo(const Row& r, std::ostream* os) {
    *os << r.name << " \"" << r.text << "\" " << r.shortcut << " " << r.cls;
}

TEST(MenuBar1Test, OneInstanceWithTwoMenusAndTenItemsInOrder) {
    auto bar = MenuBar1::Instance();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(MenuBar1::Instance(), bar);
    EXPECT_EQ(Rows(*bar),
              (std::vector<Row>{{"FileMenu", "&File", "", "MenuItem"}, {"EditMenu", "&Edit", "", "MenuItem"}}));
    EXPECT_EQ(Rows(*bar->Child("FileMenu")), (std::vector<Row>{{"FileQuit", "Quit", "Cmd+Q", "QuitMenuItem"},
                                                               {"About",
                                                                "\xC3\x9C"
                                                                "ber... ",
                                                                "Cmd+I", "AppleMenuItem"}}));
    EXPECT_EQ(Rows(*bar->Child("EditMenu")), (std::vector<Row>{{"EditUndo", "&Undo", "Cmd+Z", "MenuItem"},
                                                               {"UntitledMenu1", "-", "", "MenuItem"},
                                                               {"EditCut", "Cu&t", "Cmd+X", "MenuItem"},
                                                               {"EditCopy", "&Copy", "Cmd+C", "MenuItem"},
                                                               {"EditPaste", "&Paste", "Cmd+V", "MenuItem"},
                                                               {"EditClear", "Clear", "", "MenuItem"},
                                                               {"UntitledMenu0", "-", "", "MenuItem"},
                                                               {"EditSelectAll", "Select &All", "Cmd+A", "MenuItem"}}));
    // "Über... ": 8 characters in 9 bytes, three full stops and one blank.
    EXPECT_EQ(bar->Lookup("About")->Text().size(), 9u);
}

TEST(MenuBar1Test, TheApplicationAndAWindowShareTheBarAndAboutRunsItsHandler) {
    QGuiApplication::setQuitOnLastWindowClosed(false);
    auto app = std::make_shared<fw::Application>();
    fw::RuntimeRegisterAppObject(app);
    app->SetMenuBar(MenuBar1::Instance());
    int abouts = 0;
    app->AddMenuHandler("About", [&] {
        ++abouts;
        return false;
    });
    auto w = std::make_shared<fw::Window>("Plain.Plain");
    w->SetMenuBar(MenuBar1::Instance());
    EXPECT_EQ(w->MenuBar(), app->MenuBar());

    auto* qbar = static_cast<QMainWindow*>(w->Widget())->menuBar();
    ASSERT_EQ(qbar->actions().size(), 2);
    QMenu* file = qbar->actions()[0]->menu();
    QMenu* edit = qbar->actions()[1]->menu();
    ASSERT_EQ(file->actions().size(), 2);
    ASSERT_EQ(edit->actions().size(), 8);
    EXPECT_EQ(file->actions()[0]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    EXPECT_EQ(file->actions()[1]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_I));
    EXPECT_TRUE(edit->actions()[1]->isSeparator());
    EXPECT_TRUE(edit->actions()[6]->isSeparator());
    // A separator with text is drawn as a section title, its text beside the line.
    EXPECT_EQ(edit->actions()[1]->text(), "");
    EXPECT_EQ(edit->actions()[6]->text(), "");
    file->actions()[1]->trigger();
    EXPECT_EQ(abouts, 1);

    // The shortcut works in the window without opening the menu.
    w->Widget()->show();
    QApplication::setActiveWindow(w->Widget());
    QTRY_VERIFY(w->Widget()->isActiveWindow());
    QTest::keyClick(w->Widget(), Qt::Key_I, Qt::ControlModifier);
    EXPECT_EQ(abouts, 2);
    w->Close();

    // And from a window without a bar of its own once the bar's window is gone.
    w.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    auto bare = std::make_shared<fw::Window>("Bare.Bare");
    bare->Constructor();
    bare->Show();
    QApplication::setActiveWindow(bare->Widget());
    QTRY_VERIFY(bare->Widget()->isActiveWindow());
    QTest::keyClick(bare->Widget(), Qt::Key_I, Qt::ControlModifier);
    EXPECT_EQ(abouts, 3);
    bare->Close();
}

}  // namespace
