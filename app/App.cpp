#include "app/App.h"

#include "app/WIInfo.h"
#include "framework/core/ClassRegistry.h"

bool App::About_Action() {
    WIInfo::Instance()->Show();
    return false;
}

bool App::IsEventImplemented(const std::string& name) { return fw::RuntimeIsEventHandled(*this, "App", name, true); }

// No application events: nothing of the program's runs when the application
// opens, activates, quits or meets an unhandled exception.
void App::InitClass() { fw::RegisterClass("App", {}); }

std::shared_ptr<App> App::Instance() { return fw::Cast<App>(fw::GetAppObject()); }
