// A recording played back: its lines read (escapes, damage), kvt-cli replay's NDJSON and CSV,
// and the window playing, seeking and ending a replay, with nothing written to any port.
#include "link/core_recording.h"
#include "link/recorder.h"
#include "link/recordingplayer.h"
#include "charts/chartspanel.h"
#include "report/installationreport.h"
#include "replay/replaybar.h"
#include "replay/replaycontroller.h"
#include "simutil.h"
#include "terminal/console.h"
#include "terminal/terminal.h"
#include "testutil.h"

#include <QFileInfo>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

namespace {

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    writeTestFile(path, bytes);
    return path;
}

// A short recording: a note, a sent line, a record split over two lines, a damaged line,
// then the supply voltage at three moments.
const QByteArray sample =
    "2026-03-14 09:05:08.000 ## Запись начата\n"
    "2026-03-14 09:05:08.000 \xE2\x86\x92 >DI\\r\\n\n"
    "2026-03-14 09:05:08.010 \xE2\x86\x90 >PB=12000;4100\\r\\n\n"
    "2026-03-14 09:05:08.020 \xE2\x86\x90 >GS=5;10.5;100;\n"
    "2026-03-14 09:05:08.030 \xE2\x86\x90 90;1.2\\r\\n\n"
    "2026-03-14 09:05:08.040 \xE2\x86\x90 >PB=bad \\q escape\n"
    "2026-03-14 09:05:09.000 \xE2\x86\x90 >PB=11000;4000\\r\\n\n"
    "2026-03-14 09:05:10.000 \xE2\x86\x90 >PB=10000;3900\\r\\n\n"
    "2026-03-14 09:05:11.000 ## Запись остановлена\n";

qint64 localMs(const char *text)
{
    return QDateTime::fromString(QString::fromLatin1(text), QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"))
        .toMSecsSinceEpoch();
}

QString field(MainWindow &w, const char *name)
{
    auto *edit = w.findChild<QLineEdit *>(QLatin1String(name));
    return edit ? edit->text() : QStringLiteral("<none>");
}

// The texts of the status page's fields, by name.
QMap<QString, QString> statusFields(MainWindow &w)
{
    QMap<QString, QString> fields;
    for (QLineEdit *edit : w.findChild<QWidget *>(QStringLiteral("statusPage"))->findChildren<QLineEdit *>()) {
        if (!edit->objectName().isEmpty())
            fields.insert(edit->objectName(), edit->text());
    }
    return fields;
}

#ifdef KVT_CLI_PATH
using Run = ProcessRun;

Run runCli(const QStringList &args)
{
    QProcess cli;
    cli.start(QStringLiteral(KVT_CLI_PATH), args);
    return waitForRun(cli, 60000);
}
#endif

} // namespace

class TestReplay : public QObject
{
    Q_OBJECT

private slots:
    void lines_data();
    void lines();
    void escapesUndone();
    void readerSkipsDamage();
    void cli_data();
    void cli();
    void windowPlays();
    void seeksBackAndForth();
    void refusesNotARecording();
    void openingWhileConnectedAsks_data();
    void openingWhileConnectedAsks();
    void connectingEndsReplay();
    void sameAsLive();
};

