// Start-up as a whole: its order, the application object, About through the
// real menu, and the exit status of a normal quit and of a failed start.
#include <QApplication>
#include <QDialog>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include <gtest/gtest.h>

#include "app/App.h"
#include "app/Startup.h"
#include "app/WINhaupt.h"
#include "framework/core/EventBoundary.h"
#include "framework/painting/GraphicsQt_p.h"
#include "framework/widgets/OpenDialog.h"

namespace {

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        fw::SetExceptionReporter([this](const std::string& text) { reports.push_back(text); });
    }
    void TearDown() override {
        startupWatch = nullptr;
        fw::SetExceptionReporter(nullptr);
        if (auto w = fw::GetImplicitWindow(WINhaupt::kClassName)) w->Close();
    }
    int Run() { return ProcessMain(argc, argv); }

    int argc = 1;
    char name[11] = "kzp-viewer";
    char* argv[2] = {name, nullptr};
    std::vector<std::string> steps;
    std::vector<std::string> reports;
};

// Also run at pixel ratio 2, where the main window's picture must have the
// screen's pixels. (A normal quit's 0: the viewer under Xvfb.)
TEST_F(StartupTest, RunsInOrderAndEndsWithTheEventLoopsStatus) {
    startupWatch = [this](const std::string& step) {
        steps.push_back(step);
        // The main window comes last, from the framework's start-up callback.
        EXPECT_EQ(fw::GetImplicitWindow(WINhaupt::kClassName) != nullptr, step == "RuntimeRun") << step;
        if (step == "RuntimeRun") QTimer::singleShot(0, [] { QCoreApplication::exit(3); });
    };
    EXPECT_EQ(Run(), 3);
    EXPECT_EQ(steps,
              (std::vector<std::string>{"PerformInitializers", "Main", "EarlyStartup", "InitFileTypes",
                                        "NewAppInstance", "ApplicationAddMenuHandlers", "RunFrameworkInitialization",
                                        "LateStartup", "MakeDefaultView", "RuntimeRun"}));
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(QCoreApplication::applicationVersion(), "2.0.0");
    EXPECT_EQ(App::Instance()->NonReleaseVersion(), 0);
    EXPECT_EQ(App::Instance()->StageCode(), 2);
    EXPECT_EQ(WINhaupt::Instance()->MenuBar(), App::Instance()->MenuBar());
    const double ratio = QGuiApplication::primaryScreen()->devicePixelRatio();
    EXPECT_EQ(Module1::zebild->impl().Image().size(), QSize(400, 400) * ratio);
}

TEST_F(StartupTest, AFailedStartIsReportedSkipsTheRestAndEndsNonZero) {
    for (const std::string failing :
         {"PerformInitializers", "NewAppInstance", "ApplicationAddMenuHandlers", "LateStartup", "MakeDefaultView"}) {
        SCOPED_TRACE(failing);
        steps.clear();
        reports.clear();
        const bool odd = failing == "LateStartup";  // fails with something not even an exception
        startupWatch = [this, failing, odd](const std::string& step) {
            steps.push_back(step);
            if (step == failing && odd) throw 42;
            if (step == failing) throw fw::RuntimeException("Probe");
        };
        EXPECT_EQ(Run(), kFailedStart);
        EXPECT_EQ(steps.back(), failing);
        const std::string text = "Ein unerwarteter Fehler ist aufgetreten";
        EXPECT_EQ(reports, std::vector<std::string>{odd ? text + "." : text + ":\n\nProbe"});
    }
    // A report that fails itself (at "MakeDefaultView" still) ends the process non-zero too.
    fw::SetExceptionReporter([](const std::string&) { throw std::runtime_error("report failed"); });
    EXPECT_EQ(Run(), kFailedStart);
}

TEST_F(StartupTest, QtsOwnDialogsSpeakTheUsersLanguageAndReportBoxesCarryTheProgramsName) {
    fw::SetExceptionReporter(nullptr);  // the real box
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QStringList dialog;
    QString boxTitle;
    startupWatch = [&](const std::string& step) {
        if (step != "RuntimeRun") return;
        QTimer::singleShot(0, [&] {
            QTimer::singleShot(0, [&] {
                auto* open = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                ASSERT_NE(open, nullptr);
                dialog << open->windowTitle();
                for (QObject* part : open->findChildren<QObject*>())
                    dialog << part->property("text").toString().remove('&');
                open->reject();
            });
            EXPECT_EQ(fw::GetOpenFolderItem(""), nullptr);
            fw::CallGuarded([] { throw fw::IOException("Probe"); });
            QTimer::singleShot(0, [&] {
                for (QWidget* top : QApplication::topLevelWidgets()) {
                    if (auto* box = qobject_cast<QMessageBox*>(top); box && box->isVisible()) {
                        boxTitle = box->windowTitle();
                        box->accept();
                    }
                }
                fw::Application::Quit();
            });
        });
    };
    EXPECT_EQ(Run(), 0);
    QLocale::setDefault(QLocale::system());
    fw::RuntimeInit(argc, argv);  // Qt's texts in the default language again
    for (const char* text : {"Öffnen", "Suchen in:", "Dateiname:", "Abbrechen"}) {
        EXPECT_TRUE(dialog.contains(QString::fromUtf8(text))) << text << " in " << dialog.join(" | ").toStdString();
    }
    EXPECT_EQ(boxTitle, "KZP-Viewer");
}

}  // namespace
