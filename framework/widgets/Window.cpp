#include "framework/widgets/Window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QPalette>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <functional>

#include "framework/core/Application.h"
#include "framework/core/EventBoundary.h"
#include "framework/menus/MenuItem.h"
#include "framework/painting/GraphicsQt_p.h"

namespace fw {

namespace {

std::map<std::string, WindowPtr>& ImplicitWindows() {
    static std::map<std::string, WindowPtr> windows;
    static const bool cleanup = [] {
        // Windows still open when the Qt application ends go with it.
        qAddPostRoutine([] { ImplicitWindows().clear(); });
        return true;
    }();
    (void)cleanup;
    return windows;
}

// How long the size must stay unchanged before Resized.
constexpr int kSettleMs = 150;

int ToWidgetSize(std::int64_t v) { return int(std::clamp<std::int64_t>(v, 0, QWIDGETSIZE_MAX)); }

class ContentArea final : public QWidget {
public:
    Window* owner = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        if (owner) owner->ContentResized(width(), height());
    }
};

}  // namespace

class WindowWidget final : public QMainWindow {
public:
    WindowWidget() {
        settle.setSingleShot(true);
        settle.setInterval(kSettleMs);
        QObject::connect(&settle, &QTimer::timeout, this, [this] {
            if (owner) owner->SizeSettled();
        });
    }
    Window* owner = nullptr;
    QTimer settle;

protected:
    void closeEvent(QCloseEvent* event) override {
        event->accept();
        if (owner) owner->HandleClosed();
    }
    // Return and Enter press the window's default button.
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            for (QPushButton* b : findChildren<QPushButton*>()) {
                if (b->isDefault() && b->isEnabled() && b->isVisible()) {
                    b->click();
                    return;
                }
            }
        }
        QMainWindow::keyPressEvent(event);
    }
};

Window::Window(std::string className) : className_(std::move(className)) {
    CheckMainThread();
    widget_ = new WindowWidget();
    widget_->owner = this;
    auto* content = new ContentArea();
    content->owner = this;
    content_ = content;
    widget_->setCentralWidget(content_);
    widget_->setAttribute(Qt::WA_DeleteOnClose, false);
    ApplyFlags();
    ApplySize();
}

Window::~Window() {
    if (widget_ && QtAlive()) {
        widget_->owner = nullptr;
        static_cast<ContentArea*>(content_)->owner = nullptr;
        widget_->settle.stop();
        widget_->hide();
        // Deleted later: this may run inside one of the widget's own events.
        if (QCoreApplication::closingDown())
            delete widget_;
        else
            widget_->deleteLater();
    }
}

QWidget* Window::Widget() const { return widget_; }
QWidget* Window::ContentWidget() const { return content_; }

bool Window::IsEventImplemented(const std::string&) { return false; }

void Window::Constructor() {
    CheckMainThread();
    if (constructed_ || closed_) throw RuntimeException("Das Fenster „" + className_ + "“ ist schon gebaut.");
    WindowPtr self;
    try {
        self = std::static_pointer_cast<Window>(shared_from_this());
    } catch (const std::bad_weak_ptr&) {
        throw RuntimeException("Ein Fenster muss als geteiltes Objekt angelegt werden.");
    }
    auto& windows = ImplicitWindows();
    if (!windows.count(className_)) windows[className_] = self;
    try {
        Layout();
        CreateControls();
        constructed_ = true;
        RelayoutAll();
        UpdateTabOrder();
        if (IsEventImplemented("Open")) Event_Open();
    } catch (...) {
        // A half-built window must not stay the implicit instance.
        closed_ = true;
        Forget();
        for (auto& [name, control] : controls_) control->Detach();
        widget_->hide();
        throw;
    }
    if (visible_ && !closed_) Show();
}

void Window::Forget() {
    auto& windows = ImplicitWindows();
    auto it = windows.find(className_);
    if (it != windows.end() && it->second.get() == this) windows.erase(it);
}

