// Opens the main window and runs the event loop until the user quits.
#include <exception>
#include <memory>

#include "app/MenuBar1.h"
#include "app/WINhaupt.h"
#include "framework/Application.h"
#include "framework/EventBoundary.h"
#include "model/Module1.h"

int main(int argc, char** argv) {
    fw::RuntimeInit(argc, argv);
    Module1::RunInitializers();
    try {
        WINhaupt::Register();
        auto app = std::make_shared<fw::Application>();
        app->Constructor();
        fw::RuntimeRegisterAppObject(app);
        app->SetMenuBar(MenuBar1::Instance());
        WINhaupt::Instance();
        return fw::RuntimeRun();
    } catch (const std::exception& e) {
        fw::UnhandledException(e);
        return 1;
    }
}
