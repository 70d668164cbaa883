#include "charts/chartfeed.h"

#include "link/recordrouter.h"
#include "status/core_records.h"

#include <QDateTime>

#include <cmath>

namespace {

// The charts plot finite numbers only: infinities and NaN are no points.
bool plottable(const std::optional<double> &value)
{
    return value && std::isfinite(*value);
}

// The modem's level scale ends at 31; 99 and the like mean "not known".
constexpr quint32 topGsmLevel = 31;

} // namespace

const RecordKind ChartFeed::plottedKinds[] = {
    RecordKind::Power,          RecordKind::Signal,         RecordKind::Fix,
    RecordKind::FuelSensors,    RecordKind::CanEngineSpeed, RecordKind::CanFuelPercent,
    RecordKind::CanFuelLitres,
};
const int ChartFeed::plottedKindCount = int(sizeof(plottedKinds) / sizeof(plottedKinds[0]));

ChartFeed::ChartFeed(ChartStore &store, Clock clock)
    : store(store)
{
    setClock(std::move(clock));
}

void ChartFeed::setClock(Clock c)
{
    clock = c ? std::move(c) : Clock([] { return QDateTime::currentMSecsSinceEpoch(); });
}

void ChartFeed::registerTaps(RecordRouter &router)
{
    for (int i = 0; i < plottedKindCount; ++i) {
        const RecordKind kind = plottedKinds[i];
        router.tap(kind, [this, kind](const RecordLine &r) { take(kind, r); });
    }
}

void ChartFeed::take(RecordKind kind, const RecordLine &r)
{
    arrival = clock();
    switch (kind) {
    case RecordKind::Power:
        takePower(r);
        break;
    case RecordKind::Signal:
        takeSignal(r);
        break;
    case RecordKind::Fix:
        takeFix(r);
        break;
    case RecordKind::FuelSensors:
        takeFuelSensor(r);
        break;
    case RecordKind::CanEngineSpeed:
        takeCanValue(ChartSeries::CanEngineSpeed, kind, r);
        break;
    case RecordKind::CanFuelPercent:
        takeCanValue(ChartSeries::CanFuelPercent, kind, r);
        break;
    case RecordKind::CanFuelLitres:
        takeCanValue(ChartSeries::CanFuelLitres, kind, r);
        break;
    default:
        break;
    }
}

void ChartFeed::add(ChartSeries series, double value)
{
    store.add(series, arrival, value);
}

void ChartFeed::takePower(const RecordLine &r)
{
    const PowerRecord p = decodePower(r);
    if (plottable(p.supplyMv))
        add(ChartSeries::SupplyVoltage, *p.supplyMv / 1000.0);
    if (plottable(p.batteryMv))
        add(ChartSeries::BatteryVoltage, *p.batteryMv / 1000.0);
}

void ChartFeed::takeSignal(const RecordLine &r)
{
    const SignalRecord s = decodeSignal(r);
    if (s.level && *s.level <= topGsmLevel)
        add(ChartSeries::GsmLevel, double(*s.level));
}

void ChartFeed::takeFix(const RecordLine &r)
{
    const FixRecord f = decodeFix(r);
    if (f.satellites)
        add(ChartSeries::Satellites, double(*f.satellites));
    if (plottable(f.speed))
        add(ChartSeries::Speed, *f.speed);
    if (plottable(f.hdop))
        add(ChartSeries::Hdop, *f.hdop);
}

void ChartFeed::takeFuelSensor(const RecordLine &r)
{
    const std::optional<FuelSensorRecord> s = decodeFuelSensor(r);
    if (s && plottable(s->level))
        add(fuelSensorSeries(s->sensor), *s->level);
}

void ChartFeed::takeCanValue(ChartSeries series, RecordKind kind, const RecordLine &r)
{
    const std::optional<double> value = decodeCanValue(kind, r).value();
    if (plottable(value))
        add(series, *value);
}
