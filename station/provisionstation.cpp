#include "station/provisionstation.h"

#include "firmware/firmwareupdate.h"
#include "link/commands.h"
#include "link/core_terminalidentity.h"
#include "link/terminalsession.h"
#include "settings/core_batchjournal.h"
#include "settings/core_settingswriter.h"
#include "settings/core_terminalsettings.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTimer>

#include <algorithm>

QString stationStageText(BatchRun::Stage stage)
{
    const char *text = "";
    switch (stage) {
    case BatchRun::Stage::Waiting: text = QT_TRANSLATE_NOOP("ProvisionStation", "ожидание"); break;
    case BatchRun::Stage::Reading: text = QT_TRANSLATE_NOOP("ProvisionStation", "чтение"); break;
    case BatchRun::Stage::Writing: text = QT_TRANSLATE_NOOP("ProvisionStation", "запись"); break;
    case BatchRun::Stage::Checking: text = QT_TRANSLATE_NOOP("ProvisionStation", "проверка"); break;
    case BatchRun::Stage::Done: text = QT_TRANSLATE_NOOP("ProvisionStation", "готово"); break;
    case BatchRun::Stage::Failed: text = QT_TRANSLATE_NOOP("ProvisionStation", "ошибка"); break;
    }
    return QCoreApplication::translate("ProvisionStation", text);
}

QString stationUnpluggedText()
{
    return QCoreApplication::translate("ProvisionStation", "отключён");
}

QString stationStageText(const StationRow &row)
{
    if (row.updatingFirmware)
        return QCoreApplication::translate("ProvisionStation", "обновление ПО");
    return stationStageText(row.stage);
}

namespace {
// A port that stays listed after its line closed is opened again after this long.
constexpr qint64 reopenDelayMs = 2000;
} // namespace

// One port of the station: its session, the writer on that line and the batch run.
class ProvisionStation::Socket : public QObject
{
public:
    Socket(const QString &portName, QObject *parent)
        : QObject(parent)
        , port(portName)
        , session(new TerminalSession(this))
        , writer(new SettingsWriter(this))
        , run(new BatchRun(writer, this))
    {
        // a terminal that goes is not waited for: the port's next terminal is a new one
        session->setAutoReconnect(false);
        writer->setSendLine([this](const QString &line) { session->sendLine(line); });
        run->setIdentitySource([this] { return shownIdentity(session->identity()); });
        // the writer checks a record against its write before the run goes on with it
        session->router().route(RecordKind::Settings, decodeSettingsRecord,
                                [this](const TerminalSettings &reported) {
                                    writer->settingsReported(reported);
                                    run->settingsReported(reported);
                                });
        connect(session, &TerminalSession::identityReported, run,
                [this] { run->identityRecordSeen(RecordKind::Identity); });
        connect(session, &TerminalSession::serialNumberReported, run,
                [this] { run->identityRecordSeen(RecordKind::SerialNumber); });
        connect(session, &TerminalSession::imeiReported, run,
                [this] { run->identityRecordSeen(RecordKind::Imei); });
        connect(run, &BatchRun::identityRequested, session,
                [this] { session->send(QByteArray(Command::identity)); });
        // back by itself (after a firmware update): the line is open again
        connect(session, &TerminalSession::opened, this, [this] { closed = false; });
    }

    const QString port;
    TerminalSession *const session;
    SettingsWriter *const writer;
    BatchRun *const run;
    bool closed = false;
    QElapsedTimer closedFor;

    void markClosed()
    {
        closed = true;
        closedFor.start();
    }
};

ProvisionStation::ProvisionStation(QObject *parent)
    : QObject(parent)
    , pollTimer(new QTimer(this))
{
    pollTimer->setInterval(500);
    connect(pollTimer, &QTimer::timeout, this, &ProvisionStation::poll);
}

ProvisionStation::~ProvisionStation()
{
    stop();
}

void ProvisionStation::setPortSource(PortSource portSource)
{
    source = std::move(portSource);
}

void ProvisionStation::setPorts(const QStringList &ports)
{
    only = ports;
}

void ProvisionStation::setExcludedPort(const QString &port)
{
    excluded = port;
}

