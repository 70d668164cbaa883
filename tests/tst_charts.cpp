// The live charts: records turned into points, memory bounds, the view following the clock,
// the pictures for the report, and the dock in the main window.
#include "app/styleloader.h"
#include "charts/chartspanel.h"
#include "charts/timeplot.h"
#include "link/recordrouter.h"
#include "testutil.h"

#include <qwt_date.h>

#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <time.h>

namespace {

const char *const seriesKeys[chartSeriesCount] = {
    "supply", "battery", "gsm",  "sats", "hdop", "speed", "lls0",  "lls1",
    "lls2",   "lls3",    "lls4", "lls5", "lls6", "rpm",   "fuel%", "fuelL",
};

// Frames the text as the window does and hands each record line to the router.
void dispatchText(RecordRouter &router, const QByteArray &text)
{
    LineFramer framer;
    framer.feed(text, [&](const RecordLine &line) { router.dispatch(line); });
}

// "key=value key=value" of every series that has points, the newest value of each.
QString newestValues(const ChartStore &store)
{
    QStringList out;
    for (int i = 0; i < chartSeriesCount; ++i) {
        const ChartBuffer &b = store.points(ChartSeries(i));
        if (!b.isEmpty())
            out << QStringLiteral("%1=%2").arg(QLatin1String(seriesKeys[i])).arg(b.last().value);
    }
    return out.join(QLatin1Char(' '));
}

// Whether the image has a pixel within a small distance of the colour.
bool hasColour(const QImage &image, const QColor &c, int tolerance = 40)
{
    const QImage img = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = img.pixel(x, y);
            if (qAbs(qRed(p) - c.red()) + qAbs(qGreen(p) - c.green()) + qAbs(qBlue(p) - c.blue()) < tolerance)
                return true;
        }
    return false;
}

// A few minutes of a busy terminal, one round of records every 2 s; the clock moves on.
void feedMinutes(RecordRouter &router, qint64 &clock, int minutes)
{
    for (int s = 0; s < minutes * 60; s += 2) {
        clock += 2000;
        const int w = (s / 2) % 60, ramp = w < 30 ? w : 60 - w;
        dispatchText(router, QStringLiteral(">PB=%1;4100\n>ML=%2;250;01\n>GS=%3;%4;140;%5;90\n"
                                            ">LLS=1;0;%6;20\n>LLS=1;1;%7;20\n>CH=%8\n>CG=%9\n")
                                 .arg(12400 + w * 10).arg(12 + w / 10).arg(6 + w / 15).arg(ramp * 4)
                                 .arg(9 + w % 7).arg(2000 - s).arg(1500 + w * 5).arg(800 + w * 30)
                                 .arg(600 - s / 10).toLatin1());
    }
}

// A drag with the mouse (QTest's mouseMove only moves the cursor, without an event).
void drag(QWidget *widget, QPoint from, QPoint to, Qt::KeyboardModifiers modifiers)
{
    const Qt::MouseButton button = Qt::LeftButton;
    QTest::mousePress(widget, button, modifiers, from);
    QMouseEvent move(QEvent::MouseMove, to, widget->mapToGlobal(to), Qt::NoButton, button, modifiers);
    QApplication::sendEvent(widget, &move);
    QTest::mouseRelease(widget, button, modifiers, to);
}

} // namespace

// A charts panel on a clock the test turns, fed through its own router.
struct FedPanel
{
    explicit FedPanel(qint64 start)
        : now(start)
    {
        panel.setClock([this] { return now; });
        panel.registerTaps(router);
    }
    qint64 now;
    ChartsPanel panel;
    RecordRouter router;
};

class TestCharts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void recordsBecomePoints_data();
    void recordsBecomePoints();
    void oldPointsDropped_data();
    void oldPointsDropped();
    void arrivalTimesLatestAndClear();
    void viewFollowsAndPauses();
    void mouseZoomMagnifyAndPan();
    void panesShowOnlyShownSeriesWithPoints();
    void recentPictureForReport();
    void dockInMainWindow();
    void fedBySimulator();
    void lookLightAndDark_data();
    void lookLightAndDark();
};

