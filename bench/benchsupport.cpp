#include "benchsupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

#include <unistd.h>

bool runUntil(const std::function<bool()> &done, int limitMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > limitMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    }
    return true;
}

double residentMegabytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return double(fields.value(1).toLongLong()) * double(sysconf(_SC_PAGESIZE)) / 1048576.0;
}
