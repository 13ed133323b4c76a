#pragma once
// The about window: program logo, name, version, the maker's notice and
// logo, and OK. Modeless; at most one exists, the class's implicit instance.
#include <memory>
#include <string>

#include "framework/widgets/Canvas.h"
#include "framework/widgets/ImageWell.h"
#include "framework/widgets/Label.h"
#include "framework/widgets/PushButton.h"
#include "framework/widgets/Window.h"

namespace WIInfo {

inline constexpr const char* kClassName = "WIInfo.WIInfo";

class WIInfo : public fw::Window {
public:
    WIInfo() : fw::Window(kClassName) {}

    // Only the window's record: no menu bar of its own.
    void Layout() override;
    void CreateControls() override;
    // Virtual: CreateControls calls it through the class's operations.
    virtual void CreateControls0();

    std::shared_ptr<fw::PushButton> PushButton1();
    std::shared_ptr<fw::ImageWell> ImageWell1();
    std::shared_ptr<fw::Canvas> Canvas1();
    std::shared_ptr<fw::Label> Label1();
    std::shared_ptr<fw::Label> Label2();
    std::shared_ptr<fw::Label> Label3();

    // Virtual: the bound handler is found through the window's own class.
    virtual void PushButton1_Action(std::shared_ptr<fw::PushButton> sender);

    bool IsEventImplemented(const std::string& name) override;
};

// Registers the class with the framework; later calls change nothing.
void InitClass();

// The instance getter: the open about window, or a new one built and
// registered as the implicit instance. C++ has no function of its class's
// name, so it is spelled Instance.
std::shared_ptr<WIInfo> Instance();

}  // namespace WIInfo
