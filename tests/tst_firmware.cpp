// The guided firmware update over USB: from the file to the new version against the
// simulator's loader disk, and the endings that leave nothing behind on the disk.

#include "firmware/firmwareupdate.h"
#include "firmware/firmwareupdatedialog.h"
#include "simutil.h"
#include "testutil.h"

#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

namespace {

QString writeFirmware(const QString &path, int size)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(QByteArray(size, '\x5a'));
    return path;
}

// The window with "Обновить ПО через USB" answered Yes and the given file picked.
class UpdatingWindow : public MainWindow
{
public:
    QString file;

protected:
    QString firmwareFileName(const QString &) override { return file; }
};

} // namespace

class TestFirmware : public QObject
{
    Q_OBJECT

private slots:
    void endsWithoutTerminal_data();
    void endsWithoutTerminal();
    void wholeCopyStays_data();
    void wholeCopyStays();
    void wholeUpdate_data();
    void wholeUpdate();
};

// No disk, or a copy cancelled midway: the update ends, says what to do, and nothing of the
// file stays on the disk.
void TestFirmware::endsWithoutTerminal_data()
{
    QTest::addColumn<bool>("diskThere");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<bool>("diskFull");   // a file size limit stands in for a full disk
    QTest::addColumn<bool>("cancelEarly"); // "Отмена" while the disk is awaited
    QTest::addColumn<QString>("says");
    QTest::addColumn<bool>("unplug");      // the disk goes in the middle of the copy
    QTest::newRow("the disk never appears") << false << int(FirmwareUpdate::Outcome::NoDisk)
                                            << false << false << "не появился за 60 с" << false;
    QTest::newRow("cancelled before the disk") << false << int(FirmwareUpdate::Outcome::Cancelled)
                                               << false << true << "на диск ничего не записано" << false;
    QTest::newRow("cancelled while copying") << true << int(FirmwareUpdate::Outcome::Cancelled)
                                             << false << false
                                             << "частично скопированный файл удалён" << false;
    QTest::newRow("the disk is full") << true << int(FirmwareUpdate::Outcome::CopyFailed) << true
                                      << false << "File too large" << false;
    QTest::newRow("the disk goes while copying")
        << true << int(FirmwareUpdate::Outcome::CopyFailed) << false << false
        << "диск отключён во время копирования, файла" << true;
}

void TestFirmware::endsWithoutTerminal()
{
    QFETCH(bool, diskThere);
    QFETCH(bool, diskFull);
    QFETCH(bool, cancelEarly);
    QFETCH(QString, says);
    QFETCH(bool, unplug);
    QTemporaryDir dir;
    const QString disk = dir.filePath(QStringLiteral("KVT_loader"));
    if (diskThere)
        QVERIFY(QDir().mkpath(disk));
    qputenv("KVT_LOADER_PATH", disk.toLocal8Bit());
    Pty pty;
    TerminalSession session;
    QVERIFY(openOn(session, pty));
    FirmwareUpdate update(&session);
    update.setDiskTimeout(300);
    QSignalSpy finished(&update, &FirmwareUpdate::finished);
    // large enough that the copy takes many turns of the event loop
    QObject::connect(&update, &FirmwareUpdate::progress, &update,
                     [&update, diskFull, unplug, disk](qint64 copied) {
                         if (copied > 0 && unplug)
                             QDir(disk).removeRecursively();
                         else if (copied > 0 && !diskFull)
                             update.cancel();
                     });
    if (cancelEarly)
        QTimer::singleShot(50, &update, &FirmwareUpdate::cancel);
    const QString firmware = writeFirmware(dir.filePath(QStringLiteral("fw.bin")), 8 << 20);
    {
        std::optional<FileSizeLimit> limit;
        if (diskFull)
            limit.emplace(1 << 20);
        QString error;
        QVERIFY(update.start(firmware, &error));
        QCOMPARE(pty.read(9), QByteArray(">D 3;0\r\n"));
        QTRY_COMPARE(finished.count(), 1);
    }
    QVERIFY2(finished.at(0).at(1).toString().contains(says),
             qPrintable(finished.at(0).at(1).toString()));
    QVERIFY2(finished.at(0).at(0).canConvert<FirmwareUpdate::Outcome>(), "outcome");
    QTEST(int(finished.at(0).at(0).value<FirmwareUpdate::Outcome>()), "outcome");
    if (unplug)
        QVERIFY(finished.at(0).at(1).toString().contains(QStringLiteral("fw.bin")));
    if (diskThere)
        QCOMPARE(QDir(disk).entryList(QDir::Files), QStringList());
    else
        QVERIFY(!QFileInfo::exists(disk));
    qunsetenv("KVT_LOADER_PATH");
}

