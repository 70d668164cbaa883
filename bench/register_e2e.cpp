// The installation register at scale, on a PostgreSQL server of its own (see tests/pgserver.h):
// N journal lines (1,000,000 unless --lines says) imported by `kvt-cli register import`, then
// `kvt-cli register list --serial S` for one terminal, then the dock's first page (the latest
// events, and one terminal's). Wall-clock times; the machine may be shared, so the load is
// printed too. Exit status 1 when something failed or a line is missing.
#include "pgserver.h"
#include "register/registerdatabase.h"
#include "register/registerpanel.h"
#include "register/registersearch.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTextStream>

#include <cstdio>

namespace {

void say(const QString &text)
{
    std::printf("%s\n", qPrintable(text));
    std::fflush(stdout);
}

QString loadAverage()
{
    QFile f(QStringLiteral("/proc/loadavg"));
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()).section(QLatin1Char(' '), 0, 2)
                                       : QStringLiteral("?");
}

// A journal as a busy team's stations write it: 200,000 terminals set up five times each.
bool writeJournal(const QString &path, int lines)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    QByteArray out = "время\tмодель\tсерийный номер\tIMEI\tверсия ПО\tрезультат\tпорт\tкод\n";
    const QDateTime start(QDate(2024, 1, 1), QTime(8, 0));
    for (int i = 0; i < lines; ++i) {
        const bool ok = i % 7 != 0;
        out += start.addSecs(i * 37).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toLatin1();
        out += QStringLiteral("\tKVT3\t%1\t8661040%2\t0.%3\t%4\t/dev/ttyACM%5\t%6\n")
                   .arg(600000 + i % 200000)
                   .arg(i, 8, 10, QLatin1Char('0'))
                   .arg(70 + i % 5)
                   .arg(ok ? QStringLiteral("записано и подтверждено") : QStringLiteral("нет ответа терминала"))
                   .arg(i % 8)
                   .arg(ok ? QStringLiteral("confirmed") : QStringLiteral("no-answer"))
                   .toUtf8();
        if (out.size() > (1 << 20)) {
            if (f.write(out) != out.size())
                return false;
            out.clear();
        }
    }
    return f.write(out) == out.size();
}

bool cli(const QStringList &args, const QString &where, qint64 *ms, QByteArray *out)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("KVT_REGISTER"), where);
    p.setProcessEnvironment(env);
    QElapsedTimer t;
    t.start();
    p.start(QStringLiteral(KVT_CLI_PATH), args);
    const bool ok = p.waitForFinished(-1) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    *ms = t.elapsed();
    *out = p.readAllStandardOutput();
    if (!ok)
        say(QString::fromLocal8Bit(p.readAllStandardError()));
    return ok;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption linesOption(QStringLiteral("lines"), QStringLiteral("Journal lines."),
                                         QStringLiteral("n"), QStringLiteral("1000000"));
    parser.addOption(linesOption);
    parser.process(app);
    const int lines = parser.value(linesOption).toInt();
    if (PgServer::binaries().isEmpty()) {
        say(QStringLiteral("PostgreSQL is not installed (Debian: postgresql): nothing measured"));
        return 1;
    }
    QTemporaryDir dir;
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir.path()));
    PgServer pg;
    QString error;
    if (!pg.start(&error)) {
        say(error);
        return 1;
    }
    const QString where = pg.newDatabase();
    const QString journal = dir.filePath(QStringLiteral("big.journal.tsv"));
    if (!writeJournal(journal, lines)) {
        say(QStringLiteral("cannot write %1").arg(journal));
        return 1;
    }
    say(QStringLiteral("load before: %1").arg(loadAverage()));
    qint64 ms = 0;
    QByteArray out;
    if (!cli({"register", "import", journal}, where, &ms, &out))
        return 1;
    say(QStringLiteral("import of %1 lines: %2 s (%3 lines/s)")
            .arg(lines)
            .arg(ms / 1000.0, 0, 'f', 1)
            .arg(qint64(lines * 1000.0 / std::max<qint64>(ms, 1))));

    // a terminal set up five times, the last one of the file
    const QString serial = QString::number(600000 + (lines - 1) % 200000);
    if (!cli({"register", "list", "--serial", serial}, where, &ms, &out))
        return 1;
    const int found = out.count('\n');
    say(QStringLiteral("register list --serial %1: %2 ms, %3 events").arg(serial).arg(ms).arg(found));

    RegisterLocation location;
    parseRegisterLocation(where, &location, nullptr);
    RegisterSearch search(location);
    RegisterTableModel model;
    model.setSource(&search);
    for (const QString &text : {QString(), serial}) {
        QElapsedTimer t;
        t.start();
        QEventLoop loop;
        bool ok = false;
        const auto c = QObject::connect(&model, &RegisterTableModel::searchFinished, &loop,
                                        [&](bool answered, const QString &why) {
                                            ok = answered;
                                            error = why;
                                            loop.quit();
                                        });
        model.search(text);
        loop.exec();
        QObject::disconnect(c);
        if (!ok) {
            say(error);
            return 1;
        }
        say(QStringLiteral("dock's first page (%1): %2 ms, %3 rows")
                .arg(text.isEmpty() ? QStringLiteral("latest") : QStringLiteral("serial ") + text)
                .arg(t.elapsed())
                .arg(model.rowCount()));
    }
    say(QStringLiteral("load after: %1").arg(loadAverage()));
    // the lines of that terminal: one in every 200,000
    const int expected = (lines - 1) / 200000 + 1;
    if (found != expected)
        say(QStringLiteral("%1 events of %2 listed, %3 written").arg(found).arg(serial).arg(expected));
    return found == expected ? 0 : 1;
}
