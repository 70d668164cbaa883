#include "cli/commandline.h"

#include <cmath>

#include "cli/exitstatus.h"
#include "cli/output.h"

#include <QCoreApplication>

QString commandHelp(const QCommandLineParser &parser, const QString &commandWords)
{
    // the parser names the program by the path it was started with
    QString help = parser.helpText();
    const QString program = QCoreApplication::arguments().value(0);
    const int lineEnd = help.indexOf(QLatin1Char('\n'));
    const int at = program.isEmpty() ? -1 : help.indexOf(program);
    if (at >= 0 && (lineEnd < 0 || at < lineEnd))
        help.replace(at, program.size(), commandWords);
    return help;
}

int usageError(const QString &commandWords, const QString &message)
{
    printMessage(message);
    printMessage(QStringLiteral("see '%1 --help'").arg(commandWords));
    return ExitUsage;
}

int parseCommandLine(QCommandLineParser &parser, const QStringList &arguments, int minPositional,
                     int maxPositional)
{
    const QString words = arguments.value(0);
    const QCommandLineOption help = parser.addHelpOption();
    if (!parser.parse(arguments))
        return usageError(words, parser.errorText());
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        printLine(commandHelp(parser, words).trimmed());
        return ExitOk;
    }
    const int count = parser.positionalArguments().size();
    if (count < minPositional)
        return usageError(words, QStringLiteral("too few arguments"));
    if (count > maxPositional)
        return usageError(words, QStringLiteral("unexpected argument '%1'")
                                     .arg(parser.positionalArguments().at(maxPositional)));
    return -1;
}

std::optional<double> secondsValue(const QString &text, double max)
{
    bool ok = false;
    const double seconds = text.toDouble(&ok);
    if (!ok || !std::isfinite(seconds) || seconds < 0 || seconds > max)
        return std::nullopt;
    return seconds;
}
