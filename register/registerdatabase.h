#pragma once
// Where the installation register is and one connection to it: an SQLite file (by default
// ~/.local/share/kvt-logger/register.sqlite) or a PostgreSQL server named by a libpq URI. The
// program makes and upgrades its own tables (register_schema holds the version, each change a
// numbered step). Every value goes in bound, never as SQL text.

#include "register/registerevent.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>
#include <QVector>

#include <functional>

struct RegisterLocation
{
    enum class Kind { Sqlite, Postgres };
    Kind kind = Kind::Sqlite;
    QString sqlitePath;    // Sqlite
    QString hostName;      // Postgres: a host or a socket folder
    int port = -1;
    QString databaseName;
    QString userName;
    QString options;       // libpq options "key=value;key=value" (connect_timeout always set)
    QString text;          // as given (a URI never holds a password)

    bool isServer() const { return kind == Kind::Postgres; }
    // For messages: the file, or the URI.
    QString describe() const;
};

// The folder of the SQLite register and of the offline queue (~/.local/share/kvt-logger).
QString registerDataFolder();
// A libpq URI (postgresql://user@host:port/dbname?host=/socket/folder&connect_timeout=5),
// else a path naming an SQLite file; empty: the SQLite file in registerDataFolder(). False
// with the reason for a URI that cannot be read or that holds a password.
bool parseRegisterLocation(const QString &text, RegisterLocation *where, QString *error);
// KVT_REGISTER, else the setting "register" of the window (QSettings KVT/kvt-logger), else
// the default file. A text that cannot be read gives the default with *error set.
RegisterLocation registerLocation(QString *error = nullptr);
// The key of the window's setting "Реестр установок".
inline const char *const RegisterSettingKey = "register";

// What `list` and the dock look for; empty fields match everything.
struct RegisterFilter
{
    QString serialNumber;
    QString imei;
    QString vehicle;
    QString any;          // serial number, IMEI, vehicle or engineer
    QDateTime since;
    bool newestFirst = false;
};

class RegisterDatabase
{
public:
    // The newest schema version this program knows.
    static constexpr int SchemaVersion = 2;

    explicit RegisterDatabase(const RegisterLocation &where);
    ~RegisterDatabase();
    RegisterDatabase(const RegisterDatabase &) = delete;
    RegisterDatabase &operator=(const RegisterDatabase &) = delete;

    // Connects (a missing SQLite file and its folder are made) and brings the tables up to
    // `version` (SchemaVersion unless a test asks for an older one).
    bool open(QString *error, int version = SchemaVersion);
    bool isOpen() const;
    void close();
    const RegisterLocation &location() const { return where; }

    // The version the tables are at, 0 when there are none.
    int schemaVersion(QString *error);

    // Adds the events in one transaction; an id already there is left as it is (INSERT … ON
    // CONFLICT (id) DO NOTHING). *added: the rows that were new.
    bool insert(const QVector<RegisterEvent> &events, int *added, QString *error);

    // One page of events in time order (the newest first when the filter says so) after the
    // event (afterTime, afterId) of the previous page (an invalid time: from the start).
    bool page(const RegisterFilter &filter, const QDateTime &afterTime, const QUuid &afterId,
              int limit, QVector<RegisterEvent> *events, QString *error);
    // Every event the filter matches, page by page.
    bool forEach(const RegisterFilter &filter, const std::function<void(const RegisterEvent &)> &f,
                 QString *error);

    QSqlDatabase connection() const { return QSqlDatabase::database(name, false); }

private:
    bool upgrade(int version, QString *error);
    bool insertArrays(const QVector<RegisterEvent> &events, int *added, QString *error);
    bool exec(const QString &sql, QString *error);
    bool begin(QString *error);
    bool commit(QString *error);
    void rollback();

    RegisterLocation where;
    QString name;   // the connection's own name
};
