#include "link/core_recording.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {

constexpr qint64 QuarterMs = 15 * 60 * 1000;
constexpr qint64 DayMs = 24 * 60 * 60 * 1000;
constexpr qint64 UnixEpochJulianDay = 2440588;   // 1970-01-01
constexpr int StampSize = 23;                    // "yyyy-MM-dd HH:mm:ss.zzz"
// Blocks the file is read in; a line longer than MaxLineSize is no recording line (the
// recorder writes a chunk of at most a few KiB a line) and is skipped unread.
constexpr int BlockSize = 1 << 20;
constexpr int MaxLineSize = 4 << 20;

const char ReceivedMark[] = "\xE2\x86\x90";   // ←
const char SentMark[] = "\xE2\x86\x92";       // →

// A note's text: UTF-8 without control bytes (the recorder puts a line end as a space).
bool validNoteText(const char *bytes, int size)
{
    const uchar *p = reinterpret_cast<const uchar *>(bytes);
    const uchar *const end = p + size;
    while (p < end) {
        if (*p < 0x80) {
            if (*p < 0x20 && *p != '\t')
                return false;
            ++p;
            continue;
        }
        const int n = utf8CharLength(p, end);
        if (n == 0)
            return false;
        p += n;
    }
    return true;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

const char Hex[] = "0123456789ABCDEF";

// The two-byte escapes of a payload: the byte and the letter after the backslash.
struct Escape
{
    uchar byte;
    uchar letter;
};
constexpr Escape Escapes[] = {{'\\', '\\'}, {'\r', 'r'}, {'\n', 'n'}, {'\t', 't'}};

bool digits(const char *p, int n, int *value)
{
    int v = 0;
    for (int i = 0; i < n; ++i) {
        if (p[i] < '0' || p[i] > '9')
            return false;
        v = v * 10 + (p[i] - '0');
    }
    *value = v;
    return true;
}

} // namespace

QByteArray RecordingLine::isoTime() const
{
    QByteArray text(stamp, StampSize);
    text[10] = 'T';
    return text;
}

bool RecordingClock::parse(const char *p, qint64 *ms)
{
    int hour, minute, second, milli;
    if (p[10] != ' ' || !digits(p + 11, 2, &hour) || p[13] != ':'
        || !digits(p + 14, 2, &minute) || p[16] != ':' || !digits(p + 17, 2, &second)
        || p[19] != '.' || !digits(p + 20, 3, &milli))
        return false;
    if (hour > 23 || minute > 59 || second > 59)
        return false;
    // the lines of a day share its date
    if (std::memcmp(p, lastDate, 10) != 0) {
        int year, month, day;
        if (!digits(p, 4, &year) || p[4] != '-' || !digits(p + 5, 2, &month) || p[7] != '-'
            || !digits(p + 8, 2, &day))
            return false;
        const QDate date(year, month, day);
        if (!date.isValid())
            return false;
        std::memcpy(lastDate, p, 10);
        lastDay = date.toJulianDay() - UnixEpochJulianDay;
    }
    const qint64 local = lastDay * DayMs + ((hour * 60 + minute) * 60 + second) * 1000 + milli;
    const qint64 quarter = local >= 0 ? local / QuarterMs : (local - QuarterMs + 1) / QuarterMs;
    if (quarter != lastQuarter) {
        lastQuarter = quarter;
        const qint64 start = quarter * QuarterMs;
        const qint64 startDay = start >= 0 ? start / DayMs : (start - DayMs + 1) / DayMs;
        const QDateTime at(QDate::fromJulianDay(startDay + UnixEpochJulianDay),
                           QTime::fromMSecsSinceStartOfDay(int(start - startDay * DayMs)), Qt::LocalTime);
        offsetMs = qint64(at.offsetFromUtc()) * 1000;
    }
    *ms = local - offsetMs;
    return true;
}

int utf8CharLength(const uchar *p, const uchar *end)
{
    const uchar c = p[0];
    int n = 0;
    uchar lo = 0x80, hi = 0xBF;   // range of the second byte
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        if (c == 0xE0)
            lo = 0xA0;
        else if (c == 0xED)
            hi = 0x9F;   // no surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        if (c == 0xF0)
            lo = 0x90;
        else if (c == 0xF4)
            hi = 0x8F;
    } else {
        return 0;
    }
    if (end - p < n || p[1] < lo || p[1] > hi)
        return 0;
    for (int i = 2; i < n; ++i)
        if ((p[i] & 0xC0) != 0x80)
            return 0;
    return n;
}

