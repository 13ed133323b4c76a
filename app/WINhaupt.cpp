#include "app/WINhaupt.h"

#include "app/MenuBar1.h"
#include "app/WINhauptRecords.h"
#include "app/WindowParts.h"
#include "framework/core/Arithmetic.h"
#include "framework/core/ClassRegistry.h"
#include "framework/properties/SetProperties.h"
#include "framework/text/Text.h"

namespace WINhaupt {

using WindowParts::ControlNamed;

namespace {

// The zoom field of the one main window shows the zoom factor.
void ShowZoom() { Instance()->EFzoom()->SetText(fw::Str(Module1::zoomfaktor)); }

}  // namespace

// --- class ---

WINhaupt::WINhaupt() : fw::Window(kClassName) {}

void WINhaupt::Layout() {
    // The menu bar comes before the record, which sizes the content below it.
    SetMenuBar(MenuBar1::Instance());
    fw::SetProperties(*this, WINhauptRecords::kWindow.bytes());
}

void WINhaupt::CreateControls() { CreateControls0(); }

void WINhaupt::CreateControls0() {
    using namespace WINhauptRecords;
    using WindowParts::MakeControl;
    const auto self = SelfAs<WINhaupt>();

    MakeControl<fw::GroupBox>(*this, "GroupBox1", kGroupBox1.bytes());

    MakeControl<fw::CheckBox>(*this, "CBpunkte", kCBpunkte.bytes());
    CBpunkte()->Action.Bind(self, &WINhaupt::CBpunkte_Action);
    MakeControl<fw::CheckBox>(*this, "CBlinien", kCBlinien.bytes());
    CBlinien()->Action.Bind(self, &WINhaupt::CBlinien_Action);
    MakeControl<fw::CheckBox>(*this, "CBachsen", kCBachsen.bytes());
    CBachsen()->Action.Bind(self, &WINhaupt::CBachsen_Action);

    MakeControl<fw::GroupBox>(*this, "GroupBox2", kGroupBox2.bytes());

    MakeControl<fw::PushButton>(*this, "PushButton1", kPushButton1.bytes());
    PushButton1()->Action.Bind(self, &WINhaupt::PushButton1_Action);

    MakeControl<fw::UpDownArrows>(*this, "UPDzoom", kUPDzoom.bytes());
    UPDzoom()->Down.Bind(self, &WINhaupt::UPDzoom_Down);
    UPDzoom()->Up.Bind(self, &WINhaupt::UPDzoom_Up);

    MakeControl<fw::Label>(*this, "Label1", kLabel1.bytes());
    MakeControl<fw::TextField>(*this, "EFzoom", kEFzoom.bytes());

    MakeControl<fw::Canvas>(*this, "CAhaupt", kCAhaupt.bytes());
    CAhaupt()->MouseDown.Bind(self, &WINhaupt::CAhaupt_MouseDown);
    CAhaupt()->MouseDrag.Bind(self, &WINhaupt::CAhaupt_MouseDrag);
    CAhaupt()->MouseWheel.Bind(self, &WINhaupt::CAhaupt_MouseWheel);
    CAhaupt()->Paint.Bind(self, &WINhaupt::CAhaupt_Paint);

    MakeControl<fw::PushButton>(*this, "PushButton2", kPushButton2.bytes());
    PushButton2()->Action.Bind(self, &WINhaupt::PushButton2_Action);

    MakeControl<wrapper_Timer1>(*this, "Timer1", kTimer1.bytes());
    Timer1()->Action.Bind(self, &WINhaupt::Timer1_Action);
}

bool WINhaupt::IsEventImplemented(const std::string& name) {
    return fw::RuntimeIsEventHandled(*this, kClassName, name, true);
}

// --- accessors ---

template <typename T>
std::shared_ptr<T> WINhaupt::MenuItemNamed(const std::string& name) const {
    const auto bar = MenuBar();
    if (!bar) throw fw::NilObjectException();
    return fw::Cast<T>(bar->Lookup(name));
}

std::shared_ptr<fw::GroupBox> WINhaupt::GroupBox1() { return ControlNamed<fw::GroupBox>(*this, "GroupBox1"); }
std::shared_ptr<fw::CheckBox> WINhaupt::CBpunkte() { return ControlNamed<fw::CheckBox>(*this, "CBpunkte"); }
std::shared_ptr<fw::CheckBox> WINhaupt::CBlinien() { return ControlNamed<fw::CheckBox>(*this, "CBlinien"); }
std::shared_ptr<fw::CheckBox> WINhaupt::CBachsen() { return ControlNamed<fw::CheckBox>(*this, "CBachsen"); }
std::shared_ptr<fw::GroupBox> WINhaupt::GroupBox2() { return ControlNamed<fw::GroupBox>(*this, "GroupBox2"); }
std::shared_ptr<fw::PushButton> WINhaupt::PushButton1() { return ControlNamed<fw::PushButton>(*this, "PushButton1"); }
std::shared_ptr<fw::UpDownArrows> WINhaupt::UPDzoom() { return ControlNamed<fw::UpDownArrows>(*this, "UPDzoom"); }
std::shared_ptr<fw::Label> WINhaupt::Label1() { return ControlNamed<fw::Label>(*this, "Label1"); }
std::shared_ptr<fw::TextField> WINhaupt::EFzoom() { return ControlNamed<fw::TextField>(*this, "EFzoom"); }
std::shared_ptr<fw::Canvas> WINhaupt::CAhaupt() { return ControlNamed<fw::Canvas>(*this, "CAhaupt"); }
std::shared_ptr<fw::PushButton> WINhaupt::PushButton2() { return ControlNamed<fw::PushButton>(*this, "PushButton2"); }
std::shared_ptr<fw::Timer> WINhaupt::Timer1() { return ControlNamed<fw::Timer>(*this, "Timer1"); }

std::shared_ptr<fw::MenuItem> WINhaupt::EditMenu() { return MenuItemNamed<fw::MenuItem>("EditMenu"); }
std::shared_ptr<fw::MenuItem> WINhaupt::EditSelectAll() { return MenuItemNamed<fw::MenuItem>("EditSelectAll"); }
std::shared_ptr<fw::MenuItem> WINhaupt::UntitledMenu0() { return MenuItemNamed<fw::MenuItem>("UntitledMenu0"); }
std::shared_ptr<fw::MenuItem> WINhaupt::EditClear() { return MenuItemNamed<fw::MenuItem>("EditClear"); }
std::shared_ptr<fw::MenuItem> WINhaupt::EditPaste() { return MenuItemNamed<fw::MenuItem>("EditPaste"); }
std::shared_ptr<fw::MenuItem> WINhaupt::EditCopy() { return MenuItemNamed<fw::MenuItem>("EditCopy"); }
std::shared_ptr<fw::MenuItem> WINhaupt::EditCut() { return MenuItemNamed<fw::MenuItem>("EditCut"); }
std::shared_ptr<fw::MenuItem> WINhaupt::UntitledMenu1() { return MenuItemNamed<fw::MenuItem>("UntitledMenu1"); }
std::shared_ptr<fw::MenuItem> WINhaupt::EditUndo() { return MenuItemNamed<fw::MenuItem>("EditUndo"); }
std::shared_ptr<fw::MenuItem> WINhaupt::FileMenu() { return MenuItemNamed<fw::MenuItem>("FileMenu"); }
std::shared_ptr<fw::AppleMenuItem> WINhaupt::About() { return MenuItemNamed<fw::AppleMenuItem>("About"); }
std::shared_ptr<fw::QuitMenuItem> WINhaupt::FileQuit() { return MenuItemNamed<fw::QuitMenuItem>("FileQuit"); }

// --- handlers ---
// Each writes the model first, then shows and draws; the window and its
// controls are fetched through the getter at every use.

void WINhaupt::CBpunkte_Action(std::shared_ptr<fw::CheckBox>) { Module1::zeichnen(); }
void WINhaupt::CBlinien_Action(std::shared_ptr<fw::CheckBox>) { Module1::zeichnen(); }
void WINhaupt::CBachsen_Action(std::shared_ptr<fw::CheckBox>) { Module1::zeichnen(); }

void WINhaupt::PushButton1_Action(std::shared_ptr<fw::PushButton>) {
    Module1::origx = Module1::kStartOrigx;
    Module1::origy = Module1::kStartOrigy;
    Module1::zeichnen();
}

void WINhaupt::UPDzoom_Down(std::shared_ptr<fw::UpDownArrows>) {
    if (1 < Module1::zoomfaktor) {
        Module1::zoomfaktor = Module1::zoomfaktor - 1;
        ShowZoom();
        Module1::zeichnen();
    }
}

void WINhaupt::UPDzoom_Up(std::shared_ptr<fw::UpDownArrows>) {
    Module1::zoomfaktor = fw::SaturatingAdd(Module1::zoomfaktor, 1);
    ShowZoom();
    Module1::zeichnen();
}

bool WINhaupt::CAhaupt_MouseDown(std::shared_ptr<fw::Canvas>, std::int64_t x, std::int64_t y) {
    Module1::mausx = x;
    Module1::mausy = y;
    return true;
}

void WINhaupt::CAhaupt_MouseDrag(std::shared_ptr<fw::Canvas>, std::int64_t x, std::int64_t y) {
    bool moved = false;
    if (x != Module1::mausx) {
        Module1::origx = fw::SaturatingAdd(Module1::origx, fw::SaturatingSub(x, Module1::mausx));
        Module1::mausx = x;
        moved = true;
    }
    if (y != Module1::mausy) {
        Module1::origy = fw::SaturatingAdd(Module1::origy, fw::SaturatingSub(y, Module1::mausy));
        Module1::mausy = y;
        moved = true;
    }
    if (moved) Module1::zeichnen();
}

bool WINhaupt::CAhaupt_MouseWheel(std::shared_ptr<fw::Canvas>, std::int64_t, std::int64_t, std::int64_t,
                                  std::int64_t deltaY) {
    Module1::zoomfaktor = fw::SaturatingSub(Module1::zoomfaktor, deltaY);
    if (Module1::zoomfaktor < 1) Module1::zoomfaktor = 1;
    ShowZoom();
    Module1::zeichnen();
    return false;
}

void WINhaupt::CAhaupt_Paint(std::shared_ptr<fw::Canvas>, fw::Graphics& g, const std::vector<fw::Rect>&) {
    // The window may paint before Open has made the first picture.
    if (!Module1::zebild) return;
    constexpr double n = fw::Graphics::kNaturalSize;
    g.DrawPicture(Module1::zebild, 0, 0, n, n, 0, 0, n, n);
}

void WINhaupt::PushButton2_Action(std::shared_ptr<fw::PushButton>) {
    // A refused file raises before the model changes: no redraw, and the
    // framework's report says why.
    Module1::datenlesen();
    Module1::zeichnen();
}

void WINhaupt::Timer1_Action(std::shared_ptr<fw::Timer>) { Module1::zeichnen(); }

void WINhaupt::Event_Open() { Module1::init(); }

void WINhaupt::Event_Resized() {
    // A canvas squeezed to nothing (a window manager that ignores the minimum
    // size) shows nothing: no picture of no pixels, and the drawing comes
    // back when the canvas has room again.
    if (Instance()->CAhaupt()->Width() < 1 || Instance()->CAhaupt()->Height() < 1) return;
    Module1::breite = Instance()->CAhaupt()->Width();
    Module1::hoehe = Instance()->CAhaupt()->Height();
    Module1::init();
}

// Every resize step does what the end of a resize does.
void WINhaupt::Event_Resizing() { Event_Resized(); }

// --- the drawing model's view ---

bool WINhaupt::CBpunkteValue() { return CBpunkte()->Value(); }
bool WINhaupt::CBlinienValue() { return CBlinien()->Value(); }
bool WINhaupt::CBachsenValue() { return CBachsen()->Value(); }
void WINhaupt::SetEFzoomText(const std::string& text) { EFzoom()->SetText(text); }
void WINhaupt::InvalidateCAhaupt() { CAhaupt()->Invalidate(true); }

// --- instance ---

void InitClass() {
    fw::RegisterClass(kClassName, {"Open", "Resized", "Resizing"});
    Module1::SetHauptGetter([]() -> std::shared_ptr<Module1::HauptView> { return Instance(); });
}

std::shared_ptr<WINhaupt> Instance() { return WindowParts::ImplicitInstance<WINhaupt>(kClassName, InitClass); }

}  // namespace WINhaupt
