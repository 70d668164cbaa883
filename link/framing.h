#pragma once

#include <QByteArray>

// One record line as the terminal sends it: ">NAME=f1;f2;f3;f4;f5" ended by CR or LF.
struct RecordLine
{
    QByteArray name;
    QByteArray field[5];
};

// Framing of the terminal's record lines: one machine step per byte (a run of bytes that
// only goes into the current buffer is taken at once).
//
// States: 0 idle (waiting for '>'), 1 collecting the name (only '=' ends it),
// 2..6 collecting field 1..5 (';' moves to the next field, CR or LF ends the line;
// in field 5 further ';' are dropped). A complete line is handed to the sink and
// the machine returns to idle.
//
// Every buffer is capped: a stream that never brings the '=' or the line end would
// otherwise grow without limit. When a byte would push a buffer past the cap the
// partial line is dropped and the machine goes back to idle.
class LineFramer
{
public:
    static constexpr int MaxBufferSize = 4096;

    LineFramer();
    LineFramer(const LineFramer &) = delete;
    LineFramer &operator=(const LineFramer &) = delete;

private:
    RecordLine current;   // the line being collected

public:
    quint8 frameState = 0;
    QByteArray &recordName = current.name;
    QByteArray &recordField1 = current.field[0];
    QByteArray &recordField2 = current.field[1];
    QByteArray &recordField3 = current.field[2];
    QByteArray &recordField4 = current.field[3];
    QByteArray &recordField5 = current.field[4];

    // Back to idle, forgetting any partial line and the bytes queued but not framed yet: the
    // bytes of a closed line never run into the first record of the next one, even when the
    // line is opened again from inside a sink that is still handling a line of the old one.
    void reset();

    // Runs the bytes through the machine; calls sink(const RecordLine &) for each complete
    // line. The sink may run an event loop (a message box) and feed further chunks from
    // inside it: the bytes are kept in one queue, so every byte is framed once and in the
    // order it arrived, whichever call frames it.
    template <typename Sink>
    void feed(const QByteArray &chunk, Sink &&sink)
    {
        enqueue(chunk);
        RecordLine line;
        while (nextLine(line)) {
            sink(static_cast<const RecordLine &>(line));
            recycle(line);
        }
    }

    // Number of partial lines dropped because a buffer hit the cap.
    quint64 droppedLines() const { return dropped; }

private:
    void enqueue(const QByteArray &chunk);
    // Frames queued bytes up to the end of the next complete line and moves that line into
    // `line` (true), or frames every queued byte without completing one (false).
    bool nextLine(RecordLine &line);
    // Runs of ordinary bytes are appended in one go; false when the run would push the
    // buffer past the cap (the partial line is then dropped at that byte).
    bool appendRun(QByteArray &buffer, const char *run, int length, int &pos);
    void clearBuffers();
    // Drops the partial line and waits for '>' again; the queued bytes stay.
    void dropPartialLine();
    // Hands the buffers of a line the sink has finished with back to the machine, so the
    // next lines reuse their storage (unless a nested feed left a partial line meanwhile).
    void recycle(RecordLine &line);

    QByteArray queue;   // bytes handed to feed() and not framed yet start at queuePos
    int queuePos = 0;

    quint64 dropped = 0;
};
