#pragma once
// The main window: the canvas that shows the drawing, the switches for
// points, lines and axes, zoom, reset, loading, and a timer. It exists at
// most once, reached through Instance(); all its state is the drawing model's.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/menus/MenuItem.h"
#include "framework/widgets/Canvas.h"
#include "framework/widgets/CheckBox.h"
#include "framework/widgets/GroupBox.h"
#include "framework/widgets/Label.h"
#include "framework/widgets/PushButton.h"
#include "framework/widgets/TextField.h"
#include "framework/widgets/Timer.h"
#include "framework/widgets/UpDownArrows.h"
#include "framework/widgets/Window.h"
#include "model/Module1.h"

namespace WINhaupt {

inline constexpr const char* kClassName = "WINhaupt.WINhaupt";

// The timer among the window's controls. Its window and index are the
// control's own (fw::Control::Window, Index).
class wrapper_Timer1 : public fw::Timer {
public:
    std::string FrameworkClassName() const override { return "WINhaupt._wrapper_Timer1"; }
    void Constructor() {}
};

class WINhaupt : public fw::Window, public Module1::HauptView {
public:
    WINhaupt();
    std::string FrameworkClassName() const override { return kClassName; }

    void Layout() override;
    void CreateControls() override;
    // Virtual: CreateControls calls it through the class's operations.
    virtual void CreateControls0();
    bool IsEventImplemented(const std::string& name) override;

    // Controls, in creation order.
    std::shared_ptr<fw::GroupBox> GroupBox1();
    std::shared_ptr<fw::CheckBox> CBpunkte();
    std::shared_ptr<fw::CheckBox> CBlinien();
    std::shared_ptr<fw::CheckBox> CBachsen();
    std::shared_ptr<fw::GroupBox> GroupBox2();
    std::shared_ptr<fw::PushButton> PushButton1();
    std::shared_ptr<fw::UpDownArrows> UPDzoom();
    std::shared_ptr<fw::Label> Label1();
    std::shared_ptr<fw::TextField> EFzoom();
    std::shared_ptr<fw::Canvas> CAhaupt();
    std::shared_ptr<fw::PushButton> PushButton2();
    std::shared_ptr<fw::Timer> Timer1();

    // Handlers, bound when the controls are made. Virtual: a bound handler is
    // found through the window's own class, so a subclass's override is the one called.
    virtual void CBpunkte_Action(std::shared_ptr<fw::CheckBox> sender);
    virtual void CBlinien_Action(std::shared_ptr<fw::CheckBox> sender);
    virtual void CBachsen_Action(std::shared_ptr<fw::CheckBox> sender);
    virtual void PushButton1_Action(std::shared_ptr<fw::PushButton> sender);
    virtual void UPDzoom_Down(std::shared_ptr<fw::UpDownArrows> sender);
    virtual void UPDzoom_Up(std::shared_ptr<fw::UpDownArrows> sender);
    virtual bool CAhaupt_MouseDown(std::shared_ptr<fw::Canvas> sender, std::int64_t x, std::int64_t y);
    virtual void CAhaupt_MouseDrag(std::shared_ptr<fw::Canvas> sender, std::int64_t x, std::int64_t y);
    virtual bool CAhaupt_MouseWheel(std::shared_ptr<fw::Canvas> sender, std::int64_t x, std::int64_t y,
                                    std::int64_t deltaX, std::int64_t deltaY);
    virtual void CAhaupt_Paint(std::shared_ptr<fw::Canvas> sender, fw::Graphics& g, const std::vector<fw::Rect>& areas);
    virtual void PushButton2_Action(std::shared_ptr<fw::PushButton> sender);
    virtual void Timer1_Action(std::shared_ptr<fw::Timer> sender);

    // Items of the window's menu bar; NilObjectException without one.
    std::shared_ptr<fw::MenuItem> EditMenu();
    std::shared_ptr<fw::MenuItem> EditSelectAll();
    std::shared_ptr<fw::MenuItem> UntitledMenu0();
    std::shared_ptr<fw::MenuItem> EditClear();
    std::shared_ptr<fw::MenuItem> EditPaste();
    std::shared_ptr<fw::MenuItem> EditCopy();
    std::shared_ptr<fw::MenuItem> EditCut();
    std::shared_ptr<fw::MenuItem> UntitledMenu1();
    std::shared_ptr<fw::MenuItem> EditUndo();
    std::shared_ptr<fw::MenuItem> FileMenu();
    std::shared_ptr<fw::AppleMenuItem> About();
    std::shared_ptr<fw::QuitMenuItem> FileQuit();

    void Event_Open() override;
    void Event_Resized() override;
    void Event_Resizing() override;

    // What the drawing model reads and writes of the window.
    bool CBpunkteValue() override;
    bool CBlinienValue() override;
    bool CBachsenValue() override;
    void SetEFzoomText(const std::string& text) override;
    void InvalidateCAhaupt() override;

private:
    template <typename T>
    std::shared_ptr<T> MenuItemNamed(const std::string& name) const;
};

// Registers the class and its three events, and gives the drawing model its
// way to the window (the getter below, at every use). Later calls change
// nothing.
void InitClass();

// The main window, built and opened when there is none. Called from the
// window's own Open event it answers the window under construction. C++ has
// no function of its class's name, so it is spelled Instance.
std::shared_ptr<WINhaupt> Instance();

}  // namespace WINhaupt