void TestReplay::lines_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("mark");
    QTest::addColumn<QByteArray>("payload");

    const int in = int(RecordingLine::Mark::Received), out = int(RecordingLine::Mark::Sent),
              note = int(RecordingLine::Mark::Note);
    QTest::newRow("received, escapes") << QByteArray("2026-03-14 09:05:08.000 \xE2\x86\x90 a\\\\b\\x00\\xFF\\t\\r\\n")
                                       << true << in << QByteArray("a\\b\0\xFF\t\r\n", 8);
    QTest::newRow("received, UTF-8 kept")
        << QByteArray("2026-03-14 09:05:08.000 \xE2\x86\x90 Привет") << true << in << QByteArray("Привет");
    QTest::newRow("sent") << QByteArray("2026-03-14 09:05:08.000 \xE2\x86\x92 >DI\\r\\n") << true << out
                          << QByteArray(">DI\r\n");
    QTest::newRow("note") << QByteArray("2026-03-14 09:05:08.000 ## Связь прервана: x") << true << note
                          << QByteArray("Связь прервана: x");
    QTest::newRow("CR LF file") << QByteArray("2026-03-14 09:05:08.000 \xE2\x86\x90 x\r") << true << in
                                << QByteArray("x");
    QTest::newRow("cut in the time") << QByteArray("2026-03-14 09:0") << false << 0 << QByteArray();
    QTest::newRow("cut after the mark") << QByteArray("2026-03-14 09:05:08.000 \xE2\x86") << false << 0 << QByteArray();
    QTest::newRow("cut escape") << QByteArray("2026-03-14 09:05:08.000 \xE2\x86\x90 ab\\x4") << false << 0 << QByteArray();
    QTest::newRow("unknown escape") << QByteArray("2026-03-14 09:05:08.000 \xE2\x86\x90 \\q") << false << 0 << QByteArray();
    QTest::newRow("bad hex") << QByteArray("2026-03-14 09:05:08.000 \xE2\x86\x90 \\xG0") << false << 0 << QByteArray();
    QTest::newRow("not UTF-8") << QByteArray("2026-03-14 09:05:08.000 \xE2\x86\x90 a\xFF") << false << 0 << QByteArray();
    QTest::newRow("note not UTF-8") << QByteArray("2026-03-14 09:05:08.000 ## \xC3") << false << 0 << QByteArray();
    QTest::newRow("raw control byte") << QByteArray("2026-03-14 09:05:08.000 \xE2\x86\x90 a\x01") << false << 0 << QByteArray();
    QTest::newRow("no such date") << QByteArray("2026-02-30 09:05:08.000 \xE2\x86\x90 x") << false << 0 << QByteArray();
    QTest::newRow("no mark") << QByteArray("2026-03-14 09:05:08.000 >PB=1;2") << false << 0 << QByteArray();
    QTest::newRow("text") << QByteArray("hello") << false << 0 << QByteArray();
}

void TestReplay::lines()
{
    QFETCH(QByteArray, line);
    RecordingLine parsed;
    RecordingClock clock;
    const bool valid = parseRecordingLine(line.constData(), line.size(), parsed, clock);
    QTEST(valid, "valid");
    if (!valid)
        return;
    QTEST(int(parsed.mark), "mark");
    QTEST(parsed.payload, "payload");
    QCOMPARE(parsed.time, localMs("2026-03-14 09:05:08.000"));
    QCOMPARE(parsed.isoTime(), QByteArray("2026-03-14T09:05:08.000"));
}

// What the recorder escapes comes back byte for byte: every byte value, UTF-8 and broken UTF-8.
void TestReplay::escapesUndone()
{
    QByteArray bytes;
    for (int i = 0; i < 256; ++i)
        bytes += char(i);
    bytes += QByteArray("Привет \xE2\x82 \xF0\x9F\x98\x80 \xED\xA0\x80 \xC0\xAF");
    QByteArray escaped;
    Recorder::escape(bytes.constData(), bytes.size(), escaped);
    QByteArray back;
    QVERIFY(unescapeRecordingPayload(escaped.constData(), escaped.size(), back));
    QCOMPARE(back, bytes);
}

