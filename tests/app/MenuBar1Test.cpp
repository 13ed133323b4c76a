#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <gtest/gtest.h>

#include "app/MenuBar1.h"
#include "framework/core/Application.h"
#include "framework/widgets/Window.h"

namespace {

// The menus as a window shows them, and About reached by its shortcut from a
// window without a bar of its own once the bar's window is gone.
TEST(MenuBar1Test, AWindowShowsBothMenusAndCtrlIRunsAboutWithoutIt) {
    QGuiApplication::setQuitOnLastWindowClosed(false);
    auto app = std::make_shared<fw::Application>();
    fw::RuntimeRegisterAppObject(app);
    app->SetMenuBar(MenuBar1::Instance());
    int abouts = 0;
    app->AddMenuHandler("About", [&] { return ++abouts, false; });
    auto w = std::make_shared<fw::Window>("Plain.Plain");
    w->SetMenuBar(MenuBar1::Instance());
    QStringList shown;
    for (QAction* menu : static_cast<QMainWindow*>(w->Widget())->menuBar()->actions()) {
        shown << menu->text();
        for (QAction* a : menu->menu()->actions())
            shown << (a->isSeparator() ? "---" + a->text() : a->text() + " " + a->shortcut().toString());
    }
    EXPECT_EQ(shown.join("|"), QString::fromUtf8("&File|Quit Ctrl+Q|Über...  Ctrl+I|&Edit|&Undo Ctrl+Z|---|Cu&t Ctrl+X|"
                                                 "&Copy Ctrl+C|&Paste Ctrl+V|Clear |---|Select &All Ctrl+A"));
    w->Widget()->show();
    w->Close();
    w.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    auto bare = std::make_shared<fw::Window>("Bare.Bare");
    bare->Constructor();
    bare->Show();
    QApplication::setActiveWindow(bare->Widget());
    ASSERT_TRUE(QTest::qWaitFor([&] { return bare->Widget()->isActiveWindow(); }));
    QTest::keyClick(bare->Widget(), Qt::Key_I, Qt::ControlModifier);
    EXPECT_EQ(abouts, 1);
    bare->Close();
}

}  // namespace
