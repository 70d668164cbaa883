// kvt-cli settings read / write: the terminal's settings into a settings file of the format the
// settings page saves, and a settings file written to the terminal as batch set-up writes it.
#include "cli/clisession.h"
#include "cli/commandline.h"
#include "cli/commands.h"
#include "cli/exitstatus.h"
#include "cli/output.h"
#include "cli/password.h"
#include "cli/settingsfileload.h"
#include "cli/registerevents.h"
#include "link/commands.h"
#include "link/core_filesave.h"
#include "link/core_terminalidentity.h"
#include "link/recordrouter.h"
#include "settings/core_batchrun.h"
#include "settings/core_settingsfile.h"
#include "settings/core_settingswriter.h"
#include "status/core_codes.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

#include <optional>

namespace {

// How long the terminal may take to answer the settings request.
constexpr int answerMs = 5000;

// The settings as a new settings page shows them once it has read these: what the record leaves
// out as a new page has it (empty text, a flag off, the first entry of a list, no CAN
// parameter). The page saves all of its fields.
TerminalSettings asOnNewPage(TerminalSettings s)
{
    for (const SettingsTextField &row : settingsTextFields()) {
        if (!s[row.field])
            s[row.field] = QString();
    }
    for (const SettingsChoiceRow &row : settingsChoices())
        s[row.choice] = s.code(row.choice);
    if (!s.canParams)
        s.canParams = QList<int>();
    return s;
}

int readCommand(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Reads the settings of the terminal on PORT into a settings file, as "
                       "\"Сохранить в файл…\" of the settings page saves them (no passwords).\n"
                       "Exit status: 0 saved, 1 the file (or standard output) cannot be written, "
                       "the file that was there left as it was, 2 usage error, "
                       "4 no answer, 5 the port cannot be opened."));
    parser.addPositionalArgument(QStringLiteral("port"), QStringLiteral("The terminal's port."),
                                 QStringLiteral("PORT"));
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("The settings file; - (the default) for "
                                                   "standard output."),
                                    QStringLiteral("file"), QStringLiteral("-"));
    parser.addOption(output);
    const int status = parseCommandLine(parser, arguments, 1, 1);
    if (status >= 0)
        return status;

    std::optional<TerminalSettings> reported;   // before the session: its route leads here
    CliSession cli(parser.positionalArguments().at(0));
    cli.line().router().route(RecordKind::Settings, decodeSettingsRecord,
                              [&reported](const TerminalSettings &s) { reported = s; });
    if (!cli.open())
        return ExitPortError;
    if (!cli.readIdentity())
        return ExitNoAnswer;
    CliRegister reg;
    reg.recorder().terminalIdentified(shownIdentity(cli.line().identity()),
                                      parser.positionalArguments().at(0));
    cli.send(Command::readSettings);
    if (!cli.waitFor([&reported] { return reported.has_value(); }, answerMs)) {
        printMessage(QStringLiteral("no settings record from the terminal"));
        return ExitNoAnswer;
    }

    const QByteArray bytes = settingsFileBytes(settingsValues(asOnNewPage(*reported)),
                                               shownIdentity(cli.line().identity()),
                                               QDateTime::currentDateTime());
    const QString path = parser.value(output);
    if (path == QLatin1String("-")) {
        QString reason;
        if (!writeOut(bytes, &reason))
            return outputFailed(reason);
        return ExitOk;
    }
    // written beside the file and renamed over it: a failed save leaves the old file as it was
    QString reason;
    if (!saveWholeFile(path, bytes, &reason)) {
        printMessage(QStringLiteral("cannot write %1: %2").arg(QDir::toNativeSeparators(path), reason));
        return ExitFailed;
    }
    return ExitOk;
}

