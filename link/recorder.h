#pragma once

#include <QByteArray>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QWaitCondition>

#include <atomic>
#include <vector>

class QFile;
class QThread;

// Recording of the serial traffic into a file: every received chunk and every sent line,
// with the time it came or went, whatever the log view shows.
//
// The GUI thread only queues what is to be written (the chunk is shared, not copied); a
// writer thread formats the queue and writes it in batches, so a busy line is recorded in
// full without slowing the read path. When the file cannot be written (disk full, device
// gone) recording stops writing and failed() is emitted; the owner then stops it. A failure
// is reported only while the recording it happened in is still the current one: once
// stopped (or replaced by a new one) its failure is dropped.
//
// File format: UTF-8 text, one entry a line, each line
//     yyyy-MM-dd HH:mm:ss.zzz <mark> <payload>
// local time to the millisecond, then the mark:
//     ←   bytes received: a piece of a chunk, up to and including a line end (CR LF, LF, or
//         a CR not followed by LF in the same chunk) or up to the end of the chunk, so a
//         chunk is one line or more with the same time;
//     →   one line sent, as written (its line end included; a settings string's passwords
//         masked);
//     ##  a note of the program (recording started or stopped, link lost or back).
// The payload of ← and → keeps the bytes exactly: a backslash is written "\\", CR "\r",
// LF "\n", TAB "\t", every other byte below 0x20, 0x7F and every byte that is not part of a
// well-formed UTF-8 character "\xHH" (two upper-case hex digits); all other bytes are
// written as they are. Undoing the escapes of the ← payloads in file order gives back the
// received byte stream, zero bytes included.
class Recorder : public QObject
{
    Q_OBJECT

public:
    explicit Recorder(QObject *parent = nullptr);
    ~Recorder() override;

    // Creates (or replaces) the file and starts writing; false, with the reason in *error,
    // when the file cannot be opened.
    bool start(const QString &fileName, QString *error = nullptr);
    // Writes everything queued so far, closes the file and ends the writer thread.
    void stop();
    bool isActive() const { return thread != nullptr; }
    QString fileName() const { return name; }
    // Bytes written to the file so far.
    qint64 fileSize() const { return written.load(); }

    // Queue an entry; `time` is the moment in ms since the epoch.
    void received(const QByteArray &chunk, qint64 time);
    void sent(const QByteArray &line, qint64 time);
    // Bytes written to the line, one entry a line (its line end included), a settings
    // string's passwords masked (maskSettingsPasswords): what goes out, as the file keeps it.
    void sentLines(const QByteArray &bytes, qint64 time);
    void note(const QString &text, qint64 time);

    // Appends the escaped form of bytes (see the file format above).
    static void escape(const char *bytes, int size, QByteArray &out);

signals:
    // Writing failed; nothing more is written. `reason` is the system's error text.
    void failed(const QString &reason);

private:
    // What the writer thread of recording `recording` reports, in the GUI thread.
    void writerFailed(const QString &reason, quint64 recording);
    // Writes all of out; false, with the system's reason, when the file does not take it.
    bool writeAll(const QByteArray &out, QString *reason);

private:
    enum class Kind : quint8 { Received, Sent, Note };
    struct Entry
    {
        Kind kind;
        qint64 time;
        QByteArray data;
    };

    void push(Kind kind, const QByteArray &data, qint64 time);
    void writeLoop(quint64 recording);

    QString name;
    QFile *file = nullptr;
    QThread *thread = nullptr;
    quint64 generation = 0;          // counts the recordings started; the current one's number

    QMutex mutex;
    QWaitCondition wake;
    std::vector<Entry> queue;        // guarded by mutex
    bool writerWaiting = false;      // guarded by mutex
    std::atomic<bool> stopping{false};
    std::atomic<qint64> written{0};
};