void Window::Show() {
    CheckMainThread();
    if (closed_) throw RuntimeException("Das Fenster ist geschlossen.");
    visible_ = true;
    if (!constructed_) return;  // shown at the end of construction
    if (!shownOnce_) ApplySize();
    shownOnce_ = true;
    if (fullScreen_) {
        widget_->showFullScreen();
    } else {
        // A minimised window comes back as it was before.
        widget_->setWindowState(widget_->windowState() & ~Qt::WindowMinimized);
        widget_->show();
    }
    widget_->raise();
    widget_->activateWindow();
    // The application's menu shortcuts work from every window, also from one
    // without a bar and once the window whose bar showed them has gone.
    if (auto app = GetAppObject(); app && app->MenuBar()) app->MenuBar()->AddActionsTo(*widget_);
}

void Window::Close() {
    CheckMainThread();
    if (closed_) return;
    auto keep = shared_from_this();
    widget_->close();
    HandleClosed();
}

void Window::HandleClosed() {
    if (closed_) return;
    std::shared_ptr<Object> keep;
    try {
        keep = shared_from_this();
    } catch (const std::bad_weak_ptr&) {
    }
    closed_ = true;
    visible_ = false;
    widget_->settle.stop();
    for (auto& [name, control] : controls_) control->Detach();
    Forget();
}

void Window::SetVisible(bool value) {
    CheckMainThread();
    if (value) {
        Show();
    } else {
        visible_ = false;
        widget_->hide();
    }
}

void Window::SetMenuBar(const std::shared_ptr<fw::MenuBar>& bar) {
    CheckMainThread();
    menuBar_ = bar;
    if (bar) {
        auto* qbar = new QMenuBar();
        bar->Fill(*qbar);
        widget_->setMenuBar(qbar);
        qbar->setVisible(menuBarVisible_);
    } else if (QWidget* old = widget_->menuWidget()) {
        widget_->setMenuWidget(nullptr);
        old->deleteLater();
    }
    ApplySize();
}

void Window::AddControl(const std::string& name, const ControlPtr& control) {
    CheckMainThread();
    if (!control) throw NilObjectException();
    if (ControlByName(name)) throw RuntimeException("Ein Steuerelement „" + name + "“ gibt es im Fenster schon.");
    controls_.emplace_back(name, control);
    control->AttachTo(*this, name);
    if (constructed_) UpdateTabOrder();
}

ControlPtr Window::ControlByName(const std::string& name) const {
    CheckMainThread();
    for (const auto& [n, c] : controls_) {
        if (n == name) return c;
    }
    return nullptr;
}

ControlPtr Window::ControlAt(std::int64_t index) const {
    if (index < 0 || index >= ControlCount()) return nullptr;
    return controls_[std::size_t(index)].second;
}

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

void Window::RelayoutAll() { RelayoutInside(nullptr); }

void Window::RelayoutInside(RectControl* container) {
    for (auto& [name, control] : controls_) {
        auto* rc = dynamic_cast<RectControl*>(control.get());
        if (rc && rc->container_ == container) rc->Relayout();
    }
}

void Window::UpdateTabOrder() {
    std::vector<QWidget*> order;
    std::function<void(RectControl*)> visit = [&](RectControl* container) {
        std::vector<RectControl*> inside;
        for (auto& [name, control] : controls_) {
            auto* rc = dynamic_cast<RectControl*>(control.get());
            if (rc && rc->container_ == container) inside.push_back(rc);
        }
        std::stable_sort(inside.begin(), inside.end(),
                         [](RectControl* a, RectControl* b) { return a->TabIndex() < b->TabIndex(); });
        for (RectControl* rc : inside) {
            if (rc->Widget()) order.push_back(rc->Widget());
            visit(rc);
        }
    };
    visit(nullptr);
    for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

void Window::ContentResized(std::int64_t width, std::int64_t height) {
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    RelayoutAll();
    if (!constructed_ || closed_) return;
    CallGuarded([this] {
        if (IsEventImplemented("Resizing")) Event_Resizing();
    });
    if (widget_) widget_->settle.start();
}

void Window::SizeSettled() {
    if (!constructed_ || closed_) return;
    CallGuarded([this] {
        if (IsEventImplemented("Resized")) Event_Resized();
    });
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

WindowPtr GetImplicitWindow(const std::string& className) {
    CheckMainThread();
    auto& windows = ImplicitWindows();
    auto it = windows.find(className);
    return it == windows.end() ? nullptr : it->second;
}

}  // namespace fw
