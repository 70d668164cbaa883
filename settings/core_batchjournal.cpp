#include "settings/core_batchjournal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

QString batchJournalPath(const QString &settingsFilePath)
{
    const QFileInfo info(settingsFilePath);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".journal.tsv"));
}

QString batchJournalHeader()
{
    return QStringLiteral("время\tмодель\tсерийный номер\tIMEI\tверсия ПО\tрезультат\tпорт\tкод\n");
}

QString batchJournalLine(const QDateTime &when, const TerminalIdentity &terminal,
                         const QString &result, const QString &port, TerminalOutcome outcome)
{
    QStringList columns{when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                        terminal.model,
                        terminal.serialNumber,
                        terminal.imei,
                        terminal.firmwareVersion,
                        result,
                        QDir::toNativeSeparators(port),
                        terminalOutcomeCode(outcome)};
    for (QString &c : columns) {
        for (QChar &ch : c) {
            if (ch == QLatin1Char('\t') || ch == QLatin1Char('\r') || ch == QLatin1Char('\n'))
                ch = QLatin1Char(' ');
        }
    }
    return columns.join(QLatin1Char('\t')) + QLatin1Char('\n');
}

namespace {

bool failed(const QFile &f, QString *error)
{
    if (error)
        *error = f.errorString();
    return false;
}

bool writeAll(QFile &f, const QByteArray &bytes)
{
    return f.write(bytes) == bytes.size() && f.flush();
}

} // namespace

bool openBatchJournal(const QString &path, QString *error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadWrite | QIODevice::Append))
        return failed(f, error);
    const qint64 size = f.size();
    if (size == 0)
        return writeAll(f, batchJournalHeader().toUtf8()) || failed(f, error);
    // a full disk (or a size limit) shows only when the file grows
    f.seek(size - 1);
    const bool endsLine = f.read(1) == "\n";
    if (!writeAll(f, "\n"))
        return failed(f, error);
    if (endsLine && !f.resize(size))
        return failed(f, error);
    return true;
}

bool appendBatchJournal(const QString &path, const QString &line, QString *error)
{
    QFile f(path);
    const QByteArray bytes = line.toUtf8();
    if (f.open(QIODevice::Append) && writeAll(f, bytes))
        return true;
    return failed(f, error);
}
