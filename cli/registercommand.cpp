// kvt-cli register: the installation register from the command line: its events listed, the
// offline queue sent, where it is, and journals written before it existed imported.
#include "cli/commandline.h"
#include "cli/commands.h"
#include "cli/exitstatus.h"
#include "cli/output.h"
#include "register/installationregister.h"
#include "register/registerevent.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include <limits>

namespace {

const char *const Summary =
    "The installation register: every terminal connected, written, provisioned, updated and "
    "reported on, in the SQLite file ~/.local/share/kvt-logger/register.sqlite or on the "
    "PostgreSQL server KVT_REGISTER (or the window's setting) names.\n"
    "  list [--serial S] [--imei I] [--vehicle V] [--since DATE] [--json|--csv]\n"
    "                      the events, oldest first, as TAB-separated lines unless asked\n"
    "  sync                send the events queued while the server could not be reached\n"
    "  status              where the register is, how many events are queued\n"
    "  import JOURNAL.tsv… batch set-up and station journals as provisioned events (a line "
    "imported again is not added twice)\n"
    "Exit status: 0 done, 1 the register cannot be reached or written (sync: events still "
    "queued), 2 usage error.";

// Output gathered and written in large pieces: a million events are not a million writes.
// The first write that fails is kept, and nothing more is written after it.
class OutBuffer
{
public:
    void add(const QByteArray &bytes)
    {
        buffer += bytes;
        if (buffer.size() > 1 << 16)
            flush();
    }
    // false, with the reason, once a write failed
    bool flush()
    {
        if (failure.isNull() && !buffer.isEmpty() && !writeOut(buffer, &failure) && failure.isNull())
            failure = QStringLiteral("write error");
        buffer.clear();
        return failure.isNull();
    }
    QString reason() const { return failure; }

private:
    QByteArray buffer;
    QString failure;
};

QString compactDetails(const QJsonObject &details)
{
    return QString::fromUtf8(QJsonDocument(details).toJson(QJsonDocument::Compact));
}

// the columns of the text and CSV output, in the JSON's order
QStringList eventColumns(const RegisterEvent &e)
{
    return {e.id.toString(QUuid::WithoutBraces), e.time.toUTC().toString(Qt::ISODateWithMs),
            e.kind, e.serialNumber, e.imei, e.model, e.firmware, e.result, e.engineer, e.host,
            e.vehicle, e.port, compactDetails(e.details)};
}

int openFailed(const InstallationRegister &reg, const QString &error)
{
    printMessage(QStringLiteral("cannot reach the register %1: %2")
                     .arg(reg.location().describe(), error));
    return ExitFailed;
}

int listCommand(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Lists the register's events, oldest first: id, time (UTC), kind, serial "
                       "number, IMEI, model, firmware, result, engineer, host, vehicle, port and "
                       "details (JSON), separated by TABs."));
    const QCommandLineOption serial(QStringLiteral("serial"), QStringLiteral("Only this serial number."),
                                    QStringLiteral("S"));
    const QCommandLineOption imei(QStringLiteral("imei"), QStringLiteral("Only this IMEI."),
                                  QStringLiteral("I"));
    const QCommandLineOption vehicle(QStringLiteral("vehicle"), QStringLiteral("Only this vehicle."),
                                     QStringLiteral("V"));
    const QCommandLineOption since(QStringLiteral("since"),
                                   QStringLiteral("Only events from DATE on (YYYY-MM-DD, local "
                                                  "midnight, or an ISO 8601 time)."),
                                   QStringLiteral("DATE"));
    const QCommandLineOption json(QStringLiteral("json"),
                                  QStringLiteral("An array of objects with id, time, kind, "
                                                 "serialNumber, imei, model, firmware, result, "
                                                 "engineer, host, vehicle, port and details."));
    const QCommandLineOption csv(QStringLiteral("csv"), QStringLiteral("CSV with a heading line."));
    parser.addOptions({serial, imei, vehicle, since, json, csv});
    const int status = parseCommandLine(parser, arguments, 0, 0);
    if (status >= 0)
        return status;
    if (parser.isSet(json) && parser.isSet(csv))
        return usageError(arguments.first(), QStringLiteral("--json and --csv exclude each other"));
    RegisterFilter filter;
    filter.serialNumber = parser.value(serial);
    filter.imei = parser.value(imei);
    filter.vehicle = parser.value(vehicle);
    if (parser.isSet(since)) {
        const QString text = parser.value(since);
        QDateTime when = QDateTime(QDate::fromString(text, Qt::ISODate), QTime(0, 0));
        if (!when.isValid())
            when = QDateTime::fromString(text, Qt::ISODateWithMs);
        if (!when.isValid())
            return usageError(arguments.first(), QStringLiteral("--since: '%1' is no date").arg(text));
        filter.since = when;
    }

    InstallationRegister reg(registerLocation());
    QString error;
    RegisterDatabase *db = reg.database(&error);
    if (!db)
        return openFailed(reg, error);
    OutBuffer out;
    bool first = true;
    if (parser.isSet(json))
        out.add("[");
    else if (parser.isSet(csv))
        out.add("id,time,kind,serialNumber,imei,model,firmware,result,engineer,host,vehicle,port,details\n");
    const bool ok = db->forEach(filter, [&](const RegisterEvent &e) {
        if (parser.isSet(json)) {
            out.add(first ? "\n" : ",\n");
            out.add(QJsonDocument(e.toJson()).toJson(QJsonDocument::Compact));
        } else if (parser.isSet(csv)) {
            QStringList fields = eventColumns(e);
            for (QString &f : fields)
                f = csvField(f);
            out.add(fields.join(QLatin1Char(',')).toUtf8() + '\n');
        } else {
            QStringList fields = eventColumns(e);
            for (QString &f : fields)
                f.replace(QLatin1Char('\t'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
            out.add(fields.join(QLatin1Char('\t')).toUtf8() + '\n');
        }
        first = false;
    }, &error);
    if (parser.isSet(json))
        out.add("\n]\n");
    if (!out.flush())
        return outputFailed(out.reason());
    if (!ok)
        return openFailed(reg, error);
    return ExitOk;
}

int syncCommand(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Sends the events queued while the PostgreSQL server could not be "
                       "reached, oldest first, each once."));
    const int status = parseCommandLine(parser, arguments, 0, 0);
    if (status >= 0)
        return status;
    InstallationRegister reg(registerLocation());
    if (!reg.location().isServer()) {
        printMessage(QStringLiteral("the register is the SQLite file %1: nothing to send")
                         .arg(reg.location().describe()));
        return ExitOk;
    }
    int sent = 0;
    QString error;
    const bool ok = reg.sync(&sent, &error);
    const int left = reg.queued();
    printMessage(QStringLiteral("%1 sent, %2 still queued").arg(sent).arg(left));
    if (!ok)
        return openFailed(reg, error);
    return left == 0 ? ExitOk : ExitFailed;
}

