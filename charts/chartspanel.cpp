#include "charts/chartspanel.h"

#include "charts/timeplot.h"
#include "link/recordrouter.h"

#include <qwt_plot_renderer.h>
#include <qwt_scale_draw.h>

#include <QApplication>
#include <QComboBox>
#include <QDockWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QPainter>
#include <QPixmap>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <memory>
#include <vector>

namespace {

const int spanChoices[] = {1, 5, 10, 30, 60};

QIcon colourIcon(const QColor &colour, int side)
{
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.fillRect(QRect(1, side / 2 - 2, side - 2, 4), colour);
    return QIcon(pixmap);
}

// The look of a picture for a printed or saved page, whichever look the program has.
QPalette paperPalette()
{
    QPalette p = QApplication::style()->standardPalette();
    for (auto role : {QPalette::Window, QPalette::Base})
        p.setColor(role, Qt::white);
    for (auto role : {QPalette::WindowText, QPalette::Text})
        p.setColor(role, Qt::black);
    p.setColor(QPalette::Mid, QColor(160, 160, 160));
    return p;
}

} // namespace

ChartsPanel::ChartsPanel(QWidget *parent)
    : QWidget(parent)
    , feeder(points)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);

    auto *controls = new QHBoxLayout;
    pauseButton = new QToolButton;
    pauseButton->setObjectName(QStringLiteral("chartsPauseButton"));
    pauseButton->setText(tr("Пауза"));
    pauseButton->setToolTip(tr("Остановить прокрутку; значения продолжают собираться"));
    pauseButton->setCheckable(true);
    pauseButton->setToolButtonStyle(Qt::ToolButtonTextOnly);
    controls->addWidget(pauseButton);
    controls->addSpacing(8);
    controls->addWidget(new QLabel(tr("Последние")));
    spanCombo = new QComboBox;
    spanCombo->setObjectName(QStringLiteral("chartsSpanCombo"));
    for (int minutes : spanChoices)
        spanCombo->addItem(tr("%1 мин").arg(minutes), minutes);
    spanCombo->setCurrentIndex(spanCombo->findData(defaultSpanMinutes));
    controls->addWidget(spanCombo);
    controls->addStretch(1);
    layout->addLayout(controls);

    seriesList = new QListWidget;
    seriesList->setObjectName(QStringLiteral("chartsSeriesList"));
    seriesList->setToolTip(tr("Какие величины показывать"));
    seriesList->setFlow(QListView::LeftToRight);
    seriesList->setWrapping(true);
    seriesList->setResizeMode(QListView::Adjust);
    seriesList->setSpacing(1);
    seriesList->setSelectionMode(QAbstractItemView::NoSelection);
    seriesList->setFocusPolicy(Qt::NoFocus);
    seriesList->setTextElideMode(Qt::ElideRight);
    seriesList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int i = 0; i < chartSeriesCount; ++i) {
        auto *item = new QListWidgetItem(chartSeriesName(ChartSeries(i)), seriesList);
        // a name too long for the dock is shortened with "…", whole in its tool tip
        item->setToolTip(item->text());
        item->setData(Qt::UserRole, i);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    const int rowHeight = seriesList->sizeHintForRow(0) + 2;
    seriesList->setFixedHeight(3 * rowHeight + 2 * seriesList->frameWidth() + 4);
    layout->addWidget(seriesList);

    auto *holder = new QWidget;
    auto *paneLayout = new QVBoxLayout(holder);
    paneLayout->setContentsMargins(0, 0, 0, 0);
    paneLayout->setSpacing(2);
    emptyLabel = new QLabel(tr("Нет данных: графики появятся, когда терминал пришлёт значения"));
    emptyLabel->setObjectName(QStringLiteral("chartsEmptyLabel"));
    emptyLabel->setAlignment(Qt::AlignCenter);
    emptyLabel->setWordWrap(true);
    paneLayout->addWidget(emptyLabel);
    const QString hint = tr("Выделение мышью: увеличить; правая кнопка: назад; Ctrl+колесо: "
                            "масштаб времени; средняя кнопка или Shift+мышь: сдвиг");
    for (int p = 0; p < chartPaneCount; ++p) {
        auto *pane = new TimePlot(ChartPane(p), points, true);
        pane->setObjectName(QStringLiteral("chartsPane%1").arg(p));
        pane->setMinimumSize(160, 130);
        pane->setToolTip(hint);
        pane->hide();
        connect(pane, &TimePlot::rangePicked, this, &ChartsPanel::showRange);
        paneLayout->addWidget(pane, 1);
        panes[size_t(p)] = pane;
    }
    paneLayout->addStretch(0);
    paneScroll = new QScrollArea;
    paneScroll->setWidgetResizable(true);
    paneScroll->setFrameShape(QFrame::NoFrame);
    paneScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    paneScroll->setWidget(holder);
    layout->addWidget(paneScroll, 1);

    updateSeriesIcons();

    connect(pauseButton, &QToolButton::toggled, this, &ChartsPanel::setPaused);
    connect(spanCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            [this](int index) { setSpanMinutes(spanCombo->itemData(index).toInt()); });
    connect(seriesList, &QListWidget::itemChanged, this, &ChartsPanel::seriesItemChanged);

    redrawTimer.setInterval(redrawIntervalMs);
    connect(&redrawTimer, &QTimer::timeout, this, &ChartsPanel::tick);
}

