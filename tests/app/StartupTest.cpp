// Start-up as a whole: its order, the application object, About through the
// real menu, and the exit status of a normal quit and of a failed start.
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <gtest/gtest.h>

#include "app/App.h"
#include "app/Startup.h"
#include "app/WIInfo.h"
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
        for (const char* cls : {WIInfo::kClassName, WINhaupt::kClassName}) {
            if (auto w = fw::GetImplicitWindow(cls)) w->Close();
        }
    }
    int Run() { return ProcessMain(argc, argv); }
    // Records every step; throws at the one named.
    void WatchAndFailAt(const std::string& failing) {
        startupWatch = [this, failing](const std::string& step) {
            steps.push_back(step);
            if (step == failing) throw fw::RuntimeException("Probe: " + step);
        };
    }

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
        if (step == "RuntimeRun") {
            QTimer::singleShot(0, [] { QCoreApplication::exit(3); });
        } else {
            EXPECT_EQ(fw::GetImplicitWindow(WINhaupt::kClassName), nullptr) << step;
        }
        if (step == "RunFrameworkInitialization") {
            EXPECT_TRUE(App::Instance()->HasMenuHandler("About"));
        }
    };
    EXPECT_EQ(Run(), 3);
    EXPECT_EQ(exitStatus, 3);
    EXPECT_EQ(steps,
              (std::vector<std::string>{"PerformInitializers", "Main", "EarlyStartup", "InitFileTypes",
                                        "NewAppInstance", "ApplicationAddMenuHandlers", "RunFrameworkInitialization",
                                        "LateStartup", "MakeDefaultView", "RuntimeRun"}));
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(QCoreApplication::applicationVersion(), "2.0.0");
    EXPECT_EQ(WINhaupt::Instance()->MenuBar(), App::Instance()->MenuBar());
    const double ratio = QGuiApplication::primaryScreen()->devicePixelRatio();
    EXPECT_EQ(Module1::zebild->impl().Image().size(), QSize(400, 400) * ratio);
}

TEST_F(StartupTest, AFailedStartIsReportedSkipsTheRestAndEndsNonZero) {
    for (const std::string failing :
         {"PerformInitializers", "NewAppInstance", "ApplicationAddMenuHandlers", "MakeDefaultView"}) {
        SCOPED_TRACE(failing);
        steps.clear();
        reports.clear();
        WatchAndFailAt(failing);
        EXPECT_EQ(Run(), kFailedStart);
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_NE(reports[0].find("Probe: " + failing), std::string::npos);
        EXPECT_EQ(steps.back(), failing);
    }
    // Something not even an exception is reported too.
    reports.clear();
    startupWatch = [](const std::string& step) {
        if (step == "LateStartup") throw 42;
    };
    EXPECT_EQ(Run(), kFailedStart);
    EXPECT_EQ(reports, std::vector<std::string>{"Ein unerwarteter Fehler ist aufgetreten."});
    // A report that fails itself still ends the process non-zero.
    fw::SetExceptionReporter([](const std::string&) { throw std::runtime_error("report failed"); });
    WatchAndFailAt("EarlyStartup");
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
                for (auto* label : open->findChildren<QLabel*>()) dialog << label->text().remove('&');
                for (auto* button : open->findChildren<QPushButton*>()) dialog << button->text().remove('&');
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
