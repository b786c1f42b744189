// Real-time pump over the Qt event loop.
#include "app/qt_pump.h"

#include <QCoreApplication>
#include <QThread>

namespace avz {

void QtPump::processEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents, 5); }

void QtPump::sleepMs(int ms) {
    if (ms > 0) QThread::msleep(static_cast<unsigned long>(ms));
}

}  // namespace avz
