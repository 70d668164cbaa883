#include "register/registerevent.h"

#include <QCoreApplication>
#include <QSettings>
#include <QStringList>
#include <QSysInfo>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <unistd.h>
#endif

namespace {

// the namespace of the ids made from journal lines (UUID v5): fixed for good, or a line
// imported again would make a second event
const QUuid journalNamespace(QStringLiteral("{6c0f4d0e-8f1b-5a57-9a53-2f6d1c7e4b21}"));

QString timeText(const QDateTime &time)
{
    return time.toUTC().toString(Qt::ISODateWithMs);
}

} // namespace

QJsonObject RegisterEvent::toJson() const
{
    return QJsonObject{{QStringLiteral("id"), id.toString(QUuid::WithoutBraces)},
                       {QStringLiteral("time"), timeText(time)},
                       {QStringLiteral("kind"), kind},
                       {QStringLiteral("serialNumber"), serialNumber},
                       {QStringLiteral("imei"), imei},
                       {QStringLiteral("model"), model},
                       {QStringLiteral("firmware"), firmware},
                       {QStringLiteral("result"), result},
                       {QStringLiteral("engineer"), engineer},
                       {QStringLiteral("host"), host},
                       {QStringLiteral("vehicle"), vehicle},
                       {QStringLiteral("port"), port},
                       {QStringLiteral("details"), details}};
}

RegisterEvent RegisterEvent::fromJson(const QJsonObject &o)
{
    RegisterEvent e;
    e.id = QUuid(o.value(QStringLiteral("id")).toString());
    e.time = QDateTime::fromString(o.value(QStringLiteral("time")).toString(), Qt::ISODateWithMs)
                 .toUTC();
    e.kind = o.value(QStringLiteral("kind")).toString();
    e.serialNumber = o.value(QStringLiteral("serialNumber")).toString();
    e.imei = o.value(QStringLiteral("imei")).toString();
    e.model = o.value(QStringLiteral("model")).toString();
    e.firmware = o.value(QStringLiteral("firmware")).toString();
    e.result = o.value(QStringLiteral("result")).toString();
    e.engineer = o.value(QStringLiteral("engineer")).toString();
    e.host = o.value(QStringLiteral("host")).toString();
    e.vehicle = o.value(QStringLiteral("vehicle")).toString();
    e.port = o.value(QStringLiteral("port")).toString();
    e.details = o.value(QStringLiteral("details")).toObject();
    return e;
}

QString csvField(const QString &value)
{
    if (!value.contains(QLatin1Char(',')) && !value.contains(QLatin1Char('"'))
        && !value.contains(QLatin1Char('\n')) && !value.contains(QLatin1Char('\r')))
        return value;
    QString quoted = value;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString registerEngineer()
{
    const QString set = QSettings(QStringLiteral("KVT"), QStringLiteral("kvt-logger"))
                            .value(QStringLiteral("engineer"))
                            .toString()
                            .trimmed();
    if (!set.isEmpty())
        return set;
    for (const char *name : {"USER", "LOGNAME", "USERNAME"}) {
        const QString login = qEnvironmentVariable(name);
        if (!login.isEmpty())
            return login;
    }
#ifdef Q_OS_UNIX
    // started without a login environment (a service, a desktop entry run by sudo): the
    // account the program runs under
    if (const passwd *account = getpwuid(geteuid()))
        return QString::fromLocal8Bit(account->pw_name);
#endif
    return QString();
}

QString registerHost()
{
    return QSysInfo::machineHostName();
}

RegisterEvent newRegisterEvent(const QString &kind, const TerminalIdentity &terminal)
{
    RegisterEvent e;
    e.id = QUuid::createUuid();
    e.time = QDateTime::currentDateTimeUtc();
    e.kind = kind;
    e.engineer = registerEngineer();
    e.host = registerHost();
    e.model = terminal.model;
    e.serialNumber = terminal.serialNumber;
    e.imei = terminal.imei;
    e.firmware = terminal.firmwareVersion;
    return e;
}

QString journalResultCode(const QString &result)
{
    struct Row
    {
        const char *start;
        const char *code;
    };
    // the more particular words first: "не записано: модель" before "не записано"
    static const Row rows[] = {
        {"записано и подтверждено", "confirmed"},
        {"written and confirmed", "confirmed"},
        {"не подтверждено", "not-confirmed"},
        {"not confirmed", "not-confirmed"},
        {"нет ответа терминала", "no-answer"},
        {"no answer from the terminal", "no-answer"},
        {"не записано: модель", "other-model"},
        {"not written: model", "other-model"},
        {"не записано", "refused"},
        {"not written", "refused"},
        {"терминал отключён", "unplugged"},
        {"terminal unplugged", "unplugged"},
        // an older journal does not tell whether the write had gone out: the cautious reading
        {"прервано", "interrupted-after-write"},
        {"abandoned", "interrupted-after-write"},
        {"уже настроен в этом сеансе", "already-done"},
        {"already set up in this run", "already-done"},
        {"ПО обновлено", "firmware-updated"},
        {"Firmware updated", "firmware-updated"},
    };
    const QString text = result.trimmed();
    for (const Row &row : rows) {
        if (text.startsWith(QString::fromUtf8(row.start), Qt::CaseInsensitive))
            return QString::fromLatin1(row.code);
    }
    if (text.contains(QStringLiteral("ПО"), Qt::CaseSensitive)
        || text.contains(QStringLiteral("firmware"), Qt::CaseInsensitive))
        return QStringLiteral("firmware-failed");
    return QStringLiteral("unknown");
}

bool journalLineEvent(const QString &line, RegisterEvent *event)
{
    QString text = line;
    while (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r')))
        text.chop(1);
    const QStringList columns = text.split(QLatin1Char('\t'));
    if (columns.size() < 6)
        return false;
    const QDateTime when =
        QDateTime::fromString(columns.at(0), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!when.isValid())
        return false;   // the heading, or no journal line
    RegisterEvent e;
    e.id = QUuid::createUuidV5(journalNamespace, text);
    e.time = when.toUTC();
    e.kind = QString::fromLatin1(RegisterKind::Provisioned);
    e.model = columns.at(1);
    e.serialNumber = columns.at(2);
    e.imei = columns.at(3);
    e.firmware = columns.at(4);
    const QString words = columns.at(5);
    e.port = columns.value(6);
    const QString code = columns.value(7).trimmed();
    e.result = code.isEmpty() ? journalResultCode(words) : code;
    e.details = QJsonObject{{QStringLiteral("journal"), words}};
    // a station's firmware update has its journal line too
    if (e.result.startsWith(QLatin1String("firmware-")))
        e.kind = QString::fromLatin1(RegisterKind::FirmwareUpdated);
    *event = e;
    return true;
}