void TestReplay::readerSkipsDamage()
{
    QTemporaryDir dir;
    // line 6 is damaged, and the last line has no line end: cut short
    const QString path = writeFile(dir, "r.txt", sample + "2026-03-14 09:05:12.000 \xE2\x86\x90 >PB=1");
    RecordingReader reader;
    QVERIFY(reader.open(path));
    QList<qint64> skipped;
    reader.onSkipped = [&](qint64 line) { skipped << line; };
    qint64 last = 0;
    QVERIFY(reader.lastTime(&last));
    QCOMPARE(last, localMs("2026-03-14 09:05:11.000"));
    RecordingLine line;
    QByteArray received;
    int count = 0;
    while (reader.next(line)) {
        ++count;
        if (line.mark == RecordingLine::Mark::Received)
            received += line.payload;
    }
    QCOMPARE(count, 8);
    QCOMPARE(skipped, (QList<qint64>{6, 10}));
    QCOMPARE(reader.skipped(), 2);
    QCOMPARE(received, QByteArray(">PB=12000;4100\r\n>GS=5;10.5;100;90;1.2\r\n>PB=11000;4000\r\n>PB=10000;3900\r\n"));

    // a position taken on the way reads on from there
    QVERIFY(reader.seek(RecordingReader::Position{0, 1}));
    QVERIFY(reader.next(line) && reader.next(line));
    const RecordingReader::Position at = reader.position();
    QVERIFY(reader.next(line));
    const QByteArray third = line.payload;
    QVERIFY(reader.seek(at));
    QVERIFY(reader.next(line));
    QCOMPARE(line.payload, third);
}

void TestReplay::cli_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("err");

    QTest::newRow("json") << QStringList{"--json"} << 0
                          << QByteArray("{\"time\":\"2026-03-14T09:05:08.010\",\"record\":\"PB\",\"value\":{\"batteryMv\":4100,\"supplyMv\":12000}}\n"
                                        "{\"time\":\"2026-03-14T09:05:08.030\",\"record\":\"GS\",\"value\":{\"altitude\":100,\"course\":1.2,\"hdop\":9,\"satellites\":5,\"speed\":10.5}}\n"
                                        "{\"time\":\"2026-03-14T09:05:09.000\",\"record\":\"PB\",\"value\":{\"batteryMv\":4000,\"supplyMv\":11000}}\n"
                                        "{\"time\":\"2026-03-14T09:05:10.000\",\"record\":\"PB\",\"value\":{\"batteryMv\":3900,\"supplyMv\":10000}}\n")
                          << QByteArray("r.txt:6: not a recording line, skipped");
    QTest::newRow("csv, last value carried")
        << QStringList{"--csv", "power.supplyMv,fix.satellites"} << 0
        << QByteArray("time,power.supplyMv,fix.satellites\n"
                      "2026-03-14T09:05:08.010,12000,\n"
                      "2026-03-14T09:05:08.030,12000,5\n"
                      "2026-03-14T09:05:09.000,11000,5\n"
                      "2026-03-14T09:05:10.000,10000,5\n")
        << QByteArray("r.txt:6:");
    QTest::newRow("csv, cut by time")
        << QStringList{"--csv", "power.supplyMv", "--from", "2026-03-14T09:05:08.500", "--to",
                       "2026-03-14 09:05:09"}
        << 0 << QByteArray("time,power.supplyMv\n2026-03-14T09:05:09.000,11000\n") << QByteArray("r.txt:6:");
    QTest::newRow("csv list") << QStringList{"--csv", "list"} << 0
                              << QByteArray("fix.altitude\nfix.course\nfix.hdop\nfix.satellites\nfix.speed\n"
                                            "power.batteryMv\npower.supplyMv\n")
                              << QByteArray("r.txt:6:");
    QTest::newRow("neither") << QStringList{} << 2 << QByteArray() << QByteArray("--json or --csv");
    QTest::newRow("bad time") << QStringList{"--json", "--from", "yesterday"} << 2 << QByteArray()
                              << QByteArray("--from");
}

