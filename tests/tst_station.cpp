// The provisioning station: every terminal port set up at once, each ending in its own journal
// line; and its table in the window following terminals that appear and go.

#include "station/provisionstation.h"
#include "station/stationpanel.h"
#include "settings/core_settingsfile.h"
#include "simutil.h"
#include "testutil.h"

#include <QAction>
#include <QDockWidget>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include <memory>

namespace {

using Simulator = LinkedSimulator;

const char fleetFile[] =
    R"({"format": "kvt-logger-settings", "version": 1, "terminal": {"model": "KVT3"},
        "fields": {"apn1Edit": "fleet.apn", "monitoringServerEdit": "fleet.example"}})";

QString writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

QStringList lines(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

class TestStation : public QObject
{
    Q_OBJECT

private slots:
    void portsSideBySide();
    void tableFollowsPorts();
    void firmwareOneAfterAnother_data();
    void firmwareOneAfterAnother();
};

// Four terminals at once: two that take the file, one with another access password and one
// that never answers. Each gets one journal line of its own; the password is nowhere in it.
void TestStation::portsSideBySide()
{
#ifndef KVT_SIM_PATH
    QSKIP("no simulator");
#else
    QTemporaryDir dir;
    const QString settingsPath = writeFile(dir.filePath("fleet.json"), fleetFile);
    Simulator a({"--serial", "301000", "--imei", "866104020000001"}, dir.filePath("a"));
    Simulator b({"--serial", "302000", "--imei", "866104020000002"}, dir.filePath("b"));
    Simulator other({"--serial", "303000", "--imei", "866104020000003", "--password", "111111"},
                    dir.filePath("c"));
    Pty silent;
    QList<PortEntry> ports;
    for (const QString &path : {a.link, b.link, other.link, silent.slavePath})
        ports << terminalPort(path);

    ProvisionStation station;
    station.setPortSource(listing(ports));
    station.setAnswerTimeout(1500);
    const SettingsFile file = readSettingsFile(fleetFile);
    QString error;
    QVERIFY2(station.start(file, settingsPath, QStringLiteral("482915"), &error),
             qPrintable(error));
    QCOMPARE(station.rows().size(), 4);
    QTRY_COMPARE_WITH_TIMEOUT(station.finishedCount(), 4, 15000);
    QCOMPARE(station.confirmedCount(), 2);
    QCOMPARE(station.failedCount(), 2);
    QCOMPARE(station.busyCount(), 0);

    const QStringList journal = lines(dir.filePath("fleet.journal.tsv"));
    QCOMPARE(journal.size(), 5);
    QStringList got;
    for (const QString &line : journal.mid(1)) {
        const QStringList f = line.split(QLatin1Char('\t'));
        QCOMPARE(f.size(), 8);
        got << QStringList{f[1], f[2], f[3], f[4], f[5], QFileInfo(f[6]).fileName(), f[7]}.join('|');
    }
    got.sort();
    QCOMPARE(got, (QStringList{"KVT3|301000|866104020000001|0.70|записано и подтверждено|a|confirmed",
                               "KVT3|302000|866104020000002|0.70|записано и подтверждено|b|confirmed",
                               "KVT3|303000|866104020000003|0.70|не принято терминалом: проверьте "
                               "пароль доступа|c|wrong-password",
                               QStringLiteral("||||нет ответа терминала|%1|no-answer")
                                   .arg(QFileInfo(silent.slavePath).fileName())}));
    QVERIFY(!journal.join('\n').contains(QLatin1String("482915")));

    // a confirmed terminal plugged in again is not written again
    const int rowA = int(std::find_if(station.rows().cbegin(), station.rows().cend(),
                                      [&](const StationRow &r) { return r.port == a.link; })
                         - station.rows().cbegin());
    a.proc.write("next\n");
    QTRY_VERIFY_WITH_TIMEOUT(!station.rows().at(rowA).present, 5000);
    QTRY_COMPARE_WITH_TIMEOUT(station.rows().at(rowA).result,
                              QString("уже настроен в этом сеансе"), 10000);
    QCOMPARE(station.rows().at(rowA).stage, BatchRun::Stage::Done);
    const QStringList again = lines(dir.filePath("fleet.journal.tsv"));
    QCOMPARE(again.size(), 6);
    QVERIFY2(again.last().endsWith(QStringLiteral("\t301000\t866104020000001\t0.70\tуже настроен "
                                                  "в этом сеансе\t%1\talready-done")
                                       .arg(a.link)),
             qPrintable(again.last()));
#endif
}

// In the window: the port the window has open is left alone, a terminal plugged in later gets
// its row and is set up, one unplugged in the middle of its write ends red, and a port that
// goes is marked in its row.
void TestStation::tableFollowsPorts()
{
#ifndef KVT_SIM_PATH
    QSKIP("no simulator");
#else
    QTemporaryDir dir;
    const QString settingsPath = writeFile(dir.filePath("fleet.json"), fleetFile);
    MainWindow w;
    ModalCloser closer;
    auto held = std::make_unique<Simulator>(QStringList{"--serial", "400000"}, dir.filePath("held"));
    connectTo(w, held->link);
    QTRY_VERIFY(w.terminalSession()->isOpen());
    const QString lateLink = dir.filePath("late");
    const QString unplugLink = dir.filePath("unplug");
    const QString wrongLink = dir.filePath("wrong");
    usePorts(w, {terminalPort(held->link), terminalPort(lateLink), terminalPort(unplugLink),
                 terminalPort(wrongLink)});

    StationPanel *panel = w.provisioningStation();
    ProvisionStation *station = panel->station();
    station->setPollInterval(100);
    QString error;
    QVERIFY(station->start(readSettingsFile(fleetFile), settingsPath, QStringLiteral("482915"),
                           &error));
    QVERIFY(w.findChild<QAction *>("stationAction")->isChecked());
    QTableWidget *table = w.findChild<QTableWidget *>("stationTable");
    QVERIFY(table);
    QCOMPARE(table->rowCount(), 0);   // the window's own port is not the station's

    auto late = std::make_unique<Simulator>(QStringList{"--serial", "400001"}, lateLink);
    Simulator unplug({"--serial", "400002", "--unplug-on-write", "--restart-delay", "30"},
                     unplugLink);
    Simulator wrong({"--serial", "400004", "--password", "111111"}, wrongLink);
    QTRY_COMPARE_WITH_TIMEOUT(table->rowCount(), 3, 5000);
    const auto rowOf = [table](const QString &port) {
        for (int r = 0; r < table->rowCount(); ++r) {
            if (table->item(r, 0)->text().startsWith(port))
                return r;
        }
        return -1;
    };
    const int lateRow = rowOf(lateLink);
    const int unplugRow = rowOf(unplugLink);
    const int wrongRow = rowOf(wrongLink);
    QVERIFY(lateRow >= 0 && unplugRow >= 0 && wrongRow >= 0);
    QTRY_COMPARE_WITH_TIMEOUT(table->item(lateRow, 4)->text(), QString("готово"), 10000);
    QCOMPARE(table->item(lateRow, 1)->text(), QString("400001"));
    QCOMPARE(table->item(lateRow, 5)->text(), QString("записано и подтверждено"));
    // unplugged in the middle of its write: its stage says so, greyed
    const QColor grey = table->palette().color(QPalette::Disabled, QPalette::Text);
    QTRY_COMPARE_WITH_TIMEOUT(table->item(unplugRow, 5)->text(), QString("терминал отключён"), 10000);
    QCOMPARE(table->item(unplugRow, 4)->text(), QString("отключён"));
    QCOMPARE(table->item(unplugRow, 5)->foreground().color(), grey);
    // the wrong access password, named, in red
    QTRY_COMPARE_WITH_TIMEOUT(table->item(wrongRow, 4)->text(), QString("ошибка"), 10000);
    QCOMPARE(table->item(wrongRow, 5)->text(),
             QString("не принято терминалом: проверьте пароль доступа"));
    QCOMPARE(table->item(wrongRow, 5)->foreground().color(), QColor(0xd3, 0x2f, 0x2f));
    QVERIFY(table->item(lateRow, 5)->data(Qt::ForegroundRole).isNull());

    late.reset();   // unplugged after it was done: the row stays, its stage says so, greyed
    QTRY_COMPARE_WITH_TIMEOUT(table->item(lateRow, 4)->text(), QString("отключён"), 5000);
    QCOMPARE(table->item(lateRow, 0)->text(), lateLink);
    QCOMPARE(table->item(lateRow, 5)->text(), QString("записано и подтверждено"));
    QCOMPARE(table->item(lateRow, 4)->foreground().color(), grey);
    // the next terminal in that port starts afresh
    late = std::make_unique<Simulator>(QStringList{"--serial", "400003"}, lateLink);
    QTRY_COMPARE_WITH_TIMEOUT(table->item(lateRow, 1)->text(), QString("400003"), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(table->item(lateRow, 4)->text(), QString("готово"), 10000);
    QVERIFY(table->item(lateRow, 4)->data(Qt::ForegroundRole).isNull());
    QVERIFY(w.terminalSession()->isOpen());   // the window's terminal was never touched

    w.findChild<QPushButton *>("stationStopButton")->click();
    QVERIFY(!station->isRunning());
    QVERIFY(!w.findChild<QAction *>("stationAction")->isChecked());
    QStringList codes;
    for (const QString &line : lines(dir.filePath("fleet.journal.tsv")).mid(1))
        codes << line.section(QLatin1Char('\t'), 2, 2) + QLatin1Char(' ') + line.section(QLatin1Char('\t'), 7);
    for (const char *expected : {"400001 confirmed", "400002 unplugged", "400004 wrong-password",
                                 "400003 confirmed"})
        QVERIFY2(codes.contains(QLatin1String(expected)), qPrintable(codes.join(", ")));

    // started again: an empty table, the ports that went are not in it, nothing of the run before
    late.reset();
    QVERIFY(station->start(readSettingsFile(fleetFile), settingsPath, QStringLiteral("482915"),
                           &error));
    QCOMPARE(table->rowCount(), station->rows().size());
    QCOMPARE(rowOf(lateLink), -1);
    for (int r = 0; r < table->rowCount(); ++r)
        QCOMPARE(table->item(r, 5)->text(), QString());
    station->stop();
#endif
}

void TestStation::firmwareOneAfterAnother_data()
{
    QTest::addColumn<QString>("translation");   // the interface's, none for Russian
    QTest::addColumn<QString>("shown");
    QTest::newRow("Russian interface") << "" << "ПО обновлено: 0.70 → 0.71";
    QTest::newRow("English interface") << "terminal_en" << "Firmware updated: 0.70 → 0.71";
}

// "Обновить ПО…": every terminal of the table in turn, each back with its new version, each
// result in its row in the interface language and in the journal in Russian.
void TestStation::firmwareOneAfterAnother()
{
#ifndef KVT_SIM_PATH
    QSKIP("no simulator");
#else
    QFETCH(QString, translation);
    QTranslator translator;
    if (!translation.isEmpty()) {
        QVERIFY(translator.load(translation, QStringLiteral(KVT_BUILD_DIR)));
        QVERIFY(QCoreApplication::installTranslator(&translator));
    }
    // taken out again however the test ends
    const std::unique_ptr<QTranslator, bool (*)(QTranslator *)> installed(
        &translator, &QCoreApplication::removeTranslator);
    QTemporaryDir dir;
    const QString settingsPath = writeFile(dir.filePath("fleet.json"), fleetFile);
    // each terminal's loader disk a folder of its own, both standing in for the disk
    const QString diskA = dir.filePath(QStringLiteral("KVT_loader-a"));
    const QString diskB = dir.filePath(QStringLiteral("KVT_loader-b"));
    qputenv("KVT_LOADER_PATH", (diskA + QLatin1Char(':') + diskB).toLocal8Bit());
    const QStringList loader{"--loader-delay", "0.3", "--flash-time", "0.3"};
    Simulator a(QStringList{"--serial", "700001", "--loader-dir", diskA} + loader, dir.filePath("a"));
    Simulator b(QStringList{"--serial", "700002", "--loader-dir", diskB} + loader, dir.filePath("b"));
    ProvisionStation station;
    station.setPortSource(listing({terminalPort(a.link), terminalPort(b.link)}));
    station.setPollInterval(100);
    QString error;
    QVERIFY(station.start(readSettingsFile(fleetFile), settingsPath, QStringLiteral("482915"),
                          &error));
    QTRY_COMPARE_WITH_TIMEOUT(station.confirmedCount(), 2, 10000);
    QSignalSpy done(&station, &ProvisionStation::firmwareUpdateFinished);
    QVERIFY2(station.startFirmwareUpdate(writeFile(dir.filePath("fw.bin"), QByteArray(50000, 'f')),
                                         &error),
             qPrintable(error));
    QVERIFY(!station.startFirmwareUpdate(dir.filePath("fw.bin"), &error));   // one at a time
    QTRY_COMPARE_WITH_TIMEOUT(done.count(), 1, 30000);
    QFETCH(QString, shown);
    for (const StationRow &row : station.rows()) {
        QCOMPARE(row.firmware, QStringLiteral("0.71"));
        QVERIFY2(row.result.startsWith(shown), qPrintable(row.result));
    }
    const QStringList journal = lines(dir.filePath("fleet.journal.tsv"));
    QCOMPARE(journal.size(), 5);
    for (const QString &line : journal.mid(3))
        QVERIFY2(line.contains(QStringLiteral("\t0.71\tПО обновлено: 0.70 → 0.71")), qPrintable(line));
    qunsetenv("KVT_LOADER_PATH");
#endif
}

QTEST_MAIN(TestStation)
#include "tst_station.moc"
