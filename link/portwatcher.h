#pragma once

#include "link/portlist.h"

#include <QObject>
#include <QTimer>

// Waits for a lost terminal port to come back: the same port name, or the same USB serial
// number where the port has one (a terminal that re-enumerates may get another name). The
// ports are looked at four times a second while waiting, and not at all otherwise.
class PortWatcher : public QObject
{
    Q_OBJECT

public:
    static constexpr int PollIntervalMs = 250;

    explicit PortWatcher(QObject *parent = nullptr);

    void watch(const PortEntry &port);
    void setPortSource(PortSource source) { ports = std::move(source); }
    void stop();
    bool isWatching() const { return timer.isActive(); }

    // The port of `ports` that is the wanted one and present now, or nullptr.
    static const PortEntry *find(const PortEntry &wanted, const QList<PortEntry> &ports);

signals:
    // The port is there again, under this name; watching has stopped.
    void portReturned(const QString &portName);

private:
    void poll();

    QTimer timer;
    PortEntry wanted;
    QList<PortEntry> lastPorts;
    PortSource ports;
};