void TestReplay::cli()
{
#ifndef KVT_CLI_PATH
    QSKIP("kvt-cli is built on Linux only");
#else
    QFETCH(QStringList, args);
    QTemporaryDir dir;
    const QString path = writeFile(dir, "r.txt", sample);
    const Run run = runCli(QStringList{"replay", path} + args);
    QTEST(run.status, "status");
    QFETCH(QByteArray, out);
    if (!out.isEmpty() || run.status == 0)
        QCOMPARE(run.out, out);
    QFETCH(QByteArray, err);
    if (!err.isEmpty())
        QVERIFY2(run.err.contains(err), run.err.constData());
    else
        QVERIFY2(run.err.isEmpty(), run.err.constData());

    // the value is what info --json has under "status": the same keys and numbers
    if (args == QStringList{"--json"}) {
        const QJsonObject first = QJsonDocument::fromJson(run.out.split('\n').first()).object();
        QCOMPARE(first.value("value").toObject().value("supplyMv").toDouble(), 12000.0);
    }

    // a file without a single recording line is refused with exit status 2
    const QString text = writeFile(dir, "t.txt", "just\ntext\n");
    const Run refused = runCli({"replay", text, "--json"});
    QCOMPARE(refused.status, 2);
    QVERIFY(refused.out.isEmpty());
    QVERIFY(refused.err.contains("holds no recording line"));

    // output that cannot be written is a failure, said as such
    if (args == QStringList{"--json"} && QFileInfo::exists(QStringLiteral("/dev/full"))) {
        QProcess full;
        full.setStandardOutputFile(QStringLiteral("/dev/full"));
        full.start(QStringLiteral(KVT_CLI_PATH), {"replay", path, "--json"});
        const Run failed = waitForRun(full, 60000);
        QCOMPARE(failed.status, 1);
        QVERIFY2(failed.err.contains("No space left on device"), failed.err.constData());
    }
#endif
}

void TestReplay::windowPlays()
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, "trip.txt", sample);
    MainWindow w;
    w.show();
    ReplayController *replay = w.replayController();
    QSignalSpy sent(w.terminalSession(), &TerminalSession::sent);
    QVERIFY(replay->openRecording(path));
    auto *bar = w.findChild<ReplayBar *>(QStringLiteral("replayBar"));
    QVERIFY(bar && bar->isVisible());
    QVERIFY(w.windowTitle().contains(QStringLiteral("trip.txt")));
    QCOMPARE(w.findChild<QComboBox *>(QStringLiteral("replaySpeedCombo"))->currentIndex(), 0);
    QVERIFY(!replay->player()->isPaused());

    replay->player()->playTo(localMs("2026-03-14 09:05:08.500"));
    QTRY_COMPARE(field(w, "externalVoltageEdit"), QStringLiteral("12000"));
    // the record split over two lines arrived whole
    QTRY_COMPARE(field(w, "satellitesEdit"), QStringLiteral("5"));
    QCOMPARE(w.terminalSession()->framing().droppedLines(), 0u);
    // the recorded time in the log, and the note and the sent line
    Console *log = w.terminalPanel()->logConsole();
    log->setTimeStamps(true);
    const QString shown = log->displayText(0) + log->displayText(1) + log->displayText(2);
    QVERIFY2(shown.contains(QStringLiteral("09:05:08.000 ## Запись начата")), qPrintable(shown));
    QVERIFY2(shown.contains(QStringLiteral("09:05:08.010 >PB=12000;4100")), qPrintable(shown));

    replay->player()->playTo(replay->player()->lastTime());
    QTRY_COMPARE(field(w, "externalVoltageEdit"), QStringLiteral("10000"));
    QCOMPARE(w.findChild<QLabel *>(QStringLiteral("replaySkippedLabel"))->text(),
             QStringLiteral("Пропущено строк: 1"));
    QCOMPARE(w.terminalSession()->now(), localMs("2026-03-14 09:05:11.000"));
    // the charts' points and the report at the recorded times; the report names the recording
    QCOMPARE(w.chartsPanel()->store().newestTime(), localMs("2026-03-14 09:05:10.000"));
    const ReportContent report = w.installationReport()->collect(QString());
    QCOMPARE(report.recordingFile, QStringLiteral("trip.txt"));
    QCOMPARE(report.recordedFrom.toMSecsSinceEpoch(), localMs("2026-03-14 09:05:08.000"));
    QCOMPARE(report.recordedTo.toMSecsSinceEpoch(), localMs("2026-03-14 09:05:11.000"));
    QCOMPARE(report.connectedAt.toMSecsSinceEpoch(), localMs("2026-03-14 09:05:08.000"));
    QVERIFY(ReportDocument::html(report, QString()).contains(QStringLiteral("Составлен по записи trip.txt")));

    // nothing goes anywhere: the window's commands are refused
    QCOMPARE(w.writeData(">DI\r\n"), -1);
    w.clearAll();
    QCOMPARE(sent.count(), 0);

    w.findChild<QToolButton *>(QStringLiteral("replayCloseButton"))->click();
    QVERIFY(!bar->isVisible());
    QVERIFY(!w.windowTitle().contains(QStringLiteral("trip.txt")));
    QVERIFY(!w.terminalSession()->isOpen());
    QVERIFY(qAbs(w.terminalSession()->now() - QDateTime::currentMSecsSinceEpoch()) < 60000);
}

