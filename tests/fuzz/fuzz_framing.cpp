// Feeds arbitrary bytes, in arbitrary splits, through the record-line framing and checks
// that the framing never holds more than its cap, always ends in a valid state, and frames
// the same lines however the stream is split.
#include "link/framing.h"
#include "link/recordnames.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {
struct Collected
{
    std::vector<QByteArray> lines;
};

void check(const LineFramer &f)
{
    if (f.frameState > 6)
        std::abort();
    for (const QByteArray *b : {&f.recordName, &f.recordField1, &f.recordField2, &f.recordField3,
                                &f.recordField4, &f.recordField5})
        if (b->size() > LineFramer::MaxBufferSize)
            std::abort();
}

QByteArray flatten(const RecordLine &l)
{
    QByteArray s = l.name;
    for (const QByteArray &f : l.field)
        s += '\x01' + f;
    return s;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    // the first byte picks the chunk size of the second pass
    const size_t step = 1 + data[0] % 64;
    const QByteArray stream(reinterpret_cast<const char *>(data + 1), int(size - 1));

    Collected whole, pieces;
    LineFramer a, b;
    a.feed(stream, [&](const RecordLine &l) {
        classifyRecord(l.name);
        whole.lines.push_back(flatten(l));
    });
    check(a);
    for (int pos = 0; pos < stream.size(); pos += int(step)) {
        b.feed(stream.mid(pos, int(step)), [&](const RecordLine &l) { pieces.lines.push_back(flatten(l)); });
        check(b);
    }
    if (whole.lines != pieces.lines || a.frameState != b.frameState || a.recordName != b.recordName)
        std::abort();
    return 0;
}