void ProvisionStation::setJournalPath(const QString &path)
{
    journalOverride = path;
}

void ProvisionStation::setAnswerTimeout(int ms)
{
    answerTimeout = ms;
    for (Socket *s : qAsConst(sockets))
        s->run->setAnswerTimeout(ms);
}

void ProvisionStation::setPollInterval(int ms)
{
    pollTimer->setInterval(ms);
}

int ProvisionStation::busyCount() const
{
    int busy = 0;
    for (const Socket *s : sockets) {
        const BatchRun::Stage stage = s->run->stage();
        if (!s->closed && stage != BatchRun::Stage::Waiting && stage != BatchRun::Stage::Done
            && stage != BatchRun::Stage::Failed)
            ++busy;
    }
    return busy;
}

bool ProvisionStation::start(const SettingsFile &settings, const QString &path,
                             const QString &accessPassword, QString *error)
{
    if (running)
        stop();
    journal = journalOverride.isEmpty() ? batchJournalPath(path) : journalOverride;
    // the journal is opened (and a new one gets its column names) once, before any port
    SettingsWriter noWrites;
    BatchRun probe(&noWrites);
    probe.setJournalPath(journal);
    const bool opened = probe.start(settings, path, accessPassword, false, error);
    probe.stop();
    if (!opened)
        return false;
    file = settings;
    settingsPath = path;
    password = accessPassword;
    doneSerials = std::make_shared<QSet<QString>>();
    table.clear();
    unopenable.clear();
    finished = confirmed = alreadySet = failed = 0;
    journalBroken = false;
    running = true;
    emit runningChanged(true);
    poll();
    pollTimer->start();
    return true;
}

void ProvisionStation::stop()
{
    if (!running)
        return;
    running = false;
    pollTimer->stop();
    firmwareQueue.clear();
    if (updating)
        static_cast<FirmwareUpdate *>(updating)->cancel();
    const QList<Socket *> all = sockets;
    sockets.clear();
    for (Socket *s : all) {
        s->run->abandon();
        s->session->close();
        s->deleteLater();
    }
    emit runningChanged(false);
}

bool ProvisionStation::wanted(const PortEntry &port) const
{
    const auto names = [&port](const QString &name) {
        return !name.isEmpty()
               && (name == port.portName || name == port.systemLocation
                   || QFileInfo(name).absoluteFilePath() == port.systemLocation);
    };
    if (!isTerminalPort(port) || names(excluded))
        return false;
    if (only.isEmpty())
        return true;
    return std::any_of(only.cbegin(), only.cend(), names);
}

void ProvisionStation::poll()
{
    if (!running)
        return;
    QStringList present;
    for (const PortEntry &port : listPorts(source)) {
        // a simulated port is listed while its terminal is away; a real one only while it is
        // there
        if (!wanted(port) || !QFileInfo::exists(port.systemLocation))
            continue;
        present << port.portName;
        const auto s = std::find_if(sockets.cbegin(), sockets.cend(),
                                    [&](const Socket *s) { return s->port == port.portName; });
        if (s == sockets.cend()) {
            startSocket(port);
        } else if ((*s)->closed && (*s)->closedFor.elapsed() >= reopenDelayMs
                   && !(updating && (*s)->port == updatingPort)) {
            // closed while the port stayed: a terminal that came back between two looks,
            // or a port that could not be opened; tried again
            Socket *old = *s;
            sockets.removeOne(old);
            old->deleteLater();
            startSocket(port);
        }
    }
    // a port that went: its socket goes, and a terminal plugged in later is a new one
    for (Socket *s : QList<Socket *>(sockets)) {
        // a terminal in its loader is away for a while; its session waits for it
        if (present.contains(s->port) || (updating && s->port == updatingPort))
            continue;
        s->run->terminalLost();
        s->markClosed();
        sockets.removeOne(s);
        s->deleteLater();
        updateRow(rowFor(s->port), [](StationRow &r) { r.present = false; });
    }
}

int ProvisionStation::rowFor(const QString &port)
{
    for (int k = 0; k < table.size(); ++k) {
        if (table[k].port == port)
            return k;
    }
    StationRow row;
    row.port = port;
    table.append(row);
    emit rowAdded(table.size() - 1);
    return table.size() - 1;
}

