// kvt-cli send: one command line to the terminal, and what it answers for a while.
#include "cli/clisession.h"
#include "cli/commandline.h"
#include "cli/commands.h"
#include "cli/exitstatus.h"
#include "cli/output.h"
#include "settings/core_settingsstring.h"

#include <cmath>

namespace {

// Complete lines of `pending` on standard output as received, a settings string's passwords
// masked as the log masks them; the rest stays for the next chunk (or the end, `all`).
void printLines(QByteArray &pending, bool all)
{
    QByteArray out;
    int start = 0;
    for (;;) {
        int end = start;
        while (end < pending.size() && pending.at(end) != '\r' && pending.at(end) != '\n')
            ++end;
        if (end == pending.size() && !all)
            break;
        int next = end;
        while (next < pending.size() && (pending.at(next) == '\r' || pending.at(next) == '\n')
               && next - end < 2)
            ++next;
        out += maskSettingsPasswords(pending.mid(start, end - start)) + pending.mid(end, next - end);
        start = next;
        if (start >= pending.size())
            break;
    }
    pending.remove(0, start);
    if (!out.isEmpty())
        writeOut(out);
}

} // namespace

int sendCommand(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Sends one command line (CR LF added) to the terminal on PORT and prints "
                       "what the terminal sends for a while, as it comes.\n"
                       "Exit status: 0 the terminal sent something, 2 usage error, 4 nothing "
                       "came, 5 the port cannot be opened."));
    parser.addPositionalArgument(QStringLiteral("port"), QStringLiteral("The terminal's port."),
                                 QStringLiteral("PORT"));
    parser.addPositionalArgument(QStringLiteral("command"),
                                 QStringLiteral("The command line, for example \">I 0\"."),
                                 QStringLiteral("COMMAND"));
    const QCommandLineOption seconds(QStringLiteral("for"),
                                     QStringLiteral("How long to print what comes (default 2)."),
                                     QStringLiteral("seconds"), QStringLiteral("2"));
    parser.addOption(seconds);
    const int status = parseCommandLine(parser, arguments, 2, 2);
    if (status >= 0)
        return status;
    const std::optional<double> given = secondsValue(parser.value(seconds), 86400);
    if (!given)
        return usageError(arguments.value(0),
                          QStringLiteral("--for needs seconds from 0 to 86400"));
    const double forSeconds = *given;
    const QString command = parser.positionalArguments().at(1);
    if (command.contains(QLatin1Char('\r')) || command.contains(QLatin1Char('\n')))
        return usageError(arguments.value(0), QStringLiteral("the command is one line"));

    CliSession cli(parser.positionalArguments().at(0));
    QByteArray pending;
    bool received = false;
    QObject::connect(&cli.line(), &TerminalSession::received, &cli,
                     [&pending, &received](const QByteArray &bytes, qint64) {
                         received = true;
                         pending += bytes;
                         printLines(pending, false);
                     });
    if (!cli.open())
        return ExitPortError;
    cli.line().sendLine(command);
    cli.runFor(int(forSeconds * 1000));
    printLines(pending, true);
    if (!received) {
        printMessage(QStringLiteral("nothing came from the terminal"));
        return ExitNoAnswer;
    }
    return ExitOk;
}
