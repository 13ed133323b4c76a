#include "app/WIInfo.h"

#include "app/LogoPictures.h"
#include "app/WIInfoRecords.h"
#include "framework/core/ClassRegistry.h"
#include "framework/properties/SetProperties.h"

namespace WIInfo {

void WIInfo::Layout() { fw::SetProperties(*this, WIInfoRecords::kWindow.bytes()); }

void WIInfo::CreateControls() { CreateControls0(); }

void WIInfo::CreateControls0() {
    using namespace WIInfoRecords;

    AddControl("PushButton1", New<fw::PushButton>());
    fw::SetProperties(*fw::Cast<fw::PushButton>(ControlByName("PushButton1")), kPushButton1.bytes());
    fw::Cast<fw::PushButton>(ControlByName("PushButton1"))->Action.Bind(SelfAs<WIInfo>(), &WIInfo::PushButton1_Action);

    // The pictures go in before the records, nil included.
    AddControl("ImageWell1", New<fw::ImageWell>());
    fw::Cast<fw::ImageWell>(ControlByName("ImageWell1"))->SetImage(KZPlogo160());
    fw::SetProperties(*fw::Cast<fw::ImageWell>(ControlByName("ImageWell1")), kImageWell1.bytes());

    AddControl("Canvas1", New<fw::Canvas>());
    fw::Cast<fw::Canvas>(ControlByName("Canvas1"))->SetBackdrop(brevomark100px());
    fw::SetProperties(*fw::Cast<fw::Canvas>(ControlByName("Canvas1")), kCanvas1.bytes());

    AddControl("Label1", New<fw::Label>());
    fw::SetProperties(*fw::Cast<fw::Label>(ControlByName("Label1")), kLabel1.bytes());

    AddControl("Label2", New<fw::Label>());
    fw::SetProperties(*fw::Cast<fw::Label>(ControlByName("Label2")), kLabel2.bytes());

    AddControl("Label3", New<fw::Label>());
    fw::SetProperties(*fw::Cast<fw::Label>(ControlByName("Label3")), kLabel3.bytes());
}

std::shared_ptr<fw::PushButton> WIInfo::PushButton1() { return fw::Cast<fw::PushButton>(ControlByName("PushButton1")); }
std::shared_ptr<fw::ImageWell> WIInfo::ImageWell1() { return fw::Cast<fw::ImageWell>(ControlByName("ImageWell1")); }
std::shared_ptr<fw::Canvas> WIInfo::Canvas1() { return fw::Cast<fw::Canvas>(ControlByName("Canvas1")); }
std::shared_ptr<fw::Label> WIInfo::Label1() { return fw::Cast<fw::Label>(ControlByName("Label1")); }
std::shared_ptr<fw::Label> WIInfo::Label2() { return fw::Cast<fw::Label>(ControlByName("Label2")); }
std::shared_ptr<fw::Label> WIInfo::Label3() { return fw::Cast<fw::Label>(ControlByName("Label3")); }

// The pressed button belongs to the implicit instance, so that is the
// window to close.
void WIInfo::PushButton1_Action(std::shared_ptr<fw::PushButton>) { Instance()->Close(); }

bool WIInfo::IsEventImplemented(const std::string& name) {
    return fw::RuntimeIsEventHandled(*this, kClassName, name, true);
}

// No window events of its own: no Open, Close or resize handlers.
void InitClass() { fw::RegisterClass(kClassName, {}); }

std::shared_ptr<WIInfo> Instance() {
    InitClass();
    if (auto window = fw::GetImplicitWindow(kClassName)) return fw::Cast<WIInfo>(window);
    auto window = std::make_shared<WIInfo>();
    window->Constructor();
    return window;
}

}  // namespace WIInfo
