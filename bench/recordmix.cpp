#include "bench/recordmix.h"

#include "device.h"

#include <chrono>

namespace bench {

QByteArray busyTerminalMix(int minBytes)
{
    kvtsim::Options opts;
    opts.rateMs = 100;
    kvtsim::Device device(opts);
    auto now = kvtsim::Clock::now();

    QByteArray mix;
    mix.reserve(minBytes + 4096);
    kvtsim::Lines out;
    auto take = [&] {
        for (const std::string &l : out)
            mix.append(l.data(), int(l.size()));
        out.clear();
    };

    for (long tick = 0; mix.size() < minBytes; ++tick) {
        now += std::chrono::milliseconds(opts.rateMs);
        if (tick % 100 == 0) {
            device.identity(out);
            device.tasksAndCounters(out);
            device.handleLine(">D 15;0", now, out);   // the settings record
            device.handleLine(">D 0;0", now, out);    // a settings task: DF now and later
        }
        device.liveTick(now, out);
        if (tick % 10 == 0) {
            device.stateRecords(now, out);
            device.sensorRecords(now, out);
            device.handleLine(">D 4;1", now, out);    // one packet: RW
        }
        device.runDue(now, out);
        take();
    }
    return mix;
}

int countLines(const QByteArray &data)
{
    return int(data.count('\n'));
}

} // namespace bench
