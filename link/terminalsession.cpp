#include "link/terminalsession.h"

#include "link/portwatcher.h"

#include <QDateTime>

TerminalSession::TerminalSession(QObject *parent)
    : QObject(parent)
    , port(new QSerialPort(this))
    , device(port)
    , watcher(new PortWatcher(this))
{
    port->setObjectName(QStringLiteral("serial"));
    // the line is read as fast as it comes; the limit only keeps one read from taking all
    port->setReadBufferSize(4096);
    // Queued: a record handler may open a message box, whose event loop runs while the
    // chunk is still being framed. The port does not emit readyRead() again from inside its
    // own emission, so with a direct connection nothing would read the line while the box
    // stood open; its buffer would fill, the read notifications stop and, after the box, the
    // line would stay deaf. Emitted on its own, readyRead() keeps coming during a box, and
    // the bytes read then are framed in order behind the line the box came from.
    connect(port, &QSerialPort::readyRead, this, &TerminalSession::readAvailable,
            Qt::QueuedConnection);
    connect(port, &QSerialPort::errorOccurred, this, &TerminalSession::handlePortError);
    connect(watcher, &PortWatcher::portReturned, this, &TerminalSession::portReturned);

    records.route(RecordKind::Identity, [this](const RecordLine &r) {
        const auto id = decodeIdentityRecord(r);
        if (!id)
            return;
        info.model = id->model;
        info.firmware = id->firmware;
        info.versionText = id->versionText;
        emit identityChanged();
        emit identityReported(*id);
    });
    records.route(RecordKind::SerialNumber, [this](const RecordLine &r) {
        info.serialNumber = decodeIdentityText(r);
        emit identityChanged();
        emit serialNumberReported(info.serialNumber);
    });
    records.route(RecordKind::Imei, [this](const RecordLine &r) {
        info.imei = decodeIdentityText(r);
        emit identityChanged();
        emit imeiReported(info.imei);
    });
    records.route(RecordKind::Restart, [this](const RecordLine &r) { handleRestart(r); });
}

TerminalSession::~TerminalSession() = default;

void TerminalSession::setPortSource(PortSource source)
{
    ports = source;
    watcher->setPortSource(std::move(source));
}

bool TerminalSession::open(const LineSettings &settings)
{
    // (an open port is not opened again: open() fails and the line stays as it is)
    port->setPortName(settings.portName);
    port->setBaudRate(settings.baudRate);
    port->setDataBits(settings.dataBits);
    port->setParity(settings.parity);
    port->setStopBits(settings.stopBits);
    port->setFlowControl(settings.flowControl);
    if (!port->open(QIODevice::ReadWrite))
        return false;
    line = settings;
    device = port;
    clock = {};   // a terminal's line runs on the wall clock
    hungUp = false;
    watcher->stop();
    ++connections;
    current = PortEntry();
    current.portName = settings.portName;
    for (const PortEntry &e : listPorts(ports)) {
        if (e.portName == settings.portName)
            current = e;
    }
    // a line cut off by the last close must not prefix the first record of this connection
    framer.reset();
    emit opened(settings.portName);
    return true;
}

void TerminalSession::attach(QIODevice *other)
{
    if (port->isOpen())
        port->close();
    watcher->stop();
    device = other;
    ++connections;
    framer.reset();
    connect(other, &QIODevice::readyRead, this, &TerminalSession::readAvailable,
            Qt::ConnectionType(Qt::QueuedConnection | Qt::UniqueConnection));
    emit opened(QString());
}

bool TerminalSession::isOpen() const
{
    return device && device->isOpen();
}

bool TerminalSession::isWaiting() const
{
    return watcher->isWatching();
}

QString TerminalSession::errorString() const
{
    // a port never opened has no device yet, but its failure to open
    return device ? device->errorString() : port->errorString();
}

