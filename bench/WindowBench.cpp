// The main window as a person meets it: start-up to the first painted frame,
// and a drag on the dense drawing to the repainted canvas at the screen's
// device pixel ratio (dpr; QT_SCALE_FACTOR=2 gives 2 on the offscreen
// platform too).
#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <sstream>
#include <string>
#include <unordered_set>

#include "app/Startup.h"
#include "app/WINhaupt.h"
#include "framework/core/Application.h"
#include "framework/core/EventBoundary.h"
#include "model/Module1.h"
#include "tests/support/Scenes.h"

namespace {

constexpr int kGiveUpMs = 10000;

// Notes every widget that receives a paint event. Painting is done by the
// time the event that caused it has been processed.
class PaintWatch : public QObject {
public:
    PaintWatch() { qApp->installEventFilter(this); }
    ~PaintWatch() override { qApp->removeEventFilter(this); }

    void Clear() { painted_.clear(); }
    bool Painted(const QObject* widget) const { return painted_.count(widget) > 0; }

    // Runs events until the widget has painted; false when it never does.
    bool WaitFor(const QWidget* widget) {
        QElapsedTimer clock;
        clock.start();
        while (!Painted(widget)) {
            if (clock.elapsed() > kGiveUpMs) return false;
            QApplication::processEvents();
        }
        return true;
    }

    // Ends the running event loop as soon as the widget has painted.
    void QuitWhenPainted(const QWidget* widget) { quitOn_ = widget; }

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted_.insert(object);
            if (object == quitOn_) {
                quitOn_ = nullptr;
                QCoreApplication::exit(0);
            }
        }
        return false;
    }

private:
    std::unordered_set<const QObject*> painted_;
    const QObject* quitOn_ = nullptr;
};

// Closes the main window and lets Qt delete what it deletes later, so no
// window outlives its iteration.
void CloseMainWindow() {
    if (auto open = fw::GetImplicitWindow(WINhaupt::kClassName)) open->Close();
    QGuiApplication::setQuitOnLastWindowClosed(false);
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The offscreen platform says at every opened window that it cannot raise
// it; everything else still gets through.
class QuietAboutRaise {
public:
    QuietAboutRaise() { passOn_ = qInstallMessageHandler(Handle); }
    ~QuietAboutRaise() { qInstallMessageHandler(passOn_); }

private:
    static void Handle(QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (message.startsWith(QLatin1String("This plugin does not support raise()"))) return;
        // Qt hands back its own default handler when none was set.
        if (passOn_) passOn_(type, context, message);
    }
    static inline QtMessageHandler passOn_ = nullptr;
};

void Restore() {
    CloseMainWindow();
    startupWatch = nullptr;
    fw::SetExceptionReporter(nullptr);
    Module1::SetHauptGetter(nullptr);
    Module1::RunInitializers();
}

// The program's own start-up, event loop included, which ends once the
// canvas has painted its first frame.
void BM_StartupToFirstFrame(benchmark::State& state) {
    QuietAboutRaise quiet;
    PaintWatch watch;
    std::string failure;
    fw::SetExceptionReporter([&failure](const std::string& text) { failure = text; });
    QTimer giveUp;
    giveUp.setSingleShot(true);
    giveUp.setInterval(kGiveUpMs);
    QObject::connect(&giveUp, &QTimer::timeout, [&failure] {
        failure = "the canvas never painted";
        QCoreApplication::exit(1);
    });
    startupWatch = [&](const std::string& step) {
        if (step != "RuntimeRun") return;
        watch.QuitWhenPainted(WINhaupt::Instance()->CAhaupt()->Widget());
        giveUp.start();
    };
    int argc = 1;
    char name[] = "kzp-viewer";
    char* argv[] = {name, nullptr};
    for (auto _ : state) {
        fw::RuntimeInit(argc, argv);
        PerformInitializers();
        const bool ran = Main();
        giveUp.stop();
        state.PauseTiming();
        CloseMainWindow();
        state.ResumeTiming();
        if (!ran || !failure.empty()) {
            state.SkipWithError(("start-up failed: " + failure).c_str());
            break;
        }
    }
    Restore();
}
BENCHMARK(BM_StartupToFirstFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

void SendMouse(QWidget* canvas, QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, at, canvas->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(canvas, &event);
}

// One step of a drag on the dense drawing, from the mouse event to the
// canvas painted anew, with the canvas at 1600 x 1200 points.
void BM_DragToRepaintDense1600x1200(benchmark::State& state) {
    constexpr int kWidth = 1600, kHeight = 1200;
    QuietAboutRaise quiet;
    PaintWatch watch;
    QGuiApplication::setQuitOnLastWindowClosed(false);
    // As start-up does: pictures at the screen's ratio.
    fw::Application::SetSupportsHiDPI(true);
    Module1::RunInitializers();
    auto window = WINhaupt::Instance();
    // Its one redraw would fall into some iteration.
    window->Timer1()->SetEnabled(false);
    QWidget* canvas = window->CAhaupt()->Widget();
    QWidget* top = window->Widget();
    top->resize(top->width() + kWidth - canvas->width(), top->height() + kHeight - canvas->height());
    QApplication::processEvents();
    // Resized makes one more picture once the size has settled.
    const auto resizing = Module1::zebild;
    QElapsedTimer clock;
    clock.start();
    while (Module1::zebild == resizing && clock.elapsed() < kGiveUpMs) QApplication::processEvents();
    if (canvas->width() != kWidth || canvas->height() != kHeight || Module1::breite != kWidth ||
        Module1::hoehe != kHeight || Module1::zebild == resizing) {
        state.SkipWithError("the canvas did not take the size");
        Restore();
        return;
    }
    scenes::FillDense();
    Module1::zoomfaktor = kHeight / 9;
    Module1::origx = 20;
    Module1::origy = kHeight - 20;
    watch.Clear();
    Module1::zeichnen();
    watch.WaitFor(canvas);

    QPointF at(kWidth / 2.0, kHeight / 2.0);
    SendMouse(canvas, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    double step = 8;
    for (auto _ : state) {
        // Back and forth, so the drawing stays where it was.
        at.rx() += step;
        step = -step;
        watch.Clear();
        SendMouse(canvas, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
        if (!watch.WaitFor(canvas)) {
            state.SkipWithError("the canvas did not repaint");
            break;
        }
    }
    SendMouse(canvas, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    window.reset();
    Restore();
    fw::Application::SetSupportsHiDPI(false);
}

}  // namespace

// Registered at run time: the name carries the screen's ratio.
void RegisterWindowBenchmarks() {
    std::ostringstream name;
    name << "BM_DragToRepaintDense1600x1200/dpr:" << QGuiApplication::primaryScreen()->devicePixelRatio();
    benchmark::RegisterBenchmark(name.str().c_str(), BM_DragToRepaintDense1600x1200)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
}