void TestCharts::initTestCase()
{
    // a zone away from UTC, so the time axis is seen to show local time
    qputenv("TZ", "Asia/Yekaterinburg");
    tzset();
}

void TestCharts::recordsBecomePoints_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("points");

    QTest::newRow("supply and battery, mV to V") << QByteArray(">PB=12600;4100") << "supply=12.6 battery=4.1";
    QTest::newRow("voltages not numbers") << QByteArray(">PB=12.6V;abc") << "";
    QTest::newRow("gsm level") << QByteArray(">ML=17;250;01") << "gsm=17";
    QTest::newRow("gsm top of scale") << QByteArray(">ML=31;250;01") << "gsm=31";
    QTest::newRow("gsm 99 is not known") << QByteArray(">ML=99;250;01") << "";
    QTest::newRow("gsm negative") << QByteArray(">ML=-1;250;01") << "";
    QTest::newRow("fix: satellites, speed, hdop/10") << QByteArray(">GS=9;63;150;12;270") << "sats=9 hdop=1.2 speed=63";
    QTest::newRow("fix without hdop") << QByteArray(">GS=7;0;150;;") << "sats=7 speed=0";
    QTest::newRow("fix fields not numbers") << QByteArray(">GS=x;fast;150;-;270") << "";
    QTest::newRow("fix satellites fraction") << QByteArray(">GS=7.5;40;150;9;0") << "hdop=0.9 speed=40";
    QTest::newRow("fuel sensor 0") << QByteArray(">LLS=1;0;1500;21") << "lls0=1500";
    QTest::newRow("fuel sensor 6") << QByteArray(">LLS=2;6;2.5;21") << "lls6=2.5";
    QTest::newRow("fuel sensor 7 is none") << QByteArray(">LLS=1;7;1500;21") << "";
    QTest::newRow("fuel sensor 00 is none") << QByteArray(">LLS=1;00;1500;21") << "";
    QTest::newRow("fuel sensor number up to a NUL, as the page reads it")
        << QByteArray(">LLS=1;3\0x;1500;21", 18) << "lls3=1500";
    QTest::newRow("supply up to a NUL is no number")
        << QByteArray(">PB=12600\0;4100", 15) << "battery=4.1";
    QTest::newRow("fuel level not a number") << QByteArray(">LLS=1;3;err;21") << "";
    QTest::newRow("engine speed") << QByteArray(">CH=2150") << "rpm=2150";
    QTest::newRow("fuel per cent /10") << QByteArray(">CG=455") << "fuel%=45.5";
    QTest::newRow("fuel litres /10") << QByteArray(">CR=1234") << "fuelL=123.4";
    QTest::newRow("fuel nan") << QByteArray(">CG=nan") << "";
    QTest::newRow("vehicle speed is not plotted") << QByteArray(">CJ=60") << "";
    QTest::newRow("name in lower case") << QByteArray(">pb=12600;4100") << "";
}

void TestCharts::recordsBecomePoints()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, points);
    ChartStore store;
    ChartFeed feed(store, [] { return qint64(1000); });
    RecordRouter router;
    feed.registerTaps(router);
    dispatchText(router, line + "\r\n");
    QCOMPARE(newestValues(store), points);
}

void TestCharts::oldPointsDropped_data()
{
    QTest::addColumn<qint64>("keepMs");
    QTest::addColumn<int>("cap");
    QTest::addColumn<int>("count");
    QTest::addColumn<qint64>("stepMs");
    QTest::addColumn<int>("firstKept");   // the value (= index) of the oldest point kept
    QTest::addColumn<int>("kept");

    QTest::newRow("all within the hour") << qint64(3600000) << 100 << 50 << qint64(1000) << 0 << 50;
    QTest::newRow("older than the window") << qint64(10000) << 100 << 50 << qint64(1000) << 39 << 11;
    QTest::newRow("beyond the cap") << qint64(3600000) << 20 << 50 << qint64(1000) << 30 << 20;
    QTest::newRow("long run, cap") << qint64(3600000) << 1000 << 100000 << qint64(10) << 99000 << 1000;
    QTest::newRow("long run, window") << qint64(60000) << 36000 << 100000 << qint64(100) << 99399 << 601;
    QTest::newRow("same time, cap") << qint64(1000) << 5 << 12 << qint64(0) << 7 << 5;
}