QString TerminalSession::openFailureText(TextLanguage language) const
{
    const char *words = nullptr;
    switch (port->error()) {
    case QSerialPort::DeviceNotFoundError:
        words = QT_TRANSLATE_NOOP("TerminalSession", "устройство не найдено");
        break;
    case QSerialPort::PermissionError:
        words = QT_TRANSLATE_NOOP("TerminalSession",
                                  "нет доступа, или порт занят другой программой");
        break;
    case QSerialPort::OpenError:
        words = QT_TRANSLATE_NOOP("TerminalSession", "порт уже открыт");
        break;
    case QSerialPort::ResourceError:
        words = QT_TRANSLATE_NOOP("TerminalSession", "устройство недоступно");
        break;
    default:
        break;
    }
    const QString system = port->errorString();
    if (!words)
        return system;
    return QStringLiteral("%1 (%2)").arg(textIn(language, "TerminalSession", words), system);
}

void TerminalSession::closePort(const QString &reason)
{
    // the restart record may have closed the line already while a box was open
    if (device && device->isOpen()) {
        device->close();
        resetIdentity();
        emit closed(reason);
    } else {
        resetIdentity();
    }
}

void TerminalSession::resetIdentity()
{
    if (info.model == 0 && info.serialNumber.isEmpty() && info.imei.isEmpty()
        && !info.firmware.known)
        return;
    info = TerminalInfo();
    emit identityChanged();
}

void TerminalSession::close()
{
    watcher->stop();
    closePort(QString());
}

void TerminalSession::closeAndWait()
{
    if (!isOpen())
        return;
    closePort(QString());
    waitForTerminal();
}

void TerminalSession::waitForTerminal()
{
    if (current.portName.isEmpty() || !autoReconnect)
        return;
    watcher->watch(current);
    emit waiting();
}

void TerminalSession::portReturned(const QString &portName)
{
    // the port the watcher found: the same name, or another one with the same USB serial
    // number (a terminal that re-enumerated)
    LineSettings again = line;
    again.portName = portName;
    if (!open(again))
        watcher->watch(current);   // not ready yet (permissions): try again
}

void TerminalSession::handlePortError(QSerialPort::SerialPortError error)
{
    // The device was removed (ResourceError), or the line was hung up: on Linux an
    // unplugged USB terminal or a closed pseudo-terminal makes every read end at once with
    // no data and the library reports a read error again and again. Both end the
    // connection, once.
    const bool lineLost = error == QSerialPort::ResourceError
                          || (error == QSerialPort::ReadError && port->isOpen());
    if (error == QSerialPort::WriteError && !lineLost && !hungUp) {
        emit writeFailed(port->errorString());
        return;
    }
    if (!lineLost || hungUp)
        return;
    hungUp = true;
    const QString reason = port->errorString();
    emit lost(reason);
    closePort(reason);
    waitForTerminal();
}

void TerminalSession::handleRestart(const RecordLine &record)
{
    // a recording played back: the line it was recorded from went and came back, the
    // recording goes on
    if (device && device->isOpen() && !device->isWritable())
        return;
    const bool reported = decodeRestartReported(record);
    closePort(QString());
    waitForTerminal();
    emit restarted(reported);
}

void TerminalSession::setClock(Clock c)
{
    clock = std::move(c);
}

qint64 TerminalSession::wallClock()
{
    return QDateTime::currentMSecsSinceEpoch();
}

qint64 TerminalSession::send(const QByteArray &bytes)
{
    // nothing goes out on a closed line, nor to a device that is only read
    if (!isOpen() || !device->isWritable())
        return -1;
    const qint64 written = device->write(bytes);
    if (written < 0)
        emit writeFailed(device->errorString());
    else if (written > 0)
        emit sent(bytes.left(int(written)), now());
    return written;
}

qint64 TerminalSession::sendLine(const QString &text)
{
    return send((text + QStringLiteral("\r\n")).toUtf8());
}

void TerminalSession::readAvailable()
{
    if (!device)
        return;
    // what the device holds, read into a buffer of its size (readAll() makes one of 16 KiB
    // and cuts it down, for every chunk)
    const qint64 available = device->bytesAvailable();
    const QByteArray data = available > 0 ? device->read(available) : device->readAll();
    if (data.isEmpty())
        return;
    emit received(data, now());
    framer.feed(data, [this](const RecordLine &line) { records.dispatch(line); });
    emit chunkFramed();
}
