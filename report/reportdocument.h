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
    // made from a recording played back: its file name and the recorded span (empty: live)
    QString recordingFile;
    QDateTime recordedFrom, recordedTo;
    QVector<QPair<QString, QString>> identity;   // caption, value
    QString serialNumber;                        // for the title
    QVector<CheckOutcome> checks;
    QVector<ReportSection> status;     // the device parameters page, group by group
    QVector<ReportSection> settings;   // as last read from the terminal, secrets masked
    QDateTime settingsReadAt;          // invalid when none count for this connection
    bool settingsReadEarlier = false;  // read from the same terminal in an earlier connection
    QImage charts;                     // null when there was nothing to draw
    int chartMinutes = 0;
};

// One piece of the printed report: a group's table, a heading, the head of the report. A
// block is never split across pages unless it is taller than a page by itself.
struct PdfBlock
{
    qreal height = 0;
    bool halfWidth = false;      // a group: one of two columns
    bool keepWithNext = false;   // a heading: on the page of the block after it
};

// Where a block went: its page (the first of them for a block taller than a page), its column
// (-1: the whole width) and its top on that page.
struct PdfPlace
{
    int page = 0;
    int column = -1;
    qreal top = 0;
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

    // The blocks laid out on pages of the given height, one after another: the groups of a run
    // of half-width blocks each go to the column that is shorter so far, in order, except that
    // a group with no room left on the page lets the next ones of the run that have room go
    // first; a new page begins only when none has. A full-width block follows the taller
    // column; a heading goes to a new page with the block after it when both do not fit.
    static QVector<PdfPlace> packPages(const QVector<PdfBlock> &blocks, qreal pageHeight,
                                       qreal gap);

private:
    static bool writeHtml(const ReportContent &content, const QString &fileName, QString *error);
    static bool writePdf(const ReportContent &content, const QString &fileName, QString *error);
    static QString checksTable(const QVector<CheckOutcome> &checks);
    static QString sectionsTable(const QVector<ReportSection> &sections);
    // The report in pieces for the printed pages: HTML bodies, and whether each is a group.
    struct Piece
    {
        QString html;
        bool halfWidth = false;
        bool keepWithNext = false;
    };
    static QVector<Piece> pieces(const ReportContent &content, const QString &chartSource);
    static QString headHtml(const ReportContent &content);
    static QString settingsHeadingHtml(const ReportContent &content);
    static QString chartsHtml(const ReportContent &content, const QString &chartSource);
    static QString titleOf(const ReportContent &content);
};