ChartsPanel::~ChartsPanel() = default;

ChartsPanel *ChartsPanel::addDockTo(QMainWindow *window)
{
    auto *dock = new QDockWidget(tr("Графики"), window);
    dock->setObjectName(QStringLiteral("chartsDock"));
    auto *panel = new ChartsPanel(dock);
    panel->setObjectName(QStringLiteral("chartsPanel"));
    dock->setWidget(panel);
    window->addDockWidget(Qt::RightDockWidgetArea, dock);
    dock->hide();
    return panel;
}

void ChartsPanel::registerTaps(RecordRouter &router)
{
    feeder.registerTaps(router);
}

void ChartsPanel::setClock(ChartFeed::Clock clock)
{
    feeder.setClock(std::move(clock));
}

std::optional<ChartPoint> ChartsPanel::latest(ChartSeries series) const
{
    const ChartBuffer &b = points.points(series);
    if (b.isEmpty())
        return std::nullopt;
    return b.last();
}

bool ChartsPanel::isSeriesShown(ChartSeries series) const
{
    return panes[size_t(chartSeriesInfo(series).pane)]->isSeriesShown(series);
}

void ChartsPanel::setSeriesShown(ChartSeries series, bool shown)
{
    QListWidgetItem *item = seriesList->item(int(series));
    const Qt::CheckState state = shown ? Qt::Checked : Qt::Unchecked;
    if (item->checkState() != state)
        item->setCheckState(state);   // comes back through seriesItemChanged
}

void ChartsPanel::seriesItemChanged(QListWidgetItem *item)
{
    const auto series = ChartSeries(item->data(Qt::UserRole).toInt());
    panes[size_t(chartSeriesInfo(series).pane)]->setSeriesShown(series,
                                                                  item->checkState() == Qt::Checked);
    redrawIfShown();
}

void ChartsPanel::setSpanMinutes(int minutes)
{
    if (minutes <= 0)
        return;
    const int index = spanCombo->findData(minutes);
    if (index >= 0 && index != spanCombo->currentIndex()) {
        const QSignalBlocker block(spanCombo);
        spanCombo->setCurrentIndex(index);
    }
    span = qint64(minutes) * 60000;
    if (paused)
        shownFrom = shownTo - span;   // a paused view keeps its end
    redrawIfShown();
}

void ChartsPanel::setPaused(bool on)
{
    if (pauseButton->isChecked() != on) {
        const QSignalBlocker block(pauseButton);
        pauseButton->setChecked(on);
    }
    paused = on;
    redrawIfShown();
    if (!on) {
        for (TimePlot *pane : panes)
            pane->restartZoom();
    }
}

void ChartsPanel::showRange(double from, double to)
{
    if (!(to > from))
        return;
    shownFrom = qint64(from);
    shownTo = qint64(to);
    setPaused(true);
}

void ChartsPanel::clear()
{
    points.clear();
    setPaused(false);
}

QList<ChartPane> ChartsPanel::visiblePanes() const
{
    QList<ChartPane> list;
    for (const TimePlot *pane : panes)
        if (!pane->isHidden())
            list << pane->pane();
    return list;
}

void ChartsPanel::layOutPanes()
{
    TimePlot *last = nullptr;
    for (TimePlot *pane : panes) {
        const bool show = pane->hasShownPoints();
        if (show == pane->isHidden())
            pane->setVisible(show);
        if (show)
            last = pane;
    }
    // one time axis, under the lowest pane
    for (TimePlot *pane : panes)
        pane->setTimeAxisShown(pane == last);
    emptyLabel->setVisible(!last);
}

void ChartsPanel::redraw()
{
    if (!paused) {
        shownTo = feeder.now();
        shownFrom = shownTo - span;
    }
    layOutPanes();
    for (TimePlot *pane : panes) {
        if (pane->isHidden())
            continue;
        pane->setTimeRange(shownFrom, shownTo);
        pane->replot();
    }
    drawnRevision = points.revision();
    drawnAt = feeder.now();
}

void ChartsPanel::redrawIfShown()
{
    if (isVisible())
        redraw();
    else
        drawnRevision = ~quint64(0);
}

void ChartsPanel::tick()
{
    if (!isVisible())
        return;
    for (const TimePlot *pane : panes)
        if (pane->isPicking())
            return;   // the range holds still under the mouse
    if (points.revision() != drawnRevision) {
        redraw();
        return;
    }
    // nothing new: a live view still slides on with the clock while its points are in sight
    if (!paused && points.newestTime() >= shownFrom && feeder.now() - drawnAt >= 1000)
        redraw();
}

