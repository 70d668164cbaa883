#include "charts/chartfeed.h"

#include "link/recordrouter.h"
#include "status/core_records.h"

#include <QDateTime>

#include <cmath>
#include <utility>

namespace {

// The charts plot finite numbers only: infinities and NaN are no points.
bool plottable(const std::optional<double> &value)
{
    return value && std::isfinite(*value);
}

// The modem's level scale ends at 31; 99 and the like mean "not known".
constexpr quint32 topGsmLevel = 31;

// The CAN values plotted, and their series.
constexpr std::pair<RecordKind, ChartSeries> canSeries[] = {
    {RecordKind::CanEngineSpeed, ChartSeries::CanEngineSpeed},
    {RecordKind::CanFuelPercent, ChartSeries::CanFuelPercent},
    {RecordKind::CanFuelLitres, ChartSeries::CanFuelLitres},
};

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
    // each record's value as its kind's core decoder gave it to the page: decoded once
    const auto now = [this] { arrival = clock(); };
    router.tap(RecordKind::Power, decodePower, [this, now](const PowerRecord &p) {
        now();
        takePower(p);
    });
    router.tap(RecordKind::Signal, decodeSignal, [this, now](const SignalRecord &s) {
        now();
        takeSignal(s);
    });
    router.tap(RecordKind::Fix, decodeFix, [this, now](const FixRecord &f) {
        now();
        takeFix(f);
    });
    router.tap(RecordKind::FuelSensors, decodeFuelSensor,
               [this, now](const std::optional<FuelSensorRecord> &s) {
                   now();
                   takeFuelSensor(s);
               });
    for (const auto &[kind, series] : canSeries) {
        router.tap(kind, [kind = kind](const RecordLine &r) { return decodeCanValue(kind, r); },
                   [this, now, series = series](const CanValueRecord &v) {
                       now();
                       takeCanValue(series, v);
                   });
    }
}

void ChartFeed::take(RecordKind kind, const RecordLine &r)
{
    arrival = clock();
    switch (kind) {
    case RecordKind::Power:
        takePower(decodePower(r));
        break;
    case RecordKind::Signal:
        takeSignal(decodeSignal(r));
        break;
    case RecordKind::Fix:
        takeFix(decodeFix(r));
        break;
    case RecordKind::FuelSensors:
        takeFuelSensor(decodeFuelSensor(r));
        break;
    default:
        for (const auto &[canKind, series] : canSeries) {
            if (canKind == kind)
                takeCanValue(series, decodeCanValue(kind, r));
        }
        break;
    }
}

void ChartFeed::add(ChartSeries series, double value)
{
    store.add(series, arrival, value);
}

void ChartFeed::takePower(const PowerRecord &p)
{
    if (plottable(p.supplyMv))
        add(ChartSeries::SupplyVoltage, *p.supplyMv / 1000.0);
    if (plottable(p.batteryMv))
        add(ChartSeries::BatteryVoltage, *p.batteryMv / 1000.0);
}

void ChartFeed::takeSignal(const SignalRecord &s)
{
    if (s.level && *s.level <= topGsmLevel)
        add(ChartSeries::GsmLevel, double(*s.level));
}

void ChartFeed::takeFix(const FixRecord &f)
{
    if (f.satellites)
        add(ChartSeries::Satellites, double(*f.satellites));
    if (plottable(f.speed))
        add(ChartSeries::Speed, *f.speed);
    if (plottable(f.hdop))
        add(ChartSeries::Hdop, *f.hdop);
}

void ChartFeed::takeFuelSensor(const std::optional<FuelSensorRecord> &s)
{
    if (s && plottable(s->level))
        add(fuelSensorSeries(s->sensor), *s->level);
}

void ChartFeed::takeCanValue(ChartSeries series, const CanValueRecord &v)
{
    const std::optional<double> value = v.value();
    if (plottable(value))
        add(series, *value);
}
