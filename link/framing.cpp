#include "link/framing.h"

#include <cstring>
#include <utility>

namespace {
// The bytes that end a run of field bytes: ';', CR and LF.
struct FieldEnds
{
    bool is[256];
    constexpr FieldEnds() : is()
    {
        is[static_cast<unsigned char>(';')] = true;
        is[static_cast<unsigned char>('\r')] = true;
        is[static_cast<unsigned char>('\n')] = true;
    }
};
constexpr FieldEnds fieldEnds;

// Storage kept by each buffer once a line has used it: reserve() also keeps resize(0) from
// freeing it, so framing a steady stream of lines allocates nothing.
constexpr int KeptCapacity = 64;
} // namespace

LineFramer::LineFramer()
{
    current.name.reserve(KeptCapacity);
    for (QByteArray &f : current.field)
        f.reserve(KeptCapacity);
}

void LineFramer::reset()
{
    dropPartialLine();
    queue.clear();
    queuePos = 0;
}

void LineFramer::dropPartialLine()
{
    clearBuffers();
    frameState = 0;
}

void LineFramer::clearBuffers()
{
    if (!current.name.isEmpty())
        current.name.resize(0);
    for (QByteArray &f : current.field) {
        if (!f.isEmpty())
            f.resize(0);
    }
}

void LineFramer::enqueue(const QByteArray &chunk)
{
    if (queuePos >= queue.size()) {
        queue = chunk;
        queuePos = 0;
    } else {
        queue.append(chunk);
    }
}

void LineFramer::recycle(RecordLine &line)
{
    if (frameState != 0 || !current.name.isEmpty())
        return;
    for (const QByteArray &f : current.field) {
        if (!f.isEmpty())
            return;
    }
    std::swap(line.name, current.name);
    for (int i = 0; i < 5; ++i)
        std::swap(line.field[i], current.field[i]);
    clearBuffers();
}

bool LineFramer::appendRun(QByteArray &buffer, const char *run, int length, int &pos)
{
    const int room = MaxBufferSize - buffer.size();
    if (length <= room) {
        buffer.append(run, length);
        pos += length;
        return true;
    }
    // `room` more bytes fit; the one after them would make the buffer longer than the cap:
    // the partial line is dropped there, that byte with it, and the machine waits for '>'
    ++dropped;
    dropPartialLine();
    pos += room + 1;
    return false;
}

bool LineFramer::nextLine(RecordLine &line)
{
    // One pass over the bytes; runs of bytes that only go into the current buffer are
    // found and appended at once rather than byte by byte.
    const char *const data = queue.constData();
    const int size = queue.size();
    int pos = queuePos;
    while (pos < size) {
        switch (frameState) {
        case 0: {
            // idle: everything up to the next '>' is ignored
            const void *gt = std::memchr(data + pos, '>', size_t(size - pos));
            if (!gt) {
                pos = size;
                break;
            }
            pos = int(static_cast<const char *>(gt) - data) + 1;
            frameState = 1;
            break;
        }
        case 1: {
            // the name: only '=' ends it
            const void *eq = std::memchr(data + pos, '=', size_t(size - pos));
            const int end = eq ? int(static_cast<const char *>(eq) - data) : size;
            if (!appendRun(current.name, data + pos, end - pos, pos))
                break;
            if (eq) {
                frameState = 2;
                ++pos;
            }
            break;
        }
        case 2:
        case 3:
        case 4:
        case 5:
        case 6: {
            // fields 1 to 5: ';' moves on (dropped in field 5), CR or LF ends the line
            int end = pos;
            while (end < size && !fieldEnds.is[static_cast<unsigned char>(data[end])])
                ++end;
            if (!appendRun(current.field[frameState - 2], data + pos, end - pos, pos))
                break;
            if (pos == size)
                break;
            const char c = data[pos++];
            if (c == ';') {
                if (frameState < 6)
                    ++frameState;
                break;
            }
            // complete: the line goes to the caller, the machine back to idle
            queuePos = pos;
            std::swap(line.name, current.name);
            for (int i = 0; i < 5; ++i)
                std::swap(line.field[i], current.field[i]);
            clearBuffers();
            frameState = 0;
            return true;
        }
        default:
            // not a state of the machine: start over
            dropPartialLine();
            break;
        }
    }
    queuePos = pos;
    return false;
}
