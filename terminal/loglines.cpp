#include "terminal/loglines.h"

#include <QtGlobal>

#include <cstring>
#include <utility>

LogLines::LogLines(int maxLines, qint64 maxBytes)
    : cap(qMax(1, maxLines))
    , byteCap(qMax<qint64>(MaxRowBytes, maxBytes))
{
    rows.emplace_back();
}

int LogLines::unfinishedUtf8(const char *bytes, int size)
{
    for (int k = 1; k <= 3 && k <= size; ++k) {
        const uchar c = uchar(bytes[size - k]);
        if ((c & 0xC0) == 0x80)
            continue;   // a continuation byte: look further back for the lead byte
        int need = 0;
        if (c >= 0xC2 && c <= 0xDF)
            need = 2;
        else if (c >= 0xE0 && c <= 0xEF)
            need = 3;
        else if (c >= 0xF0 && c <= 0xF4)
            need = 4;
        return need > k ? k : 0;
    }
    return 0;
}

namespace {
// A row dropped at the line cap hands its storage to the next row when it is no larger than
// this: most lines are short, and a log at its cap then allocates nothing for one.
constexpr int RecycledCapacity = 128;
} // namespace

void LogLines::newRow()
{
    if (count() < cap) {
        rows.emplace_back();
        return;
    }
    // The new row would go over the line cap: the oldest goes now rather than when the chunk
    // is done (the same rows go either way), and its storage is taken over.
    QByteArray storage;
    Row &oldest = rows.front();
    bytes -= oldest.bytes.size();
    if (oldest.bytes.isDetached() && oldest.bytes.capacity() <= RecycledCapacity) {
        storage.swap(oldest.bytes);
        storage.reserve(storage.capacity());   // kept by the resize to nothing
        storage.resize(0);
    }
    rows.pop_front();
    ++first;
    ++droppedEarly;
    rows.emplace_back();
    rows.back().bytes.swap(storage);
}

void LogLines::breakOpenRow()
{
    open().end = End::Broken;
    newRow();
}

void LogLines::appendText(const char *p, int n, qint64 time)
{
    while (n > 0) {
        Row &row = open();
        const int room = MaxRowBytes - row.bytes.size();
        if (room <= 0) {
            breakOpenRow();
            continue;
        }
        const int take = qMin(n, room);
        row.bytes.append(p, take);
        if (row.time == 0)
            row.time = time;
        bytes += take;
        p += take;
        n -= take;
        if (row.bytes.size() < MaxRowBytes)
            continue;
        // a long line is continued between characters, not inside one
        const int size = row.bytes.size();
        const int unfinished = unfinishedUtf8(row.bytes.constData(), size);
        if (unfinished > 0 && (row.hidden.isEmpty() || row.hidden.last().second <= size - unfinished)) {
            const QByteArray tail = row.bytes.right(unfinished);
            row.bytes.chop(unfinished);
            breakOpenRow();
            open().bytes = tail;
            open().time = time;
        }
    }
}

int LogLines::append(const QByteArray &data, int visible, qint64 time)
{
    visible = qBound(0, visible, data.size());
    const char *p = data.constData();
    const char *const textEnd = p + visible;
    if (p < textEnd) {
        if (pendingCR && *p == '\n') {
            ++p;
            // the CR that ended a row and this LF are one line end
            const qint64 index = lastEnded - first;
            if (index >= 0 && index < count())
                rows[size_t(index)].end = End::CRLF;
        }
        pendingCR = false;
    }

    while (p < textEnd) {
        const char *q = p;
        while (q < textEnd && *q != '\r' && *q != '\n')
            ++q;
        if (q > p)
            appendText(p, int(q - p), time);
        if (q == textEnd)
            break;
        End end = End::LF;
        if (*q == '\r') {
            end = End::CR;
            if (q + 1 == textEnd)
                pendingCR = true;
            else if (q[1] == '\n') {
                ++q;
                end = End::CRLF;
            }
        }
        p = q + 1;
        Row &row = open();
        if (row.time == 0)
            row.time = time;
        row.end = end;
        lastEnded = first + count() - 1;
        newRow();
    }

    // the rest of the chunk after a zero byte: shown in hex only
    const char *h = data.constData() + visible;
    int n = data.size() - visible;
    while (n > 0) {
        Row &row = open();
        const int room = MaxRowBytes - row.bytes.size();
        if (room <= 0) {
            breakOpenRow();
            continue;
        }
        const int take = qMin(n, room);
        const int start = row.bytes.size();
        row.bytes.append(h, take);
        if (!row.hidden.isEmpty() && row.hidden.last().second == start)
            row.hidden.last().second = start + take;
        else
            row.hidden.append(qMakePair(start, start + take));
        if (row.time == 0)
            row.time = time;
        bytes += take;
        h += take;
        n -= take;
    }
    return dropOverCaps();
}