void ProvisionStation::updateRow(int row, const std::function<void(StationRow &)> &change)
{
    change(table[row]);
    emit rowChanged(row);
}

void ProvisionStation::startSocket(const PortEntry &port)
{
    auto *socket = new Socket(port.portName, this);
    sockets.append(socket);
    const int row = rowFor(port.portName);
    updateRow(row, [](StationRow &r) {
        r = StationRow{r.port, {}, {}, {}, BatchRun::Stage::Waiting, {}, true, {}};
    });

    TerminalSession *session = socket->session;
    BatchRun *run = socket->run;
    session->setPortSource(source);
    run->setAnswerTimeout(answerTimeout);
    run->setJournalPath(journal);
    run->shareDoneSerials(doneSerials);
    run->setPortSource([port] { return port.systemLocation; });

    connect(session, &TerminalSession::identityChanged, this, [this, session, row] {
        const TerminalInfo &id = session->identity();
        // the row keeps the last terminal's identity once its line is closed
        if (!session->isOpen())
            return;
        updateRow(row, [&id](StationRow &r) {
            r.serialNumber = id.serialNumber;
            r.imei = id.imei;
            r.firmware = id.versionText;
        });
    });
    connect(session, &TerminalSession::closed, this, [this, socket] { socketClosed(socket); });
    connect(run, &BatchRun::journalLineWritten, this, [this, socket](const QString &line) {
        emit journalLineWritten(socket->port, line);
    });
    connect(run, &BatchRun::stageChanged, this, [this, row](BatchRun::Stage stage) {
        updateRow(row, [stage](StationRow &r) { r.stage = stage; });
    });
    connect(run, &BatchRun::alreadyConfirmed, this, [this, row] {
        updateRow(row, [](StationRow &r) {
            r.result = QCoreApplication::translate(
                "BatchSetup", terminalOutcomeWords(TerminalOutcome::AlreadyDone));
            r.code = terminalOutcomeCode(TerminalOutcome::AlreadyDone);
        });
        emit terminalAlreadyDone(row);
    });
    connect(run, &BatchRun::terminalFinished, this,
            [this, row](const QString &result, TerminalOutcome outcome) {
                const bool ok = terminalOutcomeOk(outcome);
                ++finished;
                if (outcome == TerminalOutcome::AlreadySet)
                    ++alreadySet;
                else if (ok)
                    ++confirmed;
                else
                    ++failed;
                updateRow(row, [&](StationRow &r) {
                    r.result = result;
                    r.code = terminalOutcomeCode(outcome);
                });
                emit terminalFinished(row, ok);
            });
    connect(run, &BatchRun::journalFailed, this, &ProvisionStation::journalBroke);

    LineSettings line;
    line.portName = port.portName;
    if (!session->open(line)) {
        const QString reason = session->openFailureText();
        socket->markClosed();
        updateRow(row, [&reason](StationRow &r) {
            r.stage = BatchRun::Stage::Failed;
            r.result = tr("порт не открывается: %1").arg(reason);
            r.code = terminalOutcomeCode(TerminalOutcome::NoAnswer);
        });
        // counted once, not on every try
        if (!unopenable.contains(port.portName)) {
            ++failed;
            ++finished;
            unopenable.insert(port.portName);
            emit portNotOpened(row, reason);
            journalLine(TerminalIdentity(), port.systemLocation, TerminalOutcome::NoAnswer,
                        QStringLiteral("порт не открывается: %1")
                            .arg(session->openFailureText(TextLanguage::Russian)));
        }
        return;
    }
    unopenable.remove(port.portName);
    QString error;
    if (!run->start(file, settingsPath, password, true, &error)) {
        journalBroke(journal, error);
        return;
    }
    emit terminalStarted(row);
}

