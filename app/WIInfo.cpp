#include "app/WIInfo.h"

#include "app/LogoPictures.h"
#include "app/WIInfoRecords.h"
#include "app/WindowParts.h"
#include "framework/core/ClassRegistry.h"
#include "framework/properties/SetProperties.h"

namespace WIInfo {

using WindowParts::ControlNamed;

void WIInfo::Layout() { fw::SetProperties(*this, WIInfoRecords::kWindow.bytes()); }

void WIInfo::CreateControls() { CreateControls0(); }

void WIInfo::CreateControls0() {
    using namespace WIInfoRecords;
    using WindowParts::MakeControl;

    MakeControl<fw::PushButton>(*this, "PushButton1", kPushButton1.bytes());
    PushButton1()->Action.Bind(SelfAs<WIInfo>(), &WIInfo::PushButton1_Action);

    // The pictures go in before the records, nil included.
    MakeControl<fw::ImageWell>(*this, "ImageWell1", kImageWell1.bytes(),
                               [](fw::ImageWell& well) { well.SetImage(KZPlogo160()); });
    MakeControl<fw::Canvas>(*this, "Canvas1", kCanvas1.bytes(),
                            [](fw::Canvas& canvas) { canvas.SetBackdrop(brevomark100px()); });

    MakeControl<fw::Label>(*this, "Label1", kLabel1.bytes());
    MakeControl<fw::Label>(*this, "Label2", kLabel2.bytes());
    MakeControl<fw::Label>(*this, "Label3", kLabel3.bytes());
}

std::shared_ptr<fw::PushButton> WIInfo::PushButton1() { return ControlNamed<fw::PushButton>(*this, "PushButton1"); }
std::shared_ptr<fw::ImageWell> WIInfo::ImageWell1() { return ControlNamed<fw::ImageWell>(*this, "ImageWell1"); }
std::shared_ptr<fw::Canvas> WIInfo::Canvas1() { return ControlNamed<fw::Canvas>(*this, "Canvas1"); }
std::shared_ptr<fw::Label> WIInfo::Label1() { return ControlNamed<fw::Label>(*this, "Label1"); }
std::shared_ptr<fw::Label> WIInfo::Label2() { return ControlNamed<fw::Label>(*this, "Label2"); }
std::shared_ptr<fw::Label> WIInfo::Label3() { return ControlNamed<fw::Label>(*this, "Label3"); }

// The pressed button belongs to the implicit instance, so that is the
// window to close.
void WIInfo::PushButton1_Action(std::shared_ptr<fw::PushButton>) { Instance()->Close(); }

bool WIInfo::IsEventImplemented(const std::string& name) {
    return fw::RuntimeIsEventHandled(*this, kClassName, name, true);
}

// No window events of its own: no Open, Close or resize handlers.
void InitClass() { fw::RegisterClass(kClassName, {}); }

std::shared_ptr<WIInfo> Instance() { return WindowParts::ImplicitInstance<WIInfo>(kClassName, InitClass); }

}  // namespace WIInfo
