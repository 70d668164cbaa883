#include "report/reportdocument.h"

#include "link/core_filesave.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>
#include <QUrl>

#include <cmath>
#include <memory>
#include <vector>

namespace {

// The same style sheet serves a browser and the PDF (Qt's rich text reads a subset of it;
// the table borders are given as attributes, which both read).
const char *const styleSheet = R"(
body { font-family: "DejaVu Sans", "Segoe UI", Arial, sans-serif; font-size: 9pt; color: #000; }
h1 { font-size: 15pt; margin-bottom: 4px; }
h2 { font-size: 12pt; margin-top: 14px; margin-bottom: 4px; }
h3 { font-size: 9pt; margin-top: 6px; margin-bottom: 2px; }
table.grid { border-collapse: collapse; border-color: #9a9a9a; margin-bottom: 8px; }
table.grid td, table.grid th { border: 1px solid #9a9a9a; }
th { background-color: #e9e9e9; text-align: left; font-weight: bold; }
th.title { background-color: #d5dbe3; font-size: 9.5pt; }
td.caption { color: #333333; }
td.passed { color: #116329; font-weight: bold; }
td.failed { color: #b3261e; font-weight: bold; }
td.notseen { color: #666666; }
p.meta { color: #333333; margin-top: 0px; }
)";

QString escaped(const QString &text)
{
    return text.toHtmlEscaped();
}

QString gridTable()
{
    return QStringLiteral(
        "<table class=\"grid\" border=\"1\" cellspacing=\"0\" cellpadding=\"2\" width=\"100%\">");
}

QString dateTimeText(const QDateTime &t)
{
    return t.toString(QStringLiteral("dd.MM.yyyy  hh:mm:ss"));
}

const char *resultClass(CheckResult result)
{
    switch (result) {
    case CheckResult::Passed:
        return "passed";
    case CheckResult::Failed:
        return "failed";
    case CheckResult::NotSeen:
        break;
    }
    return "notseen";
}

const char *resultBackground(CheckResult result)
{
    switch (result) {
    case CheckResult::Passed:
        return "#dcf3e2";
    case CheckResult::Failed:
        return "#fbe0de";
    case CheckResult::NotSeen:
        break;
    }
    return "#efefef";
}

// A group as a table: its title and, for a grid, its column captions head the table, so
// that the title never stays behind alone at the foot of a page and a grid cut by a page
// break shows them again on the next.
QString sectionHtml(const ReportSection &section)
{
    int columns = 1;
    for (const QStringList &cells : section.rows)
        columns = qMax(columns, int(cells.size()));
    QString html = gridTable() + QStringLiteral("<thead>");
    if (!section.title.isEmpty())
        html += QStringLiteral("<tr><th class=\"title\" colspan=\"%1\">%2</th></tr>")
                    .arg(columns)
                    .arg(escaped(section.title));
    for (int i = 0; i < section.rows.size(); ++i) {
        const QStringList &cells = section.rows.at(i);
        const bool header = section.headerRow && i == 0;
        if (i == (section.headerRow ? 1 : 0))
            html += QStringLiteral("</thead><tbody>");
        html += QStringLiteral("<tr>");
        for (int c = 0; c < cells.size(); ++c) {
            const QString text = cells.at(c).trimmed().isEmpty() ? QStringLiteral("&nbsp;")
                                                                 : escaped(cells.at(c));
            if (header)
                html += QStringLiteral("<th style=\"white-space: nowrap\">%1</th>").arg(text);
            else if (c == 0 && cells.size() == 2)
                html += QStringLiteral("<td class=\"caption\" width=\"50%\">%1</td>").arg(text);
            else if (cells.size() != 2)   // a grid's cells are short: numbers, addresses
                html += QStringLiteral("<td%1 style=\"white-space: nowrap\">%2</td>")
                            .arg(c == 0 ? QStringLiteral(" class=\"caption\"") : QString(), text);
            else
                html += QStringLiteral("<td>%1</td>").arg(text);
        }
        html += QStringLiteral("</tr>");
    }
    if (section.rows.size() <= (section.headerRow ? 1 : 0))
        html += QStringLiteral("</thead><tbody>");
    html += QStringLiteral("</tbody></table>");
    return html;
}

} // namespace

QString ReportDocument::checksTable(const QVector<CheckOutcome> &checks)
{
    QString html = gridTable();
    html += QStringLiteral("<tr><th width=\"36%\">%1</th><th width=\"14%\">%2</th><th>%3</th></tr>")
                .arg(tr("Что проверено"), tr("Результат"), tr("Что получено"));
    for (const CheckOutcome &c : checks) {
        html += QStringLiteral("<tr><td>%1</td><td class=\"%2\" bgcolor=\"%3\" style=\"white-space: nowrap\">%4</td><td>%5</td></tr>")
                    .arg(escaped(InstallationChecks::checkName(c.check)),
                         QLatin1String(resultClass(c.result)),
                         QLatin1String(resultBackground(c.result)),
                         escaped(InstallationChecks::resultText(c.result)), escaped(c.detail));
    }
    html += QStringLiteral("</table>");
    return html;
}

// The sections in two columns side by side, in order, each section going to the column that
// is shorter so far: half the pages of one column, and the columns end about level.
QString ReportDocument::sectionsTable(const QVector<ReportSection> &sections)
{
    QString columns[2];
    int heights[2] = {0, 0};
    for (const ReportSection &section : sections) {
        const int column = heights[1] < heights[0] ? 1 : 0;
        columns[column] += sectionHtml(section);
        heights[column] += section.rows.size() + 2;   // the title takes about two rows
    }
    return QStringLiteral("<table border=\"0\" cellspacing=\"0\" cellpadding=\"0\" width=\"100%\">"
                          "<tr><td width=\"49%\" valign=\"top\">%1</td><td width=\"2%\"></td>"
                          "<td width=\"49%\" valign=\"top\">%2</td></tr></table>")
        .arg(columns[0], columns[1]);
}

QString ReportDocument::titleOf(const ReportContent &content)
{
    const QString serial = content.serialNumber.trimmed();
    return serial.isEmpty() ? tr("Отчёт об установке терминала")
                            : tr("Отчёт об установке терминала %1").arg(serial);
}

// The title, the note, the terminal and the check list.
QString ReportDocument::headHtml(const ReportContent &content)
{
    QString html = QStringLiteral("<h1>%1</h1>\n").arg(escaped(titleOf(content)));
    html += QStringLiteral("<p class=\"meta\">%1").arg(escaped(tr("Составлен: %1").arg(dateTimeText(content.created))));
    if (content.connectedAt.isValid())
        html += QStringLiteral("<br>%1").arg(escaped(
            tr("Проверки по записям подключения с %1").arg(dateTimeText(content.connectedAt))));
    if (!content.recordingFile.isEmpty())
        html += QStringLiteral("<br>%1").arg(escaped(
            tr("Составлен по записи %1, записано с %2 по %3")
                .arg(content.recordingFile, dateTimeText(content.recordedFrom),
                     dateTimeText(content.recordedTo))));
    html += QStringLiteral("</p>\n");

    html += QStringLiteral("<h2>%1</h2>\n<p>%2</p>\n")
                .arg(tr("Заметка инженера"),
                     content.note.trimmed().isEmpty()
                         ? QStringLiteral("—")
                         : escaped(content.note.trimmed()).replace(QLatin1Char('\n'), QLatin1String("<br>")));

    html += QStringLiteral("<h2>%1</h2>\n").arg(tr("Терминал"));
    html += gridTable();
    for (const auto &row : content.identity)
        html += QStringLiteral("<tr><td class=\"caption\" width=\"30%\">%1</td><td><b>%2</b></td></tr>")
                    .arg(escaped(row.first),
                         row.second.isEmpty() ? QStringLiteral("&nbsp;") : escaped(row.second));
    html += QStringLiteral("</table>\n");

    int passed = 0, failed = 0, unseen = 0;
    for (const CheckOutcome &c : content.checks)
        ++(c.result == CheckResult::Passed ? passed : c.result == CheckResult::Failed ? failed : unseen);
    html += QStringLiteral("<h2>%1</h2>\n<p class=\"meta\">%2</p>\n")
                .arg(tr("Проверки"),
                     escaped(tr("пройдено: %1, не пройдено: %2, нет данных: %3")
                                 .arg(passed)
                                 .arg(failed)
                                 .arg(unseen)));
    html += checksTable(content.checks) + QLatin1Char('\n');
    return html;
}

QString ReportDocument::settingsHeadingHtml(const ReportContent &content)
{
    QString html = QStringLiteral("<h2>%1</h2>\n").arg(tr("Настройки"));
    if (content.settingsReadAt.isValid()) {
        const QString when = dateTimeText(content.settingsReadAt);
        html += QStringLiteral("<p class=\"meta\">%1</p>\n")
                    .arg(escaped(content.settingsReadEarlier
                                     ? tr("Прочитаны из этого терминала в предыдущем подключении %1; пароли и PIN-коды скрыты").arg(when)
                                     : tr("Прочитаны из терминала %1; пароли и PIN-коды скрыты").arg(when)));
    } else {
        html += QStringLiteral("<p>%1</p>\n").arg(tr("В этом подключении настройки не читались."));
    }
    return html;
}

QString ReportDocument::chartsHtml(const ReportContent &content, const QString &chartSource)
{
    QString html = QStringLiteral("<h2>%1</h2>\n")
                       .arg(tr("Графики за последние %1 мин").arg(content.chartMinutes));
    if (content.charts.isNull() || chartSource.isEmpty()) {
        html += QStringLiteral("<p>%1</p>\n").arg(tr("Значений для графиков не было."));
    } else {
        const int height = int(double(content.charts.height()) * chartWidth
                               / qMax(1, content.charts.width()));
        html += QStringLiteral("<p><img src=\"%1\" width=\"%2\" height=\"%3\" alt=\"%4\"></p>\n")
                    .arg(chartSource)
                    .arg(chartWidth)
                    .arg(height)
                    .arg(tr("Графики"));
    }
    return html;
}

QString ReportDocument::html(const ReportContent &content, const QString &chartSource)
{
    QString html = QStringLiteral("<!DOCTYPE html>\n<html lang=\"ru\"><head><meta charset=\"utf-8\">"
                                  "<title>%1</title><style>%2</style></head><body>\n")
                       .arg(escaped(titleOf(content)), QLatin1String(styleSheet));
    html += headHtml(content);
    html += QStringLiteral("<h2>%1</h2>\n").arg(tr("Параметры устройства"));
    html += sectionsTable(content.status) + QLatin1Char('\n');
    html += settingsHeadingHtml(content);
    if (content.settingsReadAt.isValid())
        html += sectionsTable(content.settings) + QLatin1Char('\n');
    html += chartsHtml(content, chartSource);
    html += QStringLiteral("</body></html>\n");
    return html;
}

QVector<ReportDocument::Piece> ReportDocument::pieces(const ReportContent &content,
                                                      const QString &chartSource)
{
    QVector<Piece> list;
    list.append({headHtml(content), false, false});
    list.append({QStringLiteral("<h2>%1</h2>").arg(tr("Параметры устройства")), false, true});
    for (const ReportSection &section : content.status)
        list.append({sectionHtml(section), true, false});
    list.append({settingsHeadingHtml(content), false, content.settingsReadAt.isValid()});
    if (content.settingsReadAt.isValid())
        for (const ReportSection &section : content.settings)
            list.append({sectionHtml(section), true, false});
    list.append({chartsHtml(content, chartSource), false, false});
    return list;
}

QVector<PdfPlace> ReportDocument::packPages(const QVector<PdfBlock> &blocks, qreal pageHeight,
                                            qreal gap)
{
    QVector<PdfPlace> places;
    int page = 0;
    qreal y = 0;                       // where the next full-width block goes
    qreal columns[2] = {0, 0};         // the columns' bottoms within a run of groups
    auto newPage = [&] {
        ++page;
        y = 0;
        columns[0] = columns[1] = 0;
    };
    places.resize(blocks.size());
    for (int i = 0; i < blocks.size(); ++i) {
        const PdfBlock &b = blocks.at(i);
        if (b.halfWidth) {
            // the run of groups from here: in order, but a group with no room left on the page
            // lets the next ones that have room go first, so that no page stays half empty
            QVector<int> pending;
            for (int k = i; k < blocks.size() && blocks.at(k).halfWidth; ++k)
                pending.append(k);
            columns[0] = columns[1] = y;
            while (!pending.isEmpty()) {
                int chosen = -1;
                const int column = columns[1] < columns[0] ? 1 : 0;   // the shorter one
                for (int n = 0; n < pending.size() && chosen < 0; ++n)
                    if (columns[column] + blocks.at(pending.at(n)).height <= pageHeight)
                        chosen = n;
                if (chosen < 0 && (columns[0] > 0 || columns[1] > 0)) {
                    newPage();
                    continue;
                }
                if (chosen < 0)   // taller than a page: it runs on over the pages after it
                    chosen = 0;
                const int k = pending.takeAt(chosen);
                places[k] = {page, column, columns[column]};
                columns[column] += blocks.at(k).height + gap;
                while (columns[column] > pageHeight + gap) {
                    columns[column] -= pageHeight;
                    ++page;
                    columns[1 - column] = 0;
                }
            }
            // a full-width block follows the taller column
            y = qMax(columns[0], columns[1]);
            while (i + 1 < blocks.size() && blocks.at(i + 1).halfWidth)
                ++i;
            continue;
        }
        qreal needed = b.height;
        if (b.keepWithNext && i + 1 < blocks.size())
            needed += blocks.at(i + 1).height;
        if (y > 0 && y + needed > pageHeight)
            newPage();
        places[i] = {page, -1, y};
        y += b.height + gap;
        while (y > pageHeight + gap) {
            y -= pageHeight;
            ++page;
        }
    }
    return places;
}

bool ReportDocument::isPdfName(const QString &fileName)
{
    return QFileInfo(fileName).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0;
}

bool ReportDocument::write(const ReportContent &content, const QString &fileName, QString *error)
{
    return isPdfName(fileName) ? writePdf(content, fileName, error)
                               : writeHtml(content, fileName, error);
}

bool ReportDocument::writeHtml(const ReportContent &content, const QString &fileName,
                               QString *error)
{
    QString source;
    if (!content.charts.isNull()) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        content.charts.save(&buffer, "PNG");
        source = QStringLiteral("data:image/png;base64,") + QString::fromLatin1(png.toBase64());
    }
    if (!saveWholeFile(fileName, html(content, source).toUtf8(), error)) {
        *error = fileErrorText(*error);
        return false;
    }
    return true;
}

bool ReportDocument::writePdf(const ReportContent &content, const QString &fileName,
                              QString *error)
{
    // drawn in memory, then saved whole: a failed save keeps the file that was there
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter printer(&buffer);
    printer.setResolution(1200);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(0, 0, 0, 0));
    printer.setTitle(titleOf(content));
    printer.setCreator(QStringLiteral("KVT Logger"));

    // the pieces laid out in the printer's own pixels, within margins of 2 cm (1.5 cm at the
    // foot, under which the page number goes)
    const qreal dpi = printer.logicalDpiY();
    const qreal margin = 2 / 2.54 * dpi;
    const QRectF area(margin, margin, printer.width() - 2 * margin,
                      printer.height() - margin - 1.5 / 2.54 * dpi);
    const qreal gap = 0.3 / 2.54 * dpi;
    const qreal columnWidth = (area.width() - gap) / 2;
    const QUrl chartUrl(QStringLiteral("kvt-report:charts.png"));
    const QVector<Piece> parts = pieces(content, content.charts.isNull() ? QString() : chartUrl.toString());

    std::vector<std::unique_ptr<QTextDocument>> documents;
    QVector<PdfBlock> blocks;
    for (const Piece &part : parts) {
        auto document = std::make_unique<QTextDocument>();
        document->documentLayout()->setPaintDevice(&printer);
        QFont font = document->defaultFont();
        font.setPointSizeF(9);
        document->setDefaultFont(font);
        document->setDocumentMargin(0);
        if (!content.charts.isNull())
            document->addResource(QTextDocument::ImageResource, chartUrl, content.charts);
        document->setHtml(QStringLiteral("<html><head><style>%1</style></head><body>%2</body></html>")
                              .arg(QLatin1String(styleSheet), part.html));
        bool halfWidth = part.halfWidth;
        document->setTextWidth(halfWidth ? columnWidth : area.width());
        if (halfWidth && document->idealWidth() > columnWidth + 1) {
            // a grid of long cells that do not wrap: the whole width
            halfWidth = false;
            document->setTextWidth(area.width());
        }
        blocks.append({document->size().height(), halfWidth, part.keepWithNext});
        documents.push_back(std::move(document));
    }
    const QVector<PdfPlace> places = packPages(blocks, area.height(), gap);
    int pageCount = 1;
    for (int i = 0; i < places.size(); ++i)
        pageCount = qMax(pageCount, places.at(i).page
                                        + int(std::ceil((places.at(i).top + blocks.at(i).height)
                                                        / area.height())));

    QPainter painter;
    if (!painter.begin(&printer)) {
        *error = tr("PDF не записан");
        return false;
    }
    QFont numberFont = painter.font();
    numberFont.setPointSizeF(8);
    for (int page = 0; page < pageCount; ++page) {
        if (page > 0)
            printer.newPage();
        for (int i = 0; i < places.size(); ++i) {
            const PdfPlace &at = places.at(i);
            // the part of the block on this page (more than one page for a very tall block)
            const qreal offset = (page - at.page) * area.height() - at.top;
            const qreal height = blocks.at(i).height;
            if (offset + area.height() <= 0 || offset >= height)
                continue;
            const qreal x = area.left() + (at.column == 1 ? columnWidth + gap : 0);
            painter.save();
            painter.translate(x, area.top() - offset);
            documents[size_t(i)]->drawContents(
                &painter, QRectF(0, qMax<qreal>(0, offset), documents[size_t(i)]->textWidth(),
                                 qMin(height, offset + area.height()) - qMax<qreal>(0, offset)));
            painter.restore();
        }
        painter.setFont(numberFont);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(0, area.bottom() + 0.4 / 2.54 * dpi, printer.width(), dpi / 3),
                         Qt::AlignHCenter | Qt::AlignTop,
                         QStringLiteral("%1 / %2").arg(page + 1).arg(pageCount));
    }
    if (!painter.end() || pdf.isEmpty()) {
        *error = tr("PDF не записан");
        return false;
    }
    if (!saveWholeFile(fileName, pdf, error)) {
        *error = fileErrorText(*error);
        return false;
    }
    return true;
}