int LogLines::appendSent(const QByteArray &line, End end, qint64 time, Kind kind)
{
    Row &before = open();
    QByteArray carried;
    if (!before.bytes.isEmpty() || !before.hidden.isEmpty()) {
        // an unfinished character goes on with the rest of the received line
        const int unfinished = unfinishedUtf8(before.bytes.constData(), before.bytes.size());
        const int hiddenEnd = before.hidden.isEmpty() ? 0 : before.hidden.last().second;
        if (unfinished > 0 && before.bytes.size() - unfinished >= hiddenEnd) {
            carried = before.bytes.right(unfinished);
            before.bytes.chop(unfinished);
        }
        breakOpenRow();
    }
    Row &sent = open();
    sent.kind = kind;
    sent.bytes = line;
    sent.time = time;
    sent.end = end;
    bytes += line.size();
    newRow();
    if (!carried.isEmpty()) {
        open().bytes = carried;
        open().time = time;
    }
    return dropOverCaps();
}

int LogLines::dropOverCaps()
{
    int dropped = std::exchange(droppedEarly, 0);
    while (count() > cap || (bytes > byteCap && count() > 1)) {
        bytes -= rows.front().bytes.size();
        rows.pop_front();
        ++first;
        ++dropped;
    }
    return dropped;
}

void LogLines::clear()
{
    first += count();
    rows.clear();
    rows.emplace_back();
    bytes = 0;
    droppedEarly = 0;
    lastEnded = -1;
}

void LogLines::textOf(const Row &row, QByteArray &out) const
{
    if (row.hidden.isEmpty()) {
        out += row.bytes;
        return;
    }
    int from = 0;
    for (const auto &range : row.hidden) {
        out.append(row.bytes.constData() + from, range.first - from);
        from = range.second;
    }
    out.append(row.bytes.constData() + from, row.bytes.size() - from);
}

QString LogLines::line(int index) const
{
    const Row &row = rows[size_t(index)];
    QByteArray text;
    textOf(row, text);
    if (index == count() - 1)
        text.chop(unfinishedUtf8(text.constData(), text.size()));
    return QString::fromUtf8(text);
}

QString LogLines::toPlainText() const
{
    QByteArray out;
    out.reserve(int(qMin<qint64>(bytes + count(), 1 << 30)));
    bool lineEnd = false;
    for (const Row &row : rows) {
        if (row.kind != Kind::Received)
            continue;
        if (lineEnd)
            out += '\n';
        textOf(row, out);
        lineEnd = row.end != End::Broken;
    }
    // as received text is decoded, an unfinished character waits for the rest
    out.chop(unfinishedUtf8(out.constData(), out.size()));
    return QString::fromUtf8(out);
}

QString LogLines::text(int fromLine, int fromColumn, int toLine, int toColumn) const
{
    fromLine = qBound(0, fromLine, count() - 1);
    toLine = qBound(0, toLine, count() - 1);
    return joinRange(fromLine, fromColumn, toLine, toColumn, [this](int i) { return line(i); });
}