// Each move shows the value of its moment, back and forth; the log holds that moment's past.
void TestReplay::seeksBackAndForth()
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, "trip.txt", sample);
    MainWindow w;
    w.show();
    RecordingPlayer *player = w.replayController()->player();
    // what the user set in the docks outlives the pages' rebuilding
    auto *autoScroll = w.findChild<QCheckBox *>(QStringLiteral("autoScrollCheck"));
    QVERIFY(autoScroll && autoScroll->isChecked());
    QVERIFY(w.replayController()->openRecording(path));
    player->setPaused(true);
    const struct
    {
        const char *at;
        const char *supply;
    } moves[] = {{"2026-03-14 09:05:09.500", "11000"}, {"2026-03-14 09:05:08.100", "12000"},
                 {"2026-03-14 09:05:10.000", "10000"}, {"2026-03-14 09:05:09.000", "11000"}};
    for (const auto &move : moves) {
        player->seek(localMs(move.at));
        QTRY_VERIFY(!player->isSeeking());
        QTRY_COMPARE(field(w, "externalVoltageEdit"), QString::fromLatin1(move.supply));
        QVERIFY(player->isPaused());
        QCOMPARE(player->position(), localMs(move.at));
        const QString log = w.terminalPanel()->logConsole()->toPlainText();
        QCOMPARE(log.contains(QStringLiteral("10000")), QByteArray(move.supply) == "10000");
        QVERIFY(autoScroll->isChecked());
    }
    // the bar's slider and time follow
    auto *slider = w.findChild<QSlider *>(QStringLiteral("replayPositionSlider"));
    auto *bar = w.findChild<ReplayBar *>(QStringLiteral("replayBar"));
    QCOMPARE(slider->value(), bar->sliderValue(localMs("2026-03-14 09:05:09.000")));
    QCOMPARE(w.findChild<QLabel *>(QStringLiteral("replayTimeLabel"))->text(),
             QStringLiteral("14.03.2026 09:05:09.000"));
}

void TestReplay::refusesNotARecording()
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, "notes.txt", "shopping list\nmilk\n");
    MainWindow w;
    w.show();
    ModalCloser closer;
    QVERIFY(!w.replayController()->openRecording(path));
    QCOMPARE(closer.texts.size(), 1);
    QVERIFY(closer.texts.first().contains(QStringLiteral("notes.txt")));
    QVERIFY(!w.findChild<ReplayBar *>(QStringLiteral("replayBar"))->isVisible());
    QVERIFY(!w.terminalSession()->isOpen());
}

void TestReplay::openingWhileConnectedAsks_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("plays");
    QTest::newRow("kept the terminal") << int(QMessageBox::No) << false;
    QTest::newRow("let it go") << int(QMessageBox::Yes) << true;
}

