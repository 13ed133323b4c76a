#pragma once
// The application object: one instance for the whole run, with the version
// data and the menu bar. It handles the About item and no event of its own.
#include <memory>
#include <string>

#include "framework/core/Application.h"

class App : public fw::Application {
public:
    std::string FrameworkClassName() const override { return "App"; }

    void Constructor() override {}
    // The About item's handler: shows the about window, modeless. False on
    // every path. Virtual: the handler is bound through the class's entry.
    virtual bool About_Action();
    bool IsEventImplemented(const std::string& name) override;

    // Registers the class with the framework; later calls change nothing.
    static void InitClass();
    // The registered application object; NilObjectException before
    // registration. The global accessor App, spelled as a static member.
    static std::shared_ptr<App> Instance();
};
