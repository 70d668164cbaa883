#pragma once
// A PostgreSQL server of a test's or benchmark's own: initdb into a temporary folder, pg_ctl
// with its Unix socket in that folder and no TCP; run as root (as CI does), through the
// unprivileged user postgres.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>

#include <unistd.h>

class PgServer
{
public:
    // The folder of initdb and pg_ctl; empty when PostgreSQL is not installed.
    static QString binaries()
    {
        QStringList found = QDir(QStringLiteral("/usr/lib/postgresql"))
                                .entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        std::sort(found.begin(), found.end(),
                  [](const QString &a, const QString &b) { return a.toInt() > b.toInt(); });
        for (const QString &v : found) {
            const QString bin = QStringLiteral("/usr/lib/postgresql/%1/bin").arg(v);
            if (QFile::exists(bin + QStringLiteral("/initdb")))
                return bin;
        }
        const QString initdb = QStandardPaths::findExecutable(QStringLiteral("initdb"));
        return initdb.isEmpty() ? QString() : QFileInfo(initdb).absolutePath();
    }

    bool start(QString *error)
    {
        bin = binaries();
        // the server refuses to run as root: the folder is given to postgres
        if (geteuid() == 0)
            QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                  | QFileDevice::ExeOwner | QFileDevice::ReadOther
                                                  | QFileDevice::WriteOther | QFileDevice::ExeOther);
        if (!run(QStringLiteral("initdb"), {"-D", data(), "-A", "trust", "-U", "kvt", "--no-sync"}, error))
            return false;
        return up(error);
    }
    bool up(QString *error)
    {
        return run(QStringLiteral("pg_ctl"),
                   {"-D", data(), "-w", "-l", dir.filePath("log"), "-o",
                    QStringLiteral("-k %1 -c listen_addresses='' -F").arg(dir.path()), "start"},
                   error);
    }
    bool down(QString *error)
    {
        return run(QStringLiteral("pg_ctl"), {"-D", data(), "-w", "-m", "immediate", "stop"}, error);
    }
    ~PgServer()
    {
        if (!bin.isEmpty())
            down(nullptr);
    }
    // A new empty database on the server, as the register's URI.
    QString newDatabase()
    {
        const QString name = QStringLiteral("reg%1").arg(++databases);
        QString error;
        if (!run(QStringLiteral("createdb"), {"-h", dir.path(), "-U", "kvt", name}, &error))
            qWarning("%s", qPrintable(error));
        return QStringLiteral("postgresql://kvt@/%1?host=%2").arg(name, dir.path());
    }

private:
    QString data() const { return dir.filePath(QStringLiteral("data")); }
    bool run(const QString &program, const QStringList &args, QString *error)
    {
        QProcess p;
        const QString path = bin + QLatin1Char('/') + program;
        if (geteuid() == 0)
            p.start(QStringLiteral("runuser"), QStringList{"-u", "postgres", "--", path} + args);
        else
            p.start(path, args);
        const bool ok = p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit
                        && p.exitCode() == 0;
        if (!ok && error)
            *error = program + QStringLiteral(": ") + QString::fromLocal8Bit(p.readAllStandardError());
        return ok;
    }

    QTemporaryDir dir;
    QString bin;
    int databases = 0;
};

