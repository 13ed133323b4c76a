#pragma once
// Controls: what a window holds under a name. RectControl is a control with
// a place on the window; its Left and Top are window coordinates even when
// it lies inside a group box.
#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <string>

#include "framework/core/Object.h"
#include "framework/painting/Color.h"

namespace fw {

class Window;

class Control : public Object {
public:
    // The Index of a control that belongs to no control array.
    static constexpr std::int64_t kNoControlArray = -2147483648LL;

    std::string FrameworkClassName() const override { return "Control"; }
    void SetProperty(const std::string& name, const PropertyValue& value) override;

    const std::string& Name() const { return name_; }
    std::int64_t Index() const { return index_; }
    // The window the control was added to; nullptr when none or gone.
    std::shared_ptr<fw::Window> Window() const;

protected:
    friend class fw::Window;
    // Called once, when the window registers the control.
    virtual void AttachTo(fw::Window& window, const std::string& name);
    // Called when the window closes.
    virtual void Detach() {}
    fw::Window* OwnerWindow() const;

private:
    std::string name_;
    std::int64_t index_ = kNoControlArray;
    std::weak_ptr<fw::Window> window_;
};

using ControlPtr = std::shared_ptr<Control>;

class RectControl : public Control {
public:
    ~RectControl() override;
    std::string FrameworkClassName() const override { return "RectControl"; }
    void SetProperty(const std::string& name, const PropertyValue& value) override;

    // Window coordinates.
    std::int64_t Left() const;
    std::int64_t Top() const;
    std::int64_t Width() const;
    std::int64_t Height() const;
    void SetLeft(std::int64_t value);
    void SetTop(std::int64_t value);
    void SetWidth(std::int64_t value);
    void SetHeight(std::int64_t value);

    // A control locked on both sides of an axis grows with its container
    // along it; locked on the far side only, it moves with that side.
    bool LockLeft() const { return lockLeft_; }
    bool LockTop() const { return lockTop_; }
    bool LockRight() const { return lockRight_; }
    bool LockBottom() const { return lockBottom_; }
    void SetLockLeft(bool value);
    void SetLockTop(bool value);
    void SetLockRight(bool value);
    void SetLockBottom(bool value);

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    std::int64_t TabIndex() const { return tabIndex_; }
    void SetTabIndex(std::int64_t value);
    const std::string& Tooltip() const { return tooltip_; }
    void SetTooltip(const std::string& value);
    // The name of the containing control; "" for the window.
    std::string InitialParent() const;

    // Asks for a later Paint of the whole control.
    void Invalidate(bool eraseBackground = true);

    // Framework-internal and tests: the Qt widget behind the control.
    QWidget* Widget() const { return widget_.data(); }

protected:
    explicit RectControl(QWidget* widget);
    void AttachTo(fw::Window& window, const std::string& name) override;
    // Font entries; false when the name is no font entry.
    bool SetFontProperty(const std::string& name, const PropertyValue& value);

private:
    friend class fw::Window;
    struct Box {
        std::int64_t left = 0, top = 0, width = 0, height = 0;
    };
    // Left and top of the container's content in window coordinates.
    std::int64_t ContainerLeft() const;
    std::int64_t ContainerTop() const;
    // Current size of the container.
    std::int64_t ContainerWidth() const;
    std::int64_t ContainerHeight() const;
    // The current box becomes the base the locks measure from.
    void Rebase();
    // Places the control for its container's current size.
    void Relayout();
    void SetContainer(RectControl* container);
    void ApplyFont();

    QPointer<QWidget> widget_;
    RectControl* container_ = nullptr;  // a control of the same window, or the window
    Box base_;                          // in container coordinates
    std::int64_t baseContainerWidth_ = 0, baseContainerHeight_ = 0;
    Box current_;
    bool lockLeft_ = false, lockTop_ = false, lockRight_ = false, lockBottom_ = false;
    bool enabled_ = true, visible_ = true;
    std::int64_t tabIndex_ = 0;
    std::string tooltip_;
    std::string fontName_ = "System";
    float fontSize_ = 0;
    bool bold_ = false, italic_ = false, underline_ = false;
};

}  // namespace fw
