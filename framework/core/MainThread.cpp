#include "framework/core/MainThread_p.h"

#include <QCoreApplication>
#include <QThread>

#include "framework/core/Exceptions.h"

namespace fw {

void CheckMainThread() {
    const QCoreApplication* app = QCoreApplication::instance();
    if (app && QThread::currentThread() != app->thread()) throw ThreadAccessingUIException();
}

bool QtAlive() { return QCoreApplication::instance() != nullptr; }

}  // namespace fw
