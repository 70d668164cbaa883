// The framing of record lines alone, on the busy-terminal record mix, in MB/s.
#include "bench/recordmix.h"
#include "link/framing.h"

#include <benchmark/benchmark.h>

#include <QVector>

namespace {

const QByteArray &mix()
{
    static const QByteArray data = bench::busyTerminalMix(4 * 1024 * 1024);
    return data;
}

// The mix cut into chunks as the serial port delivers them (separate byte arrays, as
// readAll() returns them).
QVector<QByteArray> chunked(int chunkSize)
{
    QVector<QByteArray> chunks;
    const QByteArray &data = mix();
    for (int pos = 0; pos < data.size(); pos += chunkSize)
        chunks.append(data.mid(pos, chunkSize));
    return chunks;
}

void BM_Framing(benchmark::State &state)
{
    const QVector<QByteArray> chunks = chunked(int(state.range(0)));
    LineFramer framer;
    qint64 records = 0;
    qint64 fieldBytes = 0;
    for (auto _ : state) {
        for (const QByteArray &c : chunks) {
            framer.feed(c, [&](const RecordLine &line) {
                ++records;
                fieldBytes += line.name.size() + line.field[0].size() + line.field[4].size();
            });
        }
    }
    benchmark::DoNotOptimize(fieldBytes);
    const double bytes = double(mix().size()) * double(state.iterations());
    state.SetBytesProcessed(int64_t(bytes));
    state.counters["MB_per_s"] = benchmark::Counter(bytes / 1e6, benchmark::Counter::kIsRate);
    state.counters["records_per_s"] = benchmark::Counter(double(records), benchmark::Counter::kIsRate);
    if (records != qint64(bench::countLines(mix())) * state.iterations())
        state.SkipWithError("the framing lost or invented record lines");
}

} // namespace

BENCHMARK(BM_Framing)->Arg(64)->Arg(4096)->Unit(benchmark::kMillisecond)->Repetitions(5)
    ->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
