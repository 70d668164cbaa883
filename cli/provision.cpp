// kvt-cli provision: the provisioning station without a window. Every terminal port present
// and every one that appears is set up at once, as batch set-up sets up one (identity, read,
// write, confirm, never a new password), with one journal line each.
#include "cli/provision.h"

#include "cli/commandline.h"
#include "cli/exitstatus.h"
#include "cli/output.h"
#include "cli/password.h"
#include "cli/settingsfileload.h"
#include "cli/stopsignals.h"
#include "cli/registerevents.h"
#include "settings/core_batchjournal.h"
#include "station/provisionstation.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>

#include <cmath>

namespace {

// One line on standard output for each terminal as it ends: port, serial number, IMEI, the
// result and its code, separated by TABs.
void printRow(const StationRow &row)
{
    printLine(QStringList{row.port, row.serialNumber, row.imei, row.result, row.code}
                  .join(QLatin1Char('\t')));
}

} // namespace

int provisionCommand(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Writes the settings FILE to every terminal port present and to each one that appears, "
        "all at once, as batch set-up writes it to one terminal after another: the terminal's "
        "identity, its settings read, the file's settings written over them (never a new "
        "password) and the write confirmed. A terminal confirmed once in this run is not "
        "written again. Each terminal gets one line in the journal (batch set-up's format) and "
        "one line on standard output: port, serial number, IMEI, result and its code.\n"
        "A terminal that already holds every value of FILE is not written (\"уже совпадает с "
        "файлом\"); one confirmed earlier in this run and plugged in again gets the line "
        "\"уже настроен в этом сеансе\". The journal's last column is the result's code: "
        "confirmed, already-set, not-confirmed, wrong-password, no-answer, refused, other-model, "
        "unplugged, interrupted-before-write, interrupted-after-write, already-done, "
        "firmware-updated, firmware-failed.\n"
        "Ends after --count terminals, after --timeout seconds without a new terminal (never "
        "while one is being set up), or on Ctrl+C/SIGTERM (terminals in the middle are "
        "abandoned, with their journal line: interrupted before or after the write).\n"
        "The access password comes from --password-file, the environment variable "
        "KVT_PASSWORD, or a prompt on the terminal.\n"
        "Exit status: 0 every terminal confirmed or already holding the file, 1 the journal "
        "cannot be opened or written (nothing is written to a terminal before the journal "
        "is), 2 usage error or a refused file, 3 a terminal not confirmed (a wrong access "
        "password included) or a port that cannot be opened, 4 no terminal was set up at "
        "all."));
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("The settings file."),
                                 QStringLiteral("FILE"));
    const QCommandLineOption portsOption(
        QStringLiteral("ports"),
        QStringLiteral("The ports to set up, separated by commas, or \"all\" (the default): "
                       "every terminal port, simulated ones included."),
        QStringLiteral("list"), QStringLiteral("all"));
    const QCommandLineOption journalOption(
        QStringLiteral("journal"),
        QStringLiteral("The journal; by default <FILE without its suffix>.journal.tsv beside "
                       "FILE."),
        QStringLiteral("file"));
    const QCommandLineOption countOption(
        QStringLiteral("count"), QStringLiteral("Ends once this many terminals are done."),
        QStringLiteral("n"));
    const QCommandLineOption timeoutOption(
        QStringLiteral("timeout"),
        QStringLiteral("Ends after this many seconds without a new terminal, once every "
                       "terminal is done."),
        QStringLiteral("s"));
    const QCommandLineOption passwordFileOption(
        QStringLiteral("password-file"),
        QStringLiteral("Reads the access password from the first line of this file (- for "
                       "standard input)."),
        QStringLiteral("file"));
    const QCommandLineOption answerOption(
        QStringLiteral("answer-timeout"),
        QStringLiteral("Seconds a terminal may take to report its identity or its settings "
                       "(default 5)."),
        QStringLiteral("s"), QStringLiteral("5"));
    parser.addOptions({portsOption, journalOption, countOption, timeoutOption,
                       passwordFileOption, answerOption});
    const int status = parseCommandLine(parser, arguments, 1, 1);
    if (status >= 0)
        return status;
    const QString words = arguments.value(0);

    int count = 0;
    if (parser.isSet(countOption)) {
        bool ok = false;
        count = parser.value(countOption).toInt(&ok);
        if (!ok || count < 1)
            return usageError(words, QStringLiteral("--count needs a number of terminals from 1"));
    }
    double timeout = -1;
    if (parser.isSet(timeoutOption)) {
        const std::optional<double> given = secondsValue(parser.value(timeoutOption), 31 * 86400);
        if (!given || *given <= 0)
            return usageError(words, QStringLiteral("--timeout needs seconds from 0 to 2678400"));
        timeout = *given;
    }
    const std::optional<double> answer = secondsValue(parser.value(answerOption), 3600);
    if (!answer || *answer <= 0)
        return usageError(words, QStringLiteral("--answer-timeout needs seconds from 0 to 3600"));
    QStringList ports;
    if (parser.value(portsOption) != QLatin1String("all")) {
        ports = parser.value(portsOption).split(QLatin1Char(','), Qt::SkipEmptyParts);
        if (ports.isEmpty())
            return usageError(words, QStringLiteral("--ports needs \"all\" or port names"));
    }

    const QString path = parser.positionalArguments().at(0);
    const std::optional<SettingsFile> file = loadSettingsFile(path);
    if (!file)
        return ExitUsage;
    const PasswordAnswer password = readAccessPassword(parser.value(passwordFileOption));
    if (password.status == PasswordAnswer::Interrupted)
        return ExitInterrupted;
    if (password.status != PasswordAnswer::Given) {
        printMessage(password.problem);
        return ExitUsage;
    }
    if (password.password.isEmpty()) {
        printMessage(QStringLiteral("the access password is empty"));
        return ExitUsage;
    }

    StopSignals stop;
    if (stop.descriptor() < 0) {
        printMessage(QStringLiteral("cannot watch for Ctrl+C: %1").arg(qt_error_string(errno)));
        return ExitFailed;
    }

    // before the station: its last journal lines are recorded before the register is sent
    CliRegister reg;
    ProvisionStation station;
    QObject::connect(&station, &ProvisionStation::journalLineWritten, &reg,
                     [&reg](const QString &port, const QString &line) {
                         reg.recorder().journalLineWritten(line, port);
                     });
    QObject::connect(&station, &ProvisionStation::rowChanged, &reg, [&reg, &station](int row) {
        const StationRow &r = station.rows().at(row);
        reg.recorder().terminalIdentified(TerminalIdentity{QString(), r.serialNumber, r.imei, r.firmware},
                                          r.port);
    });
    station.setPorts(ports);
    station.setJournalPath(parser.value(journalOption));
    station.setAnswerTimeout(int(*answer * 1000));
    QEventLoop loop;
    int result = ExitOk;
    QObject::connect(&station, &ProvisionStation::terminalStarted, &loop, [&station](int row) {
        printMessage(QStringLiteral("%1: terminal connected")
                         .arg(QDir::toNativeSeparators(station.rows().at(row).port)));
    });
    QObject::connect(&station, &ProvisionStation::terminalFinished, &loop,
                     [&](int row, bool) {
                         printRow(station.rows().at(row));
                         if (count > 0 && station.finishedCount() >= count)
                             loop.quit();
                     });
    // a terminal confirmed earlier in this run, plugged in again
    int alreadyDone = 0;
    QObject::connect(&station, &ProvisionStation::terminalAlreadyDone, &loop, [&](int row) {
        ++alreadyDone;
        printRow(station.rows().at(row));
    });
    QObject::connect(&station, &ProvisionStation::portNotOpened, &loop,
                     [&station](int row, const QString &reason) {
                         printMessage(QStringLiteral("%1 cannot be opened: %2")
                                          .arg(QDir::toNativeSeparators(station.rows().at(row).port),
                                               reason));
                         // its journal line has its line here too
                         printRow(station.rows().at(row));
                     });
    QObject::connect(&station, &ProvisionStation::journalFailed, &loop,
                     [&](const QString &journal, const QString &error) {
                         printMessage(QStringLiteral("cannot write the journal %1: %2")
                                          .arg(QDir::toNativeSeparators(journal), error));
                         result = ExitFailed;
                         loop.quit();
                     });

    // --timeout: seconds without a new terminal, counted while none is at work
    QElapsedTimer quiet;
    quiet.start();
    QObject::connect(&station, &ProvisionStation::terminalStarted, &loop, [&quiet] { quiet.restart(); });
    QTimer idle;
    idle.setInterval(100);
    QObject::connect(&idle, &QTimer::timeout, &loop, [&] {
        if (station.busyCount() > 0)
            quiet.restart();
        else if (quiet.elapsed() >= qint64(timeout * 1000))
            loop.quit();
    });
    if (timeout > 0)
        idle.start();

    QSocketNotifier stopNotifier(stop.descriptor(), QSocketNotifier::Read);
    bool interrupted = false;
    QObject::connect(&stopNotifier, &QSocketNotifier::activated, &loop, [&] {
        if (stop.take() != 0) {
            interrupted = true;
            loop.quit();
        }
    });

    const QString journal = parser.isSet(journalOption) ? parser.value(journalOption)
                                                        : batchJournalPath(path);
    printMessage(QStringLiteral("journal: %1").arg(QDir::toNativeSeparators(journal)));
    QString error;
    if (!station.start(*file, path, password.password, &error)) {
        printMessage(QStringLiteral("cannot open the journal %1: %2")
                         .arg(QDir::toNativeSeparators(station.journalPath()), error));
        return ExitFailed;
    }
    if (!(count > 0 && station.finishedCount() >= count))
        loop.exec();
    // terminals in the middle are abandoned, each with its journal line
    const int before = station.finishedCount();
    station.stop();
    if (interrupted)
        printMessage(QStringLiteral("stopped: %1 terminal(s) abandoned").arg(station.finishedCount() - before));
    printMessage(QStringLiteral("%1 confirmed, %2 already holding the file, %3 not")
                     .arg(station.confirmedCount())
                     .arg(station.alreadySetCount())
                     .arg(station.failedCount()));
    if (result != ExitOk)
        return result;
    if (station.failedCount() > 0)
        return ExitNotConfirmed;
    if (station.confirmedCount() + station.alreadySetCount() + alreadyDone == 0) {
        printMessage(QStringLiteral("no terminal was set up"));
        return ExitNoAnswer;
    }
    return ExitOk;
}
