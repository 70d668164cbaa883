#include "link/portwatcher.h"

#include <QFileInfo>

PortWatcher::PortWatcher(QObject *parent)
    : QObject(parent)
{
    timer.setInterval(PollIntervalMs);
    connect(&timer, &QTimer::timeout, this, &PortWatcher::poll);
}

void PortWatcher::watch(const PortEntry &port)
{
    wanted = port;
    timer.start();
}

void PortWatcher::stop()
{
    timer.stop();
}

const PortEntry *PortWatcher::find(const PortEntry &wanted, const QList<PortEntry> &ports)
{
    for (const PortEntry &p : ports) {
        const bool same = p.portName == wanted.portName
                          || (!wanted.serialNumber.isEmpty() && p.serialNumber == wanted.serialNumber
                              && isTerminalPort(p));
        if (!same)
            continue;
        // A listed path that is not there (a simulator between two runs, a device node
        // already gone) is not back yet. Names that are no paths (COM3) are taken as listed.
        const QString &where = p.systemLocation.isEmpty() ? p.portName : p.systemLocation;
        if (where.startsWith(QLatin1Char('/')) && !QFileInfo::exists(where))
            continue;
        return &p;
    }
    return nullptr;
}

void PortWatcher::poll()
{
    lastPorts = listPorts(ports);
    if (const PortEntry *p = find(wanted, lastPorts)) {
        timer.stop();
        emit portReturned(p->portName);
    }
}
