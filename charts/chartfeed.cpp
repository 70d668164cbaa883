#include "charts/chartfeed.h"

#include "link/recordrouter.h"

#include <QDateTime>

#include <cmath>

namespace {

// A real number in the "C" format; false for anything else, infinities and NaN included.
bool realValue(const QByteArray &field, double &value)
{
    bool ok = false;
    value = field.toDouble(&ok);
    return ok && std::isfinite(value);
}

bool wholeValue(const QByteArray &field, quint32 &value)
{
    bool ok = false;
    value = field.toUInt(&ok, 10);
    return ok;
}

// The sensor number of a fuel sensor record: exactly one of the digits "0".."6".
int fuelSensorNumber(const QByteArray &field)
{
    if (field.size() != 1 || field[0] < '0' || field[0] >= '0' + fuelSensorCount)
        return -1;
    return field[0] - '0';
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
    double value = 0;
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
        if (realValue(r.field[0], value))
            add(ChartSeries::CanEngineSpeed, value);
        break;
    case RecordKind::CanFuelPercent:
        if (realValue(r.field[0], value))
            add(ChartSeries::CanFuelPercent, value / 10.0);
        break;
    case RecordKind::CanFuelLitres:
        if (realValue(r.field[0], value))
            add(ChartSeries::CanFuelLitres, value / 10.0);
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
    double mv = 0;
    if (realValue(r.field[0], mv))
        add(ChartSeries::SupplyVoltage, mv / 1000.0);
    if (realValue(r.field[1], mv))
        add(ChartSeries::BatteryVoltage, mv / 1000.0);
}

void ChartFeed::takeSignal(const RecordLine &r)
{
    quint32 level = 0;
    if (wholeValue(r.field[0], level) && level <= topGsmLevel)
        add(ChartSeries::GsmLevel, double(level));
}

void ChartFeed::takeFix(const RecordLine &r)
{
    quint32 satellites = 0;
    if (wholeValue(r.field[0], satellites))
        add(ChartSeries::Satellites, double(satellites));
    double value = 0;
    if (realValue(r.field[1], value))
        add(ChartSeries::Speed, value);
    if (realValue(r.field[3], value))
        add(ChartSeries::Hdop, value / 10.0);
}

void ChartFeed::takeFuelSensor(const RecordLine &r)
{
    const int sensor = fuelSensorNumber(r.field[1]);
    double level = 0;
    if (sensor >= 0 && realValue(r.field[2], level))
        add(fuelSensorSeries(sensor), level);
}
