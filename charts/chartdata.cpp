#include "charts/chartdata.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

struct SeriesRow
{
    ChartSeriesInfo info;
    const char *name;
};

const SeriesRow seriesRows[chartSeriesCount] = {
    {{ChartPane::Power, 0, false}, QT_TRANSLATE_NOOP("ChartsPanel", "Внешнее напряжение, В")},
    {{ChartPane::Power, 1, false}, QT_TRANSLATE_NOOP("ChartsPanel", "Напряжение АКБ, В")},
    {{ChartPane::Gsm, 0, true}, QT_TRANSLATE_NOOP("ChartsPanel", "Уровень сигнала GSM (0–31)")},
    {{ChartPane::Gnss, 0, true}, QT_TRANSLATE_NOOP("ChartsPanel", "Спутники")},
    {{ChartPane::Gnss, 1, false}, QT_TRANSLATE_NOOP("ChartsPanel", "HDOP")},
    {{ChartPane::Speed, 0, false}, QT_TRANSLATE_NOOP("ChartsPanel", "Скорость, км/ч")},
    {{ChartPane::FuelSensors, 0, false}, nullptr},
    {{ChartPane::FuelSensors, 1, false}, nullptr},
    {{ChartPane::FuelSensors, 2, false}, nullptr},
    {{ChartPane::FuelSensors, 3, false}, nullptr},
    {{ChartPane::FuelSensors, 4, false}, nullptr},
    {{ChartPane::FuelSensors, 5, false}, nullptr},
    {{ChartPane::FuelSensors, 6, false}, nullptr},
    {{ChartPane::CanEngine, 0, false}, QT_TRANSLATE_NOOP("ChartsPanel", "Обороты двигателя (об/мин)")},
    {{ChartPane::CanFuel, 0, false}, QT_TRANSLATE_NOOP("ChartsPanel", "Уровень топлива в баке (%)")},
    {{ChartPane::CanFuel, 1, false}, QT_TRANSLATE_NOOP("ChartsPanel", "Уровень топлива в баке (л)")},
};

const char *const paneNames[chartPaneCount] = {
    QT_TRANSLATE_NOOP("ChartsPanel", "Питание"),
    QT_TRANSLATE_NOOP("ChartsPanel", "GSM"),
    QT_TRANSLATE_NOOP("ChartsPanel", "GPS / ГЛОНАСС"),
    QT_TRANSLATE_NOOP("ChartsPanel", "Скорость"),
    QT_TRANSLATE_NOOP("ChartsPanel", "Датчики уровня топлива (RS232/RS485)"),
    QT_TRANSLATE_NOOP("ChartsPanel", "Обороты двигателя (CAN)"),
    QT_TRANSLATE_NOOP("ChartsPanel", "Уровень топлива (CAN)"),
};

} // namespace

const ChartSeriesInfo &chartSeriesInfo(ChartSeries series)
{
    return seriesRows[int(series)].info;
}

QString chartSeriesName(ChartSeries series)
{
    const int fuel = int(series) - int(ChartSeries::FuelSensor0);
    if (fuel >= 0 && fuel < fuelSensorCount)
        return QCoreApplication::translate("ChartsPanel", "ДУТ %1").arg(fuel);
    return QCoreApplication::translate("ChartsPanel", seriesRows[int(series)].name);
}

QString chartPaneName(ChartPane pane)
{
    return QCoreApplication::translate("ChartsPanel", paneNames[int(pane)]);
}

int ChartBuffer::firstAtOrAfter(qint64 time) const
{
    const auto begin = points.begin() + std::ptrdiff_t(first);
    return int(std::lower_bound(begin, points.end(), time,
                                [](const ChartPoint &p, qint64 t) { return p.time < t; })
               - begin);
}

int ChartBuffer::firstAfter(qint64 time) const
{
    const auto begin = points.begin() + std::ptrdiff_t(first);
    return int(std::upper_bound(begin, points.end(), time,
                                [](qint64 t, const ChartPoint &p) { return t < p.time; })
               - begin);
}

void ChartBuffer::append(const ChartPoint &point, qint64 keepMs, int cap)
{
    points.push_back(point);
    const qint64 oldest = point.time - keepMs;
    while (points[first].time < oldest)
        ++first;
    if (size() > cap)
        first = points.size() - size_t(cap);
    // the dropped front is given back once it is as long as what is kept
    if (first >= 1024 && first >= points.size() / 2) {
        points.erase(points.begin(), points.begin() + std::ptrdiff_t(first));
        first = 0;
    }
}

void ChartBuffer::clear()
{
    points.clear();
    points.shrink_to_fit();
    first = 0;
}

ChartStore::ChartStore(qint64 keepMs, int cap)
    : keep(keepMs)
    , maxPoints(qMax(1, cap))
{
}

void ChartStore::add(ChartSeries series, qint64 time, double value)
{
    ChartBuffer &buffer = buffers[size_t(series)];
    // a clock set back must not make the series run backwards
    if (!buffer.isEmpty())
        time = qMax(time, buffer.last().time);
    buffer.append({time, value}, keep, maxPoints);
    newest = qMax(newest, time);
    ++changes;
}

void ChartStore::clear()
{
    for (ChartBuffer &b : buffers)
        b.clear();
    newest = 0;
    ++changes;
}