void TestReplay::openingWhileConnectedAsks()
{
    QFETCH(int, answer);
    QFETCH(bool, plays);
    QTemporaryDir dir;
    const QString path = writeFile(dir, "trip.txt", sample);
    Pty pty;
    MainWindow w;
    w.show();
    connectTo(w, pty.slavePath);
    QTRY_VERIFY(w.serialPort()->isOpen());
    pty.read(1, 500);   // what the window asks on connecting
    ModalCloser closer{QMessageBox::StandardButton(answer)};
    QCOMPARE(w.replayController()->openRecording(path), plays);
    QCOMPARE(closer.texts.size(), 1);
    QCOMPARE(w.serialPort()->isOpen(), !plays);
    if (plays) {
        w.replayController()->player()->playTo(w.replayController()->player()->lastTime());
        QTRY_COMPARE(field(w, "externalVoltageEdit"), QStringLiteral("10000"));
    }
}

// A terminal connected ends the replay: the bar goes, the line is the terminal's, on the
// wall clock; nothing of the recording went to the port.
void TestReplay::connectingEndsReplay()
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, "trip.txt", sample);
    Pty pty;
    MainWindow w;
    w.show();
    QVERIFY(w.replayController()->openRecording(path));
    w.replayController()->player()->playTo(w.replayController()->player()->lastTime());
    QVERIFY(w.findChild<QAction *>(QStringLiteral("actionConnect"))->isEnabled());
    connectTo(w, pty.slavePath);
    QTRY_VERIFY(w.serialPort()->isOpen());
    QVERIFY(!w.replayController()->player()->isOpen());
    QVERIFY(!w.findChild<ReplayBar *>(QStringLiteral("replayBar"))->isVisible());
    QVERIFY(!w.windowTitle().contains(QStringLiteral("trip.txt")));
    QVERIFY(qAbs(w.terminalSession()->now() - QDateTime::currentMSecsSinceEpoch()) < 60000);
    // what the window wrote is its own connecting request, not a line of the recording
    const QByteArray written = pty.read(1, 1000);
    QVERIFY(!written.contains(">DI\r\n>DI"));
    QVERIFY(!written.contains("PB="));
}

// A recording made by kvt-cli record from the simulator, played back, fills the status page
// as the same bytes do live on a line.
void TestReplay::sameAsLive()
{
#if !defined(KVT_CLI_PATH) || !defined(KVT_SIM_PATH)
    QSKIP("kvt-cli and the simulator are built on Linux only");
#else
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sim.txt"));
    {
        LinkedSimulator sim({"--rate", "100"});
        QVERIFY(QFile::exists(sim.link));
        const Run run = runCli({"record", sim.link, path, "--seconds", "1.5"});
        QCOMPARE(run.status, 0);
    }
    RecordingReader reader;
    QVERIFY(reader.open(path));
    RecordingLine line;
    QByteArray bytes;
    while (reader.next(line)) {
        if (line.mark == RecordingLine::Mark::Received)
            bytes += line.payload;
    }
    QCOMPARE(reader.skipped(), 0);
    QVERIFY(bytes.count('\n') > 10);

    Pty pty;
    MainWindow live;
    live.show();
    connectTo(live, pty.slavePath);
    QTRY_VERIFY(live.serialPort()->isOpen());
    pty.write(bytes);
    MainWindow replayed;
    replayed.show();
    QVERIFY(replayed.replayController()->openRecording(path));
    replayed.replayController()->player()->playTo(replayed.replayController()->player()->lastTime());
    QTRY_VERIFY(!field(replayed, "externalVoltageEdit").isEmpty());
    const QMap<QString, QString> fields = statusFields(replayed);
    QTRY_COMPARE(statusFields(live), fields);
#endif
}

QTEST_MAIN(TestReplay)
#include "tst_replay.moc"
