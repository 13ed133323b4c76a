#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <dlfcn.h>
#include <sys/stat.h>

#include <climits>
#include <filesystem>
#include <new>

#include "framework/core/Application.h"
#include "framework/io/FolderItem.h"
#include "framework/widgets/Canvas.h"
#include "framework/widgets/OpenDialog.h"
#include "framework/widgets/PushButton.h"
#include "tests/support/UiTestSupport.h"

using namespace uitest;

// Memory running out, on this thread only: while armed, the allocations
// numbered from failFrom to failUntil fail. Everything else goes on to the
// library's operator new, so the sanitizers still see each allocation.
namespace {
thread_local long allocations = 0, failFrom = 0, failUntil = 0;
}
void* operator new(std::size_t size) {
    static const auto next = reinterpret_cast<void* (*)(std::size_t)>(::dlsym(RTLD_NEXT, "_Znwm"));
    if (failFrom > 0 && ++allocations >= failFrom && allocations <= failUntil) throw std::bad_alloc();
    return next(size);
}

namespace {

class EventBoundaryTest : public UiTest {};

TEST_F(EventBoundaryTest, AnExceptionEscapingAHandlerIsReportedAndTheWindowGoesOn) {
    std::shared_ptr<fw::PushButton> button;
    auto w = Build([&](LogWindow& self) { button = Add<fw::PushButton>(self, "B", 10, 10, 80, 20); });
    int presses = 0;
    button->Action.Bind([&](std::shared_ptr<fw::PushButton>) {
        if (++presses == 1) throw fw::NilObjectException();
        if (presses == 2) throw fw::IOException("Datei fehlt.");
        w->Close();  // a button may close its own window
    });
    for (int i = 0; i < 3; ++i) QTest::mouseClick(button->Widget(), Qt::LeftButton);
    // A fault of the program is reported as unexpected; a file the user must fix is not.
    EXPECT_EQ(reports, (std::vector<std::string>{std::string("Ein unerwarteter Fehler ist aufgetreten:\n\n") +
                                                     fw::NilObjectException().what(),
                                                 "Datei fehlt."}));
    EXPECT_EQ(fw::GetImplicitWindow(LogWindow::kClass), nullptr);
    std::weak_ptr<fw::Window> weak = w;
    w.reset();
    QApplication::processEvents();
    EXPECT_TRUE(weak.expired()) << "a closed window leaves nothing behind";
    // Nor is a handler bound to a window that is gone called.
    struct Target : fw::Window {
        Target() : fw::Window("Target.Target") {}
        bool Down(std::shared_ptr<fw::Canvas>, std::int64_t, std::int64_t) { return true; }
    };
    auto canvas = std::make_shared<fw::Canvas>();
    canvas->MouseDown.Bind(std::make_shared<Target>(), &Target::Down);
    EXPECT_FALSE(canvas->MouseDown.Raise(canvas, 1, 1));
}

TEST_F(EventBoundaryTest, InTheEventLoopAReportWaitsUntilTheResizeHasReturnedAndIsNotStacked) {
    struct Failing : LogWindow {
        void Event_Resizing() override { throw std::runtime_error("zu klein"); }
    };
    auto w = Build<Failing>({}, 200, 100);
    fw::SetExceptionReporter(nullptr);  // the real box
    bool resizing = false, boxDuringResize = false;
    QString shown;
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
    // Closes a box opened inside the resize, so that the test ends either way.
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
            for (QMessageBox* box : openBoxes()) shown += box->text();
            resize(320);  // the same message while its box is open
            QTimer::singleShot(0, [&] {
                EXPECT_EQ(openBoxes().size(), 1u) << "not stacked";
                for (QMessageBox* box : openBoxes()) box->accept();
                QTimer::singleShot(50, [&] {
                    resize(340);  // once its box is gone, the message may come again
                    QTimer::singleShot(0, [&] {
                        EXPECT_EQ(openBoxes().size(), 1u) << "shown again once closed";
                        for (QMessageBox* box : openBoxes()) box->accept();
                        fw::Application::Quit();
                    });
                });
            });
        });
    });
    EXPECT_EQ(fw::RuntimeRun(), 0);
    EXPECT_FALSE(boxDuringResize);
    EXPECT_TRUE(shown.startsWith("Ein unerwarteter Fehler") && shown.count("zu klein") == 1) << shown.toStdString();
}

