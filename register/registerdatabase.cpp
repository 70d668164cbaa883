#include "register/registerdatabase.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QSettings>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>
#include <QUrlQuery>
#include <QVariant>

namespace {

const QString Columns = QStringLiteral(
    "id, time, kind, engineer, host, model, serial_number, imei, firmware, result, details, "
    "vehicle, port");
constexpr int ColumnCount = 13;

// A step brings the tables from version n - 1 to n; a step once released never changes.
QStringList schemaStep(int version, bool server)
{
    const QString uuid = server ? QStringLiteral("uuid") : QStringLiteral("TEXT");
    const QString time = server ? QStringLiteral("timestamptz") : QStringLiteral("TEXT");
    const QString json = server ? QStringLiteral("jsonb") : QStringLiteral("TEXT");
    switch (version) {
    case 1:
        return {QStringLiteral("CREATE TABLE register_events ("
                               "id %1 PRIMARY KEY, time %2 NOT NULL, kind TEXT NOT NULL, "
                               "engineer TEXT NOT NULL DEFAULT '', host TEXT NOT NULL DEFAULT '', "
                               "model TEXT NOT NULL DEFAULT '', "
                               "serial_number TEXT NOT NULL DEFAULT '', "
                               "imei TEXT NOT NULL DEFAULT '', firmware TEXT NOT NULL DEFAULT '', "
                               "result TEXT NOT NULL DEFAULT '', details %3, "
                               "vehicle TEXT NOT NULL DEFAULT '')")
                    .arg(uuid, time, json),
                QStringLiteral("CREATE INDEX register_events_serial ON register_events (serial_number)"),
                QStringLiteral("CREATE INDEX register_events_imei ON register_events (imei)"),
                QStringLiteral("CREATE INDEX register_events_time ON register_events (time)")};
    case 2:
        return {QStringLiteral("ALTER TABLE register_events ADD COLUMN port TEXT NOT NULL DEFAULT ''"),
                QStringLiteral("CREATE INDEX register_events_vehicle ON register_events (vehicle)"),
                QStringLiteral("CREATE INDEX register_events_engineer ON register_events (engineer)")};
    default:
        return {};
    }
}

QString isoTime(const QDateTime &time)
{
    return time.toUTC().toString(Qt::ISODateWithMs);
}

QString errorText(const QSqlError &e)
{
    const QString text = e.text().trimmed();
    return text.isEmpty() ? QStringLiteral("unknown database error") : text;
}

} // namespace

QString RegisterLocation::describe() const
{
    return isServer() ? text : QDir::toNativeSeparators(sqlitePath);
}

QString registerDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
           + QStringLiteral("/kvt-logger");
}

bool parseRegisterLocation(const QString &given, RegisterLocation *where, QString *error)
{
    const QString text = given.trimmed();
    RegisterLocation r;
    r.text = text;
    if (text.isEmpty()) {
        r.sqlitePath = registerDataFolder() + QStringLiteral("/register.sqlite");
        *where = r;
        return true;
    }
    if (!text.startsWith(QLatin1String("postgresql://")) && !text.startsWith(QLatin1String("postgres://"))) {
        r.sqlitePath = QDir::cleanPath(QDir::current().absoluteFilePath(text));
        *where = r;
        return true;
    }
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid()) {
        if (error)
            *error = QStringLiteral("not a PostgreSQL URI: %1").arg(url.errorString());
        return false;
    }
    if (!url.password().isEmpty()) {
        if (error)
            *error = QStringLiteral("the URI holds a password: give it in ~/.pgpass or PGPASSWORD "
                                    "instead, the program never keeps one");
        return false;
    }
    r.kind = RegisterLocation::Kind::Postgres;
    r.userName = url.userName(QUrl::FullyDecoded);
    r.hostName = url.host(QUrl::FullyDecoded);
    r.port = url.port(-1);
    r.databaseName = url.path(QUrl::FullyDecoded).mid(1);
    QStringList options;
    bool timeout = false;
    const QUrlQuery query(url);
    for (const auto &item : query.queryItems(QUrl::FullyDecoded)) {
        if (item.first == QLatin1String("host")) {
            r.hostName = item.second;
        } else if (item.first == QLatin1String("port")) {
            r.port = item.second.toInt();
        } else if (item.first == QLatin1String("password")) {
            if (error)
                *error = QStringLiteral("the URI holds a password: give it in ~/.pgpass or "
                                        "PGPASSWORD instead, the program never keeps one");
            return false;
        } else {
            timeout = timeout || item.first == QLatin1String("connect_timeout");
            options << item.first + QLatin1Char('=') + item.second;
        }
    }
    // an unreachable server answers within seconds, never holds a write up
    if (!timeout)
        options << QStringLiteral("connect_timeout=5");
    r.options = options.join(QLatin1Char(';'));
    *where = r;
    return true;
}

