// kvt-cli ports: the terminal ports of this machine, as the port dialog lists them.
#include "cli/commandline.h"
#include "cli/commands.h"
#include "cli/exitstatus.h"
#include "cli/output.h"
#include "link/portlist.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

int portsCommand(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Lists the ports of the connected terminals (USB vendor 0483, product "
                       "5740, and the simulated ports of KVT_SIMULATOR_PORT): port, USB serial "
                       "number and description, one port a line separated by tabs."));
    const QCommandLineOption json(QStringLiteral("json"),
                                  QStringLiteral("An array of objects with port, serialNumber and "
                                                 "description instead."));
    parser.addOption(json);
    const int status = parseCommandLine(parser, arguments, 0, 0);
    if (status >= 0)
        return status;

    QJsonArray array;
    for (const PortEntry &port : listPorts(PortSource())) {
        if (!isTerminalPort(port))
            continue;
        if (parser.isSet(json)) {
            array.append(QJsonObject{{QStringLiteral("port"), port.portName},
                                     {QStringLiteral("serialNumber"), port.serialNumber},
                                     {QStringLiteral("description"), port.description}});
        } else {
            printLine(QStringList{port.portName, port.serialNumber, port.description}.join(
                QLatin1Char('\t')));
        }
    }
    if (parser.isSet(json))
        writeOut(QJsonDocument(array).toJson(QJsonDocument::Indented));
    return ExitOk;
}
