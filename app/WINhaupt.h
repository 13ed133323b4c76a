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

// A timer that stands among the window's controls.
class wrapper_Timer1 : public fw::Timer {
public:
    std::string FrameworkClassName() const override { return "WINhaupt.wrapper_Timer1"; }
    virtual void SetWindow(const std::shared_ptr<fw::Window>& window);
    // nullptr when none was set or the window is gone.
    virtual std::shared_ptr<fw::Window> Window() const;
    virtual std::int64_t Index() const { return index_; }
    virtual void SetIndex(std::int64_t index) { index_ = index; }
    virtual void Constructor() {}

protected:
    // The window tells the timer where it stands when it registers it.
    void AttachTo(fw::Window& window, const std::string& name) override;

private:
    std::weak_ptr<fw::Window> window_;
    std::int64_t index_ = 0;
};

class WINhaupt : public fw::Window, public Module1::HauptView {
public:
    WINhaupt();
    std::string FrameworkClassName() const override { return kClassName; }

    void Layout() override;
    void CreateControls() override;
    virtual void CreateControls0();
    bool IsEventImplemented(const std::string& name) override;

    // Controls, in creation order.
    virtual std::shared_ptr<fw::GroupBox> GroupBox1();
    virtual std::shared_ptr<fw::CheckBox> CBpunkte();
    virtual std::shared_ptr<fw::CheckBox> CBlinien();
    virtual std::shared_ptr<fw::CheckBox> CBachsen();
    virtual std::shared_ptr<fw::GroupBox> GroupBox2();
    virtual std::shared_ptr<fw::PushButton> PushButton1();
    virtual std::shared_ptr<fw::UpDownArrows> UPDzoom();
    virtual std::shared_ptr<fw::Label> Label1();
    virtual std::shared_ptr<fw::TextField> EFzoom();
    virtual std::shared_ptr<fw::Canvas> CAhaupt();
    virtual std::shared_ptr<fw::PushButton> PushButton2();
    virtual std::shared_ptr<fw::Timer> Timer1();

    // Handlers, bound when the controls are made.
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
    virtual std::shared_ptr<fw::MenuItem> EditMenu();
    virtual std::shared_ptr<fw::MenuItem> EditSelectAll();
    virtual std::shared_ptr<fw::MenuItem> UntitledMenu0();
    virtual std::shared_ptr<fw::MenuItem> EditClear();
    virtual std::shared_ptr<fw::MenuItem> EditPaste();
    virtual std::shared_ptr<fw::MenuItem> EditCopy();
    virtual std::shared_ptr<fw::MenuItem> EditCut();
    virtual std::shared_ptr<fw::MenuItem> UntitledMenu1();
    virtual std::shared_ptr<fw::MenuItem> EditUndo();
    virtual std::shared_ptr<fw::MenuItem> FileMenu();
    virtual std::shared_ptr<fw::AppleMenuItem> About();
    virtual std::shared_ptr<fw::QuitMenuItem> FileQuit();

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