RegisterLocation registerLocation(QString *error)
{
    QString text = qEnvironmentVariable("KVT_REGISTER");
    if (text.trimmed().isEmpty())
        text = QSettings(QStringLiteral("KVT"), QStringLiteral("kvt-logger"))
                   .value(QLatin1String(RegisterSettingKey))
                   .toString();
    RegisterLocation where;
    if (!parseRegisterLocation(text, &where, error))
        parseRegisterLocation(QString(), &where, nullptr);
    return where;
}

RegisterDatabase::RegisterDatabase(const RegisterLocation &location)
    : where(location), name(QStringLiteral("kvtregister-") + QUuid::createUuid().toString(QUuid::Id128))
{
}

RegisterDatabase::~RegisterDatabase()
{
    close();
    QSqlDatabase::removeDatabase(name);
}

bool RegisterDatabase::isOpen() const
{
    return QSqlDatabase::contains(name) && connection().isOpen();
}

void RegisterDatabase::close()
{
    if (QSqlDatabase::contains(name)) {
        QSqlDatabase db = connection();
        db.close();
    }
}

bool RegisterDatabase::open(QString *error, int version)
{
    if (isOpen())
        return true;
    QSqlDatabase db = QSqlDatabase::contains(name)
                          ? connection()
                          : QSqlDatabase::addDatabase(where.isServer() ? QStringLiteral("QPSQL")
                                                                       : QStringLiteral("QSQLITE"),
                                                      name);
    if (!db.isValid()) {
        if (error)
            *error = QStringLiteral("the Qt SQL driver for %1 is missing (Debian: %2)")
                         .arg(where.isServer() ? QStringLiteral("PostgreSQL") : QStringLiteral("SQLite"),
                              where.isServer() ? QStringLiteral("libqt5sql5-psql")
                                               : QStringLiteral("libqt5sql5-sqlite"));
        return false;
    }
    if (where.isServer()) {
        db.setHostName(where.hostName);
        if (where.port > 0)
            db.setPort(where.port);
        db.setDatabaseName(where.databaseName);
        db.setUserName(where.userName);
        db.setConnectOptions(where.options);
    } else {
        QDir().mkpath(QFileInfo(where.sqlitePath).absolutePath());
        db.setDatabaseName(where.sqlitePath);
        // another program writing the same file is waited for, not failed
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    }
    if (!db.open()) {
        if (error)
            *error = errorText(db.lastError());
        return false;
    }
    if (!where.isServer()) {
        exec(QStringLiteral("PRAGMA journal_mode=WAL"), nullptr);
        exec(QStringLiteral("PRAGMA synchronous=NORMAL"), nullptr);
    }
    if (!upgrade(version, error)) {
        db.close();
        return false;
    }
    return true;
}

bool RegisterDatabase::exec(const QString &sql, QString *error)
{
    QSqlQuery q(connection());
    if (q.exec(sql))
        return true;
    if (error)
        *error = errorText(q.lastError());
    return false;
}