TEST_F(EventBoundaryTest, AReportThatRunsOutOfMemoryFallsBackToTheFixedTextAndLeavesNothingBehind) {
    std::shared_ptr<fw::PushButton> button;
    auto w = Build([&](LogWindow& self) { button = Add<fw::PushButton>(self, "B", 10, 10, 80, 20); });
    fw::SetExceptionReporter(nullptr);  // the real box
    long from = 0, until = 0;
    button->Action.Bind([&](std::shared_ptr<fw::PushButton>) {
        std::runtime_error fault("zu wenig");
        allocations = 0, failFrom = from, failUntil = until;
        throw fault;
    });
    // Raises the fault and gives back the boxes it opened, closed again.
    auto press = [&] {
        button->Action.Raise(button);
        failFrom = 0;
        QApplication::processEvents();
        QApplication::processEvents();  // a box that failed queues the fixed text's
        QStringList shown;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(top);
            if (!box || !box->isVisible()) continue;
            shown << box->text();
            EXPECT_EQ(box->textFormat(), Qt::PlainText);
            box->accept();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return shown;
    };
    // In the event loop, where the boxes open without waiting for the user.
    QTimer::singleShot(0, [&] {
        const QString report = "Ein unerwarteter Fehler ist aufgetreten:\n\nzu wenig";
        const QString fixed = "Ein unerwarteter Fehler ist aufgetreten:\n\nDer Arbeitsspeicher reicht nicht aus.";
        // Memory runs out at each step of building and queuing the report in turn.
        for (long step = 1;; ++step) {
            SCOPED_TRACE(step);
            from = step, until = LONG_MAX;
            testing::internal::CaptureStderr();
            const QStringList shown = press();
            const std::string terminal = testing::internal::GetCapturedStderr();
            if (allocations < step) {
                EXPECT_EQ(shown, QStringList{report}) << "nothing failed";
                break;
            }
            EXPECT_EQ(shown, QStringList()) << "neither box can be built";
            EXPECT_EQ(terminal, fixed.toStdString() + "\n");
            from = 0;
            EXPECT_EQ(press(), QStringList{report}) << "the report is not held back by the failed one";
        }
        // Only the report's first allocation fails: the fixed text gets a box of
        // its own, once however often it comes.
        from = until = 1;
        testing::internal::CaptureStderr();
        button->Action.Raise(button);
        EXPECT_EQ(press(), QStringList{fixed});
        testing::internal::GetCapturedStderr();
        // The report is queued, and memory runs out when its box is built.
        from = 0;
        QMetaObject::invokeMethod(
            qApp, [] { allocations = 0, failFrom = failUntil = 1; }, Qt::QueuedConnection);
        testing::internal::CaptureStderr();
        EXPECT_EQ(press(), QStringList{fixed});
        EXPECT_NE(testing::internal::GetCapturedStderr().find(fixed.toStdString()), std::string::npos);
        EXPECT_EQ(press(), QStringList{report});
        fw::Application::Quit();
    });
    EXPECT_EQ(fw::RuntimeRun(), 0);
}

// The real report box and open dialog, answered as a user would.
TEST_F(EventBoundaryTest, TheReportBoxAndTheOpenDialogShowThemselves) {
    auto w = Build();
    QApplication::setActiveWindow(w->Widget());
    fw::SetExceptionReporter(nullptr);
    // A path is shown as it is spelled: markup in it is no markup of the box.
    QTemporaryDir root;
    const std::string folder =
        root.path().toStdString() + "/<font size=6 color=red>Datei<br>Passwort</font><img src=x>";
    ASSERT_TRUE(std::filesystem::create_directories(folder));
    ASSERT_EQ(::mkfifo((folder + "/x.kzp").c_str(), 0600), 0);
    std::string refusal;
    try {
        fw::FolderItem(folder + "/x.kzp").OpenAsTextFile();
    } catch (const fw::IOException& e) {
        refusal = e.what();
    }
    ASSERT_NE(refusal.find("<br>Passwort</font><img src=x>/x.kzp"), std::string::npos) << refusal;
    for (int time = 1; time <= 2; ++time) {  // once closed, the same report shows again
        QString text;
        Qt::TextFormat format = Qt::RichText;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            text = box->text();
            format = box->textFormat();
            box->accept();
        });
        fw::UnhandledException(fw::IOException(refusal));
        EXPECT_EQ(text.toStdString(), refusal);
        EXPECT_EQ(format, Qt::PlainText);
    }

    for (const QString& chosen : {QStringLiteral(KZP_TEST_DATA "/app/pen_lines.kzp"), QString()}) {
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            if (chosen.isEmpty()) return dialog->reject();
            dialog->selectFile(chosen);
            QMetaObject::invokeMethod(dialog, "accept");
        });
        const fw::FolderItemPtr item = fw::GetOpenFolderItem("");
        EXPECT_EQ(item ? QString::fromStdString(item->NativePath()) : QString(), chosen);
    }
}

}  // namespace

TEST(EventBoundaryText, RunningOutOfMemoryIsReportedInGerman) {
    EXPECT_EQ(fw::ExceptionReportText(std::bad_alloc()),
              "Ein unerwarteter Fehler ist aufgetreten:\n\nDer Arbeitsspeicher reicht nicht aus.");
}
