// kvt-cli record: the traffic of the terminal's line into a file, in the format of the log's
// "Запись в файл", for a time or until Ctrl+C.
#include "cli/clisession.h"
#include "cli/commandline.h"
#include "cli/commands.h"
#include "cli/exitstatus.h"
#include "cli/output.h"
#include "cli/stopsignals.h"
#include "link/recorder.h"

#include <QDateTime>
#include <QDir>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>

#include <cmath>

#include <csignal>
#include <pthread.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {

// The notes of the log's recording (Terminal), so that a recording reads the same whichever
// program made it.
QString note(const char *text)
{
    return QString::fromUtf8(text);
}

qint64 now()
{
    return QDateTime::currentMSecsSinceEpoch();
}

} // namespace

int recordCommand(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Records every byte the terminal on PORT sends into FILE, in the format "
                       "of the log's \"Запись в файл\", until Ctrl+C (or SIGTERM) or for the "
                       "given time. A terminal that restarts or is unplugged is waited for and "
                       "recorded again; the file notes the gap.\n"
                       "Exit status: 0 recorded, 1 the file cannot be written, 2 usage error, "
                       "5 the port cannot be opened."));
    parser.addPositionalArgument(QStringLiteral("port"), QStringLiteral("The terminal's port."),
                                 QStringLiteral("PORT"));
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("The recording."),
                                 QStringLiteral("FILE"));
    const QCommandLineOption seconds(QStringLiteral("seconds"),
                                     QStringLiteral("Stops after this many seconds."),
                                     QStringLiteral("n"));
    parser.addOption(seconds);
    const int status = parseCommandLine(parser, arguments, 2, 2);
    if (status >= 0)
        return status;
    double limit = -1;
    if (parser.isSet(seconds)) {
        const std::optional<double> given = secondsValue(parser.value(seconds), 31 * 86400);
        if (!given)
            return usageError(arguments.value(0),
                              QStringLiteral("--seconds needs seconds from 0 to 2678400"));
        limit = *given;
    }
    const QString path = parser.positionalArguments().at(1);

    StopSignals stop;   // before the recorder's thread, which inherits the blocked signals
    if (stop.descriptor() < 0) {
        printMessage(QStringLiteral("cannot watch for Ctrl+C: %1").arg(qt_error_string(errno)));
        return ExitFailed;
    }
    Recorder recorder;
    CliSession cli(parser.positionalArguments().at(0));
    TerminalSession &line = cli.line();
    QObject::connect(&line, &TerminalSession::received, &recorder, &Recorder::received);
    QObject::connect(&line, &TerminalSession::sent, &recorder, &Recorder::sentLines);
    // a hang-up, an unplugged cable, the terminal's restart
    QObject::connect(&line, &TerminalSession::closed, &recorder, [&recorder](const QString &why) {
        recorder.note(why.isEmpty() ? note("Связь прервана")
                                    : note("Связь прервана: %1").arg(why), now());
    });
    if (!cli.open(true))
        return ExitPortError;
    QString error;
    if (!recorder.start(path, &error)) {
        printMessage(QStringLiteral("cannot create %1: %2").arg(QDir::toNativeSeparators(path), error));
        return ExitFailed;
    }
    recorder.note(note("Запись начата"), now());
    // opened again after a restart or an unplugged cable
    QObject::connect(&line, &TerminalSession::opened, &recorder, [&recorder](const QString &port) {
        recorder.note(note("Связь установлена: %1").arg(port), now());
    });

    QEventLoop loop;
    int result = ExitOk;
    QObject::connect(&recorder, &Recorder::failed, &loop, [&](const QString &reason) {
        printMessage(QStringLiteral("recording stopped, %1 cannot be written: %2")
                         .arg(QDir::toNativeSeparators(path), reason));
        result = ExitFailed;
        loop.quit();
    });
    QSocketNotifier signalNotifier(stop.descriptor(), QSocketNotifier::Read);
    QObject::connect(&signalNotifier, &QSocketNotifier::activated, &loop, [&] {
        if (stop.take() != 0)
            loop.quit();
    });
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    if (limit >= 0)
        timer.start(int(std::llround(limit * 1000)));
    loop.exec();

    if (recorder.isActive()) {
        recorder.note(note("Запись остановлена"), now());
        recorder.stop();
    }
    return result;
}
