#include "framework/widgets/Control.h"

#include <QApplication>
#include <QFont>
#include <QWidget>

#include <algorithm>
#include <cmath>

#include "framework/core/MainThread_p.h"
#include "framework/widgets/Window.h"

namespace fw {

// ---- Control ----

void Control::SetProperty(const std::string& name, const PropertyValue& value) {
    CheckMainThread();
    if (name == "Name") {
        // The name the window registered it under stays the one it is found by.
        if (name_.empty()) name_ = AsString(name, value);
    } else if (name == "Index") {
        index_ = AsInteger(name, value);
    } else {
        UnknownProperty(name);
    }
}

std::shared_ptr<fw::Window> Control::Window() const { return window_.lock(); }

fw::Window* Control::OwnerWindow() const { return window_.lock().get(); }

void Control::AttachTo(fw::Window& window, const std::string& name) {
    window_ = std::static_pointer_cast<fw::Window>(window.shared_from_this());
    name_ = name;
}

// ---- RectControl ----

RectControl::RectControl(QWidget* widget) : widget_(widget) {
    CheckMainThread();
    base_ = current_ = Box{0, 0, widget->width(), widget->height()};
}

RectControl::~RectControl() {
    // The widget may outlive this object until its window deletes it.
    if (!QtAlive()) return;
    if (widget_) widget_->disconnect();
    // A widget that never got a window has no parent to delete it.
    if (widget_ && !widget_->parent()) widget_->deleteLater();
}

void RectControl::AttachTo(fw::Window& window, const std::string& name) {
    Control::AttachTo(window, name);
    widget_->setParent(window.ContentWidget());
    container_ = nullptr;
    Rebase();
    Relayout();
    widget_->setVisible(visible_);
}

std::int64_t RectControl::ContainerLeft() const { return container_ ? container_->Left() : 0; }
std::int64_t RectControl::ContainerTop() const { return container_ ? container_->Top() : 0; }

std::int64_t RectControl::ContainerWidth() const {
    if (container_) return container_->current_.width;
    auto* w = OwnerWindow();
    return w ? w->Width() : 0;
}

std::int64_t RectControl::ContainerHeight() const {
    if (container_) return container_->current_.height;
    auto* w = OwnerWindow();
    return w ? w->Height() : 0;
}

std::int64_t RectControl::Left() const {
    CheckMainThread();
    return ContainerLeft() + current_.left;
}
std::int64_t RectControl::Top() const {
    CheckMainThread();
    return ContainerTop() + current_.top;
}
std::int64_t RectControl::Width() const {
    CheckMainThread();
    return current_.width;
}
std::int64_t RectControl::Height() const {
    CheckMainThread();
    return current_.height;
}

void RectControl::Rebase() {
    base_ = current_;
    baseContainerWidth_ = ContainerWidth();
    baseContainerHeight_ = ContainerHeight();
}

void RectControl::Relayout() {
    const std::int64_t dw = ContainerWidth() - baseContainerWidth_;
    const std::int64_t dh = ContainerHeight() - baseContainerHeight_;
    Box b = base_;
    if (lockRight_) {
        if (lockLeft_)
            b.width += dw;
        else
            b.left += dw;
    }
    if (lockBottom_) {
        if (lockTop_)
            b.height += dh;
        else
            b.top += dh;
    }
    b.width = std::max<std::int64_t>(b.width, 0);
    b.height = std::max<std::int64_t>(b.height, 0);
    current_ = b;
    if (widget_) {
        auto clampInt = [](std::int64_t v) { return int(std::clamp<std::int64_t>(v, -1000000, 1000000)); };
        widget_->setGeometry(clampInt(b.left), clampInt(b.top), clampInt(b.width), clampInt(b.height));
    }
    // Controls inside this one follow it.
    if (auto* w = OwnerWindow()) w->RelayoutInside(this);
}

void RectControl::SetLeft(std::int64_t value) {
    CheckMainThread();
    Rebase();
    base_.left = value - ContainerLeft();
    Relayout();
}

void RectControl::SetTop(std::int64_t value) {
    CheckMainThread();
    Rebase();
    base_.top = value - ContainerTop();
    Relayout();
}

void RectControl::SetWidth(std::int64_t value) {
    CheckMainThread();
    Rebase();
    base_.width = value;
    Relayout();
}

void RectControl::SetHeight(std::int64_t value) {
    CheckMainThread();
    Rebase();
    base_.height = value;
    Relayout();
}

void RectControl::SetLockLeft(bool value) {
    CheckMainThread();
    Rebase();
    lockLeft_ = value;
}
void RectControl::SetLockTop(bool value) {
    CheckMainThread();
    Rebase();
    lockTop_ = value;
}
void RectControl::SetLockRight(bool value) {
    CheckMainThread();
    Rebase();
    lockRight_ = value;
}
void RectControl::SetLockBottom(bool value) {
    CheckMainThread();
    Rebase();
    lockBottom_ = value;
}

void RectControl::SetContainer(RectControl* container) {
    const std::int64_t left = Left(), top = Top();
    container_ = container;
    if (widget_) {
        QWidget* parent = container ? container->Widget() : nullptr;
        if (!parent) {
            auto* w = OwnerWindow();
            parent = w ? w->ContentWidget() : nullptr;
        }
        widget_->setParent(parent);
    }
    current_.left = left - ContainerLeft();
    current_.top = top - ContainerTop();
    Rebase();
    Relayout();
    if (widget_) widget_->setVisible(visible_);
}

std::string RectControl::InitialParent() const { return container_ ? container_->Name() : std::string(); }

void RectControl::SetEnabled(bool value) {
    CheckMainThread();
    enabled_ = value;
    if (widget_) widget_->setEnabled(value);
}

void RectControl::SetVisible(bool value) {
    CheckMainThread();
    visible_ = value;
    if (widget_ && widget_->parent()) widget_->setVisible(value);
}

void RectControl::SetTabIndex(std::int64_t value) {
    CheckMainThread();
    tabIndex_ = value;
    if (auto* w = OwnerWindow()) w->UpdateTabOrder();
}

void RectControl::SetTooltip(const std::string& value) {
    CheckMainThread();
    tooltip_ = value;
    if (widget_) widget_->setToolTip(QString::fromStdString(value));
}

void RectControl::Invalidate(bool) {
    CheckMainThread();
    if (widget_) widget_->update();
}

void RectControl::ApplyFont() {
    if (!widget_) return;
    QFont font = QApplication::font(widget_);
    if (fontName_ != "System" && !fontName_.empty()) font.setFamily(QString::fromStdString(fontName_));
    // Sizes are in the layout's points, the unit of every position and
    // size, so text keeps the proportions of the boxes it was laid out for.
    if (fontSize_ > 0) font.setPixelSize(std::max(1, int(std::lround(fontSize_))));
    font.setBold(bold_);
    font.setItalic(italic_);
    font.setUnderline(underline_);
    widget_->setFont(font);
}

bool RectControl::SetFontProperty(const std::string& name, const PropertyValue& value) {
    if (name == "FontName")
        fontName_ = AsString(name, value);
    else if (name == "FontSize")
        fontSize_ = AsSingle(name, value);
    else if (name == "FontUnit")
        AsByte(name, value);
    else if (name == "Bold")
        bold_ = AsBool(name, value);
    else if (name == "Italic")
        italic_ = AsBool(name, value);
    else if (name == "Underline")
        underline_ = AsBool(name, value);
    else
        return false;
    ApplyFont();
    return true;
}

void RectControl::SetProperty(const std::string& name, const PropertyValue& value) {
    CheckMainThread();
    if (name == "Left")
        SetLeft(AsInteger(name, value));
    else if (name == "Top")
        SetTop(AsInteger(name, value));
    else if (name == "Width")
        SetWidth(AsInteger(name, value));
    else if (name == "Height")
        SetHeight(AsInteger(name, value));
    else if (name == "LockLeft")
        SetLockLeft(AsBool(name, value));
    else if (name == "LockTop")
        SetLockTop(AsBool(name, value));
    else if (name == "LockRight")
        SetLockRight(AsBool(name, value));
    else if (name == "LockBottom")
        SetLockBottom(AsBool(name, value));
    else if (name == "Enabled")
        SetEnabled(AsBool(name, value));
    else if (name == "Visible")
        SetVisible(AsBool(name, value));
    else if (name == "TabIndex")
        SetTabIndex(AsInteger(name, value));
    else if (name == "Tooltip")
        SetTooltip(AsString(name, value));
    else if (name == "TabPanelIndex")
        AsInteger(name, value);
    else if (name == "TabStop" || name == "AllowAutoDeactivate" || name == "Transparent")
        AsBool(name, value);
    else if (name == "InitialParent") {
        const std::string& parent = AsString(name, value);
        if (parent.empty()) {
            SetContainer(nullptr);
            return;
        }
        auto* w = OwnerWindow();
        auto found = w ? std::dynamic_pointer_cast<RectControl>(w->ControlByName(parent)) : nullptr;
        bool cycle = false;
        for (RectControl* c = found.get(); c; c = c->container_) cycle = cycle || c == this;
        if (!found || cycle) {
            throw UnsupportedFormatException("Die Eigenschaft „InitialParent“ nennt „" + parent +
                                             "“, das es im Fenster nicht gibt.");
        }
        SetContainer(found.get());
    } else {
        Control::SetProperty(name, value);
    }
}

}  // namespace fw
