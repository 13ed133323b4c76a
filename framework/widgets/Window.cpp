#include "framework/widgets/Window.h"

#include <QCoreApplication>
#include <QMenuBar>

#include <algorithm>
#include <functional>

#include "framework/core/Application.h"
#include "framework/core/EventBoundary.h"
#include "framework/menus/MenuItem.h"
#include "framework/widgets/WindowWidget_p.h"

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

WindowPtr GetImplicitWindow(const std::string& className) {
    CheckMainThread();
    auto& windows = ImplicitWindows();
    auto it = windows.find(className);
    return it == windows.end() ? nullptr : it->second;
}

}  // namespace fw
