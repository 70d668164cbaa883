#include "link/recordingplayer.h"

#include "link/terminalsession.h"

#include <QFileInfo>
#include <QIODevice>

namespace {
// How long one turn of playing may keep the event loop waiting, as fast as it goes.
constexpr qint64 TurnMs = 40;
// How often the time moves on at a speed.
constexpr int TickMs = 15;
} // namespace

// What the session reads while a recording plays: the bytes the player hands it, read only.
class ReplayDevice : public QIODevice
{
public:
    using QIODevice::QIODevice;

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override
    {
        return qint64(buffer.size() - pos) + QIODevice::bytesAvailable();
    }
    void push(const QByteArray &bytes)
    {
        if (pos == buffer.size()) {
            buffer = bytes;
            pos = 0;
        } else {
            buffer.append(bytes);
        }
    }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        const qint64 n = qMin(maxSize, qint64(buffer.size() - pos));
        memcpy(data, buffer.constData() + pos, size_t(n));
        pos += int(n);
        if (pos == buffer.size()) {
            buffer.clear();
            pos = 0;
        }
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray buffer;
    int pos = 0;
};

RecordingPlayer::RecordingPlayer(TerminalSession *session, QObject *parent)
    : QObject(parent)
    , session(session)
{
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, this, &RecordingPlayer::tick);
    reader.onSkipped = [this](qint64 line) { lineSkipped(line); };
    if (!session)
        return;
    // a terminal connected ends the replay, and so does the session closing the recording
    connect(session, &TerminalSession::opened, this, [this](const QString &portName) {
        if (!portName.isEmpty())
            release();
    });
    connect(session, &TerminalSession::closed, this, [this] {
        if (device && !device->isOpen())
            release();
    });
}

RecordingPlayer::~RecordingPlayer()
{
    close();
}

namespace {
bool firstLine(const QString &fileName, RecordingLine &line, QString *error)
{
    RecordingReader probe;
    if (!probe.open(fileName, error))
        return false;
    if (!probe.next(line)) {
        if (error)
            *error = RecordingPlayer::tr("в файле нет ни одной строки записи");
        return false;
    }
    return true;
}
} // namespace

bool RecordingPlayer::check(const QString &fileName, QString *error)
{
    RecordingLine line;
    return firstLine(fileName, line, error);
}

bool RecordingPlayer::open(const QString &fileName, QString *error)
{
    RecordingLine line;
    if (!firstLine(fileName, line, error))
        return false;
    close();
    reader.open(fileName);
    name = fileName;
    first = line.time;
    last = line.time;
    qint64 end = 0;
    if (reader.lastTime(&end))
        last = qMax(first, end);
    skipped = 0;
    countedUpTo = 0;
    reading = true;
    factor = 1;
    paused = false;
    seeking = false;
    restart();
    anchor();
    schedule();
    return true;
}

void RecordingPlayer::restart()
{
    finished = false;
    havePending = false;
    chunk.clear();
    reader.seek(RecordingReader::Position());
    shown = first;
    clockTime = first;
    emit rewound();
    if (!session)
        return;
    // a new device for every start: nothing of the last one is still queued in it
    delete device;
    device = new ReplayDevice(this);
    device->open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    session->setClock([this] { return clockTime; });
    session->attach(device);
    emit positionChanged(shown);
}

void RecordingPlayer::release()
{
    if (!reading)
        return;
    timer.stop();
    reading = false;
    seeking = false;
    reader.close();
    havePending = false;
    chunk.clear();
    if (session)
        session->setClock({});
    if (device) {
        device->close();
        device->deleteLater();
        device = nullptr;
    }
    emit closed();
}

void RecordingPlayer::close()
{
    if (!reading)
        return;
    if (session && device && session->isOpen() && !session->serialPort()->isOpen())
        session->close();
    release();
}

