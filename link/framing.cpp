#include "link/framing.h"

#include <utility>

void LineFramer::reset()
{
    clearBuffers();
    frameState = 0;
}

void LineFramer::clearBuffers()
{
    // clear() would free the storage; keep it for the next line
    current.name.resize(0);
    for (QByteArray &f : current.field)
        f.resize(0);
}

void LineFramer::takeLine(RecordLine &line)
{
    std::swap(line.name, current.name);
    for (int i = 0; i < 5; ++i)
        std::swap(line.field[i], current.field[i]);
    frameState = 0;
}

bool LineFramer::append(QByteArray &buffer, char byte)
{
    if (buffer.size() >= MaxBufferSize) {
        ++dropped;
        reset();
        return false;
    }
    buffer.append(byte);
    return true;
}

bool LineFramer::step(unsigned char byte)
{
    const char c = static_cast<char>(byte);
    switch (frameState) {
    case 0:
        if (c == '>')
            frameState = 1;
        return false;
    case 1:
        if (c == '=')
            frameState = 2;
        else
            append(current.name, c);
        return false;
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
        if (c == '\r' || c == '\n') {
            frameState = 7;
            return true;
        }
        if (c == ';') {
            if (frameState < 6)
                ++frameState;
            // in the last field further separators are dropped
            return false;
        }
        append(current.field[frameState - 2], c);
        return false;
    default:
        // not reachable: a complete line is handed over and the state reset at once
        reset();
        return false;
    }
}
