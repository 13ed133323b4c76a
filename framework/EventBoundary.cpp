#include "framework/EventBoundary.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

#include "framework/Exceptions.h"

namespace fw {

namespace {

std::function<void(const std::string&)>& Reporter() {
    static std::function<void(const std::string&)> reporter;
    return reporter;
}

void Report(const std::string& message) {
    const std::string text = ExceptionReportText(message);
    if (Reporter()) {
        Reporter()(text);
        return;
    }
    if (!QApplication::instance()) {
        // No application to show a box: at least the terminal hears of it.
        std::fprintf(stderr, "%s\n", text.c_str());
        return;
    }
    QMessageBox box(QMessageBox::Critical, QStringLiteral("KZP-Viewer"), QString::fromStdString(text),
                    QMessageBox::Ok);
    box.exec();
}

}  // namespace

std::string ExceptionReportText(const std::string& message) {
    return "Ein unerwarteter Fehler ist aufgetreten:\n\n" + message;
}

void SetExceptionReporter(std::function<void(const std::string&)> reporter) { Reporter() = std::move(reporter); }

void UnhandledException(const std::exception& e) { Report(e.what()); }

namespace detail {
void ReportUnknownException() { Report("Unbekannter Fehler."); }
}  // namespace detail

}  // namespace fw
