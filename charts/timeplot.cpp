#include "charts/timeplot.h"

#include <QApplication>

#include <qwt_date.h>
#include <qwt_date_scale_draw.h>
#include <qwt_date_scale_engine.h>
#include <qwt_plot_canvas.h>
#include <qwt_plot_curve.h>
#include <qwt_plot_grid.h>
#include <qwt_plot_magnifier.h>
#include <qwt_plot_panner.h>
#include <qwt_plot_zoomer.h>
#include <qwt_scale_draw.h>
#include <qwt_scale_widget.h>
#include <qwt_text.h>

#include <QDateTime>
#include <QEvent>
#include <QPen>
#include <QVector>

#include <cmath>

QColor chartSeriesColor(ChartSeries series, bool darkBackground)
{
    // strong enough on white, and lighter ones of the same hues on the dark look's base
    static const QRgb onLight[] = {0x1f77b4, 0xd62728, 0x2ca02c, 0x9467bd,
                                   0xe67e00, 0x138d9c, 0xc2449a};
    static const QRgb onDark[] = {0x5cadff, 0xff6b6b, 0x69db7c, 0xc9a0ff,
                                  0xffa94d, 0x4fd6e6, 0xf783c8};
    const int i = chartSeriesInfo(series).indexInPane % int(sizeof(onLight) / sizeof(QRgb));
    return QColor(darkBackground ? onDark[i] : onLight[i]);
}

namespace {

// Local time minus UTC at the moment, in ms. The time axis runs on UTC arithmetic shifted by
// this offset: Qwt's local-time mode asks the C library for the time zone on every tick and
// label, which on Linux means a stat() of /etc/localtime each time, dozens per redraw. The
// offset is looked up once for each hour of the clock.
qint64 localOffsetMs(qint64 utcMs)
{
    static qint64 hour = -1;
    static qint64 offset = 0;
    const qint64 thisHour = utcMs / 3600000;
    if (thisHour != hour) {
        hour = thisHour;
        offset = qint64(QDateTime::fromMSecsSinceEpoch(utcMs).offsetFromUtc()) * 1000;
    }
    return offset;
}

bool isDark(const QPalette &palette)
{
    return palette.color(QPalette::Base).lightness() < 128;
}

// The points of a buffer between two times, one more on each side, thinned out when there
// are many more of them than pixels across: each pixel column then keeps its lowest and its
// highest point, in the order they came, so spikes stay visible.
QVector<QPointF> pointsBetween(const ChartBuffer &buffer, qint64 from, qint64 to, int pixels,
                               qint64 shift)
{
    const int begin = qMax(0, buffer.firstAtOrAfter(from) - 1);
    const int end = qMin(buffer.size(), buffer.firstAfter(to) + 1);
    QVector<QPointF> out;
    if (end <= begin)
        return out;
    const int count = end - begin;
    if (count <= 4 * pixels || to <= from) {
        out.reserve(count);
        for (int i = begin; i < end; ++i)
            out.append(QPointF(double(buffer.at(i).time + shift), buffer.at(i).value));
        return out;
    }
    out.reserve(4 * pixels + 4);
    const double msPerPixel = double(to - from) / double(qMax(1, pixels));
    int i = begin;
    while (i < end) {
        const double column = std::floor(double(buffer.at(i).time - from) / msPerPixel);
        const double columnEnd = (column + 1.0) * msPerPixel;   // from `from`, in ms
        int low = i, high = i;
        int j = i + 1;
        for (; j < end && double(buffer.at(j).time - from) < columnEnd; ++j) {
            const double v = buffer.at(j).value;
            if (v < buffer.at(low).value)
                low = j;
            else if (v > buffer.at(high).value)
                high = j;
        }
        const int first = qMin(low, high), second = qMax(low, high);
        out.append(QPointF(double(buffer.at(first).time + shift), buffer.at(first).value));
        if (second != first)
            out.append(QPointF(double(buffer.at(second).time + shift), buffer.at(second).value));
        i = j;
    }
    return out;
}

// Values in the plain "C" notation, without digit grouping (2000, not 2,000).
class ValueScaleDraw : public QwtScaleDraw
{
public:
    QwtText label(double value) const override { return QwtText(QString::number(value, 'g', 6)); }
};

} // namespace

