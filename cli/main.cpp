// kvt-cli: the terminal from a shell or a script, without a display. The first argument names
// the command; everything after it is the command's own (each answers --help).
#include "cli/commandline.h"
#include "cli/commands.h"
#include "cli/exitstatus.h"
#include "cli/output.h"
#include "cli/provision.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

namespace {

struct CommandRow
{
    const char *name;
    int (*run)(const QStringList &arguments);
    const char *summary;
};

const CommandRow commandRows[] = {
    {"ports", portsCommand, "the ports of the connected terminals"},
    {"info", infoCommand, "the terminal's identity and state"},
    {"settings", settingsCommand, "read the settings into a file, write a file to the terminal"},
    {"send", sendCommand, "send one command line, print what comes back"},
    {"record", recordCommand, "record the line's traffic into a file"},
    {"replay", replayCommand, "decode a recording: NDJSON or CSV with the recorded times"},
    {"provision", provisionCommand, "set up every terminal port at once from a settings file"},
    {"register", registerCommand, "the installation register: list, sync, status, import"},
};

// The commands, one a line, and the exit statuses: the end of the program's help.
QString commandList()
{
    QString text = QStringLiteral("\nCommands:\n");
    for (const CommandRow &row : commandRows)
        text += QStringLiteral("  %1%2\n")
                    .arg(QLatin1String(row.name), -11)
                    .arg(QLatin1String(row.summary));
    text += QStringLiteral("\n'kvt-cli COMMAND --help' tells more of each. Data goes to standard "
                           "output, messages to standard error.\nExit status: 0 done, 1 failed, "
                           "2 usage error or refused, 3 not confirmed, 4 no answer (provision: no "
                           "terminal set up), 5 the port cannot be opened, 6 not taken by the "
                           "terminal: check the access password.");
    text += QStringLiteral("\n\nEnvironment:\n"
                           "  KVT_PASSWORD         the terminals' access password for 'settings "
                           "write' and 'provision'\n"
                           "                       (after --password-file, before the prompt)\n"
                           "  KVT_SIMULATOR_PORT   simulators' ports listed as terminal ports: "
                           "PATH[#SERIAL]:...");
    return text;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kvt-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KVT_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Configuration and diagnostics of KVT tracking terminals over their USB serial port."));
    // the command's own options and arguments are the command's to parse
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("The command."),
                                 QStringLiteral("COMMAND [arguments]"));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QStringList arguments = QCoreApplication::arguments();
    if (!parser.parse(arguments))
        return usageError(QStringLiteral("kvt-cli"), parser.errorText());
    if (parser.isSet(version)) {
        printLine(QStringLiteral("kvt-cli %1").arg(QCoreApplication::applicationVersion()));
        return ExitOk;
    }
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        printLine(commandHelp(parser, QStringLiteral("kvt-cli")).trimmed() + QLatin1Char('\n')
                  + commandList());
        return ExitOk;
    }
    const QStringList words = parser.positionalArguments();
    const QString first = words.value(0);
    for (const CommandRow &row : commandRows) {
        if (first == QLatin1String(row.name))
            return row.run(QStringList{QStringLiteral("kvt-cli ") + first} + words.mid(1));
    }
    return usageError(QStringLiteral("kvt-cli"),
                      first.isEmpty() ? QStringLiteral("no command given")
                                      : QStringLiteral("unknown command '%1'").arg(first));
}
