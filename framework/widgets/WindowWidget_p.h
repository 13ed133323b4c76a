#pragma once
// The top-level Qt window behind a fw::Window: it tells its owner of a close
// and of a size that has settled, and Return presses the default button.
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMainWindow>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cstdint>

#include "framework/widgets/Window.h"

namespace fw {

// How long the size must stay unchanged before Resized.
inline constexpr int kSettleMs = 150;

inline int ToWidgetSize(std::int64_t v) { return int(std::clamp<std::int64_t>(v, 0, QWIDGETSIZE_MAX)); }

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

}  // namespace fw
