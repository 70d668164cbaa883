#pragma once
// One pane of the charts: the series of one ChartPane plotted against the local time of day,
// with zooming, panning and magnifying along the time axis only (the value axis scales
// itself to what is in view). The time axis holds local time as ms since 1970 (UTC shifted
// by the local offset); what the pane takes and reports is plain UTC ms.

#include "charts/chartdata.h"

#include <qwt_plot.h>

#include <QColor>

#include <array>

class QwtPlotCurve;
class QwtPlotGrid;
class TimePanner;
class TimeZoomer;

// The colour of a series: distinct within its pane, lighter on a dark background.
QColor chartSeriesColor(ChartSeries series, bool darkBackground);

class TimePlot : public QwtPlot
{
    Q_OBJECT

public:
    // interactive: with zoomer, panners, magnifier and the value tracker (the live panes);
    // without: for pictures.
    TimePlot(ChartPane pane, const ChartStore &store, bool interactive, QWidget *parent = nullptr);
    ~TimePlot() override;

    ChartPane pane() const { return paneId; }

    void setSeriesShown(ChartSeries series, bool shown);
    bool isSeriesShown(ChartSeries series) const;
    // True when a shown series of the pane has points (any time).
    bool hasShownPoints() const;
    // True when a shown series of the pane has a point within the time range.
    bool hasShownPointsIn(qint64 from, qint64 to) const;

    // Puts the time range on the time axis and hands the curves the points within it (and one
    // on each side, so lines run on to the edges), thinned out to about the pixels across
    // (0: the canvas width). Call replot() afterwards.
    void setTimeRange(qint64 from, qint64 to, int pixels = 0);
    void setTimeAxisShown(bool shown);
    // Starts the zoom history afresh at the range shown now.
    void restartZoom();
    // True while the user drags a zoom rectangle or pans: the range must hold still then.
    bool isPicking() const;

    // Canvas, grid and curve colours for the palette (the light and the dark look).
    void applyLook(const QPalette &palette);

signals:
    // The user zoomed, panned or magnified to this time range (ms since 1970).
    void rangePicked(double from, double to);

protected:
    void changeEvent(QEvent *event) override;

private:
    friend class TimeZoomer;
    friend class TimePanner;
    friend class TimeMagnifier;
    // a time range picked on the axis, reported in UTC
    void pickedOnAxis(double from, double to);
    void updateTitle();

    ChartPane paneId;
    const ChartStore &store;
    // nullptr for other panes' series; the plot deletes the attached (shown) ones, the
    // destructor the others
    std::array<QwtPlotCurve *, chartSeriesCount> curves{};
    std::array<bool, chartSeriesCount> shown{};
    QwtPlotGrid *grid = nullptr;
    TimeZoomer *zoomer = nullptr;
    std::array<TimePanner *, 2> panners{};
    qint64 shift = 0;   // local time minus UTC on the time axis, ms
    QString titleHtml;
};