void TestCharts::oldPointsDropped()
{
    QFETCH(qint64, keepMs);
    QFETCH(int, cap);
    QFETCH(int, count);
    QFETCH(qint64, stepMs);
    QFETCH(int, firstKept);
    QFETCH(int, kept);
    ChartStore store(keepMs, cap);
    for (int i = 0; i < count; ++i)
        store.add(ChartSeries::Speed, qint64(i) * stepMs, double(i));
    const ChartBuffer &b = store.points(ChartSeries::Speed);
    QCOMPARE(b.size(), kept);
    for (int k = 0; k < b.size(); ++k)
        QCOMPARE(b.at(k).value, double(firstKept + k));
    QCOMPARE(b.last().time, qint64(count - 1) * stepMs);
}

void TestCharts::arrivalTimesLatestAndClear()
{
    FedPanel fed(5000);
    qint64 &now = fed.now;
    ChartsPanel &panel = fed.panel;
    RecordRouter &router = fed.router;
    dispatchText(router, ">PB=12000;4000\n>CH=900\n");
    now = 7500;
    dispatchText(router, ">PB=12100;\n");
    const ChartBuffer &supply = panel.store().points(ChartSeries::SupplyVoltage);
    QCOMPARE(supply.size(), 2);
    QCOMPARE(supply.at(0).time, qint64(5000));
    QCOMPARE(panel.latest(ChartSeries::SupplyVoltage)->time, qint64(7500));
    QCOMPARE(panel.latest(ChartSeries::SupplyVoltage)->value, 12.1);
    QCOMPARE(panel.latest(ChartSeries::BatteryVoltage)->time, qint64(5000));
    QVERIFY(!panel.latest(ChartSeries::Speed));

    panel.showRange(0, 500);
    panel.clear();
    QCOMPARE(newestValues(panel.store()), QString());
    QVERIFY(!panel.isPaused());
    // collecting goes on after clearing
    dispatchText(router, ">CH=950\n");
    QCOMPARE(newestValues(panel.store()), QStringLiteral("rpm=950"));
}

void TestCharts::viewFollowsAndPauses()
{
    FedPanel fed(1700000000000);
    qint64 &now = fed.now;
    ChartsPanel &panel = fed.panel;
    RecordRouter &router = fed.router;
    panel.show();
    dispatchText(router, ">PB=12000;4000\n");
    panel.redraw();
    QCOMPARE(panel.viewTo(), now);
    QCOMPARE(panel.viewFrom(), now - ChartsPanel::defaultSpanMinutes * 60000);

    // a new point is drawn by the timer, which follows the clock
    now += 30000;
    dispatchText(router, ">PB=12100;4000\n");
    QTRY_COMPARE(panel.viewTo(), now);

    auto *pause = panel.findChild<QToolButton *>(QStringLiteral("chartsPauseButton"));
    pause->click();
    const qint64 pausedAt = panel.viewTo();
    now += 60000;
    dispatchText(router, ">PB=12200;4000\n");
    panel.redraw();
    QCOMPARE(panel.viewTo(), pausedAt);
    QCOMPARE(panel.store().points(ChartSeries::SupplyVoltage).size(), 3);   // still collected
    pause->click();
    QCOMPARE(panel.viewTo(), now);

    auto *span = panel.findChild<QComboBox *>(QStringLiteral("chartsSpanCombo"));
    span->setCurrentIndex(span->findData(30));
    QCOMPARE(panel.viewFrom(), now - 30 * 60000);
}

