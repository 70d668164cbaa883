#include "terminal/loglines.h"

#include <QtGlobal>

LogLines::LogLines(int maxLines)
    : cap(qMax(1, maxLines))
{
    ring.emplace_back();
}

void LogLines::endLine()
{
    if (held < cap) {
        // not full yet: the lines sit in slots 0 .. held-1
        if (size_t(held) == ring.size())
            ring.emplace_back();
        else
            ring[size_t(held)].clear();
        ++held;
        return;
    }
    // full: the oldest line's slot becomes the new open line
    ring[size_t(head)].clear();
    head = (head + 1) % cap;
    ++first;
}

int LogLines::append(const QString &text)
{
    const QChar *p = text.constData();
    const QChar *const end = p + text.size();
    if (p == end)
        return 0;
    if (pendingCR && *p == QLatin1Char('\n'))
        ++p;
    pendingCR = false;

    int dropped = 0;
    while (p < end) {
        const QChar *q = p;
        while (q < end && q->unicode() != '\r' && q->unicode() != '\n')
            ++q;
        if (q > p)
            ring[size_t(slot(held - 1))].append(p, int(q - p));
        if (q == end)
            break;
        if (q->unicode() == '\r') {
            if (q + 1 == end)
                pendingCR = true;
            else if (q[1].unicode() == '\n')
                ++q;
        }
        p = q + 1;
        if (held == cap)
            ++dropped;
        endLine();
    }
    return dropped;
}

void LogLines::clear()
{
    first += held;
    ring.assign(1, QString());
    head = 0;
    held = 1;
}

QString LogLines::toPlainText() const
{
    return text(0, 0, held - 1, line(held - 1).size());
}

QString LogLines::text(int fromLine, int fromColumn, int toLine, int toColumn) const
{
    fromLine = qBound(0, fromLine, held - 1);
    toLine = qBound(0, toLine, held - 1);
    if (toLine < fromLine)
        return QString();
    fromColumn = qBound(0, fromColumn, line(fromLine).size());
    toColumn = qBound(0, toColumn, line(toLine).size());
    if (fromLine == toLine)
        return line(fromLine).mid(fromColumn, qMax(0, toColumn - fromColumn));

    int size = line(fromLine).size() - fromColumn + 1 + toColumn;
    for (int i = fromLine + 1; i < toLine; ++i)
        size += line(i).size() + 1;
    QString out;
    out.reserve(size);
    const QString &firstPart = line(fromLine);
    out.append(firstPart.constData() + fromColumn, firstPart.size() - fromColumn);
    for (int i = fromLine + 1; i < toLine; ++i) {
        out += QLatin1Char('\n');
        out += line(i);
    }
    out += QLatin1Char('\n');
    out.append(line(toLine).constData(), toColumn);
    return out;
}