bool ProvisionStation::startFirmwareUpdate(const QString &file, QString *error)
{
    const auto refuse = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    if (!running)
        return refuse(tr("станция настройки не запущена"));
    if (isUpdatingFirmware())
        return refuse(tr("обновление ПО уже идёт"));
    if (busyCount() > 0)
        return refuse(tr("терминалы ещё настраиваются"));
    if (!QFile::exists(file))
        return refuse(tr("файл %1 не найден").arg(file));
    firmwareFile = file;
    firmwareQueue.clear();
    for (const Socket *s : qAsConst(sockets)) {
        if (!s->closed && s->session->isOpen())
            firmwareQueue << s->port;
    }
    if (firmwareQueue.isEmpty())
        return refuse(tr("нет подключённых терминалов"));
    emit firmwareUpdateStarted();
    updateNextFirmware();
    return true;
}

void ProvisionStation::updateNextFirmware()
{
    updating = nullptr;
    updatingPort.clear();
    while (!firmwareQueue.isEmpty()) {
        const QString port = firmwareQueue.takeFirst();
        const auto s = std::find_if(sockets.cbegin(), sockets.cend(),
                                    [&](const Socket *s) { return s->port == port; });
        if (s == sockets.cend() || (*s)->closed || !(*s)->session->isOpen())
            continue;
        Socket *socket = *s;
        const int row = rowFor(port);
        const TerminalIdentity terminal = shownIdentity(socket->session->identity());
        // the terminal leaves its line for the loader and comes back on it
        socket->session->setAutoReconnect(true);
        auto *update = new FirmwareUpdate(socket->session, this);
        updating = update;
        updatingPort = port;
        updateRow(row, [](StationRow &r) {
            r.stage = BatchRun::Stage::Writing;
            r.updatingFirmware = true;
            r.result = tr("обновление ПО…");
        });
        connect(update, &FirmwareUpdate::finished, this,
                [this, update, socket, row, terminal](FirmwareUpdate::Outcome outcome,
                                                     const QString &text) {
                    const bool ok = outcome == FirmwareUpdate::Outcome::Updated;
                    if (sockets.contains(socket))
                        socket->session->setAutoReconnect(false);
                    updateRow(row, [&](StationRow &r) {
                        r.stage = ok ? BatchRun::Stage::Done : BatchRun::Stage::Failed;
                        r.updatingFirmware = false;
                        r.result = text;
                        if (!update->versionAfter().isEmpty())
                            r.firmware = update->versionAfter();
                    });
                    TerminalIdentity after = terminal;
                    if (!update->versionAfter().isEmpty())
                        after.firmwareVersion = update->versionAfter();
                    journalLine(after, socket->port,
                                ok ? TerminalOutcome::FirmwareUpdated
                                   : TerminalOutcome::FirmwareFailed,
                                update->russianOutcomeText());
                    update->deleteLater();
                    // after the current signal: the update that ended is still on the stack
                    QTimer::singleShot(0, this, &ProvisionStation::updateNextFirmware);
                });
        QString error;
        if (update->start(firmwareFile, &error))
            return;
        updating = nullptr;
        update->deleteLater();
        updateRow(row, [&error](StationRow &r) {
            r.stage = BatchRun::Stage::Failed;
            r.updatingFirmware = false;
            r.result = error;
        });
    }
    emit firmwareUpdateFinished();
}

void ProvisionStation::journalLine(const TerminalIdentity &terminal, const QString &port,
                                   TerminalOutcome outcome, const QString &result)
{
    QString error;
    const QString line =
        batchJournalLine(QDateTime::currentDateTime(), terminal, result, port, outcome);
    if (appendBatchJournal(journal, line, &error)) {
        emit journalLineWritten(port, line);
        return;
    }
    journalBroke(journal, error);
}

void ProvisionStation::journalBroke(const QString &path, const QString &error)
{
    // said once: the terminals abandoned on the way out cannot be journalled either
    if (!running || journalBroken)
        return;
    journalBroken = true;
    // after the current signal: the run that failed may still be on the stack
    QTimer::singleShot(0, this, &ProvisionStation::stop);
    emit journalFailed(path, error);
}

void ProvisionStation::socketClosed(Socket *socket)
{
    // the line went by itself: the terminal in the middle ends as unplugged; the socket goes
    // once its port is no longer listed
    socket->run->terminalLost();
    socket->markClosed();
    if (sockets.contains(socket) && !(updating && socket->port == updatingPort))
        updateRow(rowFor(socket->port), [](StationRow &r) { r.present = false; });
}
