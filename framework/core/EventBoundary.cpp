#include "framework/core/EventBoundary.h"

#include <QApplication>
#include <QByteArrayView>
#include <QMessageBox>
#include <QPointer>
#include <QThread>

#include <cstdio>
#include <memory>
#include <new>
#include <set>

#include "framework/core/Exceptions.h"

namespace fw {

namespace {

// What is told when not even the report could be built or queued: fixed in
// advance, so that telling it needs no memory.
constexpr char kNoMemoryText[] = "Ein unerwarteter Fehler ist aufgetreten:\n\nDer Arbeitsspeicher reicht nicht aus.";
constexpr char kUnexpectedText[] = "Ein unerwarteter Fehler ist aufgetreten.";

std::function<void(const std::string&)>& Reporter() {
    static std::function<void(const std::string&)> reporter;
    return reporter;
}

// Texts whose box is open or about to open: the same report is not stacked.
std::set<std::string>& Showing() {
    static std::set<std::string> texts;
    return texts;
}

// The fixed text's box needs no entry above, which may be what failed.
bool fixedBoxShowing = false;

// The box belongs to the window the user was working in and carries the
// program's name, whatever that window is called. Its text is plain: a path
// or a message may hold what would otherwise be taken for markup.
QMessageBox* NewBox(QByteArrayView utf8) {
    auto* box = new QMessageBox(QMessageBox::Warning, QApplication::applicationDisplayName(), QString(),
                                QMessageBox::Ok, QApplication::activeWindow());
    box->setTextFormat(Qt::PlainText);
    box->setText(QString::fromUtf8(utf8));
    return box;
}

// Opens a box that deletes itself on closing once the current event has
// returned, without a loop of its own. Queued, it runs outside every handler,
// so nothing may leave it: `closed` runs once the box is gone or could not be
// shown, and `failed` after it in the latter case.
template <typename Text, typename Closed, typename Failed>
void ShowBoxLater(Text text, Closed closed, Failed failed) {
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [text, closed, failed] {
            try {
                std::unique_ptr<QMessageBox> box(NewBox(text));
                box->setAttribute(Qt::WA_DeleteOnClose);
                box->setWindowModality(Qt::ApplicationModal);
                QObject::connect(box.get(), &QObject::destroyed, closed);
                box->show();
                box.release();
            } catch (...) {
                closed();
                failed();
            }
        },
        Qt::QueuedConnection);
}

// The report itself failed: the terminal hears of it first, since that needs
// nothing; the box is only tried.
void ReportFixed(const char* text) noexcept {
    std::fputs(text, stderr);
    std::fputc('\n', stderr);
    try {
        if (Reporter()) {
            Reporter()(text);
            return;
        }
        if (!QApplication::instance() || fixedBoxShowing) return;
        fixedBoxShowing = true;
        ShowBoxLater(
            text, [] { fixedBoxShowing = false; }, [] {});
    } catch (...) {
        fixedBoxShowing = false;
    }
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
    try {
        if (QThread::currentThread()->loopLevel() == 0) {
            // Before the event loop (a failed start) nothing else would keep
            // the box open: it waits here for the user.
            QPointer<QMessageBox> box = NewBox(text);
            box->exec();
            delete box;
            Showing().erase(text);
            return;
        }
        // A report may come from inside Qt's own resize, layout or paint
        // handling, where a nested event loop pulls the ground from under it.
        ShowBoxLater(
            text, [text] { Showing().erase(text); }, [] { ReportFixed(kNoMemoryText); });
    } catch (...) {
        Showing().erase(text);
        throw;
    }
}

// Whatever building or queuing the report throws stays here.
template <typename Build>
void ReportGuarded(const Build& build) noexcept {
    try {
        Report(build());
    } catch (const std::bad_alloc&) {
        ReportFixed(kNoMemoryText);
    } catch (...) {
        ReportFixed(kUnexpectedText);
    }
}

}  // namespace

std::string ExceptionReportText(const std::exception& e) {
    // A file that cannot be read or is refused is for the user to fix, not a
    // fault of the program: its message says all there is to say.
    if (dynamic_cast<const IOException*>(&e) || dynamic_cast<const UnsupportedFormatException*>(&e)) return e.what();
    // The library's own text for this one is English.
    if (dynamic_cast<const std::bad_alloc*>(&e)) return kNoMemoryText;
    return std::string("Ein unerwarteter Fehler ist aufgetreten:\n\n") + e.what();
}

void SetExceptionReporter(std::function<void(const std::string&)> reporter) { Reporter() = std::move(reporter); }

void UnhandledException(const std::exception& e) noexcept {
    ReportGuarded([&e] { return ExceptionReportText(e); });
}

namespace detail {
void ReportUnknownException() noexcept {
    ReportGuarded([] { return std::string(kUnexpectedText); });
}
}  // namespace detail

}  // namespace fw