void escapeRecordingPayload(const char *bytes, int size, QByteArray &out)
{
    const uchar *p = reinterpret_cast<const uchar *>(bytes);
    const uchar *const end = p + size;
    while (p < end) {
        // a run of plain printable ASCII goes in one piece
        const uchar *q = p;
        while (q < end && *q >= 0x20 && *q < 0x7F && *q != '\\')
            ++q;
        if (q > p) {
            out.append(reinterpret_cast<const char *>(p), int(q - p));
            p = q;
            continue;
        }
        const uchar c = *p;
        const int n = c < 0x80 ? 0 : utf8CharLength(p, end);
        if (n > 0) {
            out.append(reinterpret_cast<const char *>(p), n);
            p += n;
            continue;
        }
        const Escape *letter = std::find_if(std::begin(Escapes), std::end(Escapes),
                                            [c](const Escape &x) { return x.byte == c; });
        if (letter != std::end(Escapes)) {
            out += '\\';
            out += char(letter->letter);
        } else {
            out += "\\x";
            out += Hex[c >> 4];
            out += Hex[c & 15];
        }
        ++p;
    }
}

bool unescapeRecordingPayload(const char *bytes, int size, QByteArray &out)
{
    // the bytes are never more than their escaped form: written in place, then cut to size
    const int base = out.size();
    out.resize(base + size);
    char *w = out.data() + base;
    const uchar *p = reinterpret_cast<const uchar *>(bytes);
    const uchar *const end = p + size;
    bool ok = true;
    while (p < end) {
        const uchar c = *p;
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            *w++ = char(c);
            ++p;
            continue;
        }
        if (c == '\\') {
            if (end - p < 2) {
                ok = false;
                break;
            }
            const uchar e = p[1];
            const Escape *letter = std::find_if(std::begin(Escapes), std::end(Escapes),
                                                [e](const Escape &x) { return x.letter == e; });
            if (letter != std::end(Escapes)) {
                *w++ = char(letter->byte);
                p += 2;
                continue;
            }
            const int hi = end - p >= 4 && e == 'x' ? hexDigit(char(p[2])) : -1;
            const int lo = hi >= 0 ? hexDigit(char(p[3])) : -1;
            if (lo < 0) {
                ok = false;
                break;
            }
            *w++ = char(hi * 16 + lo);
            p += 4;
            continue;
        }
        const int n = c < 0x80 ? 0 : utf8CharLength(p, end);
        if (n == 0) {
            ok = false;   // a raw control byte (the recorder escapes every one) or not UTF-8
            break;
        }
        std::memcpy(w, p, size_t(n));
        w += n;
        p += n;
    }
    out.resize(int(w - out.constData()));
    return ok;
}

bool parseRecordingLine(const char *p, int size, RecordingLine &line, RecordingClock &clock)
{
    if (size > 0 && p[size - 1] == '\r')
        --size;   // a recording that went through a CR LF editor
    // stamp, space, a mark of 2 or 3 bytes, space
    if (size < StampSize + 4 || p[StampSize] != ' ')
        return false;
    if (!clock.parse(p, &line.time))
        return false;
    const char *mark = p + StampSize + 1;
    const char *const end = p + size;
    const char *payload;
    if (end - mark >= 4 && (std::memcmp(mark, ReceivedMark, 3) == 0
                            || std::memcmp(mark, SentMark, 3) == 0) && mark[3] == ' ') {
        line.mark = mark[2] == ReceivedMark[2] ? RecordingLine::Mark::Received
                                               : RecordingLine::Mark::Sent;
        payload = mark + 4;
    } else if (mark[0] == '#' && mark[1] == '#' && mark[2] == ' ') {
        line.mark = RecordingLine::Mark::Note;
        payload = mark + 3;
    } else {
        return false;
    }
    std::memcpy(line.stamp, p, StampSize);
    line.payload.clear();
    if (line.mark == RecordingLine::Mark::Note) {
        if (!validNoteText(payload, int(end - payload)))
            return false;
        line.payload.append(payload, int(end - payload));
        return true;
    }
    return unescapeRecordingPayload(payload, int(end - payload), line.payload);
}

