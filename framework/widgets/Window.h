#pragma once
// A top-level window whose content area has the size its record gives; the
// menu bar, where the platform puts it inside the window, comes on top.
//
// Construction (Constructor): the window becomes its class's implicit
// instance, then Layout, CreateControls, Open, and it shows when Visible.
// Events go to the program only where IsEventImplemented says so, and no
// Resizing or Resized comes before the controls exist.
//
//   class WIdemo : public fw::Window {
//   public:
//       WIdemo() : fw::Window("WIdemo.WIdemo") {}
//       void Layout() override { fw::SetProperties(*this, kRecord.bytes()); }
//       void CreateControls() override {
//           AddControl("OK", New<fw::PushButton>());
//           auto ok = fw::Cast<fw::PushButton>(ControlByName("OK"));
//           fw::SetProperties(*ok, kOkRecord.bytes());
//           ok->Action.Bind(SelfAs<WIdemo>(), &WIdemo::OK_Action);
//       }
//       bool IsEventImplemented(const std::string& name) override {
//           return fw::RuntimeIsEventHandled(*this, "WIdemo.WIdemo", name, true);
//       }
//       void OK_Action(std::shared_ptr<fw::PushButton>) { Close(); }
//   };
//   auto w = std::make_shared<WIdemo>();  // then w->Constructor()
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/MainThread_p.h"
#include "framework/core/Object.h"
#include "framework/painting/Color.h"
#include "framework/widgets/Control.h"

class QWidget;

namespace fw {

class MenuBar;
class WindowWidget;

class Window : public Object {
public:
    // className is the key of the implicit instance and of the class's
    // registered events ("WINhaupt.WINhaupt").
    explicit Window(std::string className);
    ~Window() override;
    std::string FrameworkClassName() const override { return "Window"; }
    void SetProperty(const std::string& name, const PropertyValue& value) override;

    const std::string& ClassName() const { return className_; }

    // Builds the window. An exception from a hook or from Open leaves no
    // window behind and passes on.
    void Constructor();

    // Construction hooks and events of the program's class.
    virtual void Layout() {}
    virtual void CreateControls() {}
    virtual bool IsEventImplemented(const std::string& name);
    virtual void Event_Open() {}
    virtual void Event_Resizing() {}
    virtual void Event_Resized() {}

    // Modeless show; a minimised window is restored, and the window comes
    // to the front.
    void Show();
    // Closes the window; it stops being its class's implicit instance.
    void Close();
    bool IsClosed() const { return closed_; }

    std::shared_ptr<fw::MenuBar> MenuBar() const {
        CheckMainThread();
        return menuBar_;
    }
    void SetMenuBar(const std::shared_ptr<fw::MenuBar>& bar);

    // A new control, not yet added to any window.
    template <typename T>
    std::shared_ptr<T> New() {
        CheckMainThread();
        return std::make_shared<T>();
    }
    // Registers the control under name. nil raises NilObjectException; a name
    // already taken raises RuntimeException.
    void AddControl(const std::string& name, const ControlPtr& control);
    // The control of that name; nullptr when none.
    ControlPtr ControlByName(const std::string& name) const;
    std::int64_t ControlCount() const { return std::int64_t(controls_.size()); }
    ControlPtr ControlAt(std::int64_t index) const;

    // The content area.
    std::int64_t Width() const {
        CheckMainThread();
        return width_;
    }
    std::int64_t Height() const {
        CheckMainThread();
        return height_;
    }
    void SetWidth(std::int64_t value);
    void SetHeight(std::int64_t value);
    std::int64_t MinimumWidth() const { return minWidth_; }
    std::int64_t MinimumHeight() const { return minHeight_; }
    std::int64_t MaximumWidth() const { return maxWidth_; }
    std::int64_t MaximumHeight() const { return maxHeight_; }
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    bool Resizeable() const { return resizeable_; }
    bool HasCloseButton() const { return hasClose_; }
    bool HasMinimizeButton() const { return hasMinimize_; }
    bool HasMaximizeButton() const { return hasMaximize_; }
    bool HasFullScreenButton() const { return hasFullScreen_; }
    bool HasBackgroundColor() const { return hasBackground_; }
    Color BackgroundColor() const { return background_; }

    // Framework-internal and tests.
    QWidget* Widget() const;         // the top-level Qt window
    QWidget* ContentWidget() const;  // the content area, parent of the controls
    void RelayoutInside(RectControl* container);
    void UpdateTabOrder();
    void ContentResized(std::int64_t width, std::int64_t height);
    void SizeSettled();
    void HandleClosed();

private:
    void ApplySize();
    void ApplyFlags();
    void ApplyBackground();
    void RelayoutAll();
    void Forget();

    std::string className_;
    WindowWidget* widget_ = nullptr;
    QWidget* content_ = nullptr;
    std::shared_ptr<fw::MenuBar> menuBar_;
    std::vector<std::pair<std::string, ControlPtr>> controls_;

    std::int64_t width_ = 100, height_ = 100;
    std::int64_t minWidth_ = 64, minHeight_ = 64, maxWidth_ = 32000, maxHeight_ = 32000;
    std::string title_;
    bool visible_ = false, resizeable_ = true, fullScreen_ = false, menuBarVisible_ = true;
    bool hasClose_ = true, hasMinimize_ = true, hasMaximize_ = true, hasFullScreen_ = false;
    bool hasBackground_ = false;
    Color background_ = RGB(255, 255, 255);
    bool constructed_ = false, closed_ = false, shownOnce_ = false;
};

using WindowPtr = std::shared_ptr<Window>;

// The implicit instance of the class; nullptr when none is open.
WindowPtr GetImplicitWindow(const std::string& className);

}  // namespace fw
