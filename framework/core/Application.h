#pragma once
// The application object and the runtime around it: start-up, event loop,
// menu handlers by item name.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "framework/core/Object.h"

namespace fw {

class MenuBar;

class Application : public Object {
public:
    Application();
    std::string FrameworkClassName() const override { return "Application"; }

    // The no-argument constructor of the framework's object model.
    virtual void Constructor() {}
    // Whether the program's class handles the named application event.
    virtual bool IsEventImplemented(const std::string& name);

    // The three texts are taken as the start-up passes them; nothing reads
    // them back, so they are not kept.
    void SetVersionData(std::int64_t major, std::int64_t minor, std::int64_t bug, std::int64_t nonRelease,
                        std::int64_t stage, const std::string& text1, const std::string& text2,
                        const std::string& text3);
    std::int64_t MajorVersion() const { return major_; }
    std::int64_t MinorVersion() const { return minor_; }
    std::int64_t BugVersion() const { return bug_; }
    std::int64_t NonReleaseVersion() const { return nonRelease_; }
    std::int64_t StageCode() const { return stage_; }

    std::shared_ptr<fw::MenuBar> MenuBar() const;
    void SetMenuBar(const std::shared_ptr<fw::MenuBar>& bar);

    // Choosing the menu item of that name runs the handler.
    void AddMenuHandler(const std::string& name, std::function<bool()> handler);
    bool HasMenuHandler(const std::string& name) const;
    // Runs the handler bound to name; false when there is none.
    bool RunMenuHandler(const std::string& name);

    // A step of the original start-up; nothing to do here.
    void SanityCheckWDDM() {}

    // Pictures made from now on are drawn at the primary screen's device
    // pixel ratio; coordinates stay in points.
    static void SetSupportsHiDPI(bool value);

    // The program's name: the title of the framework's report boxes.
    static void SetName(const std::string& name);

    // Ends the event loop.
    static void Quit();

private:
    std::int64_t major_ = 0, minor_ = 0, bug_ = 0, nonRelease_ = 0, stage_ = 0;
    std::shared_ptr<fw::MenuBar> menuBar_;
    std::map<std::string, std::function<bool()>> menuHandlers_;
    struct NativeBar;
    std::shared_ptr<NativeBar> nativeBar_;
};

using ApplicationPtr = std::shared_ptr<Application>;

void RuntimeRegisterAppObject(const ApplicationPtr& app);
// The registered application object; nullptr before registration.
ApplicationPtr GetAppObject();

// Creates the Qt application when the caller has not made one, and gives
// Qt's own texts the language of the locale.
void RuntimeInit(int& argc, char** argv);
// The control plug-in's classes (ImageWell, UpDownArrows) are linked in:
// nothing to resolve at run time. Kept as the start-up step it stands for.
void InitPluginEntrypoints();
// Initialises the framework and calls back once.
void RunFrameworkInitialization(const std::function<void()>& callback);
// The event loop until the application quits; its exit status.
int RuntimeRun();
// The framework's own clean-up after the event loop: a Qt application that
// RuntimeInit made goes, and with it every window still open.
void RuntimePerformFinalizers();
// The status the event loop ended with; 0 when it has not run since RuntimeInit.
int RuntimeExit();

}  // namespace fw
