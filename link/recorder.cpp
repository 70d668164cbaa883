#include "link/recorder.h"

#include "link/core_filesave.h"
#include "link/core_recording.h"
#include "link/localtime.h"
#include "settings/core_settingsstring.h"

#include <QFile>
#include <QMutexLocker>
#include <QThread>


namespace {
// The writer lets a batch gather this long before it writes again, so a busy line is
// written a few dozen times a second, not once per chunk.
constexpr unsigned long BatchMs = 20;
} // namespace

Recorder::Recorder(QObject *parent)
    : QObject(parent)
{
}

Recorder::~Recorder()
{
    stop();
}

bool Recorder::start(const QString &fileName, QString *error)
{
    stop();
    auto *f = new QFile(fileName);
    // unbuffered: the writer makes its own batches
    if (!f->open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        if (error)
            *error = f->errorString();
        delete f;
        return false;
    }
    name = fileName;
    file = f;
    written = 0;
    stopping = false;
    queue.clear();
    const quint64 recording = ++generation;
    thread = QThread::create([this, recording] { writeLoop(recording); });
    thread->setObjectName(QStringLiteral("recorder"));
    thread->start();
    return true;
}

void Recorder::stop()
{
    if (!thread)
        return;
    {
        QMutexLocker lock(&mutex);
        stopping = true;
        wake.wakeAll();
    }
    thread->wait();
    delete thread;
    thread = nullptr;
    file->close();
    delete file;
    file = nullptr;
}

void Recorder::push(Kind kind, const QByteArray &data, qint64 time)
{
    if (!thread)
        return;
    QMutexLocker lock(&mutex);
    queue.push_back(Entry{kind, time, data});
    if (writerWaiting)
        wake.wakeOne();
}

void Recorder::received(const QByteArray &chunk, qint64 time)
{
    if (!chunk.isEmpty())
        push(Kind::Received, chunk, time);
}

void Recorder::sent(const QByteArray &line, qint64 time)
{
    if (!line.isEmpty())
        push(Kind::Sent, line, time);
}

void Recorder::sentLines(const QByteArray &bytes, qint64 time)
{
    if (!thread)
        return;
    const char *p = bytes.constData();
    const char *const end = p + bytes.size();
    while (p < end) {
        const char *q = p;
        while (q < end && *q != '\r' && *q != '\n')
            ++q;
        const char *next = q;
        if (q < end)
            next = *q == '\r' && q + 1 < end && q[1] == '\n' ? q + 2 : q + 1;
        sent(maskSettingsPasswords(QByteArray(p, int(q - p))) + QByteArray(q, int(next - q)), time);
        p = next;
    }
}

void Recorder::note(const QString &text, qint64 time)
{
    QString oneLine = text;
    oneLine.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    push(Kind::Note, oneLine.toUtf8(), time);
}

void Recorder::escape(const char *bytes, int size, QByteArray &out)
{
    escapeRecordingPayload(bytes, size, out);
}

void Recorder::writerFailed(const QString &reason, quint64 recording)
{
    // a failure still queued from a recording that was stopped since is no longer news
    if (thread && recording == generation)
        emit failed(reason);
}

bool Recorder::writeAll(const QByteArray &out, QString *reason)
{
    if (!writeWhole(*file, out.constData(), out.size(), reason))
        return false;
    written += out.size();
    return true;
}

void Recorder::writeLoop(quint64 recording)
{
    LocalTimeText clock;
    std::vector<Entry> batch;
    QByteArray out;
    QByteArray stamp;
    qint64 stampTime = -1;
    bool broken = false;
    for (;;) {
        {
            QMutexLocker lock(&mutex);
            while (queue.empty() && !stopping) {
                writerWaiting = true;
                wake.wait(&mutex);
                writerWaiting = false;
            }
            batch.swap(queue);
        }
        if (batch.empty())
            break;   // stopping, and all is written

        out.clear();
        for (const Entry &e : batch) {
            if (e.time != stampTime) {
                stampTime = e.time;
                stamp.clear();
                clock.appendDateTime(e.time, stamp);
            }
            if (e.kind == Kind::Note) {
                out += stamp;
                out += " ## ";
                out += e.data;
                out += '\n';
                continue;
            }
            const char *mark = e.kind == Kind::Received ? " \xE2\x86\x90 " : " \xE2\x86\x92 ";
            const char *p = e.data.constData();
            const char *const end = p + e.data.size();
            while (p < end) {
                // one line of the file per line end
                const char *q = p;
                while (q < end && *q != '\n' && *q != '\r')
                    ++q;
                if (q < end) {
                    if (*q == '\r' && q + 1 < end && q[1] == '\n')
                        ++q;
                    ++q;
                }
                out += stamp;
                out += mark;
                escape(p, int(q - p), out);
                out += '\n';
                p = q;
            }
        }
        batch.clear();

        QString reason;
        if (!broken && !writeAll(out, &reason)) {
            broken = true;   // what comes after is dropped; the owner stops recording
            QMetaObject::invokeMethod(
                this, [this, reason, recording] { writerFailed(reason, recording); },
                Qt::QueuedConnection);
        }
        if (!stopping)
            QThread::msleep(BatchMs);
    }
}
