#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>

#include <limits>

// Local times of moments given in ms since the epoch, as text, for the log's time stamps and
// the recording. Working out the local time through the C library looks at the time zone
// again on every call, and a busy line brings thousands of moments a second: the offset
// from UTC is looked up once per quarter of an hour (clocks change on quarter hours), and the
// text of a millisecond is made once: the lines of a chunk, and the chunks of a busy
// millisecond, share one moment. The moment is always given (the clock of the line, or of
// a recording played back), never read here. One object per thread.
class LocalTimeText
{
public:
    // "HH:mm:ss.zzz"
    QString time(qint64 ms)
    {
        if (ms != timeMs || timeText.isNull()) {
            char buf[16];
            const int n = format(ms, false, buf);
            timeText = QString::fromLatin1(buf, n);
            timeMs = ms;
        }
        return timeText;
    }
    // "yyyy-MM-dd HH:mm:ss.zzz", appended to `out`
    void appendDateTime(qint64 ms, QByteArray &out)
    {
        if (ms != dateTimeMs || dateTimeSize == 0) {
            dateTimeSize = format(ms, true, dateTimeText);
            dateTimeMs = ms;
        }
        out.append(dateTimeText, dateTimeSize);
    }

private:
    static constexpr qint64 QuarterMs = 15 * 60 * 1000;
    static constexpr qint64 DayMs = 24 * 60 * 60 * 1000;

    static char *two(char *p, int v)
    {
        *p++ = char('0' + v / 10);
        *p++ = char('0' + v % 10);
        return p;
    }

    int format(qint64 ms, bool withDate, char *buf)
    {
        const qint64 quarter = ms >= 0 ? ms / QuarterMs : (ms - QuarterMs + 1) / QuarterMs;
        if (quarter != lastQuarter) {
            lastQuarter = quarter;
            offsetMs = qint64(QDateTime::fromMSecsSinceEpoch(quarter * QuarterMs).offsetFromUtc()) * 1000;
        }
        const qint64 local = ms + offsetMs;
        qint64 day = local / DayMs;
        qint64 inDay = local % DayMs;
        if (inDay < 0) {
            inDay += DayMs;
            --day;
        }
        char *p = buf;
        if (withDate) {
            const QDate date = QDate::fromJulianDay(day + 2440588);   // 1970-01-01
            const int y = date.year();
            *p++ = char('0' + (y / 1000) % 10);
            *p++ = char('0' + (y / 100) % 10);
            p = two(p, y % 100);
            *p++ = '-';
            p = two(p, date.month());
            *p++ = '-';
            p = two(p, date.day());
            *p++ = ' ';
        }
        const int msOfDay = int(inDay);
        p = two(p, msOfDay / 3600000);
        *p++ = ':';
        p = two(p, msOfDay / 60000 % 60);
        *p++ = ':';
        p = two(p, msOfDay / 1000 % 60);
        *p++ = '.';
        const int milli = msOfDay % 1000;
        *p++ = char('0' + milli / 100);
        p = two(p, milli % 100);
        return int(p - buf);
    }

    qint64 lastQuarter = std::numeric_limits<qint64>::min();
    qint64 offsetMs = 0;
    // the last moment made into text, by each of the two forms
    qint64 timeMs = 0;
    QString timeText;
    qint64 dateTimeMs = 0;
    char dateTimeText[32];
    int dateTimeSize = 0;
};