// Once the file is whole on the disk it stays there, cancelled or not, as the message says; an
// identity the terminal gives before it leaves for its loader does not count as its return.
void TestFirmware::wholeCopyStays_data()
{
    QTest::addColumn<bool>("cancel");   // "Отмена", else the terminal never comes back
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QString>("says");
    QTest::newRow("cancelled while the terminal is awaited")
        << true << int(FirmwareUpdate::Outcome::Cancelled) << "файл прошивки уже на диске";
    QTest::newRow("the terminal never comes back")
        << false << int(FirmwareUpdate::Outcome::NoTerminal) << "Терминал не вернулся";
}

void TestFirmware::wholeCopyStays()
{
    QFETCH(bool, cancel);
    QTemporaryDir dir;
    const QString disk = dir.filePath(QStringLiteral("KVT_loader"));
    QVERIFY(QDir().mkpath(disk));
    qputenv("KVT_LOADER_PATH", disk.toLocal8Bit());
    const auto unset = qScopeGuard([] { qunsetenv("KVT_LOADER_PATH"); });
    Pty pty;
    TerminalSession session;
    QVERIFY(openOn(session, pty));
    FirmwareUpdate update(&session);
    update.setTerminalTimeout(cancel ? 60000 : 300);
    QSignalSpy finished(&update, &FirmwareUpdate::finished);
    QSignalSpy identities(&session, &TerminalSession::identityReported);
    bool waiting = false;
    QObject::connect(&update, &FirmwareUpdate::stageChanged, &update,
                     [&waiting](FirmwareUpdate::Stage stage) {
                         waiting = waiting || stage == FirmwareUpdate::Stage::WaitingForTerminal;
                     });
    QString error;
    QVERIFY(update.start(writeFirmware(dir.filePath(QStringLiteral("fw.bin")), 256 << 10), &error));
    QTRY_VERIFY(waiting);
    // still on the line the command went out on: its answer to the window's question
    pty.write(">DI=31;0;70\r\n");
    QTRY_COMPARE(identities.count(), 1);
    QVERIFY(update.isRunning());
    QCOMPARE(finished.count(), 0);
    if (cancel)
        update.cancel();
    QTRY_COMPARE(finished.count(), 1);
    QTEST(int(finished.at(0).at(0).value<FirmwareUpdate::Outcome>()), "outcome");
    QFETCH(QString, says);
    QVERIFY2(finished.at(0).at(1).toString().contains(says),
             qPrintable(finished.at(0).at(1).toString()));
    QCOMPARE(QFileInfo(QDir(disk).filePath(QStringLiteral("fw.bin"))).size(), qint64(256 << 10));
}

// From the tool bar: the simulator drops into its loader, its disk appears, the file is
// copied onto it, and the terminal comes back with the version it flashed (or with the same).
void TestFirmware::wholeUpdate_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("result");
    QTest::newRow("new version") << QStringList() << "0.71" << "ПО обновлено: 0.70 → 0.71";
    QTest::newRow("same version") << QStringList{"--next-fw", "0.70"} << "0.70"
                                  << "Терминал вернулся с той же версией ПО 0.70";
}

void TestFirmware::wholeUpdate()
{
#ifndef KVT_SIM_PATH
    QSKIP("no simulator");
#else
    QFETCH(QStringList, args);
    QTemporaryDir dir;
    const QString disk = dir.filePath(QStringLiteral("KVT_loader"));
    qputenv("KVT_LOADER_PATH", disk.toLocal8Bit());
    LinkedSimulator sim(QStringList{"--loader-dir", disk, "--loader-delay", "0.3", "--flash-time",
                                    "0.5", "--restart-delay", "0.3"} + args,
                        dir.filePath(QStringLiteral("port")));
    UpdatingWindow w;
    w.file = writeFirmware(dir.filePath(QStringLiteral("kvt3-0.71.bin")), 200000);
    connectTo(w, sim.link);
    auto *versionEdit = w.findChild<QLineEdit *>(QStringLiteral("firmwareVersionEdit"));
    QTRY_COMPARE(versionEdit->text(), QStringLiteral("0.70"));
    {
        ModalCloser yes(QMessageBox::Yes);   // the question before the file
        w.update_FW_local();
    }
    auto *dialog = w.findChild<FirmwareUpdateDialog *>(QStringLiteral("firmwareUpdateDialog"));
    QVERIFY(dialog);
    auto *resultLabel = dialog->findChild<QLabel *>(QStringLiteral("firmwareResultLabel"));
    QTRY_VERIFY_WITH_TIMEOUT(!resultLabel->text().isEmpty(), 20000);
    QFETCH(QString, result);
    QVERIFY2(resultLabel->text().startsWith(result), qPrintable(resultLabel->text()));
    QFETCH(QString, version);
    QTRY_COMPARE(versionEdit->text(), version);
    QVERIFY(!QFileInfo::exists(disk));   // flashed: the loader's disk is gone
    qunsetenv("KVT_LOADER_PATH");
#endif
}

QTEST_MAIN(TestFirmware)
#include "tst_firmware.moc"
