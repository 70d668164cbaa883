// Feeds arbitrary files to the recording reader and checks that it reads every line once
// (recording lines plus skipped ones make all the lines of the file), that reading on from a
// position taken on the way gives the same lines again, that the last time read backwards from
// the end is the last line's, and that what it unescapes is escaped and read back unchanged.
#include "link/core_recording.h"
#include "link/recorder.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {
struct Read
{
    int mark;
    qint64 time;
    QByteArray payload;
    bool operator!=(const Read &o) const
    {
        return mark != o.mark || time != o.time || payload != o.payload;
    }
};

void roundTrip(const QByteArray &bytes)
{
    QByteArray escaped;
    Recorder::escape(bytes.constData(), bytes.size(), escaped);
    QByteArray back;
    if (!unescapeRecordingPayload(escaped.constData(), escaped.size(), back) || back != bytes)
        std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("recording"));
    const QByteArray input(reinterpret_cast<const char *>(data), int(size));

    // the payload alone: what unescapes is escaped and read back as it was
    QByteArray unescaped;
    if (unescapeRecordingPayload(input.constData(), input.size(), unescaped))
        roundTrip(unescaped);
    roundTrip(input);

    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        f.write(input);
    }
    RecordingReader reader;
    if (!reader.open(path))
        return 0;
    std::vector<Read> lines;
    std::vector<RecordingReader::Position> positions;
    RecordingLine line;
    for (;;) {
        positions.push_back(reader.position());
        if (!reader.next(line))
            break;
        if (line.mark != RecordingLine::Mark::Note)
            roundTrip(line.payload);
        lines.push_back(Read{int(line.mark), line.time, line.payload});
    }
    // every line of the file once: read or skipped
    const qint64 fileLines = input.count('\n') + (input.endsWith('\n') || input.isEmpty() ? 0 : 1);
    if (qint64(lines.size()) + reader.skipped() != fileLines)
        std::abort();
    qint64 last = 0;
    if (reader.lastTime(&last) != !lines.empty() || (!lines.empty() && last != lines.back().time))
        std::abort();
    // on from the middle: the same lines
    if (!lines.empty()) {
        const size_t from = size_t(data[0]) % lines.size();
        if (!reader.seek(positions[from]))
            std::abort();
        for (size_t i = from; i < lines.size(); ++i) {
            if (!reader.next(line))
                std::abort();
            if (Read{int(line.mark), line.time, line.payload} != lines[i])
                std::abort();
        }
        if (reader.next(line))
            std::abort();
    }
    return 0;
}
