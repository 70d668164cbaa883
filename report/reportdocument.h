#pragma once
// The installation report as a document: what it shows (ReportContent), its HTML, and the
// file it is written to, HTML with the pictures inside or PDF.

#include "report/core_installationchecks.h"
#include "report/pagesnapshot.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QImage>
#include <QPair>
#include <QString>
#include <QVector>

struct ReportContent
{
    QDateTime created;
    QDateTime connectedAt;   // when the connection the checks judge began
    QString note;            // the engineer's note
    QVector<QPair<QString, QString>> identity;   // caption, value
    QString serialNumber;                        // for the title
    QVector<CheckOutcome> checks;
    QVector<ReportSection> status;     // the device parameters page, group by group
    QVector<ReportSection> settings;   // as last read from the terminal, secrets masked
    QDateTime settingsReadAt;          // invalid when not read in this connection
    QImage charts;                     // null when there was nothing to draw
    int chartMinutes = 0;
};

class ReportDocument
{
    Q_DECLARE_TR_FUNCTIONS(ReportDocument)

public:
    // The width of the charts picture on the page, in pixels of the page; the picture itself
    // has twice as many, so that it stays sharp when printed.
    static constexpr int chartWidth = 620;

    // The report as HTML; the charts picture, if any, is shown from chartSource.
    static QString html(const ReportContent &content, const QString &chartSource);

    // Writes the report: PDF when the file name ends in ".pdf" (any case), HTML otherwise,
    // the pictures inside the file either way. On failure returns false and says why.
    static bool write(const ReportContent &content, const QString &fileName, QString *error);
    static bool isPdfName(const QString &fileName);

private:
    static bool writeHtml(const ReportContent &content, const QString &fileName, QString *error);
    static bool writePdf(const ReportContent &content, const QString &fileName, QString *error);
    static QString checksTable(const QVector<CheckOutcome> &checks);
    static QString sectionsTable(const QVector<ReportSection> &sections);
};