int writeCommand(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral(
            "Writes a settings file to the terminal on PORT as batch set-up does: reads the "
            "terminal's settings, writes the file's values over them with the access password "
            "(never a new password), then reads them back to confirm.\n"
            "The access password comes from --password-file, else from the environment "
            "variable KVT_PASSWORD, else it is asked on the terminal; never from an option.\n"
            "A terminal that already holds every value of the file is not written: \"уже "
            "совпадает с файлом\" (exit status 0).\n"
            "Exit status: 0 written and confirmed, or already holding the file; 2 usage error or "
            "a refused file or password; 3 not confirmed (the fields that differ on standard "
            "error); 4 no answer; 5 the port cannot be opened; 6 not taken by the terminal: none "
            "of the values to change took the new value, check the access password."));
    parser.addPositionalArgument(QStringLiteral("port"), QStringLiteral("The terminal's port."),
                                 QStringLiteral("PORT"));
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("The settings file."),
                                 QStringLiteral("FILE"));
    const QCommandLineOption passwordFile(
        QStringLiteral("password-file"),
        QStringLiteral("Takes the access password from the first line of this file (- for "
                       "standard input), with or without its line end (LF or CR LF); a file "
                       "other users may read is used with a warning."),
        QStringLiteral("file"));
    const QCommandLineOption anyModel(
        QStringLiteral("any-model"),
        QStringLiteral("Writes a file saved from another model too (refused otherwise)."));
    parser.addOption(passwordFile);
    parser.addOption(anyModel);
    const int status = parseCommandLine(parser, arguments, 2, 2);
    if (status >= 0)
        return status;
    const QString port = parser.positionalArguments().at(0);
    const QString path = parser.positionalArguments().at(1);
    const QString shownPath = QDir::toNativeSeparators(path);

    const std::optional<SettingsFile> file = loadSettingsFile(path);
    if (!file)
        return ExitUsage;
    const PasswordAnswer password = readAccessPassword(parser.value(passwordFile));
    if (password.status != PasswordAnswer::Given) {
        printMessage(password.problem);
        return password.status == PasswordAnswer::Interrupted ? ExitInterrupted : ExitUsage;
    }
    // what the settings page refuses, checked before the port is opened (the password, the
    // file's values) and again with the terminal's own values
    const auto refused = [&](const TerminalSettings &writing) {
        const QString refusal = settingsRefusal(writing);
        if (!refusal.isNull())
            printMessage(QStringLiteral("%1 is not written: %2").arg(shownPath, refusal));
        return !refusal.isNull();
    };
    if (refused(settingsOverReported(TerminalSettings(), file->values, password.password)))
        return ExitUsage;

    // before the session: its route leads here
    std::optional<TerminalSettings> reported;
    std::optional<WriteOutcome> outcome;
    QStringList differing;
    // made once the terminal answered; sent before the command ends
    std::optional<CliRegister> reg;
    CliSession cli(port);
    SettingsWriter writer([&cli](const QString &line) { cli.line().sendLine(line); });
    writer.setTimeout(answerMs);
    cli.line().router().route(RecordKind::Settings, decodeSettingsRecord,
                              [&reported, &writer](const TerminalSettings &s) {
                                  if (!reported)
                                      reported = s;
                                  writer.settingsReported(s);
                              });
    QObject::connect(&writer, &SettingsWriter::finished, &cli,
                     [&](WriteOutcome result, const QStringList &names) {
                         outcome = result;
                         differing = names;
                         cli.recheck();
                     });
    if (!cli.open())
        return ExitPortError;
    if (!cli.readIdentity())
        return ExitNoAnswer;
    reg.emplace();
    reg->recorder().terminalIdentified(shownIdentity(cli.line().identity()), port);

    const QString terminalModel = shownIdentity(cli.line().identity()).model;
    const QString fileModel = file->from.model;
    if (!fileModel.isEmpty() && !terminalModel.isEmpty() && fileModel != terminalModel
        && !parser.isSet(anyModel)) {
        printMessage(QStringLiteral("%1 was saved from a %2, the terminal is a %3: not written "
                                    "(--any-model writes it all the same)")
                         .arg(shownPath, shownFileText(fileModel), terminalModel));
        return ExitUsage;
    }

    writer.requestSettings();
    if (!cli.waitFor([&reported] { return reported.has_value(); }, answerMs)) {
        printMessage(QStringLiteral("no settings record from the terminal"));
        return ExitNoAnswer;
    }
    const TerminalSettings writing =
        settingsOverReported(*reported, file->values, password.password);
    if (refused(writing))
        return ExitUsage;
    const QString serial = cli.line().identity().serialNumber;
    // the write's outcome in the installation register, with the journal's code
    const auto recordWrite = [&](const QString &code) {
        RegisterEvent e = newRegisterEvent(QString::fromLatin1(RegisterKind::SettingsWritten),
                                           shownIdentity(cli.line().identity()));
        e.port = port;
        e.result = code;
        e.details = QJsonObject{{QStringLiteral("file"), QFileInfo(path).fileName()},
                                {QStringLiteral("sha256"), fileSha256(path)},
                                {QStringLiteral("differing"), QJsonArray::fromStringList(differing)}};
        reg->record(e);
    };
    // nothing to change: nothing is written, and nothing is said to be
    if (settingsAlreadyHeld(writing, *reported)) {
        recordWrite(terminalOutcomeCode(TerminalOutcome::AlreadySet));
        printMessage(QStringLiteral("terminal %1: уже совпадает с файлом (already holds every "
                                    "value of the file, nothing written)")
                         .arg(serial));
        return ExitOk;
    }
    writer.write(writing);
    // the writer ends the wait itself, after its own time limit at the latest
    cli.waitFor([&outcome] { return outcome.has_value(); }, answerMs + 1000);
    recordWrite(terminalOutcomeCode(
        terminalOutcomeOfWrite(outcome.value_or(WriteOutcome::NoAnswer))));
    switch (outcome.value_or(WriteOutcome::NoAnswer)) {
    case WriteOutcome::Confirmed:
        printMessage(QStringLiteral("terminal %1: written and confirmed").arg(serial));
        return ExitOk;
    case WriteOutcome::WrongPassword:
        printMessage(QStringLiteral("terminal %1: не принято терминалом: проверьте пароль доступа "
                                    "(none of the values to change was taken: check the access "
                                    "password)")
                         .arg(serial));
        return ExitWrongPassword;
    case WriteOutcome::NotConfirmed: {
        QStringList labels;
        for (const QString &name : differing)
            labels << settingsValueLabel(name, writing);
        printMessage(QStringLiteral("terminal %1: not confirmed, differing: %2")
                         .arg(serial, labels.join(QStringLiteral(", "))));
        return ExitNotConfirmed;
    }
    case WriteOutcome::NoAnswer:
        break;
    }
    printMessage(QStringLiteral("terminal %1: no answer to the write").arg(serial));
    return ExitNoAnswer;
}

} // namespace

int settingsCommand(const QStringList &arguments)
{
    const QString words = arguments.value(0);
    const QString action = arguments.value(1);
    const QStringList rest = arguments.mid(2);
    if (action == QLatin1String("read"))
        return readCommand(QStringList{words + QStringLiteral(" read")} + rest);
    if (action == QLatin1String("write"))
        return writeCommand(QStringList{words + QStringLiteral(" write")} + rest);
    const QString help =
        QStringLiteral("Usage: %1 read PORT [-o FILE]\n"
                       "       %1 write PORT FILE [--password-file FILE] [--any-model]\n\n"
                       "read   the terminal's settings into a settings file\n"
                       "write  a settings file to the terminal, confirmed by reading it back\n\n"
                       "'%1 read --help' and '%1 write --help' tell more.")
            .arg(words);
    if (action == QLatin1String("--help") || action == QLatin1String("-h")) {
        printLine(help);
        return ExitOk;
    }
    printMessage(action.isEmpty() ? QStringLiteral("read or write?")
                                  : QStringLiteral("unknown settings command '%1'").arg(action));
    printMessage(QStringLiteral("see '%1 --help'").arg(words));
    return ExitUsage;
}
