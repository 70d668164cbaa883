#pragma once
// Reading a recording of the line's traffic (link/recorder.h has the format): one line at a
// time, the file read in blocks as it is played, never loaded whole. A line that is not a
// recording line (cut short, a bad escape, not UTF-8, no time or mark) is skipped and counted.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <functional>
#include <limits>
#include <vector>

struct RecordingLine
{
    enum class Mark : quint8 { Received, Sent, Note };
    Mark mark = Mark::Note;
    qint64 time = 0;         // ms since the epoch (the file's local time)
    char stamp[23] = {};     // the time as written: "yyyy-MM-dd HH:mm:ss.zzz"
    // ← and →: the bytes, escapes undone; ##: the note's UTF-8 text
    QByteArray payload;

    // The recorded time as ISO 8601 with milliseconds, as written: "2026-03-14T09:05:08.000".
    QByteArray isoTime() const;
};

// Local date and time of a recording line to ms since the epoch; the offset from UTC is
// looked up once per quarter of an hour of local time. One object per thread.
class RecordingClock
{
public:
    // "yyyy-MM-dd HH:mm:ss.zzz" (23 bytes at p); false when it is no such time.
    bool parse(const char *p, qint64 *ms);

private:
    qint64 lastQuarter = std::numeric_limits<qint64>::min();
    qint64 offsetMs = 0;
    char lastDate[10] = {};   // the date of the last line, and its day since 1970-01-01
    qint64 lastDay = 0;
};

// Parses one line of a recording (without its LF); false when it is not a recording line.
// `clock` caches the time zone between calls.
bool parseRecordingLine(const char *p, int size, RecordingLine &line, RecordingClock &clock);

// Length of the well-formed UTF-8 character at p (bytes up to end), 0 if there is none.
int utf8CharLength(const uchar *p, const uchar *end);

// Appends the escaped form of a ← or → payload to out (link/recorder.h has the escapes).
void escapeRecordingPayload(const char *bytes, int size, QByteArray &out);

// Undoes the escapes of a ← or → payload (appending to out); false on a bad escape, a raw
// control byte or bytes that are not well-formed UTF-8.
bool unescapeRecordingPayload(const char *p, int size, QByteArray &out);

class RecordingReader
{
public:
    // Where a line starts: its byte offset and its number (the first line is 1).
    struct Position
    {
        qint64 offset = 0;
        qint64 lineNumber = 1;
    };

    RecordingReader() = default;
    RecordingReader(const RecordingReader &) = delete;
    RecordingReader &operator=(const RecordingReader &) = delete;

    // Opens the file for reading from its start; false with the reason in *error.
    bool open(const QString &fileName, QString *error = nullptr);
    void close();
    qint64 fileSize() const { return size; }

    // The next recording line; false at the end of the file. Lines that are not recording
    // lines are skipped: skipped() counts them and onSkipped, when set, gets each one's number.
    bool next(RecordingLine &line);
    // Where the next line starts.
    Position position() const;
    // Goes on reading from a position a line started at.
    bool seek(const Position &at);
    qint64 skipped() const { return skippedLines; }
    void resetSkipped() { skippedLines = 0; }
    std::function<void(qint64 lineNumber)> onSkipped;

    // The time of the last recording line of the file, read from its end (a few blocks at
    // most, backwards); false when there is none.
    bool lastTime(qint64 *time);

private:
    bool fill();

    QFile file;
    qint64 size = 0;
    QByteArray block;        // bytes read and not taken yet start at blockPos
    int blockPos = 0;
    qint64 blockOffset = 0;  // file offset of block[0]
    qint64 lineNumber = 1;   // of the next line
    bool atEnd = false;
    qint64 skippedLines = 0;
    RecordingClock clock;
};