bool RecordingReader::open(const QString &fileName, QString *error)
{
    close();
    file.setFileName(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    size = file.size();
    return seek(Position());
}

void RecordingReader::close()
{
    file.close();
    block.clear();
    blockPos = 0;
    blockOffset = 0;
    lineNumber = 1;
    atEnd = false;
    skippedLines = 0;
    size = 0;
}

RecordingReader::Position RecordingReader::position() const
{
    return Position{blockOffset + blockPos, lineNumber};
}

bool RecordingReader::seek(const Position &at)
{
    if (!file.isOpen() || !file.seek(at.offset))
        return false;
    block.clear();
    blockPos = 0;
    blockOffset = at.offset;
    lineNumber = at.lineNumber;
    atEnd = false;
    return true;
}

bool RecordingReader::fill()
{
    if (atEnd)
        return false;
    // keep what is not taken yet, then read another block behind it
    if (blockPos > 0) {
        block.remove(0, blockPos);
        blockOffset += blockPos;
        blockPos = 0;
    }
    const int kept = block.size();
    block.resize(kept + BlockSize);
    const qint64 n = file.read(block.data() + kept, BlockSize);
    block.resize(kept + int(qMax<qint64>(n, 0)));
    if (n <= 0) {
        atEnd = true;
        return false;
    }
    return true;
}

bool RecordingReader::next(RecordingLine &line)
{
    bool discarding = false;   // a line over MaxLineSize: dropped up to its end
    for (;;) {
        const char *start = block.constData() + blockPos;
        const int left = block.size() - blockPos;
        const char *nl = static_cast<const char *>(std::memchr(start, '\n', size_t(left)));
        if (!nl) {
            if (left > MaxLineSize) {
                blockPos = block.size();
                discarding = true;
            }
            if (fill())
                continue;
            if (block.size() - blockPos > 0 || discarding) {
                // the last line has no line end: cut short
                blockPos = block.size();
                if (onSkipped)
                    onSkipped(lineNumber);
                ++skippedLines;
                ++lineNumber;
            }
            return false;
        }
        const int length = int(nl - start);
        blockPos += length + 1;
        const qint64 number = lineNumber++;
        if (discarding || length > MaxLineSize || !parseRecordingLine(start, length, line, clock)) {
            discarding = false;
            ++skippedLines;
            if (onSkipped)
                onSkipped(number);
            continue;
        }
        return true;
    }
}

bool RecordingReader::lastTime(qint64 *time)
{
    if (!file.isOpen())
        return false;
    const qint64 resume = file.pos();
    RecordingClock tailClock;
    RecordingLine line;
    QByteArray carry;
    qint64 pos = size;
    bool first = true;
    bool found = false;
    constexpr qint64 TailBlock = 64 * 1024;
    while (pos > 0 && !found) {
        const qint64 start = qMax<qint64>(0, pos - TailBlock);
        if (!file.seek(start))
            break;
        QByteArray data = file.read(pos - start);
        if (data.size() != pos - start)
            break;
        data += carry;
        // segments between LFs, last to first; the one before the first LF goes on with the
        // next block (unless this is the start of the file), the one after the last LF of the
        // file is a line cut short
        int segmentEnd = data.size();
        if (first) {
            segmentEnd = data.lastIndexOf('\n');
            if (segmentEnd < 0) {
                carry = data;
                pos = start;
                first = start > 0;   // still no LF seen
                if (start == 0)
                    break;
                continue;
            }
        }
        first = false;
        for (;;) {
            const int nl = segmentEnd > 0 ? data.lastIndexOf('\n', segmentEnd - 1) : -1;
            if (nl < 0 && start > 0) {
                carry = data.left(segmentEnd);
                break;
            }
            const int from = nl + 1;
            if (segmentEnd - from <= MaxLineSize
                && parseRecordingLine(data.constData() + from, segmentEnd - from, line, tailClock)) {
                *time = line.time;
                found = true;
                break;
            }
            if (nl < 0)
                break;
            segmentEnd = nl;
        }
        if (carry.size() > MaxLineSize) {
            // no recording line is that long: its start is not needed, nor is its end a line
            carry.clear();
            first = true;
        }
        pos = start;
    }
    file.seek(resume);
    return found;
}
