#pragma once
// The values the charts plot: which series there are, which pane shows each, and the points
// collected per connection. No widgets here.

#include <QString>
#include <QtGlobal>

#include <array>
#include <vector>

// Every value the charts can plot, each fed by one field of one record kind.
enum class ChartSeries {
    SupplyVoltage,   // PB field 1, mV, plotted in V
    BatteryVoltage,  // PB field 2, mV, plotted in V
    GsmLevel,        // ML field 1, modem level 0..31
    Satellites,      // GS field 1
    Hdop,            // GS field 4, HDOP times 10
    Speed,           // GS field 2, km/h
    FuelSensor0,     // LLS field 3 of the sensor numbered by field 2 ("0".."6")
    FuelSensor1,
    FuelSensor2,
    FuelSensor3,
    FuelSensor4,
    FuelSensor5,
    FuelSensor6,
    CanEngineSpeed,  // CH field 1, rpm
    CanFuelPercent,  // CG field 1, per cent times 10
    CanFuelLitres,   // CR field 1, litres times 10
};
constexpr int chartSeriesCount = int(ChartSeries::CanFuelLitres) + 1;
constexpr int fuelSensorCount = 7;

// Series that share a plot: same kind of value, one vertical scale.
enum class ChartPane { Power, Gsm, Gnss, Speed, FuelSensors, CanEngine, CanFuel };
constexpr int chartPaneCount = int(ChartPane::CanFuel) + 1;

struct ChartSeriesInfo
{
    ChartPane pane;
    int indexInPane;   // picks the series' colour within its pane
    bool steps;        // whole-number values drawn as steps
};

const ChartSeriesInfo &chartSeriesInfo(ChartSeries series);
// The series' name with its unit, as the charts list and legends show it.
QString chartSeriesName(ChartSeries series);
// The pane's title.
QString chartPaneName(ChartPane pane);

inline ChartSeries fuelSensorSeries(int sensor)
{
    return ChartSeries(int(ChartSeries::FuelSensor0) + sensor);
}

struct ChartPoint
{
    qint64 time;   // arrival, ms since 1970-01-01 UTC
    double value;
};

// The points of one series, oldest first. Old points are dropped from the front without
// moving the rest each time, so appending stays cheap however long the run.
class ChartBuffer
{
public:
    int size() const { return int(points.size() - first); }
    bool isEmpty() const { return size() == 0; }
    const ChartPoint &at(int i) const { return points[first + size_t(i)]; }
    const ChartPoint &last() const { return points.back(); }
    // The index of the first point at or after the time (size() when there is none).
    int firstAtOrAfter(qint64 time) const;
    // The index of the first point after the time (size() when there is none).
    int firstAfter(qint64 time) const;

    // Appends a point and drops points older than keepMs before it, and the oldest ones
    // beyond cap.
    void append(const ChartPoint &point, qint64 keepMs, int cap);
    void clear();

private:
    std::vector<ChartPoint> points;
    size_t first = 0;   // points before it are dropped
};

// The points of every series of one connection.
class ChartStore
{
public:
    static constexpr qint64 defaultKeepMs = 60 * 60 * 1000;   // one hour
    static constexpr int defaultCap = 36000;                    // ten points a second for an hour

    explicit ChartStore(qint64 keepMs = defaultKeepMs, int cap = defaultCap);

    void add(ChartSeries series, qint64 time, double value);
    const ChartBuffer &points(ChartSeries series) const { return buffers[size_t(series)]; }
    void clear();

    // Moves on with every change, so a view knows whether it has something new to draw.
    quint64 revision() const { return changes; }
    qint64 keepMs() const { return keep; }
    int cap() const { return maxPoints; }
    // The time of the newest point of any series; 0 when there is none.
    qint64 newestTime() const { return newest; }

private:
    std::array<ChartBuffer, chartSeriesCount> buffers;
    qint64 keep;
    int maxPoints;
    quint64 changes = 0;
    qint64 newest = 0;
};
