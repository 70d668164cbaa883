#include "link/portlist.h"

#include <QFileInfo>
#include <QSerialPortInfo>

QList<PortEntry> simulatedPorts(const QString &list)
{
    QList<PortEntry> ports;
    for (const QString &item : list.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        const int hash = item.lastIndexOf(QLatin1Char('#'));
        const QString path = hash < 0 ? item : item.left(hash);
        if (path.isEmpty())
            continue;
        PortEntry e;
        // the full path is the name: QSerialPort opens a name that holds a path as that path
        e.portName = path;
        e.systemLocation = QFileInfo(path).absoluteFilePath();
        e.serialNumber = hash < 0 ? QString() : item.mid(hash + 1);
        e.description = QStringLiteral("KVT terminal simulator");
        e.manufacturer = QStringLiteral("KVT");
        e.vendorIdentifier = TerminalVendorId;
        e.productIdentifier = TerminalProductId;
        ports.append(e);
    }
    return ports;
}

QList<PortEntry> systemSerialPorts()
{
    QList<PortEntry> ports;
    const QList<QSerialPortInfo> infos = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : infos) {
        PortEntry e;
        e.portName = info.portName();
        e.description = info.description();
        e.manufacturer = info.manufacturer();
        e.systemLocation = info.systemLocation();
        e.serialNumber = info.serialNumber();
        e.vendorIdentifier = info.hasVendorIdentifier() ? info.vendorIdentifier() : 0;
        e.productIdentifier = info.hasProductIdentifier() ? info.productIdentifier() : 0;
        ports.append(e);
    }

    ports += simulatedPorts(qEnvironmentVariable("KVT_SIMULATOR_PORT"));
    return ports;
}

QList<PortEntry> listPorts(const PortSource &source)
{
    return source ? source() : systemSerialPorts();
}

bool isTerminalPort(const PortEntry &port)
{
    return port.vendorIdentifier == TerminalVendorId
           && port.productIdentifier == TerminalProductId;
}

QStringList portItemData(const PortEntry &port, const QString &notAvailable)
{
    const auto orNA = [&](const QString &s) { return s.isEmpty() ? notAvailable : s; };
    const auto hex = [&](quint16 id) {
        return id ? QStringLiteral("%1").arg(id, 4, 16, QLatin1Char('0')) : notAvailable;
    };
    return {port.portName,         orNA(port.description),       orNA(port.manufacturer),
            port.systemLocation,   hex(port.vendorIdentifier),   hex(port.productIdentifier),
            orNA(port.serialNumber)};
}
