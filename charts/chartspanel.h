#pragma once
// The "Графики" dock: the values an engineer watches over time, plotted against the time of
// their arrival while connected. Points are collected per record whether or not the dock is
// shown; the panes are redrawn a few times a second at most, and only while the dock is
// visible and something changed.

#include "charts/chartdata.h"
#include "charts/chartfeed.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <array>
#include <optional>

class QComboBox;
class QDockWidget;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QMainWindow;
class QScrollArea;
class QToolButton;
class RecordRouter;
class TimePlot;

class ChartsPanel : public QWidget
{
    Q_OBJECT

public:
    static constexpr int defaultSpanMinutes = 10;
    static constexpr int redrawIntervalMs = 250;

    explicit ChartsPanel(QWidget *parent = nullptr);
    ~ChartsPanel() override;

    QSize sizeHint() const override { return QSize(520, 640); }

    // Makes the "Графики" dock (chartsDock) around a new panel, puts it into the window's
    // right dock area, hidden, and returns the panel.
    static ChartsPanel *addDockTo(QMainWindow *window);

    // Observes the records the charts plot; the panel must outlive the router's dispatching.
    void registerTaps(RecordRouter &router);

    // ---- what the installation report takes
    // The newest point of a series of this connection, if any.
    std::optional<ChartPoint> latest(ChartSeries series) const;
    // One picture, in the light look, of every pane with a shown series, over the last minutes
    // before the newest point; the panes share the height. Under each pane a legend gives the
    // colour of each of its series that has points then. The picture has pixelRatio times the
    // pixels of size each way, its texts and lines as they would be at size. A null image
    // when no shown series has a point in that time.
    QImage renderRecent(int minutes, const QSize &size, int pixelRatio = 1) const;

    // ---- the view
    bool isSeriesShown(ChartSeries series) const;
    void setSeriesShown(ChartSeries series, bool shown);
    int spanMinutes() const { return span / 60000; }
    void setSpanMinutes(int minutes);
    bool isPaused() const { return paused; }
    // The time range the panes show (ms since 1970), as of the last redraw.
    qint64 viewFrom() const { return shownFrom; }
    qint64 viewTo() const { return shownTo; }
    // The panes that show something (shown series with points), as of the last redraw.
    QList<ChartPane> visiblePanes() const;

    const ChartStore &store() const { return points; }
    ChartFeed &feed() { return feeder; }
    // Tests run the panel on their own clock.
    void setClock(ChartFeed::Clock clock);

public slots:
    // Forgets every point (a new connection) and goes back to following the newest values.
    void clear();
    // Paused: the time axis stays where it is (points are still collected). Unpaused: the
    // panes follow the newest values over the chosen span.
    void setPaused(bool on);
    // Shows a fixed time range (ms since 1970) and pauses.
    void showRange(double from, double to);
    // Draws now, whether or not anything changed.
    void redraw();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void tick();
    // Draws now when the panel is on screen; otherwise the next showing draws.
    void redrawIfShown();
    void seriesItemChanged(QListWidgetItem *item);
    void updateSeriesIcons();
    void layOutPanes();

    ChartStore points;
    ChartFeed feeder;

    QToolButton *pauseButton = nullptr;
    QComboBox *spanCombo = nullptr;
    QListWidget *seriesList = nullptr;
    QScrollArea *paneScroll = nullptr;
    QLabel *emptyLabel = nullptr;
    std::array<TimePlot *, chartPaneCount> panes{};

    QTimer redrawTimer;
    qint64 span = defaultSpanMinutes * 60000;
    bool paused = false;
    qint64 shownFrom = 0;
    qint64 shownTo = 0;
    quint64 drawnRevision = ~quint64(0);
    qint64 drawnAt = 0;
};
