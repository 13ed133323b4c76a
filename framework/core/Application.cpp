#include "framework/core/Application.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QTranslator>

#include "framework/core/MainThread_p.h"
#include "framework/menus/MenuItem.h"
#include "framework/painting/Picture.h"

namespace fw {

namespace {

#ifdef Q_OS_MACOS
constexpr bool kKeepsRunningWithoutWindows = true;
#else
constexpr bool kKeepsRunningWithoutWindows = false;
#endif

ApplicationPtr& AppObject() {
    static ApplicationPtr app;
    return app;
}

// The Qt application RuntimeInit made; nullptr when the caller brought one.
QApplication* gOwnApplication = nullptr;
int gExitStatus = 0;
QPointer<QTranslator> gQtTexts;

// Qt's own texts (the open dialog, standard buttons) in the user's language,
// from the translations installed with Qt; English where there are none.
void LoadQtTexts() {
    delete gQtTexts;  // leaves the application it was installed in
    auto* texts = new QTranslator(QCoreApplication::instance());
    if (texts->load(QLocale(), "qt", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(texts);
        gQtTexts = texts;
    } else {
        delete texts;
    }
}

}  // namespace

// Where the platform has one menu bar for the whole application, it shows
// the application's bar also while no window is open.
struct Application::NativeBar {
    QMenuBar bar;
};

Application::Application() { CheckMainThread(); }

bool Application::IsEventImplemented(const std::string&) { return false; }

void Application::SetVersionData(std::int64_t major, std::int64_t minor, std::int64_t bug, std::int64_t nonRelease,
                                 std::int64_t stage, const std::string&, const std::string&, const std::string&) {
    CheckMainThread();
    major_ = major, minor_ = minor, bug_ = bug, nonRelease_ = nonRelease, stage_ = stage;
    if (QCoreApplication::instance()) {
        QCoreApplication::setApplicationVersion(QString("%1.%2.%3").arg(major).arg(minor).arg(bug));
    }
}

std::shared_ptr<fw::MenuBar> Application::MenuBar() const {
    CheckMainThread();
    return menuBar_;
}

void Application::SetMenuBar(const std::shared_ptr<fw::MenuBar>& bar) {
    CheckMainThread();
    menuBar_ = bar;
#ifdef Q_OS_MACOS
    nativeBar_.reset();
    if (bar) {
        nativeBar_ = std::make_shared<NativeBar>();
        bar->Fill(nativeBar_->bar);
    }
#endif
}

void Application::AddMenuHandler(const std::string& name, std::function<bool()> handler) {
    CheckMainThread();
    menuHandlers_[name] = std::move(handler);
    RefreshMenuItems();
}

bool Application::HasMenuHandler(const std::string& name) const {
    auto it = menuHandlers_.find(name);
    return it != menuHandlers_.end() && it->second;
}

bool Application::RunMenuHandler(const std::string& name) {
    CheckMainThread();
    auto it = menuHandlers_.find(name);
    if (it == menuHandlers_.end() || !it->second) return false;
    auto handler = it->second;  // the handler may replace itself
    handler();
    return true;
}

void Application::SetSupportsHiDPI(bool value) {
    CheckMainThread();
    double ratio = 1.0;
    if (value) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) ratio = screen->devicePixelRatio();
    }
    Picture::SetDevicePixelRatio(ratio);
}

void Application::SetName(const std::string& name) {
    CheckMainThread();
    QCoreApplication::setApplicationName(QString::fromStdString(name));
}

void Application::Quit() {
    CheckMainThread();
    QCoreApplication::quit();
}

void RuntimeRegisterAppObject(const ApplicationPtr& app) {
    CheckMainThread();
    if (!app) throw NilObjectException();
    AppObject() = app;
}

ApplicationPtr GetAppObject() { return AppObject(); }

void RuntimeInit(int& argc, char** argv) {
    gExitStatus = 0;
    if (!QCoreApplication::instance()) gOwnApplication = new QApplication(argc, argv);
    CheckMainThread();
    LoadQtTexts();
    QGuiApplication::setQuitOnLastWindowClosed(!kKeepsRunningWithoutWindows);
}

void RunFrameworkInitialization(const std::function<void()>& callback) {
    CheckMainThread();
    if (!QCoreApplication::instance()) throw RuntimeException("Die Laufzeit ist nicht eingerichtet.");
    // Linux ends the program with its last window; macOS keeps the menu bar.
    QGuiApplication::setQuitOnLastWindowClosed(!kKeepsRunningWithoutWindows);
    if (callback) callback();
}

void InitPluginEntrypoints() { CheckMainThread(); }

int RuntimeRun() {
    CheckMainThread();
    if (!QCoreApplication::instance()) throw RuntimeException("Die Laufzeit ist nicht eingerichtet.");
    gExitStatus = QApplication::exec();
    return gExitStatus;
}

void RuntimePerformFinalizers() {
    delete gOwnApplication;
    gOwnApplication = nullptr;
}

int RuntimeExit() { return gExitStatus; }

}  // namespace fw