int statusCommand(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Tells where the register is, whether it answers and how many events "
                       "wait in the queue."));
    const int status = parseCommandLine(parser, arguments, 0, 0);
    if (status >= 0)
        return status;
    QString settingError;
    InstallationRegister reg(registerLocation(&settingError));
    if (!settingError.isEmpty())
        printMessage(QStringLiteral("the register's setting is not used: %1").arg(settingError));
    const RegisterLocation &where = reg.location();
    printLine(QStringLiteral("register: %1 %2")
                  .arg(where.isServer() ? QStringLiteral("postgresql") : QStringLiteral("sqlite"),
                       where.describe()));
    printLine(QStringLiteral("queue: %1").arg(QDir::toNativeSeparators(InstallationRegister::queuePath())));
    printLine(QStringLiteral("queued: %1").arg(reg.queued()));
    QString error;
    RegisterDatabase *db = reg.database(&error);
    if (!db) {
        printLine(QStringLiteral("reachable: no (%1)").arg(error.simplified()));
        return ExitFailed;
    }
    printLine(QStringLiteral("reachable: yes, schema version %1").arg(db->schemaVersion(nullptr)));
    return ExitOk;
}

int importCommand(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Imports batch set-up and station journals as provisioned events. Each "
                       "line's id is made from the line itself, so a line imported twice, or "
                       "recorded when it was written, is one event."));
    parser.addPositionalArgument(QStringLiteral("journals"), QStringLiteral("The journals."),
                                 QStringLiteral("JOURNAL.tsv…"));
    const int status = parseCommandLine(parser, arguments, 1, std::numeric_limits<int>::max());
    if (status >= 0)
        return status;
    InstallationRegister reg(registerLocation());
    QString error;
    RegisterDatabase *db = reg.database(&error);
    if (!db)
        return openFailed(reg, error);
    int lines = 0;
    int added = 0;
    int skipped = 0;
    QVector<RegisterEvent> events;
    const int batch = 20000;
    auto flush = [&]() {
        int n = 0;
        if (!db->insert(events, &n, &error))
            return false;
        added += n;
        events.clear();
        return true;
    };
    for (const QString &path : parser.positionalArguments()) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            printMessage(QStringLiteral("cannot read %1: %2")
                             .arg(QDir::toNativeSeparators(path), file.errorString()));
            return ExitFailed;
        }
        const QString name = QFileInfo(path).fileName();
        while (!file.atEnd()) {
            const QString line = QString::fromUtf8(file.readLine());
            RegisterEvent e;
            if (!journalLineEvent(line, &e)) {
                if (!line.trimmed().isEmpty())
                    ++skipped;
                continue;
            }
            e.details.insert(QStringLiteral("imported"), name);
            events.append(e);
            ++lines;
            if (events.size() >= batch && !flush())
                return openFailed(reg, error);
        }
    }
    if (!flush())
        return openFailed(reg, error);
    printMessage(QStringLiteral("%1 journal lines: %2 new events, %3 already in the register; "
                                "%4 lines were no journal lines (headings)")
                     .arg(lines).arg(added).arg(lines - added).arg(skipped));
    return ExitOk;
}

} // namespace

int registerCommand(const QStringList &arguments)
{
    const QString sub = arguments.value(1);
    const QString words = arguments.first() + QLatin1Char(' ') + sub;
    const QStringList rest = QStringList{words} + arguments.mid(2);
    if (sub == QLatin1String("list"))
        return listCommand(rest);
    if (sub == QLatin1String("sync"))
        return syncCommand(rest);
    if (sub == QLatin1String("status"))
        return statusCommand(rest);
    if (sub == QLatin1String("import"))
        return importCommand(rest);
    if (sub == QLatin1String("--help") || sub == QLatin1String("-h")) {
        printLine(QStringLiteral("Usage: %1 list|sync|status|import …\n\n%2")
                      .arg(arguments.first(), QLatin1String(Summary)));
        return ExitOk;
    }
    return usageError(arguments.first(), sub.isEmpty()
                                             ? QStringLiteral("list, sync, status or import?")
                                             : QStringLiteral("unknown command '%1'").arg(sub));
}
