#pragma once
// A recording played back through a terminal session: the received bytes of the recording
// go through the session's framing, router and decoders in their recorded order, at their
// recorded times (×1, ×10, ×100 or as fast as it goes), the session's clock showing the
// recorded time. Nothing is ever written: the session reads a device that takes no writes.
// The file is read as it plays, a block at a time.

#include "link/core_recording.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

class ReplayDevice;
class TerminalSession;

class RecordingPlayer : public QObject
{
    Q_OBJECT

public:
    // The speed that plays every line at once, without waiting for its time.
    static constexpr double Fastest = 0;

    explicit RecordingPlayer(TerminalSession *session, QObject *parent = nullptr);
    ~RecordingPlayer() override;

    // Opens the recording and starts playing it from its start at ×1 (rewound() first, then
    // the session is attached to it). False with the reason in *error when the file cannot be
    // read or holds no recording line; the session is then left as it was.
    bool open(const QString &fileName, QString *error);
    // Whether the file can be played: readable, with a recording line; false with the reason
    // in *error otherwise.
    static bool check(const QString &fileName, QString *error);
    // Ends the replay: the session is closed when it still reads the recording, and its clock
    // is the wall clock again.
    void close();
    bool isOpen() const { return reading; }
    // The session went to a terminal (or was closed): the replay ends without touching it.
    void release();

    QString fileName() const { return name; }
    qint64 firstTime() const { return first; }
    qint64 lastTime() const { return last; }
    // The recorded time shown now.
    qint64 position() const { return shown; }
    // Lines that were not recording lines, so far (each counted once).
    qint64 skippedLines() const { return skipped; }

    bool isPaused() const { return paused; }
    // Pauses or goes on; going on at the end plays again from the start.
    void setPaused(bool on);
    double speed() const { return factor; }
    void setSpeed(double factor);

    // Shows the moment `time`: back from the start when it lies before what was played (the
    // pages start again, rewound()), on from here otherwise, as fast as it goes; paused, it
    // stays there.
    void seek(qint64 time);
    bool isSeeking() const { return seeking; }
    bool atEnd() const { return finished; }

    // Plays every line up to `time` now, without the event loop (tests, tools).
    void playTo(qint64 time);

signals:
    // Playing starts (again) from the start: what the pages show of an earlier moment goes.
    void rewound();
    // A line the recording says was sent, and a note of the recording program.
    void sentLine(const QByteArray &bytes, qint64 time);
    void note(const QString &text, qint64 time);
    void positionChanged(qint64 time);
    void skippedChanged(qint64 count);
    void pausedChanged(bool paused);
    // Played to the last line; it stays paused there.
    void ended();
    // The replay ended (closed, or the session went to a terminal).
    void closed();

private:
    void tick();
    void restart();
    // Plays lines up to `time` until the deadline (none: -1); true when it got there.
    bool playUntil(qint64 time, qint64 deadlineMs);
    void flushChunk();
    void anchor();
    void schedule();
    void setShown(qint64 time);
    void lineSkipped(qint64 lineNumber);

    QPointer<TerminalSession> session;
    ReplayDevice *device = nullptr;
    RecordingReader reader;
    RecordingLine pending;
    bool havePending = false;
    bool reading = false;
    bool finished = false;
    bool busy = false;   // a tick is running (a handler's event loop must not run another)

    QString name;
    qint64 first = 0;
    qint64 last = 0;
    qint64 shown = 0;
    qint64 clockTime = 0;   // what the session's clock says

    QByteArray chunk;       // received bytes of one recorded time, not handed over yet
    qint64 chunkTime = 0;

    bool paused = false;
    double factor = 1;
    bool seeking = false;
    qint64 seekTarget = 0;
    QElapsedTimer wall;     // since the anchor
    qint64 anchorTime = 0;  // the recorded time at the anchor

    qint64 skipped = 0;
    qint64 countedUpTo = 0;   // skipped lines up to this line number are counted
    QTimer timer;
};
