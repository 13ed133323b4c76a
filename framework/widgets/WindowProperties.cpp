// A window's record entries: its size and limits, title, frame buttons and
// background.
#include <QMenuBar>
#include <QPalette>

#include <algorithm>

#include "framework/painting/GraphicsQt_p.h"
#include "framework/widgets/Window.h"
#include "framework/widgets/WindowWidget_p.h"

namespace fw {

void Window::SetWidth(std::int64_t value) {
    CheckMainThread();
    width_ = std::max<std::int64_t>(value, 1);
    ApplySize();
    RelayoutAll();
}

void Window::SetHeight(std::int64_t value) {
    CheckMainThread();
    height_ = std::max<std::int64_t>(value, 1);
    ApplySize();
    RelayoutAll();
}

void Window::SetTitle(const std::string& value) {
    CheckMainThread();
    title_ = value;
    widget_->setWindowTitle(QString::fromStdString(value));
}

void Window::ApplySize() {
    int menuHeight = 0;
    if (QMenuBar* bar = qobject_cast<QMenuBar*>(widget_->menuWidget());
        bar && menuBarVisible_ && !bar->isNativeMenuBar()) {
        const int hfw = bar->heightForWidth(ToWidgetSize(width_));
        menuHeight = hfw > 0 ? hfw : bar->sizeHint().height();
    }
    const int w = ToWidgetSize(width_), h = ToWidgetSize(height_);
    if (resizeable_) {
        widget_->setMinimumSize(ToWidgetSize(minWidth_), ToWidgetSize(minHeight_ + menuHeight));
        widget_->setMaximumSize(ToWidgetSize(maxWidth_), ToWidgetSize(maxHeight_ + menuHeight));
        widget_->resize(w, h + menuHeight);
    } else {
        widget_->setFixedSize(w, h + menuHeight);
    }
}

void Window::ApplyFlags() {
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (hasClose_) flags |= Qt::WindowCloseButtonHint;
    if (hasMinimize_) flags |= Qt::WindowMinimizeButtonHint;
    if (hasMaximize_ && resizeable_) flags |= Qt::WindowMaximizeButtonHint;
    if (hasFullScreen_ && resizeable_) flags |= Qt::WindowFullscreenButtonHint;
    const bool wasVisible = widget_->isVisible();
    widget_->setWindowFlags(flags);
    if (wasVisible) widget_->show();
}

void Window::ApplyBackground() {
    content_->setAutoFillBackground(hasBackground_);
    if (hasBackground_) {
        QPalette palette = content_->palette();
        palette.setColor(QPalette::Window, ToQColor(background_));
        content_->setPalette(palette);
    }
}

void Window::SetProperty(const std::string& name, const PropertyValue& value) {
    CheckMainThread();
    if (name == "Width")
        SetWidth(AsInteger(name, value));
    else if (name == "Height")
        SetHeight(AsInteger(name, value));
    else if (name == "MinimumWidth")
        minWidth_ = AsInteger(name, value), ApplySize();
    else if (name == "MinimumHeight")
        minHeight_ = AsInteger(name, value), ApplySize();
    else if (name == "MaximumWidth")
        maxWidth_ = AsInteger(name, value), ApplySize();
    else if (name == "MaximumHeight")
        maxHeight_ = AsInteger(name, value), ApplySize();
    else if (name == "Title")
        SetTitle(AsString(name, value));
    else if (name == "HasCloseButton")
        hasClose_ = AsBool(name, value), ApplyFlags();
    else if (name == "HasMaximizeButton")
        hasMaximize_ = AsBool(name, value), ApplyFlags();
    else if (name == "HasMinimizeButton")
        hasMinimize_ = AsBool(name, value), ApplyFlags();
    else if (name == "HasFullScreenButton")
        hasFullScreen_ = AsBool(name, value), ApplyFlags();
    else if (name == "Resizeable")
        resizeable_ = AsBool(name, value), ApplyFlags(), ApplySize();
    else if (name == "FullScreen")
        fullScreen_ = AsBool(name, value);
    else if (name == "Visible") {
        // During construction the window shows only once it is built.
        if (constructed_)
            SetVisible(AsBool(name, value));
        else
            visible_ = AsBool(name, value);
    } else if (name == "HasBackgroundColor")
        hasBackground_ = AsBool(name, value), ApplyBackground();
    else if (name == "BackgroundColor")
        background_ = AsColor(name, value), ApplyBackground();
    else if (name == "MenuBarVisible") {
        menuBarVisible_ = AsBool(name, value);
        if (QWidget* bar = widget_->menuWidget()) bar->setVisible(menuBarVisible_);
        ApplySize();
    } else if (name == "Type" || name == "MacProcID" || name == "DefaultLocation")
        AsInteger(name, value);
    else if (name == "Composite" || name == "LiveResize")
        AsBool(name, value);
    else
        UnknownProperty(name);
}

}  // namespace fw
