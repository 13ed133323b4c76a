#include "framework/core/EventBoundary.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QThread>

#include <cstdio>
#include <new>
#include <set>

#include "framework/core/Exceptions.h"

namespace fw {

namespace {

std::function<void(const std::string&)>& Reporter() {
    static std::function<void(const std::string&)> reporter;
    return reporter;
}

// Texts whose box is open or about to open: the same report is not stacked.
std::set<std::string>& Showing() {
    static std::set<std::string> texts;
    return texts;
}

// The box belongs to the window the user was working in and carries the
// program's name, whatever that window is called.
QMessageBox* NewBox(const std::string& text) {
    return new QMessageBox(QMessageBox::Warning, QApplication::applicationDisplayName(), QString::fromStdString(text),
                           QMessageBox::Ok, QApplication::activeWindow());
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
    if (!Showing().insert(text).second) return;
    if (QThread::currentThread()->loopLevel() == 0) {
        // Before the event loop (a failed start) nothing else would keep the
        // box open: it waits here for the user.
        QPointer<QMessageBox> box = NewBox(text);
        box->exec();
        delete box;
        Showing().erase(text);
        return;
    }
    // A report may come from inside Qt's own resize, layout or paint
    // handling, where a nested event loop pulls the ground from under it:
    // the box opens once the event has returned, and runs no loop of its own.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [text] {
            QMessageBox* box = NewBox(text);
            box->setAttribute(Qt::WA_DeleteOnClose);
            box->setWindowModality(Qt::ApplicationModal);
            QObject::connect(box, &QObject::destroyed, [text] { Showing().erase(text); });
            box->show();
        },
        Qt::QueuedConnection);
}

}  // namespace

std::string ExceptionReportText(const std::exception& e) {
    // A file that cannot be read or is refused is for the user to fix, not a
    // fault of the program: its message says all there is to say.
    if (dynamic_cast<const IOException*>(&e) || dynamic_cast<const UnsupportedFormatException*>(&e)) return e.what();
    // The library's own text for this one is English.
    const char* what = dynamic_cast<const std::bad_alloc*>(&e) ? "Der Arbeitsspeicher reicht nicht aus." : e.what();
    return std::string("Ein unerwarteter Fehler ist aufgetreten:\n\n") + what;
}

void SetExceptionReporter(std::function<void(const std::string&)> reporter) { Reporter() = std::move(reporter); }

void UnhandledException(const std::exception& e) { Report(ExceptionReportText(e)); }

namespace detail {
void ReportUnknownException() { Report("Ein unerwarteter Fehler ist aufgetreten."); }
}  // namespace detail

}  // namespace fw
