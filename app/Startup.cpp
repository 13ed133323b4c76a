#include "app/Startup.h"

#include <exception>
#include <memory>

#include "app/App.h"
#include "app/MenuBar1.h"
#include "app/WIInfo.h"
#include "app/WINhaupt.h"
#include "framework/core/Application.h"
#include "framework/core/EventBoundary.h"
#include "model/Module1.h"

int exitStatus = 0;
std::function<void(const std::string& step)> startupWatch;

namespace {

void Step(const char* name) {
    if (startupWatch) startupWatch(name);
}

void Report(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        fw::UnhandledException(e);
    } catch (...) {
        fw::detail::ReportUnknownException();
    }
}

}  // namespace

void PerformInitializers() {
    Step("PerformInitializers");
    App::InitClass();
    WINhaupt::InitClass();
    MenuBar1::InitClass();
    Module1::RunInitializers();
    WIInfo::InitClass();
}

bool Main() {
    // Everything from here to the end of the event loop reports what escapes
    // it; a report that itself fails passes on to main.
    std::exception_ptr error;
    try {
        Step("Main");
        EarlyStartup();
        Step("RunFrameworkInitialization");
        fw::RunFrameworkInitialization(LateStartup);
        Step("RuntimeRun");
        fw::RuntimeRun();
        return true;
    } catch (...) {
        error = std::current_exception();
    }
    Report(error);
    return false;
}

void EarlyStartup() {
    Step("EarlyStartup");
    fw::Application::SetSupportsHiDPI(true);
    fw::InitPluginEntrypoints();
    InitFileTypes();
    NewAppInstance();
    ApplicationAddMenuHandlers();
}

void InitFileTypes() { Step("InitFileTypes"); }

void NewAppInstance() {
    Step("NewAppInstance");
    auto app = std::make_shared<App>();
    app->Constructor();
    app->SetVersionData(2, 0, 0, 0, 2, "", "", "");
    app->SanityCheckWDDM();
    // The same bar the main window's layout gives the main window.
    app->SetMenuBar(MenuBar1::Instance());
    fw::RuntimeRegisterAppObject(app);
}

void ApplicationAddMenuHandlers() {
    Step("ApplicationAddMenuHandlers");
    auto app = App::Instance();
    // Held weakly: the application object keeps its handlers.
    std::weak_ptr<App> target = app;
    app->AddMenuHandler("About", [target] {
        auto self = target.lock();
        if (!self) throw fw::NilObjectException();
        return self->About_Action();
    });
}

void LateStartup() {
    Step("LateStartup");
    MakeDefaultView();
}

void MakeDefaultView() {
    Step("MakeDefaultView");
    WINhaupt::Instance();
}

int ProcessMain(int& argc, char** argv) {
    bool ran = false;
    try {
        bool ready = false;
        try {
            fw::RuntimeInit(argc, argv);
            fw::Application::SetName("KZP-Viewer");
            PerformInitializers();
            ready = true;
        } catch (...) {
            Report(std::current_exception());
        }
        if (ready) ran = Main();
    } catch (...) {
        // The report itself failed: only the exit status is left to tell.
        ran = false;
    }
    fw::RuntimePerformFinalizers();
    exitStatus = fw::RuntimeExit();
    if (!ran && exitStatus == 0) exitStatus = kFailedStart;
    return exitStatus;
}
