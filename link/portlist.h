#pragma once

#include <QList>
#include <QSerialPort>
#include <QString>
#include <QStringList>

#include <functional>

// What the port dialog needs to know of one serial port.
struct PortEntry
{
    QString portName;
    QString description;
    QString manufacturer;
    QString systemLocation;
    QString serialNumber;   // the USB serial number, empty where the port has none
    quint16 vendorIdentifier = 0;
    quint16 productIdentifier = 0;
};

// A port name and the line parameters it is opened with.
struct LineSettings
{
    QString portName;
    qint32 baudRate = QSerialPort::Baud115200;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;
    QSerialPort::FlowControl flowControl = QSerialPort::NoFlowControl;
};

// USB identification of the terminal's virtual COM port.
constexpr quint16 TerminalVendorId = 0x0483;
constexpr quint16 TerminalProductId = 0x5740;

// The serial ports of this machine, as the serial library lists them, plus the ports named
// in the environment variable KVT_SIMULATOR_PORT (terminal simulators on pseudo-terminals),
// which are listed as terminal ports.
QList<PortEntry> systemSerialPorts();

// The simulated terminal ports of a KVT_SIMULATOR_PORT value: entries separated by ':', each
// a path, optionally followed by '#' and the USB serial number the port reports
// ("/tmp/a#KVT000123:/tmp/b#KVT000123").
QList<PortEntry> simulatedPorts(const QString &list);

// Where a port list comes from (the port dialog's, the reconnection's): systemSerialPorts()
// when empty; tests and tools give their own.
using PortSource = std::function<QList<PortEntry>()>;
// The ports the source lists now.
QList<PortEntry> listPorts(const PortSource &source);

// True for the terminal's own ports (vendor 0x0483, product 0x5740).
bool isTerminalPort(const PortEntry &port);

// The seven texts a port-list item carries: name, description, manufacturer, system location,
// vendor and product identifiers (four lower-case hex digits, "0483"), USB serial number;
// blanks and zero identifiers become notAvailable.
QStringList portItemData(const PortEntry &port, const QString &notAvailable);