void TestCharts::mouseZoomMagnifyAndPan()
{
    FedPanel fed(1700000000000);
    qint64 &now = fed.now;
    ChartsPanel &panel = fed.panel;
    RecordRouter &router = fed.router;
    feedMinutes(router, now, 10);
    panel.resize(600, 700);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    panel.redraw();
    auto *pane = panel.findChild<TimePlot *>(QStringLiteral("chartsPane0"));
    QWidget *canvas = pane->canvas();
    const int w = canvas->width(), h = canvas->height();
    const double msPerPixel = 600000.0 / w;
    const qint64 liveFrom = panel.viewFrom();

    // a rectangle dragged over the right half's first half zooms into its time span
    drag(canvas, QPoint(w / 2, h / 3), QPoint(w * 3 / 4, h / 2), Qt::NoModifier);
    QVERIFY(panel.isPaused());
    QVERIFY(qAbs(panel.viewFrom() - (liveFrom + 300000)) < 3 * msPerPixel);
    QVERIFY(qAbs(panel.viewTo() - panel.viewFrom() - 150000) < 3 * msPerPixel);
    // every pane shows that range, on a time axis that reads in local time
    auto *speed = panel.findChild<TimePlot *>(QStringLiteral("chartsPane3"));
    const QwtInterval axis = speed->axisInterval(QwtPlot::xBottom);
    QCOMPARE(axis, pane->axisInterval(QwtPlot::xBottom));
    QVERIFY(QDateTime::fromMSecsSinceEpoch(now).offsetFromUtc() != 0);
    QCOMPARE(QwtDate::toDateTime(axis.minValue(), Qt::UTC).toString(QStringLiteral("hh:mm:ss")),
             QDateTime::fromMSecsSinceEpoch(panel.viewFrom()).toString(QStringLiteral("hh:mm:ss")));

    // the right button goes back to where zooming began
    QTest::mouseClick(canvas, Qt::RightButton, Qt::NoModifier, QPoint(w / 2, h / 2));
    QVERIFY(qAbs(panel.viewFrom() - liveFrom) < 3 * msPerPixel);
    QVERIFY(qAbs(panel.viewTo() - panel.viewFrom() - 600000) < 3 * msPerPixel);

    // Ctrl + wheel scales the time span about its middle
    const qint64 middle = (panel.viewFrom() + panel.viewTo()) / 2;
    auto wheel = [&](Qt::KeyboardModifiers modifiers) {
        QWheelEvent e(QPointF(w / 2, h / 2), canvas->mapToGlobal(QPoint(w / 2, h / 2)), QPoint(),
                      QPoint(0, -120), Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(canvas, &e);
    };
    wheel(Qt::ControlModifier);
    const qint64 scaled = panel.viewTo() - panel.viewFrom();
    QVERIFY2(qAbs(scaled - 600000) > 30000, qPrintable(QString::number(scaled)));
    QVERIFY(qAbs((panel.viewFrom() + panel.viewTo()) / 2 - middle) < 3 * msPerPixel);

    // Shift + drag pans: the span stays, the range moves back in time as the picture moves right
    const qint64 fromBefore = panel.viewFrom();
    drag(canvas, QPoint(w / 4, h / 2), QPoint(w / 2, h / 2), Qt::ShiftModifier);
    QVERIFY(panel.viewFrom() < fromBefore - scaled / 8);
    QVERIFY(qAbs(panel.viewTo() - panel.viewFrom() - scaled) < 3 * msPerPixel);
    QVERIFY(panel.isPaused());
    // unpausing follows the newest values again over the chosen span
    panel.setPaused(false);
    QCOMPARE(panel.viewTo(), now);
    QCOMPARE(panel.viewFrom(), now - 600000);
}

void TestCharts::panesShowOnlyShownSeriesWithPoints()
{
    FedPanel fed(1700000000000);
    qint64 &now = fed.now;
    ChartsPanel &panel = fed.panel;
    RecordRouter &router = fed.router;
    panel.show();
    panel.redraw();
    QVERIFY(panel.visiblePanes().isEmpty());
    QVERIFY(panel.findChild<QLabel *>(QStringLiteral("chartsEmptyLabel"))->isVisible());

    dispatchText(router, ">PB=12000;4000\n>GS=8;50;1;10;0\n");
    panel.redraw();
    QCOMPARE(panel.visiblePanes(),
             (QList<ChartPane>{ChartPane::Power, ChartPane::Gnss, ChartPane::Speed}));

    // the list of series decides what is shown; a pane goes when none of its series is left
    auto *list = panel.findChild<QListWidget *>(QStringLiteral("chartsSeriesList"));
    list->item(int(ChartSeries::Satellites))->setCheckState(Qt::Unchecked);
    QCOMPARE(panel.visiblePanes(),
             (QList<ChartPane>{ChartPane::Power, ChartPane::Gnss, ChartPane::Speed}));
    list->item(int(ChartSeries::Hdop))->setCheckState(Qt::Unchecked);
    QCOMPARE(panel.visiblePanes(), (QList<ChartPane>{ChartPane::Power, ChartPane::Speed}));
    QVERIFY(!panel.isSeriesShown(ChartSeries::Hdop));
    // only the lowest pane carries the time axis
    auto *power = panel.findChild<TimePlot *>(QStringLiteral("chartsPane0"));
    auto *speed = panel.findChild<TimePlot *>(QStringLiteral("chartsPane3"));
    QVERIFY(!power->axisEnabled(QwtPlot::xBottom));
    QVERIFY(speed->axisEnabled(QwtPlot::xBottom));
}

void TestCharts::recentPictureForReport()
{
    FedPanel fed(1700000000000);
    qint64 &now = fed.now;
    ChartsPanel &panel = fed.panel;
    RecordRouter &router = fed.router;
    QVERIFY(panel.renderRecent(5, QSize(600, 400)).isNull());

    feedMinutes(router, now, 4);
    const QImage picture = panel.renderRecent(5, QSize(700, 900));
    QCOMPARE(picture.size(), QSize(700, 900));
    picture.save(QStringLiteral(KVT_BUILD_DIR "/charts-report.png"));
    // white paper with the light look's series colours, even when the program is dark
    QCOMPARE(QColor(picture.pixel(2, 2)), QColor(Qt::white));
    QVERIFY(hasColour(picture, chartSeriesColor(ChartSeries::SupplyVoltage, false)));
    QVERIFY(hasColour(picture, chartSeriesColor(ChartSeries::BatteryVoltage, false)));

    // hidden series are left out; with nothing shown there is no picture
    for (int i = 0; i < chartSeriesCount; ++i)
        if (ChartSeries(i) != ChartSeries::BatteryVoltage)
            panel.setSeriesShown(ChartSeries(i), false);
    const QImage battery = panel.renderRecent(5, QSize(500, 200));
    QVERIFY(!hasColour(battery, chartSeriesColor(ChartSeries::SupplyVoltage, false)));
    QVERIFY(hasColour(battery, chartSeriesColor(ChartSeries::BatteryVoltage, false)));
    panel.setSeriesShown(ChartSeries::BatteryVoltage, false);
    QVERIFY(panel.renderRecent(5, QSize(500, 200)).isNull());

    // the minutes count back from the newest point, not from the clock
    panel.setSeriesShown(ChartSeries::CanEngineSpeed, true);
    now += 3600000;
    QVERIFY(!panel.renderRecent(1, QSize(500, 200)).isNull());
}

void TestCharts::dockInMainWindow()
{
    MainWindow w;
    w.show();
    auto *dock = w.findChild<QDockWidget *>(QStringLiteral("chartsDock"));
    QVERIFY(dock);
    QCOMPARE(dock->windowTitle(), QStringLiteral("Графики"));
    QVERIFY(!dock->isVisible());
    QCOMPARE(w.dockWidgetArea(dock), Qt::RightDockWidgetArea);
    QScopedPointer<QMenu> menu(w.createPopupMenu());
    QAction *toggle = nullptr;
    for (QAction *a : menu->actions())
        if (a->text() == QStringLiteral("Графики"))
            toggle = a;
    QVERIFY(toggle);
    toggle->trigger();
    QVERIFY(dock->isVisible());

    // the records reach the charts as well as the page
    w.dispatchRecord("PB", "12600", "4100", "", "", "");
    QCOMPARE(w.chartsPanel()->latest(ChartSeries::SupplyVoltage)->value, 12.6);
}

void TestCharts::fedBySimulator()
{
#ifndef KVT_SIM_PATH
    QSKIP("the terminal simulator is built on POSIX systems only");
#else
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("port"));
    QProcess sim;
    QVERIFY(startSimulator(sim, link, {QStringLiteral("--rate"), QStringLiteral("100")}));

    MainWindow w;
    w.show();
    connectTo(w, link);
    QVERIFY(w.serialPort()->isOpen());
    ChartsPanel *panel = w.chartsPanel();
    // every series the simulated terminal reports gets points
    const ChartSeries reported[] = {
        ChartSeries::SupplyVoltage, ChartSeries::BatteryVoltage, ChartSeries::GsmLevel,
        ChartSeries::Satellites,    ChartSeries::Hdop,           ChartSeries::Speed,
        ChartSeries::FuelSensor0,   ChartSeries::FuelSensor1,    ChartSeries::CanEngineSpeed,
        ChartSeries::CanFuelPercent,
    };
    for (ChartSeries series : reported)
        QTRY_VERIFY2_WITH_TIMEOUT(panel->store().points(series).size() >= 20,
                                  qPrintable(chartSeriesName(series)), 5000);
    QVERIFY(panel->store().points(ChartSeries::FuelSensor2).isEmpty());
    // values in the units the charts show: volts, not millivolts
    const double supply = panel->latest(ChartSeries::SupplyVoltage)->value;
    QVERIFY2(supply > 5 && supply < 40, qPrintable(QString::number(supply)));

    // a new connection starts with empty charts
    w.closeSerialPort();
    connectTo(w, link);
    QVERIFY(w.serialPort()->isOpen());
    QCOMPARE(newestValues(panel->store()), QString());
    QTRY_VERIFY_WITH_TIMEOUT(panel->latest(ChartSeries::SupplyVoltage), 5000);
    sim.terminate();
    sim.waitForFinished(3000);
#endif
}

