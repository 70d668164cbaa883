// Batch set-up end to end: a settings file saved from one simulated terminal is written to a
// bench of three others that come up one after another on the same line; each is confirmed and
// gets one line in the journal.

#include "settings/batchsetup.h"
#include "settings/settingspage.h"
#include "settings_testutil.h"
#include "simutil.h"
#include "testutil.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Simulator = LinkedSimulator;

QStringList journalLines(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

class TestBatchSetup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
#ifndef KVT_SIM_PATH
        QSKIP("the terminal simulator is built on POSIX systems only");
#endif
    }
    void init() {}
    void threeTerminals();
    void benchEvents_data();
    void benchEvents();
};

void TestBatchSetup::threeTerminals()
{
    QTemporaryDir files;
    const QString settingsFile = files.filePath("fleet.json");
    MainWindow w;
    w.resize(1200, 800);
    w.show();
    ModalCloser closer;   // no box is expected; one must not hang the test
    auto *page = qobject_cast<SettingsPage *>(w.tabs()->widget(1));
    QVERIFY(page);
    auto *status = page->findChild<QLabel *>("writeStatusLabel");

    // the file: the settings of one terminal, changed and written there first
    SettingsValues saved;
    {
        Simulator source({});
        QVERIFY(QFile::exists(source.link));
        connectTo(w, source.link);
        QVERIFY(w.serialPort()->isOpen());
        page->findChild<QPushButton *>("readSettingsButton")->click();
        QTRY_VERIFY_WITH_TIMEOUT(!page->findChild<QLineEdit *>("apn1Edit")->text().isEmpty(), 5000);
        for (const char *a : {"monitoringServerEdit=fleet.example", "monitoringPortEdit=20555",
                              "apn1Edit=fleet.apn", "in0Combo=Pulse", "roaming1Check=1",
                              "canParamCheck1=1", "canParamCheck3=0", "sleepTimeEdit=30"})
            setPageValue(page, QString::fromUtf8(a));
        page->findChild<QPushButton *>("writeSettingsButton")->click();
        QTRY_COMPARE_WITH_TIMEOUT(status->text(), QStringLiteral("Настройки записаны"), 5000);
        QVERIFY(page->saveSettingsFile(settingsFile));
        saved = page->values();
        w.findChild<QAction *>("actionDisconnect")->trigger();
    }

    // the bench: three terminals that report their items in their own order
    Simulator bench({"--batch", "3", "--serial", "300100", "--restart-delay", "0.3",
                     "--reorder-settings"});
    QVERIFY(QFile::exists(bench.link));
    BatchSetup *batch = w.batchSetup();
    QVERIFY(batch->start(settingsFile, QStringLiteral("482915"), false));
    auto *banner = w.findChild<QFrame *>("batchBanner");
    QVERIFY(banner->isVisible());
    QVERIFY(w.findChild<QAction *>("batchSetupAction")->isChecked());
    const QString journal = files.filePath("fleet.journal.tsv");
    QCOMPARE(batch->journalPath(), journal);

    connectTo(w, bench.link);   // the first one by hand, the others come back by themselves
    for (int k = 1; k <= 3; ++k) {
        QTRY_COMPARE_WITH_TIMEOUT(journalLines(journal).size(), 1 + k, 10000);
        QCOMPARE(batch->confirmedCount(), k);
        // the page shows what the terminal holds now: the file, field by field, and the
        // outcome of the write under its button
        QCOMPARE(page->values(), saved);
        QCOMPARE(status->text(), QStringLiteral("Настройки записаны"));
        if (k < 3)
            bench.proc.write("next\n");   // unplug it, plug in the next one
    }
    QCOMPARE(batch->failedCount(), 0);
    const QString bannerText = w.findChild<QLabel *>("batchStatusLabel")->text();
    QVERIFY2(bannerText.contains("Записано и подтверждено: 3, с ошибкой: 0"), qPrintable(bannerText));

    const QStringList lines = journalLines(journal);
    QCOMPARE(lines.first(), QStringLiteral("время\tмодель\tсерийный номер\tIMEI\tверсия ПО"
                                           "\tрезультат\tпорт\tкод"));
    for (int k = 0; k < 3; ++k) {
        const QStringList columns = lines.at(k + 1).split(QLatin1Char('\t'));
        QCOMPARE(columns.size(), 8);
        QVERIFY(QDateTime::fromString(columns.at(0), "yyyy-MM-dd HH:mm:ss").isValid());
        QCOMPARE(columns.mid(1), (QStringList{"KVT3", QString::number(300100 + k),
                                              QString::number(866104023456789LL + k), "0.70",
                                              "записано и подтверждено", bench.link,
                                              "confirmed"}));
    }
    QCOMPARE(closer.texts, QStringList());

    // one click stops it
    w.findChild<QPushButton *>("batchStopButton")->click();
    QVERIFY(!batch->isRunning());
    QVERIFY(!banner->isVisible());
    QVERIFY(!w.findChild<QAction *>("batchSetupAction")->isChecked());
}