void ChartsPanel::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    redraw();
    redrawTimer.start();
}

void ChartsPanel::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    redrawTimer.stop();
}

void ChartsPanel::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        updateSeriesIcons();
}

void ChartsPanel::updateSeriesIcons()
{
    const bool dark = palette().color(QPalette::Base).lightness() < 128;
    const int side = seriesList->fontMetrics().height();
    const QSignalBlocker block(seriesList);
    for (int i = 0; i < seriesList->count(); ++i) {
        QListWidgetItem *item = seriesList->item(i);
        const auto series = ChartSeries(item->data(Qt::UserRole).toInt());
        item->setIcon(colourIcon(chartSeriesColor(series, dark), side));
    }
}

QImage ChartsPanel::renderRecent(int minutes, const QSize &size, int pixelRatio) const
{
    const qint64 to = points.newestTime();
    const qint64 from = to - qint64(qMax(1, minutes)) * 60000;
    if (to == 0 || size.isEmpty())
        return QImage();

    std::vector<std::unique_ptr<TimePlot>> plots;
    std::vector<std::vector<ChartSeries>> legends;
    for (const TimePlot *live : panes) {
        auto plot = std::make_unique<TimePlot>(live->pane(), points, false);
        std::vector<ChartSeries> named;
        for (int i = 0; i < chartSeriesCount; ++i) {
            const auto series = ChartSeries(i);
            if (chartSeriesInfo(series).pane != live->pane())
                continue;
            plot->setSeriesShown(series, live->isSeriesShown(series));
            const ChartBuffer &b = points.points(series);
            if (live->isSeriesShown(series) && b.firstAtOrAfter(from) < b.firstAfter(to))
                named.push_back(series);
        }
        if (plot->hasShownPointsIn(from, to)) {
            plots.push_back(std::move(plot));
            legends.push_back(std::move(named));
        }
    }
    if (plots.empty())
        return QImage();

    const int ratio = qMax(1, pixelRatio);
    QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(ratio, ratio);
    // texts of a size that reads well on paper, the axis labels apart from their ticks
    QFont font = QApplication::font();
    font.setPointSizeF(8.5);
    font.setBold(false);
    painter.setFont(font);
    const QFontMetrics metrics(font, &image);
    const int line = metrics.height();
    const int swatch = line * 2;
    QwtPlotRenderer renderer;
    renderer.setDiscardFlag(QwtPlotRenderer::DiscardBackground, true);
    const double height = double(size.height()) / double(plots.size());
    const QPalette paper = paperPalette();
    for (size_t i = 0; i < plots.size(); ++i) {
        // the legend's rows: the series one after another, a new row when the width is used up
        QVector<QVector<ChartSeries>> rows(1);
        int x = 0;
        for (ChartSeries series : legends[i]) {
            const int width = swatch + line / 2 + metrics.horizontalAdvance(chartSeriesName(series)) + line;
            if (x > 0 && x + width > size.width()) {
                rows.append(QVector<ChartSeries>());
                x = 0;
            }
            rows.last().append(series);
            x += width;
        }
        const double legendHeight = rows.first().isEmpty() ? 0 : rows.size() * line + line / 2;
        const double top = height * double(i);

        TimePlot *plot = plots[i].get();
        plot->setPalette(paper);
        for (int axis : {QwtPlot::xBottom, QwtPlot::yLeft}) {
            plot->setAxisFont(axis, font);
            plot->axisScaleDraw(axis)->setSpacing(line / 3);
        }
        plot->setAxisMaxMajor(QwtPlot::xBottom, 7);
        plot->setAxisMaxMajor(QwtPlot::yLeft, qMax(2, int(height - legendHeight) / (line * 2)));
        plot->resize(size.width(), int(height - legendHeight));
        plot->setTimeRange(from, to, size.width() * ratio);
        plot->setTimeAxisShown(true);
        plot->replot();
        renderer.render(plot, &painter, QRectF(0, top, size.width(), height - legendHeight));

        double y = top + height - legendHeight + line / 4.0;
        for (const QVector<ChartSeries> &row : rows) {
            double left = metrics.horizontalAdvance(QStringLiteral("00000.0")) / 2.0;
            for (ChartSeries series : row) {
                painter.setPen(QPen(chartSeriesColor(series, false), 2.5, Qt::SolidLine, Qt::FlatCap));
                painter.drawLine(QPointF(left, y + line / 2.0), QPointF(left + swatch, y + line / 2.0));
                left += swatch + line / 2.0;
                const QString name = chartSeriesName(series);
                painter.setPen(Qt::black);
                painter.drawText(QRectF(left, y, size.width() - left, line),
                                 Qt::AlignLeft | Qt::AlignVCenter, name);
                left += metrics.horizontalAdvance(name) + line;
            }
            y += line;
        }
    }
    return image;
}