void RecordingPlayer::setPaused(bool on)
{
    if (!reading || paused == on)
        return;
    paused = on;
    if (!on && finished && !seeking) {
        // played to the end: from the start again
        seek(first);
        emit pausedChanged(paused);
        return;
    }
    anchor();
    schedule();
    emit pausedChanged(paused);
}

void RecordingPlayer::setSpeed(double f)
{
    factor = f < 0 ? 1 : f;
    anchor();
    schedule();
}

void RecordingPlayer::seek(qint64 time)
{
    if (!reading)
        return;
    time = qBound(first, time, last);
    if (time < shown || (finished && time < last))
        restart();
    seeking = true;
    seekTarget = time;
    schedule();
}

void RecordingPlayer::playTo(qint64 time)
{
    if (!reading)
        return;
    if (time < shown)
        restart();
    playUntil(time, -1);
    setShown(qMin(qMax(time, shown), last));
}

void RecordingPlayer::anchor()
{
    anchorTime = shown;
    wall.start();
}

void RecordingPlayer::schedule()
{
    if (!reading)
        return;
    if (!seeking && (paused || finished)) {
        timer.stop();
        return;
    }
    timer.start(seeking || factor == Fastest ? 0 : TickMs);
}

void RecordingPlayer::setShown(qint64 time)
{
    clockTime = time;
    if (time == shown)
        return;
    shown = time;
    emit positionChanged(shown);
}

void RecordingPlayer::tick()
{
    if (!reading || busy)
        return;
    busy = true;
    QElapsedTimer turn;
    turn.start();
    if (seeking) {
        if (playUntil(seekTarget, TurnMs)) {
            seeking = false;
            setShown(qMax(seekTarget, shown));
            anchor();
        }
    } else if (!paused) {
        if (factor == Fastest) {
            playUntil(last, TurnMs);
        } else {
            const qint64 target = qMin(last, anchorTime + qint64(double(wall.elapsed()) * factor));
            if (playUntil(target, TurnMs))
                setShown(qMax(target, shown));
        }
    }
    busy = false;
    if (!reading)
        return;
    if (finished && !seeking && !paused) {
        paused = true;
        setShown(last);
        emit pausedChanged(true);
        emit ended();
    }
    schedule();
}

bool RecordingPlayer::playUntil(qint64 time, qint64 deadlineMs)
{
    QElapsedTimer clock;
    clock.start();
    int lines = 0;
    bool reached = false;
    for (;;) {
        if (!havePending) {
            if (!reader.next(pending)) {
                finished = true;
                reached = true;
                break;
            }
            havePending = true;
        }
        if (pending.time > time) {
            reached = true;
            break;
        }
        havePending = false;
        const RecordingLine &line = pending;
        if (line.mark != RecordingLine::Mark::Received || line.time != chunkTime)
            flushChunk();
        clockTime = line.time;
        if (line.time > shown) {
            shown = line.time;   // positionChanged once the turn is over
        }
        switch (line.mark) {
        case RecordingLine::Mark::Received:
            chunkTime = line.time;
            chunk += line.payload;
            break;
        case RecordingLine::Mark::Sent:
            emit sentLine(line.payload, line.time);
            break;
        case RecordingLine::Mark::Note:
            emit note(QString::fromUtf8(line.payload), line.time);
            break;
        }
        if (!reading)
            return true;   // a handler ended the replay
        if (deadlineMs >= 0 && (++lines & 63) == 0 && clock.elapsed() >= deadlineMs)
            break;
    }
    flushChunk();
    emit positionChanged(shown);
    return reached;
}

void RecordingPlayer::flushChunk()
{
    if (chunk.isEmpty())
        return;
    clockTime = chunkTime;
    if (session && device) {
        device->push(chunk);
        session->readAvailable();
    }
    chunk.clear();
}

void RecordingPlayer::lineSkipped(qint64 lineNumber)
{
    if (lineNumber <= countedUpTo)
        return;
    countedUpTo = lineNumber;
    ++skipped;
    emit skippedChanged(skipped);
}