void TestBatchSetup::benchEvents_data()
{
    QTest::addColumn<QStringList>("simulator");
    QTest::addColumn<int>("plugIns");              // "next" after each of the first journal lines
    QTest::addColumn<QStringList>("journal");      // serial number|IMEI|result, line by line
    QTest::addColumn<int>("writes");
    QTest::addColumn<QString>("banner");
    const QString ok = QStringLiteral("|записано и подтверждено|confirmed");
    QTest::newRow("a confirmed terminal plugged in again")
        << QStringList{} << 1
        << QStringList{"300100|866104023456789" + ok,
                       "300100|866104023456789|уже настроен в этом сеансе|already-done"}
        << 1 << "Терминал 300100 уже настроен";
    // the page shows the terminal before until its own records come
    QTest::newRow("identity records one by one")
        << QStringList{"--batch", "2", "--identity-gap", "300"} << 1
        << QStringList{"300100|866104023456789" + ok, "300101|866104023456790" + ok} << 2
        << "подтверждено: 2, с ошибкой: 0";
    // the next one takes its place, the last one never comes back
    QTest::newRow("unplugged between the write and the read-back")
        << QStringList{"--batch", "2", "--unplug-on-write"} << 0
        << QStringList{"300100|866104023456789|нет ответа терминала|no-answer",
                       "300101|866104023456790|нет ответа терминала|no-answer"}
        << 2 << "подтверждено: 0, с ошибкой: 2";
}

void TestBatchSetup::benchEvents()
{
    QFETCH(QStringList, simulator);
    QFETCH(int, plugIns);
    QFETCH(QStringList, journal);
    QFETCH(int, writes);
    QFETCH(QString, banner);
    QTemporaryDir files;
    const QString settingsFile = files.filePath("fleet.json");
    QFile f(settingsFile);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(R"({"format": "kvt-logger-settings", "version": 1, "terminal": {"model": "KVT3"},
               "fields": {"apn1Edit": "fleet.apn", "monitoringServerEdit": "fleet.example"}})");
    f.close();
    MainWindow w;
    ModalCloser closer;
    qobject_cast<SettingsPage *>(w.tabs()->widget(1))->setConfirmTimeout(2000);
    Simulator bench(QStringList{"--serial", "300100", "--restart-delay", "0.3"} + simulator);
    BatchSetup *batch = w.batchSetup();
    QSignalSpy sent(w.terminalSession(), &TerminalSession::sent);
    QVERIFY(batch->start(settingsFile, QStringLiteral("482915"), false));
    connectTo(w, bench.link);
    for (int k = 1; k <= journal.size() || k <= plugIns; ++k) {
        QTRY_COMPARE_WITH_TIMEOUT(journalLines(batch->journalPath()).size(),
                                  1 + qMin(k, int(journal.size())), 15000);
        if (k <= plugIns)
            bench.proc.write("next\n");
    }
    auto *label = w.findChild<QLabel *>("batchStatusLabel");
    QTRY_VERIFY2_WITH_TIMEOUT(label->text().contains(banner), qPrintable(label->text()), 15000);

    QStringList got;
    for (const QString &line : journalLines(batch->journalPath()).mid(1))
        got << line.section(QLatin1Char('\t'), 2, 3).replace(QLatin1Char('\t'), QLatin1Char('|'))
                   + QLatin1Char('|') + line.section(QLatin1Char('\t'), 5, 5) + QLatin1Char('|')
                   + line.section(QLatin1Char('\t'), 7);
    QCOMPARE(got, journal);
    int settingsWrites = 0;
    for (const QList<QVariant> &args : sent)
        settingsWrites += args.at(0).toByteArray().contains("*SETP*");
    QCOMPARE(settingsWrites, writes);
    QCOMPARE(batch->failedCount() + batch->confirmedCount(),
             journal.size() - journal.filter(QStringLiteral("already-done")).size());
    QCOMPARE(closer.texts, QStringList());
}

QTEST_MAIN(TestBatchSetup)
#include "tst_batch_setup.moc"
