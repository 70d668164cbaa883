#pragma once
// Turns the records the charts plot into points: one tap on the record router per record
// kind, the point's time being the record's arrival.

#include "charts/chartdata.h"
#include "link/framing.h"
#include "link/recordnames.h"
#include "status/core_records.h"

#include <functional>

class RecordRouter;

class ChartFeed
{
public:
    // Milliseconds since 1970-01-01 UTC; the wall clock unless a test gives its own.
    using Clock = std::function<qint64()>;

    explicit ChartFeed(ChartStore &store, Clock clock = {});

    // Adds read-only observers for every record kind the charts plot. The router must not
    // dispatch records after the feed is gone.
    void registerTaps(RecordRouter &router);

    // Takes one record of the given kind; kinds the charts do not plot are ignored, and so
    // are fields that are not finite numbers (status/core_records.h reads them).
    void take(RecordKind kind, const RecordLine &record);

    qint64 now() const { return clock(); }
    void setClock(Clock c);

    // The record kinds that feed the charts.
    static const RecordKind plottedKinds[];
    static const int plottedKindCount;

private:
    void add(ChartSeries series, double value);
    void takePower(const PowerRecord &p);
    void takeSignal(const SignalRecord &s);
    void takeFix(const FixRecord &f);
    void takeFuelSensor(const std::optional<FuelSensorRecord> &s);
    void takeCanValue(ChartSeries series, const CanValueRecord &v);

    ChartStore &store;
    Clock clock;
    qint64 arrival = 0;   // the time of the record being taken
};