// Drag a rectangle to zoom into its time span; the right button goes back to where zooming
// began. The value axis is left to scale itself.
class TimeZoomer : public QwtPlotZoomer
{
public:
    explicit TimeZoomer(TimePlot *plot)
        : QwtPlotZoomer(QwtPlot::xBottom, QwtPlot::yLeft, plot->canvas(), false)
        , owner(plot)
    {
        setTrackerMode(QwtPicker::AlwaysOn);
        setRubberBand(QwtPicker::RectRubberBand);
        // the middle button pans; its history steps stay on the keyboard (+, -)
        setMousePattern(QwtEventPattern::MouseSelect3, Qt::NoButton);
        setMousePattern(QwtEventPattern::MouseSelect6, Qt::NoButton);
    }

    void restart()
    {
        quiet = true;
        setZoomBase(false);
        quiet = false;
    }

protected:
    void rescale() override
    {
        if (quiet)
            return;
        const QRectF r = zoomRect();
        owner->pickedOnAxis(r.left(), r.right());
    }

    void begin() override
    {
        // zooming starts from whatever the panel shows now, not from where it started last time
        if (zoomRectIndex() == 0)
            restart();
        QwtPlotZoomer::begin();
    }

    QwtText trackerTextF(const QPointF &pos) const override
    {
        const QString time = QwtDate::toDateTime(pos.x(), Qt::UTC).toString(QStringLiteral("hh:mm:ss"));
        return QwtText(QStringLiteral("%1  %2").arg(time, QString::number(pos.y(), 'g', 4)));
    }

private:
    TimePlot *owner;
    bool quiet = false;
};

