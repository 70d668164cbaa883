// kvt-cli info: the terminal's identity and one snapshot of its state.
#include "cli/clisession.h"
#include "cli/commandline.h"
#include "cli/commands.h"
#include "cli/exitstatus.h"
#include "cli/output.h"
#include "cli/registerevents.h"
#include "cli/statussnapshot.h"
#include "link/commands.h"
#include "link/core_terminalidentity.h"
#include "status/core_codes.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {
// How long the status records are gathered after the status request: the terminal answers it
// at once, and its live records come every second.
constexpr int statusMs = 1500;
} // namespace

int infoCommand(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Asks the terminal on PORT for its identity and its state and prints "
                       "them, one value a line (key, tab, value), or as one JSON object.\n"
                       "Exit status: 0 done, 2 usage error, 4 no answer, 5 the port cannot be "
                       "opened."));
    parser.addPositionalArgument(QStringLiteral("port"), QStringLiteral("The terminal's port (ttyACM0, /dev/ttyACM0)."),
                                 QStringLiteral("PORT"));
    const QCommandLineOption json(QStringLiteral("json"),
                                  QStringLiteral("One JSON object: model, modelName, serialNumber, "
                                                 "imei, firmware and status."));
    parser.addOption(json);
    const int status = parseCommandLine(parser, arguments, 1, 1);
    if (status >= 0)
        return status;

    StatusSnapshot snapshot;   // before the session: its routes lead here
    CliSession cli(parser.positionalArguments().at(0));
    snapshot.registerRoutes(cli.line().router());
    if (!cli.open())
        return ExitPortError;
    if (!cli.readIdentity())
        return ExitNoAnswer;
    CliRegister reg;
    reg.recorder().terminalIdentified(shownIdentity(cli.line().identity()),
                                      parser.positionalArguments().at(0));
    cli.send(Command::status);
    cli.runFor(statusMs);

    const TerminalInfo &id = cli.line().identity();
    QJsonObject info{{QStringLiteral("model"), double(id.model)},
                     {QStringLiteral("serialNumber"), id.serialNumber},
                     {QStringLiteral("imei"), id.imei},
                     {QStringLiteral("firmware"), id.versionText},
                     {QStringLiteral("status"), snapshot.json()}};
    if (const char *name = modelText(id.model))
        info.insert(QStringLiteral("modelName"), QString::fromLatin1(name));
    if (parser.isSet(json)) {
        writeOut(QJsonDocument(info).toJson(QJsonDocument::Indented));
    } else {
        for (const QString &line : flattenedLines(info))
            printLine(line);
    }
    return ExitOk;
}
