// Start-up as a whole: its order, the application object, About through the
// real menu, and the exit status of a normal quit and of a failed start.
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLocale>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include "app/App.h"
#include "app/MenuBar1.h"
#include "app/Startup.h"
#include "app/WIInfo.h"
#include "app/WINhaupt.h"
#include "framework/core/EventBoundary.h"
#include "framework/widgets/OpenDialog.h"
#include "framework/widgets/Window.h"

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
    int Run() {
        int argc = 1;
        char name[] = "kzp-viewer";
        char* argv[] = {name, nullptr};
        return ProcessMain(argc, argv);
    }
    // Records every step; throws at the one named.
    void WatchAndFailAt(const std::string& failing) {
        startupWatch = [this, failing](const std::string& step) {
            steps.push_back(step);
            if (step == failing) throw fw::RuntimeException("Probe: " + step);
        };
    }
    bool Saw(const std::string& step) const { return std::find(steps.begin(), steps.end(), step) != steps.end(); }

    std::vector<std::string> steps;
    std::vector<std::string> reports;
};

TEST_F(StartupTest, RunsInOrderAndANormalQuitEndsWithZero) {
    startupWatch = [this](const std::string& step) {
        steps.push_back(step);
        const auto app = std::dynamic_pointer_cast<App>(fw::GetAppObject());
        const bool mainWindow = fw::GetImplicitWindow(WINhaupt::kClassName) != nullptr;
        if (step == "ApplicationAddMenuHandlers") {
            ASSERT_NE(app, nullptr);
            EXPECT_EQ(app, App::Instance());
            EXPECT_EQ(app->MajorVersion(), 2);
            EXPECT_EQ(app->MinorVersion(), 0);
            EXPECT_EQ(app->BugVersion(), 0);
            EXPECT_EQ(app->NonReleaseVersion(), 0);
            EXPECT_EQ(app->StageCode(), 2);
            EXPECT_EQ(app->MenuBar(), MenuBar1::Instance());
            EXPECT_FALSE(app->HasMenuHandler("About"));
        }
        if (step == "RunFrameworkInitialization" || step == "MakeDefaultView") {
            ASSERT_NE(app, nullptr);
            EXPECT_TRUE(app->HasMenuHandler("About"));
        }
        if (step == "RuntimeRun") {
            EXPECT_TRUE(mainWindow);
            QTimer::singleShot(0, [] { fw::Application::Quit(); });
        } else {
            EXPECT_FALSE(mainWindow) << step;
        }
    };
    // Another application object from an earlier test is replaced.
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(exitStatus, 0);
    EXPECT_EQ(steps,
              (std::vector<std::string>{"PerformInitializers", "Main", "EarlyStartup", "InitFileTypes",
                                        "NewAppInstance", "ApplicationAddMenuHandlers", "RunFrameworkInitialization",
                                        "LateStartup", "MakeDefaultView", "RuntimeRun"}));
    EXPECT_TRUE(reports.empty());
    auto main = WINhaupt::Instance();
    EXPECT_EQ(main->Title(), "KZP-Viewer");
    EXPECT_EQ(main->MenuBar(), App::Instance()->MenuBar());
}

TEST_F(StartupTest, TheEventLoopsOwnStatusIsTheExitStatus) {
    startupWatch = [](const std::string& step) {
        if (step == "RuntimeRun") QTimer::singleShot(0, [] { QCoreApplication::exit(3); });
    };
    EXPECT_EQ(Run(), 3);
    EXPECT_EQ(exitStatus, 3);
}

TEST_F(StartupTest, AFailedStartIsReportedSkipsTheRestAndEndsNonZero) {
    for (const std::string failing :
         {"PerformInitializers", "NewAppInstance", "ApplicationAddMenuHandlers", "MakeDefaultView"}) {
        SCOPED_TRACE(failing);
        steps.clear();
        reports.clear();
        WatchAndFailAt(failing);
        const int status = Run();
        EXPECT_NE(status, 0);
        EXPECT_EQ(exitStatus, status);
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_NE(reports[0].find("Probe: " + failing), std::string::npos);
        EXPECT_EQ(steps.back(), failing);
        EXPECT_FALSE(Saw("RuntimeRun"));
        EXPECT_EQ(fw::GetImplicitWindow(WINhaupt::kClassName), nullptr);
    }
}

TEST_F(StartupTest, AReportThatFailsStillEndsTheProcessNonZero) {
    fw::SetExceptionReporter([](const std::string&) { throw std::runtime_error("report failed"); });
    WatchAndFailAt("EarlyStartup");
    EXPECT_EQ(Run(), kFailedStart);
    EXPECT_FALSE(Saw("NewAppInstance"));
}

TEST_F(StartupTest, AboutShowsOneModelessWindowAndOKClosesIt) {
    PerformInitializers();
    EarlyStartup();
    LateStartup();
    auto main = WINhaupt::Instance();
    auto* bar = static_cast<QMainWindow*>(main->Widget())->menuBar();
    ASSERT_NE(bar, nullptr);
    QAction* about = nullptr;
    for (QAction* a : bar->actions()[0]->menu()->actions()) {
        if (a->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_I)) about = a;
    }
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isEnabled());

    about->trigger();
    auto info = fw::GetImplicitWindow(WIInfo::kClassName);
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(info->Widget()->isVisible());
    about->trigger();
    about->trigger();
    EXPECT_EQ(fw::GetImplicitWindow(WIInfo::kClassName), info);
    // The main window stays usable meanwhile.
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(main->Widget()->isEnabled());
    EXPECT_TRUE(main->Widget()->isVisible());

    EXPECT_FALSE(App::Instance()->About_Action());
    EXPECT_EQ(fw::GetImplicitWindow(WIInfo::kClassName), info);

    static_cast<QPushButton*>(fw::Cast<WIInfo::WIInfo>(info)->PushButton1()->Widget())->click();
    EXPECT_EQ(fw::GetImplicitWindow(WIInfo::kClassName), nullptr);
    EXPECT_FALSE(main->IsClosed());
    about->trigger();
    auto next = fw::GetImplicitWindow(WIInfo::kClassName);
    ASSERT_NE(next, nullptr);
    EXPECT_NE(next, info);
    EXPECT_TRUE(reports.empty());
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
    int argc = 1;
    char name[] = "kzp-viewer";
    char* argv[] = {name, nullptr};
    fw::RuntimeInit(argc, argv);  // Qt's texts in the default language again
    for (const char* text : {"Öffnen", "Suchen in:", "Dateiname:", "Abbrechen"}) {
        EXPECT_TRUE(dialog.contains(QString::fromUtf8(text))) << text << " in " << dialog.join(" | ").toStdString();
    }
    EXPECT_EQ(boxTitle, "KZP-Viewer");
}

TEST_F(StartupTest, TheApplicationHandlesNoEventOfItsOwn) {
    PerformInitializers();
    NewAppInstance();
    auto app = App::Instance();
    for (const char* event : {"Open", "Close", "Activate", "NewDocument", "OpenDocument", "UnhandledException",
                              "CancelClose", "About_Action", ""}) {
        EXPECT_FALSE(app->IsEventImplemented(event)) << event;
    }
}

}  // namespace