bool RegisterDatabase::begin(QString *error)
{
    // SQLite: the write lock at once, so two programs upgrading or writing wait in turn
    return exec(where.isServer() ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE"), error);
}

bool RegisterDatabase::commit(QString *error)
{
    if (exec(QStringLiteral("COMMIT"), error))
        return true;
    rollback();
    return false;
}

void RegisterDatabase::rollback()
{
    exec(QStringLiteral("ROLLBACK"), nullptr);
}

int RegisterDatabase::schemaVersion(QString *error)
{
    QSqlQuery q(connection());
    if (!connection().tables().contains(QStringLiteral("register_schema")))
        return 0;
    if (!q.exec(QStringLiteral("SELECT max(version) FROM register_schema"))) {
        if (error)
            *error = errorText(q.lastError());
        return -1;
    }
    return q.next() ? q.value(0).toInt() : 0;
}

bool RegisterDatabase::upgrade(int version, QString *error)
{
    if (!begin(error))
        return false;
    // two programs meeting an empty server make the tables one after the other
    if (where.isServer() && !exec(QStringLiteral("SELECT pg_advisory_xact_lock(7154120725)"), error)) {
        rollback();
        return false;
    }
    // (looked at first: PostgreSQL tells of a table that exists on standard error)
    if (!connection().tables().contains(QStringLiteral("register_schema"))
        && !exec(QStringLiteral("CREATE TABLE IF NOT EXISTS register_schema (version INTEGER NOT NULL)"),
                 error)) {
        rollback();
        return false;
    }
    QSqlQuery q(connection());
    if (!q.exec(QStringLiteral("SELECT coalesce(max(version), 0) FROM register_schema")) || !q.next()) {
        if (error)
            *error = errorText(q.lastError());
        rollback();
        return false;
    }
    const int have = q.value(0).toInt();
    q.finish();
    if (have > SchemaVersion) {
        rollback();
        if (error)
            *error = QStringLiteral("the register's tables are at version %1, newer than this "
                                    "program knows (%2)").arg(have).arg(SchemaVersion);
        return false;
    }
    for (int step = have + 1; step <= version; ++step) {
        for (const QString &sql : schemaStep(step, where.isServer())) {
            if (!exec(sql, error)) {
                rollback();
                return false;
            }
        }
        QSqlQuery set(connection());
        set.prepare(QStringLiteral("INSERT INTO register_schema (version) VALUES (?)"));
        set.addBindValue(step);
        if (!set.exec()) {
            if (error)
                *error = errorText(set.lastError());
            rollback();
            return false;
        }
    }
    return commit(error);
}

bool RegisterDatabase::insert(const QVector<RegisterEvent> &events, int *added, QString *error)
{
    if (added)
        *added = 0;
    if (events.isEmpty())
        return true;
    // many rows a statement: a million journal lines take minutes, not hours
    const int chunk = 500;
    auto statement = [](int rows) {
        QString row = QStringLiteral("(?");
        for (int i = 1; i < ColumnCount; ++i)
            row += QStringLiteral(",?");
        row += QLatin1Char(')');
        QStringList all;
        for (int i = 0; i < rows; ++i)
            all << row;
        return QStringLiteral("INSERT INTO register_events (%1) VALUES %2 ON CONFLICT (id) DO NOTHING")
            .arg(Columns, all.join(QLatin1Char(',')));
    };
    if (!begin(error))
        return false;
    if (where.isServer()) {
        int count = 0;
        if (!insertArrays(events, &count, error)) {
            rollback();
            return false;
        }
        if (!commit(error))
            return false;
        if (added)
            *added = count;
        return true;
    }
    QSqlQuery full(connection());
    bool fullPrepared = false;
    int count = 0;
    for (int start = 0; start < events.size(); start += chunk) {
        const int rows = std::min(chunk, int(events.size()) - start);
        QSqlQuery rest(connection());
        QSqlQuery *q = &full;
        if (rows == chunk) {
            if (!fullPrepared && !(fullPrepared = full.prepare(statement(rows)))) {
                if (error)
                    *error = errorText(full.lastError());
                rollback();
                return false;
            }
        } else {
            q = &rest;
            if (!rest.prepare(statement(rows))) {
                if (error)
                    *error = errorText(rest.lastError());
                rollback();
                return false;
            }
        }
        int at = 0;
        for (int i = start; i < start + rows; ++i) {
            const RegisterEvent &e = events.at(i);
            const QString details = e.details.isEmpty()
                                        ? QStringLiteral("{}")
                                        : QString::fromUtf8(QJsonDocument(e.details).toJson(QJsonDocument::Compact));
            const QString values[ColumnCount] = {e.id.toString(QUuid::WithoutBraces), isoTime(e.time),
                                                 e.kind, e.engineer, e.host, e.model, e.serialNumber,
                                                 e.imei, e.firmware, e.result, details, e.vehicle,
                                                 e.port};
            // an empty text is stored as one, never as NULL
            for (const QString &v : values)
                q->bindValue(at++, v.isNull() ? QString(QLatin1String("")) : v);
        }
        if (!q->exec()) {
            if (error)
                *error = errorText(q->lastError());
            rollback();
            return false;
        }
        count += std::max(0, q->numRowsAffected());
    }
    full.finish();
    if (!commit(error))
        return false;
    if (added)
        *added = count;
    return true;
}

bool RegisterDatabase::insertArrays(const QVector<RegisterEvent> &events, int *added, QString *error)
{
    // PostgreSQL: one array a column, each a single bound value, unnested into rows on the
    // server: a statement of thousands of rows costs the parsing of thirteen values
    const int chunk = 5000;
    QSqlQuery q(connection());
    if (!q.prepare(QStringLiteral(
            "INSERT INTO register_events (%1) SELECT * FROM unnest(?::uuid[], ?::timestamptz[], "
            "?::text[], ?::text[], ?::text[], ?::text[], ?::text[], ?::text[], ?::text[], "
            "?::text[], ?::jsonb[], ?::text[], ?::text[]) ON CONFLICT (id) DO NOTHING")
                       .arg(Columns))) {
        if (error)
            *error = errorText(q.lastError());
        return false;
    }
    auto element = [](QString &array, const QString &value) {
        if (array.size() > 1)
            array += QLatin1Char(',');
        array += QLatin1Char('"');
        for (const QChar c : value) {
            if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
                array += QLatin1Char('\\');
            array += c;
        }
        array += QLatin1Char('"');
    };
    int count = 0;
    for (int start = 0; start < events.size(); start += chunk) {
        const int end = std::min(int(events.size()), start + chunk);
        QString arrays[ColumnCount];
        for (QString &a : arrays)
            a = QStringLiteral("{");
        for (int i = start; i < end; ++i) {
            const RegisterEvent &e = events.at(i);
            element(arrays[0], e.id.toString(QUuid::WithoutBraces));
            element(arrays[1], isoTime(e.time));
            element(arrays[2], e.kind);
            element(arrays[3], e.engineer);
            element(arrays[4], e.host);
            element(arrays[5], e.model);
            element(arrays[6], e.serialNumber);
            element(arrays[7], e.imei);
            element(arrays[8], e.firmware);
            element(arrays[9], e.result);
            element(arrays[10], QString::fromUtf8(QJsonDocument(e.details).toJson(QJsonDocument::Compact)));
            element(arrays[11], e.vehicle);
            element(arrays[12], e.port);
        }
        for (int c = 0; c < ColumnCount; ++c)
            q.bindValue(c, arrays[c] + QLatin1Char('}'));
        if (!q.exec()) {
            if (error)
                *error = errorText(q.lastError());
            return false;
        }
        count += std::max(0, q.numRowsAffected());
    }
    *added = count;
    return true;
}

bool RegisterDatabase::page(const RegisterFilter &filter, const QDateTime &afterTime,
                            const QUuid &afterId, int limit, QVector<RegisterEvent> *events,
                            QString *error)
{
    const bool server = where.isServer();
    const QString select =
        server ? QStringLiteral("id::text, to_char(time AT TIME ZONE 'UTC', "
                                "'YYYY-MM-DD\"T\"HH24:MI:SS.MS\"Z\"'), kind, engineer, host, model, "
                                "serial_number, imei, firmware, result, details::text, vehicle, port")
               : Columns;
    QStringList where;
    QVariantList values;
    if (!filter.serialNumber.isEmpty()) {
        where << QStringLiteral("serial_number = ?");
        values << filter.serialNumber;
    }
    if (!filter.imei.isEmpty()) {
        where << QStringLiteral("imei = ?");
        values << filter.imei;
    }
    if (!filter.vehicle.isEmpty()) {
        where << QStringLiteral("vehicle = ?");
        values << filter.vehicle;
    }
    if (!filter.any.isEmpty()) {
        where << QStringLiteral("(serial_number = ? OR imei = ? OR vehicle = ? OR engineer = ?)");
        values << filter.any << filter.any << filter.any << filter.any;
    }
    if (filter.since.isValid()) {
        where << QStringLiteral("time >= ?");
        values << isoTime(filter.since);
    }
    const QString cmp = filter.newestFirst ? QStringLiteral("<") : QStringLiteral(">");
    if (afterTime.isValid()) {
        where << QStringLiteral("(time %1 ? OR (time = ? AND id %1 ?))").arg(cmp);
        values << isoTime(afterTime) << isoTime(afterTime) << afterId.toString(QUuid::WithoutBraces);
    }
    const QString order = filter.newestFirst ? QStringLiteral("DESC") : QStringLiteral("ASC");
    const QString sql = QStringLiteral("SELECT %1 FROM register_events%2 ORDER BY time %3, id %3 LIMIT %4")
                            .arg(select,
                                 where.isEmpty() ? QString()
                                                 : QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND ")),
                                 order)
                            .arg(limit);
    QSqlQuery q(connection());
    q.setForwardOnly(true);
    if (!q.prepare(sql)) {
        if (error)
            *error = errorText(q.lastError());
        return false;
    }
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, values.at(i));
    if (!q.exec()) {
        if (error)
            *error = errorText(q.lastError());
        return false;
    }
    events->clear();
    while (q.next()) {
        RegisterEvent e;
        e.id = QUuid(q.value(0).toString());
        e.time = QDateTime::fromString(q.value(1).toString(), Qt::ISODateWithMs).toUTC();
        e.kind = q.value(2).toString();
        e.engineer = q.value(3).toString();
        e.host = q.value(4).toString();
        e.model = q.value(5).toString();
        e.serialNumber = q.value(6).toString();
        e.imei = q.value(7).toString();
        e.firmware = q.value(8).toString();
        e.result = q.value(9).toString();
        e.details = QJsonDocument::fromJson(q.value(10).toString().toUtf8()).object();
        e.vehicle = q.value(11).toString();
        e.port = q.value(12).toString();
        events->append(e);
    }
    return true;
}

bool RegisterDatabase::forEach(const RegisterFilter &filter,
                               const std::function<void(const RegisterEvent &)> &f, QString *error)
{
    QDateTime afterTime;
    QUuid afterId;
    QVector<RegisterEvent> events;
    const int pageSize = 2000;
    for (;;) {
        if (!page(filter, afterTime, afterId, pageSize, &events, error))
            return false;
        for (const RegisterEvent &e : events)
            f(e);
        if (events.size() < pageSize)
            return true;
        afterTime = events.last().time;
        afterId = events.last().id;
    }
}
