#pragma once
#include <QApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "framework/core/ClassRegistry.h"
#include "framework/core/EventBoundary.h"
#include "framework/widgets/Window.h"

namespace uitest {

inline void Set(fw::Object& object, std::initializer_list<std::pair<const char*, fw::PropertyValue>> entries) {
    for (const auto& [name, value] : entries) object.SetProperty(name, value);
}

inline void SetWindowRecord(fw::Window& w, std::int64_t width, std::int64_t height, bool resizeable = true) {
    Set(w, {{"Width", width},
            {"Height", height},
            {"MinimumWidth", width},
            {"MinimumHeight", height},
            {"Resizeable", resizeable},
            {"Visible", true}});
}

template <typename T>
std::shared_ptr<T> Add(fw::Window& w, const std::string& name, std::int64_t left, std::int64_t top, std::int64_t width,
                       std::int64_t height, const std::string& parent = "") {
    auto c = w.New<T>();
    w.AddControl(name, c);
    Set(*c, {{"Left", left}, {"Top", top}, {"Width", width}, {"Height", height}, {"InitialParent", parent}});
    return c;
}

// A window whose hooks are given by the test; every hook and event is logged.
class LogWindow : public fw::Window {
public:
    static constexpr const char* kClass = "LogWindow.LogWindow";
    LogWindow() : fw::Window(kClass) { fw::RegisterClass(kClass, {"Open", "Resizing", "Resized"}); }

    std::function<void(LogWindow&)> layout, createControls, open;
    std::vector<std::string> log;

    void Layout() override { Hook("Layout", layout); }
    void CreateControls() override { Hook("CreateControls", createControls); }
    void Event_Open() override { Hook("Open", open); }
    void Event_Resizing() override { Hook("Resizing " + SizeText(), {}); }
    void Event_Resized() override { Hook("Resized " + SizeText(), {}); }
    bool IsEventImplemented(const std::string& name) override {
        return fw::RuntimeIsEventHandled(*this, kClass, name, true);
    }
    void Hook(const std::string& entry, const std::function<void(LogWindow&)>& hook) {
        log.push_back(entry);
        if (hook) hook(*this);
    }
    std::string SizeText() const { return std::to_string(Width()) + "x" + std::to_string(Height()); }

    long Count(const std::string& prefix) const {
        return std::count_if(log.begin(), log.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
    }
};

// Closes every implicit window a test left open and catches reports.
class UiTest : public ::testing::Test {
protected:
    void SetUp() override {
        QGuiApplication::setQuitOnLastWindowClosed(false);
        fw::SetExceptionReporter([this](const std::string& text) { reports.push_back(text); });
    }
    void TearDown() override {
        if (auto w = fw::GetImplicitWindow(LogWindow::kClass)) w->Close();
        fw::SetExceptionReporter(nullptr);
        QApplication::processEvents();
    }
    template <typename W = LogWindow>
    std::shared_ptr<W> Build(std::function<void(LogWindow&)> createControls = {}, std::int64_t width = 300,
                             std::int64_t height = 200) {
        auto w = std::make_shared<W>();
        w->layout = [width, height](LogWindow& self) { SetWindowRecord(self, width, height); };
        w->createControls = std::move(createControls);
        w->Constructor();
        return w;
    }
    std::vector<std::string> reports;
};

inline void SendMouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent e(type, QPointF(pos), w->mapToGlobal(QPointF(pos)), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// A wheel turn in Qt's eighths of a degree (120 a notch, positive away from the user).
inline bool SendWheel(QWidget* w, QPoint pos, QPoint angle) {
    QWheelEvent e(QPointF(pos), w->mapToGlobal(QPointF(pos)), QPoint(), angle, Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
    return e.isAccepted();
}

// What the screen shows of a widget at (x, y) once pending paints are done.
inline QColor ShownAt(QWidget* widget, int x, int y) {
    QApplication::processEvents();
    // At other pixel ratios the offscreen grab is cut short: paint afresh.
    if (const qreal r = widget->devicePixelRatio(); r != 1) {
        return widget->grab().toImage().pixelColor(int(x * r), int(y * r));
    }
    const QPoint at = widget->mapTo(widget->window(), QPoint(x, y));
    return widget->screen()->grabWindow(widget->window()->winId(), at.x(), at.y(), 1, 1).toImage().pixelColor(0, 0);
}

}  // namespace uitest