void TestCharts::lookLightAndDark_data()
{
    QTest::addColumn<bool>("dark");
    QTest::newRow("light") << false;
    QTest::newRow("dark") << true;
}

void TestCharts::lookLightAndDark()
{
    QFETCH(bool, dark);
    const QPalette appPalette = QApplication::palette();
    if (dark)
        StyleLoader::applyDarkLook();
    FedPanel fed(1700000000000);
    qint64 &now = fed.now;
    ChartsPanel &panel = fed.panel;
    RecordRouter &router = fed.router;
    feedMinutes(router, now, 6);
    panel.resize(520, 900);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    panel.redraw();
    const QImage shot = panel.grab().toImage();
    shot.save(QStringLiteral(KVT_BUILD_DIR "/charts-%1.png").arg(dark ? "dark" : "light"));

    auto *pane = panel.findChild<TimePlot *>(QStringLiteral("chartsPane0"));
    QVERIFY(pane->isVisible());
    const QColor base = panel.palette().color(QPalette::Base);
    QCOMPARE(pane->canvasBackground().color(), base);
    // the curves are on the canvases, in the colours of the look (the list's icons aside)
    const QImage power = pane->canvas()->grab().toImage();
    QVERIFY(hasColour(power, chartSeriesColor(ChartSeries::SupplyVoltage, dark), 30));
    QVERIFY(hasColour(power, chartSeriesColor(ChartSeries::BatteryVoltage, dark), 30));
    QVERIFY(!hasColour(power, chartSeriesColor(ChartSeries::SupplyVoltage, !dark), 30));
    auto *gsm = panel.findChild<TimePlot *>(QStringLiteral("chartsPane1"));
    QVERIFY(hasColour(gsm->canvas()->grab().toImage(), chartSeriesColor(ChartSeries::GsmLevel, dark), 30));
    QApplication::setPalette(appPalette);
    qApp->setStyleSheet(QString());
}

QTEST_MAIN(TestCharts)
#include "tst_charts.moc"
