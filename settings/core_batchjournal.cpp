#include "settings/core_batchjournal.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

QString batchJournalPath(const QString &settingsFilePath)
{
    const QFileInfo info(settingsFilePath);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".journal.tsv"));
}

QString batchJournalLine(const QDateTime &when, const TerminalIdentity &terminal,
                         const QString &result)
{
    QStringList columns{when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                        terminal.model,
                        terminal.serialNumber,
                        terminal.imei,
                        terminal.firmwareVersion,
                        result};
    for (QString &c : columns) {
        for (QChar &ch : c) {
            if (ch == QLatin1Char('\t') || ch == QLatin1Char('\r') || ch == QLatin1Char('\n'))
                ch = QLatin1Char(' ');
        }
    }
    return columns.join(QLatin1Char('\t')) + QLatin1Char('\n');
}
