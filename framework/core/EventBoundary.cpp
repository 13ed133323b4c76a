#include "framework/core/EventBoundary.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

#include "framework/core/Exceptions.h"

namespace fw {

namespace {

std::function<void(const std::string&)>& Reporter() {
    static std::function<void(const std::string&)> reporter;
    return reporter;
}

void Report(const std::string& text) {
    if (Reporter()) {
        Reporter()(text);
        return;
    }
    if (!QApplication::instance()) {
        // No application to show a box: at least the terminal hears of it.
        std::fprintf(stderr, "%s\n", text.c_str());
        return;
    }
    // The box carries the title of the window the user was working in.
    QWidget* active = QApplication::activeWindow();
    const QString title = active ? active->window()->windowTitle() : QApplication::applicationDisplayName();
    QMessageBox box(QMessageBox::Warning, title, QString::fromStdString(text), QMessageBox::Ok, active);
    box.exec();
}

}  // namespace

std::string ExceptionReportText(const std::exception& e) {
    // A file that cannot be read or is refused is for the user to fix, not a
    // fault of the program: its message says all there is to say.
    if (dynamic_cast<const IOException*>(&e) || dynamic_cast<const UnsupportedFormatException*>(&e)) return e.what();
    return std::string("Ein unerwarteter Fehler ist aufgetreten:\n\n") + e.what();
}

void SetExceptionReporter(std::function<void(const std::string&)> reporter) { Reporter() = std::move(reporter); }

void UnhandledException(const std::exception& e) { Report(ExceptionReportText(e)); }

namespace detail {
void ReportUnknownException() { Report("Ein unerwarteter Fehler ist aufgetreten."); }
}  // namespace detail

}  // namespace fw
