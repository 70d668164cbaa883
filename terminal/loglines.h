#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

#include <deque>

// The rows of the terminal log: at most `maxLines` rows and `maxBytes` bytes, the oldest
// dropped first when a new one would go over. The last row is the open one that received
// bytes go on with; it counts as a row (an empty log holds one empty row), so the text
// "a\nb\n" is the three rows "a", "b" and "".
//
// Rows hold the bytes as they came (UTF-8 is decoded only when a row is shown), so the log
// can also be shown as hex. A row is one received line, or a piece of one:
//  - a line that never ends is continued on a new row after MaxRowBytes bytes;
//  - a sent line put into the log while a received line is open breaks the received line
//    there, and the received line goes on in the row after the sent one.
// The received text (toPlainText) joins such pieces again: it is exactly the text received.
//
// Every row also has a number that never changes while the row is held: the number of
// rows that came before it since the log was made, dropped and cleared rows included.
class LogLines
{
public:
    static constexpr int MaxRowBytes = 64 * 1024;

    // Note: a line of the program's own (a recording's note played back), kept as a sent one
    enum class Kind : quint8 { Received, Sent, Note };
    // how a row ended: still open, by a line end (kept for the hex view), or broken without
    // one (a long line continued, or a sent line put in between)
    enum class End : quint8 { Open, CR, LF, CRLF, Broken };

    struct Row
    {
        QByteArray bytes;     // without the line end
        qint64 time = 0;      // arrival of the first byte, ms since the epoch; 0 while empty
        Kind kind = Kind::Received;
        End end = End::Open;
        // byte ranges [first, second) that are not part of the text: the rest of a chunk
        // after a zero byte, kept for the hex view only
        QVector<QPair<int, int>> hidden;
    };

    explicit LogLines(int maxLines, qint64 maxBytes = 32 * 1024 * 1024);

    // Appends received bytes at the end: the first `visible` bytes as text, the rest as
    // hidden bytes of the open row. CR LF, a lone CR and a lone LF each end a row, also when
    // the CR and the LF arrive in two calls. `time` stamps the rows that get their first
    // byte or their line end now. Returns how many of the oldest rows were dropped to stay
    // within the caps.
    int append(const QByteArray &data, int visible, qint64 time);
    int append(const QByteArray &data, qint64 time = 0) { return append(data, data.size(), time); }
    // Puts one sent line (no line end inside; `end` is how it was ended when written) in a
    // row of its own. An open received line is broken there and goes on after it.
    int appendSent(const QByteArray &line, End end, qint64 time, Kind kind = Kind::Sent);

    // Drops every row; the log then holds one empty row. A CR that ended the last text
    // still pairs with an LF that opens the next.
    void clear();

    int count() const { return int(rows.size()); }
    int maxLines() const { return cap; }
    qint64 byteCount() const { return bytes; }
    const Row &row(int index) const { return rows[size_t(index)]; }
    qint64 firstNumber() const { return first; }

    // The text of a row: its bytes without the hidden ones, from UTF-8 (an unfinished
    // character at the end of the open row is left out until the rest comes).
    QString line(int index) const;

    // The received text: received rows joined with LF, pieces of one line joined again.
    QString toPlainText() const;
    // The text from (row, column) up to (row, column), rows joined with LF; indexes as
    // for line(), columns clamped to the row.
    QString text(int fromLine, int fromColumn, int toLine, int toColumn) const;

    // Joins the texts of rows over a range; rowText gives the text of a row by index.
    template<typename RowText>
    static QString joinRange(int fromLine, int fromColumn, int toLine, int toColumn, RowText rowText);

    // Bytes of an unfinished UTF-8 character at the end of `bytes` (0 to 3).
    static int unfinishedUtf8(const char *bytes, int size);

private:
    Row &open() { return rows.back(); }
    void textOf(const Row &row, QByteArray &out) const;
    void newRow();
    void breakOpenRow();
    void appendText(const char *p, int n, qint64 time);
    int dropOverCaps();

    int cap;
    qint64 byteCap;
    std::deque<Row> rows;
    qint64 bytes = 0;            // bytes held in all rows
    qint64 first = 0;            // number of the oldest row held
    qint64 lastEnded = -1;       // number of the received row ended last (CR may become CR LF)
    bool pendingCR = false;      // the last text ended in CR: a leading LF ends no row
    int droppedEarly = 0;        // rows dropped at the line cap since the last dropOverCaps()
};

template<typename RowText>
QString LogLines::joinRange(int fromLine, int fromColumn, int toLine, int toColumn, RowText rowText)
{
    if (toLine < fromLine)
        return QString();
    const QString firstText = rowText(fromLine);
    fromColumn = qBound(0, fromColumn, firstText.size());
    if (fromLine == toLine)
        return firstText.mid(fromColumn, qMax(0, qMin(toColumn, firstText.size()) - fromColumn));
    QString out = firstText.mid(fromColumn);
    for (int i = fromLine + 1; i < toLine; ++i) {
        out += QLatin1Char('\n');
        out += rowText(i);
    }
    const QString lastText = rowText(toLine);
    out += QLatin1Char('\n');
    out += lastText.leftRef(qBound(0, toColumn, lastText.size()));
    return out;
}