// Drags the time axis along.
class TimePanner : public QwtPlotPanner
{
public:
    TimePanner(TimePlot *plot, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
        : QwtPlotPanner(plot->canvas())
        , owner(plot)
    {
        setOrientations(Qt::Horizontal);
        setMouseButton(button, modifiers);
        setAxisEnabled(QwtPlot::yLeft, false);
        setAxisEnabled(QwtPlot::yRight, false);
    }

    void moveCanvas(int dx, int dy) override
    {
        QwtPlotPanner::moveCanvas(dx, dy);
        owner->pickedOnAxis(owner->axisInterval(QwtPlot::xBottom).minValue(),
                            owner->axisInterval(QwtPlot::xBottom).maxValue());
    }

private:
    TimePlot *owner;
};

// Ctrl + wheel widens or narrows the time span; the plain wheel is left to scroll the panes.
class TimeMagnifier : public QwtPlotMagnifier
{
public:
    explicit TimeMagnifier(TimePlot *plot)
        : QwtPlotMagnifier(plot->canvas())
        , owner(plot)
    {
        setAxisEnabled(QwtPlot::yLeft, false);
        setAxisEnabled(QwtPlot::yRight, false);
        setMouseButton(Qt::NoButton);
        setWheelModifiers(Qt::ControlModifier);
        // the zoomer has + and - for its history
        setZoomInKey(Qt::Key_unknown, Qt::NoModifier);
        setZoomOutKey(Qt::Key_unknown, Qt::NoModifier);
    }

protected:
    void rescale(double factor) override
    {
        QwtPlotMagnifier::rescale(factor);
        owner->pickedOnAxis(owner->axisInterval(QwtPlot::xBottom).minValue(),
                            owner->axisInterval(QwtPlot::xBottom).maxValue());
    }

private:
    TimePlot *owner;
};

TimePlot::TimePlot(ChartPane pane, const ChartStore &store, bool interactive, QWidget *parent)
    : QwtPlot(parent)
    , paneId(pane)
    , store(store)
{
    setAutoReplot(false);
    auto *plotCanvas = new QwtPlotCanvas;
    plotCanvas->setFrameStyle(QFrame::Box | QFrame::Plain);
    plotCanvas->setLineWidth(1);
    setCanvas(plotCanvas);

    setAxisScaleDraw(QwtPlot::xBottom, new QwtDateScaleDraw(Qt::UTC));
    setAxisScaleEngine(QwtPlot::xBottom, new QwtDateScaleEngine(Qt::UTC));
    auto *timeDraw = static_cast<QwtDateScaleDraw *>(axisScaleDraw(QwtPlot::xBottom));
    timeDraw->setDateFormat(QwtDate::Second, QStringLiteral("hh:mm:ss"));
    timeDraw->setDateFormat(QwtDate::Minute, QStringLiteral("hh:mm"));
    timeDraw->setDateFormat(QwtDate::Hour, QStringLiteral("hh:mm"));
    setAxisScaleDraw(QwtPlot::yLeft, new ValueScaleDraw);
    setAxisMaxMajor(QwtPlot::xBottom, 6);
    setAxisMaxMajor(QwtPlot::yLeft, 5);
    // the same width of value scale in every pane keeps the time axes one under another
    axisScaleDraw(QwtPlot::yLeft)->setMinimumExtent(fontMetrics().horizontalAdvance(QStringLiteral("00000.0")));

    grid = new QwtPlotGrid;
    grid->attach(this);

    for (int i = 0; i < chartSeriesCount; ++i) {
        const auto series = ChartSeries(i);
        const ChartSeriesInfo &info = chartSeriesInfo(series);
        if (info.pane != pane)
            continue;
        auto *curve = new QwtPlotCurve(chartSeriesName(series));
        curve->setStyle(info.steps ? QwtPlotCurve::Steps : QwtPlotCurve::Lines);
        curve->setPaintAttribute(QwtPlotCurve::FilterPoints, true);
        curve->setRenderHint(QwtPlotItem::RenderAntialiased, !interactive);
        curves[size_t(i)] = curve;
        shown[size_t(i)] = true;
        curve->attach(this);
    }

    if (interactive) {
        zoomer = new TimeZoomer(this);
        panners = {new TimePanner(this, Qt::MiddleButton, Qt::NoModifier),
                   new TimePanner(this, Qt::LeftButton, Qt::ShiftModifier)};
        new TimeMagnifier(this);
    }
    applyLook(palette());
}

TimePlot::~TimePlot()
{
    // hidden curves are detached: QwtPlot deletes only what is attached to it
    for (int i = 0; i < chartSeriesCount; ++i)
        if (!shown[size_t(i)])
            delete curves[size_t(i)];
}

void TimePlot::setSeriesShown(ChartSeries series, bool on)
{
    QwtPlotCurve *curve = curves[size_t(series)];
    if (!curve || shown[size_t(series)] == on)
        return;
    shown[size_t(series)] = on;
    if (on)
        curve->attach(this);
    else
        curve->detach();
}

bool TimePlot::isSeriesShown(ChartSeries series) const
{
    return curves[size_t(series)] && shown[size_t(series)];
}

bool TimePlot::hasShownPoints() const
{
    for (int i = 0; i < chartSeriesCount; ++i)
        if (isSeriesShown(ChartSeries(i)) && !store.points(ChartSeries(i)).isEmpty())
            return true;
    return false;
}

bool TimePlot::hasShownPointsIn(qint64 from, qint64 to) const
{
    for (int i = 0; i < chartSeriesCount; ++i) {
        if (!isSeriesShown(ChartSeries(i)))
            continue;
        const ChartBuffer &b = store.points(ChartSeries(i));
        if (b.firstAtOrAfter(from) < b.firstAfter(to))
            return true;
    }
    return false;
}

void TimePlot::setTimeRange(qint64 from, qint64 to, int pixels)
{
    if (pixels <= 0)
        pixels = qMax(100, canvas()->width());
    shift = localOffsetMs(to);
    for (int i = 0; i < chartSeriesCount; ++i) {
        if (!isSeriesShown(ChartSeries(i)))
            continue;
        QwtPlotCurve *curve = curves[size_t(i)];
        const ChartBuffer &points = store.points(ChartSeries(i));
        curve->setSamples(pointsBetween(points, from, to, pixels, shift));
    }
    updateTitle();
    setAxisScale(QwtPlot::xBottom, double(from + shift), double(to + shift));
}

void TimePlot::updateTitle()
{
    // the title names the series the terminal reports (their colours are in the list above
    // the plots): one line in the interface's own font, which Qwt gives room for (a wrapped
    // title would be cut to its first line)
    QStringList names;
    for (int i = 0; i < chartSeriesCount; ++i) {
        const auto series = ChartSeries(i);
        if (!isSeriesShown(series) || store.points(series).isEmpty())
            continue;
        names << chartSeriesName(series);
    }
    // one line: the series' names when they fit the pane's width, else the pane's name,
    // shortened with "…" in a pane narrower still (the names are in the list above)
    QFont font = QApplication::font();
    font.setBold(false);
    const QFontMetrics metrics(font);
    // the title stands over the canvas, centred on it
    const int canvasWidth = canvas()->width() > 0 ? canvas()->width() : width();
    const int room = qMax(60, canvasWidth - metrics.averageCharWidth());
    QString title = names.join(QStringLiteral(" · "));
    if (metrics.horizontalAdvance(title) > room && !names.isEmpty())
        title = chartPaneName(pane());
    title = metrics.elidedText(title, Qt::ElideRight, room);
    if (title == titleHtml)
        return;
    titleHtml = title;
    QwtText text(title, QwtText::PlainText);
    text.setRenderFlags(Qt::AlignCenter | Qt::TextSingleLine);
    text.setFont(font);
    setTitle(text);
}

void TimePlot::setTimeAxisShown(bool on)
{
    enableAxis(QwtPlot::xBottom, on);
}

void TimePlot::restartZoom()
{
    if (zoomer)
        zoomer->restart();
}

bool TimePlot::isPicking() const
{
    if (zoomer && zoomer->isActive())
        return true;
    // a panner shows itself (the canvas picture being dragged) while panning
    for (const TimePanner *panner : panners)
        if (panner && panner->isVisible())
            return true;
    return false;
}

void TimePlot::pickedOnAxis(double from, double to)
{
    emit rangePicked(from - double(shift), to - double(shift));
}

void TimePlot::applyLook(const QPalette &pal)
{
    const bool dark = isDark(pal);
    setCanvasBackground(pal.brush(QPalette::Base));
    QColor gridColor = pal.color(QPalette::Text);
    gridColor.setAlpha(dark ? 40 : 28);
    grid->setMajorPen(QPen(gridColor, 0, Qt::SolidLine));   // dotted lines cost more to draw
    for (int i = 0; i < chartSeriesCount; ++i) {
        if (QwtPlotCurve *curve = curves[size_t(i)])
            // thin lines are drawn fastest; pictures get smooth, thicker ones
            curve->setPen(QPen(chartSeriesColor(ChartSeries(i), dark), zoomer ? 1.0 : 1.6));
    }
    titleHtml.clear();
    updateTitle();
    if (zoomer) {
        zoomer->setRubberBandPen(QPen(pal.color(QPalette::Highlight)));
        zoomer->setTrackerPen(QPen(pal.color(QPalette::Text)));
    }
    if (auto *c = qobject_cast<QFrame *>(canvas())) {
        QPalette framePalette = c->palette();
        framePalette.setColor(QPalette::WindowText, pal.color(QPalette::Mid));
        c->setPalette(framePalette);
    }
}

void TimePlot::changeEvent(QEvent *event)
{
    QwtPlot::changeEvent(event);
    // a style sheet taken away (F5 back to the light look) gives the canvas back the palette
    // it had before the sheet came, after the new palette: the look is applied again then
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange) {
        applyLook(palette());
        replot();
    }
}
