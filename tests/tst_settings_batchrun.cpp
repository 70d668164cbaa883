// The batch set-up run without a window: what it sends to each terminal, what it writes, and
// the journal, with a line that records what is sent and records fed in by hand.

#include "settings/core_batchrun.h"
#include "settings/core_settingswriter.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include <memory>

namespace {

const char reported[] = "#1=track,20332#2=apn,u,p#4=#5=300,15,20,60#6=0,60,10#7=,,#8="
                        "#9=D,A,N#10=2,3,#11=7,30#12=113#15=0,0";
const QString readRequest = QStringLiteral(">D 15;0");

QStringList lines(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

class TestSettingsBatchRun : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    QStringList sent;
    TerminalIdentity connected;
    SettingsWriter *writer = nullptr;
    BatchRun *run = nullptr;

    // a settings record, as the window passes it on: the writer first, then the run
    void record(const QString &text)
    {
        const TerminalSettings s = readTerminalSettings(text);
        writer->settingsReported(s);
        run->settingsReported(s);
    }
    void identity(const QList<RecordKind> &kinds)
    {
        for (RecordKind kind : kinds)
            run->identityRecordSeen(kind);
        QCoreApplication::processEvents();
    }
    // A terminal comes, tells who it is and reports its settings; the string written to it, or
    // null when it is not written.
    QString setUp(const QString &serial, const QString &report = QString::fromLatin1(reported))
    {
        connected = {QStringLiteral("KVT3"), serial, QStringLiteral("866104023456789"),
                     QStringLiteral("0.70")};
        sent.clear();
        writer->terminalConnected();
        run->terminalConnected();
        identity({RecordKind::Identity, RecordKind::SerialNumber, RecordKind::Imei});
        if (sent != QStringList{readRequest})
            return QString();
        record(report);
        return sent.size() == 3 && sent.at(2) == readRequest ? sent.at(1) : QString();
    }
    QString journal() const { return dir.filePath(QStringLiteral("fleet.journal.tsv")); }
    QString lastResult() const { return lines(journal()).last().section(QLatin1Char('\t'), 5, 5); }

private slots:
    void init()
    {
        QFile::remove(journal());
        sent.clear();
        writer = new SettingsWriter([this](const QString &line) { sent << line; });
        run = new BatchRun(writer);
        run->setIdentitySource([this] { return connected; });
        run->setAnswerTimeout(200);
        SettingsFile file;
        file.values = {{"monitoringServerEdit", "fleet"}, {"roaming1Check", true}};
        file.from.model = QStringLiteral("KVT3");
        QVERIFY(run->start(file, dir.filePath(QStringLiteral("fleet.json")),
                           QStringLiteral("482915"), false, nullptr));
    }
    void cleanup()
    {
        delete run;
        delete writer;
    }

    void confirmedTerminalNotWrittenAgain();
    void identityInPieces_data();
    void identityInPieces();
    void settingsWritten_data();
    void settingsWritten();
    void outcomes_data();
    void outcomes();
    void journalRussianWithEnglishInterface_data();
    void journalRussianWithEnglishInterface();
    void journalLostStopsTheRun();
};

void TestSettingsBatchRun::confirmedTerminalNotWrittenAgain()
{
    const QString written = setUp(QStringLiteral("300100"));
    QVERIFY(written.startsWith(QLatin1String("482915*SETP*#1=fleet,20332#")));
    QSignalSpy confirmedProgress(run, &BatchRun::progress);
    QSignalSpy journalled(run, &BatchRun::journalLineWritten);
    record(written.mid(12));
    QCOMPARE(confirmedProgress.last().at(0).toString(),
             QStringLiteral("Терминал 300100: записано и подтверждено. Подключите следующий терминал."));
    QCOMPARE(confirmedProgress.last().at(1).toBool(), false);
    QCOMPARE(run->confirmedCount(), 1);
    QCOMPARE(lines(journal()).size(), 2);
    QCOMPARE(lines(journal()).last().section(QLatin1Char('\t'), 1),
             QStringLiteral("KVT3\t300100\t866104023456789\t0.70\tзаписано и подтверждено\t\tconfirmed"));
    // the line the installation register records is the line in the file
    QCOMPARE(journalled.size(), 1);
    QCOMPARE(journalled.first().at(0).toString(), lines(journal()).last() + QLatin1Char('\n'));

    // the same terminal again: nothing is written, the journal says so
    QSignalSpy progress(run, &BatchRun::progress);
    QCOMPARE(setUp(QStringLiteral("300100")), QString());
    QCOMPARE(sent, QStringList());
    QCOMPARE(lines(journal()).size(), 3);
    QCOMPARE(lines(journal()).last().section(QLatin1Char('\t'), 5),
             QStringLiteral("уже настроен в этом сеансе\t\talready-done"));
    QCOMPARE(progress.last().at(0).toString(),
             QStringLiteral("Терминал 300100 уже настроен. Подключите следующий терминал."));

    // one that did not take the settings is written again the next time
    QVERIFY(!setUp(QStringLiteral("300101")).isNull());
    record(QString::fromLatin1(reported));
    QCOMPARE(lastResult(), QStringLiteral("не принято терминалом: проверьте пароль доступа"));
    // the banner asks for the next terminal or this one again
    QCOMPARE(progress.last().at(0).toString(),
             QStringLiteral("Терминал 300101: не принято терминалом: проверьте пароль доступа. "
                            "Подключите следующий терминал или переподключите этот, чтобы повторить."));
    QCOMPARE(progress.last().at(1).toBool(), true);
    QVERIFY(!setUp(QStringLiteral("300101")).isNull());
    QCOMPARE(run->confirmedCount(), 1);
    QCOMPARE(run->failedCount(), 1);
}

void TestSettingsBatchRun::identityInPieces_data()
{
    // DI, DN and MN: the identity record, the serial number and the IMEI; "|" a new connection
    QTest::addColumn<QString>("pieces");
    QTest::addColumn<bool>("read");
    QTest::newRow("all three") << "DI DN MN" << true;
    QTest::newRow("in any order, one twice") << "MN DN MN DI" << true;
    QTest::newRow("one missing") << "DI DN DN" << false;
    QTest::newRow("other records do not count") << "DI ST DN" << false;
    QTest::newRow("the pieces before a connection are forgotten") << "DI DN | MN" << false;
    QTest::newRow("the pieces after it count") << "DI | DN MN DI" << true;
}

void TestSettingsBatchRun::identityInPieces()
{
    QFETCH(QString, pieces);
    QFETCH(bool, read);
    connected = {QStringLiteral("KVT3"), QStringLiteral("300100"), QString(), QString()};
    run->terminalConnected();
    const QHash<QString, RecordKind> kinds{{"DI", RecordKind::Identity},
                                           {"DN", RecordKind::SerialNumber},
                                           {"MN", RecordKind::Imei},
                                           {"ST", RecordKind::Settings}};
    for (const QString &piece : pieces.split(QLatin1Char(' '))) {
        if (piece == QLatin1String("|"))
            run->terminalConnected();
        else
            identity({kinds.value(piece)});
    }
    QCOMPARE(sent, read ? QStringList{readRequest} : QStringList());
    if (read)
        return;
    // without the whole identity the terminal is not answering
    QTRY_COMPARE(run->failedCount(), 1);
    QCOMPARE(lines(journal()).last().section(QLatin1Char('\t'), 1),
             QStringLiteral("\t\t\t\tнет ответа терминала\t\tno-answer"));
}

void TestSettingsBatchRun::settingsWritten_data()
{
    QTest::addColumn<SettingsValues>("file");
    QTest::addColumn<QString>("body");
    QTest::newRow("the file's values over the terminal's, CAN items on KVA-CAN")
        << SettingsValues{{"monitoringPortEdit", "1"}, {"in2Combo", "O"}, {"sleepCheck", true}}
        << "#1=track,1#2=apn,u,p#4=#5=300,15,20,60#6=1,60,10#7=,,#8=#9=D,A,O#10=2,3,#11=7,30"
           "#12=113#15=0,0";
    QTest::newRow("no CAN items on LLS sensors")
        << SettingsValues{{"rs485Combo", "5"}, {"canProgramEdit", "9"}}
        << "#1=track,20332#2=apn,u,p#4=#5=300,15,20,60#6=0,60,10#7=,,#8=#9=D,A,N#11=5,30#15=0,0";
    QTest::newRow("never the new password, even from a hand-made file")
        << SettingsValues{{"newPasswordEdit", "1"}, {"canParamsGroup", QVariantList{14}}}
        << "#1=track,20332#2=apn,u,p#4=#5=300,15,20,60#6=0,60,10#7=,,#8=#9=D,A,N#10=14,"
           "#11=7,30#12=113#15=0,0";
}

void TestSettingsBatchRun::settingsWritten()
{
    QFETCH(SettingsValues, file);
    QFETCH(QString, body);
    SettingsFile settings;
    settings.values = file;
    QVERIFY(run->start(settings, dir.filePath(QStringLiteral("fleet.json")), QStringLiteral("pw"),
                       false, nullptr));
    QCOMPARE(setUp(QStringLiteral("300100")), QStringLiteral("pw*SETP*") + body);
}

void TestSettingsBatchRun::outcomes_data()
{
    QTest::addColumn<QString>("event");   // what the terminal or the user does
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("code");
    QTest::newRow("read back as written") << "echo" << "записано и подтверждено" << "confirmed";
    QTest::newRow("nothing taken: a wrong password")
        << "unchanged" << "не принято терминалом: проверьте пароль доступа" << "wrong-password";
    QTest::newRow("one value taken, one not")
        << "server only" << "не подтверждено, отличаются: Роуминг SIM1" << "not-confirmed";
    QTest::newRow("every value held already") << "held" << "уже совпадает с файлом" << "already-set";
    QTest::newRow("stopped before the write") << "stop before" << "прервано до записи"
                                              << "interrupted-before-write";
    QTest::newRow("stopped after the write")
        << "stop after" << "прервано после записи, не проверено" << "interrupted-after-write";
    QTest::newRow("unplugged after the write") << "unplug" << "терминал отключён" << "unplugged";
}

// How a terminal ends, line by line in the journal: its words, its port and its code.
void TestSettingsBatchRun::outcomes()
{
    QFETCH(QString, event);
    run->setPortSource([] { return QStringLiteral("/dev/ttyACM3"); });
    // what a terminal holding the file reports: the echo of an earlier write
    const QString held = setUp(QStringLiteral("300099")).mid(12);
    QVERIFY(!held.isEmpty());
    record(held);
    QString written;
    if (event == QLatin1String("held")) {
        QCOMPARE(setUp(QStringLiteral("300100"), held), QString());
        QCOMPARE(sent, QStringList{readRequest});
    } else if (event == QLatin1String("stop before")) {
        connected.serialNumber = QStringLiteral("300100");
        run->terminalConnected();
        identity({RecordKind::Identity, RecordKind::SerialNumber, RecordKind::Imei});
        run->abandon();
    } else {
        written = setUp(QStringLiteral("300100"));
        QVERIFY(!written.isEmpty());
    }
    if (event == QLatin1String("echo"))
        record(written.mid(12));
    else if (event == QLatin1String("unchanged"))
        record(QString::fromLatin1(reported));
    else if (event == QLatin1String("server only"))
        record(QString::fromLatin1(reported).replace(QLatin1String("#1=track"), QLatin1String("#1=fleet")));
    else if (event == QLatin1String("stop after"))
        run->abandon();
    else if (event == QLatin1String("unplug"))
        run->terminalLost();
    const QStringList last = lines(journal()).last().split(QLatin1Char('\t'));
    QCOMPARE(last.size(), 8);
    QCOMPARE(last.at(2), QStringLiteral("300100"));
    QFETCH(QString, result);
    QFETCH(QString, code);
    QCOMPARE(last.mid(5), (QStringList{result, QStringLiteral("/dev/ttyACM3"), code}));
}

void TestSettingsBatchRun::journalRussianWithEnglishInterface_data()
{
    QTest::addColumn<QString>("server");   // the file's server; "a#b" cannot be written
    QTest::addColumn<QString>("journalled");
    QTest::addColumn<QString>("said");
    QTest::newRow("not confirmed: the field by its Russian label")
        << "fleet" << "не подтверждено, отличаются: Роуминг SIM1"
        << "Terminal 300100: not confirmed, differing: SIM1 roaming. ";
    QTest::newRow("refused: the reason in Russian")
        << "a#b"
        << "не записано: Поле «Сервер» содержит недопустимый символ «#». Символы #, =, ;, "
           "запятая и перевод строки в значениях настроек не допускаются. Настройки не "
           "записаны."
        << "Terminal 300100: not written: The field \"Server\" contains the character «#»";
}

// Whatever the interface language, the journal's result is Russian, details included; the
// progress says it in the interface language.
void TestSettingsBatchRun::journalRussianWithEnglishInterface()
{
    QTranslator en;
    QVERIFY(en.load(QStringLiteral("terminal_en"), QStringLiteral(KVT_BUILD_DIR)));
    QVERIFY(QCoreApplication::installTranslator(&en));
    // taken out again however the test ends
    const std::unique_ptr<QTranslator, bool (*)(QTranslator *)> installed(
        &en, &QCoreApplication::removeTranslator);
    QFETCH(QString, server);
    SettingsFile file;
    file.values = {{"monitoringServerEdit", server}, {"roaming1Check", true}};
    QVERIFY(run->start(file, dir.filePath(QStringLiteral("fleet.json")),
                       QStringLiteral("482915"), false, nullptr));
    QSignalSpy progress(run, &BatchRun::progress);
    if (server == QLatin1String("fleet")) {
        QVERIFY(!setUp(QStringLiteral("300100")).isEmpty());
        // the server taken, the roaming flag not
        record(QString::fromLatin1(reported).replace(QLatin1String("#1=track"),
                                                     QLatin1String("#1=fleet")));
    } else {
        QCOMPARE(setUp(QStringLiteral("300100")), QString());
    }
    QFETCH(QString, journalled);
    QCOMPARE(lastResult(), journalled);
    QVERIFY(!progress.isEmpty());
    QFETCH(QString, said);
    const QString last = progress.last().at(0).toString();
    QVERIFY2(last.startsWith(said), qPrintable(last));
}

// A journal that can no longer be written stops the run: the next terminal is not touched.
void TestSettingsBatchRun::journalLostStopsTheRun()
{
    const QString written = setUp(QStringLiteral("300100"));
    QVERIFY(QFile::remove(journal()));
    QVERIFY(QDir().mkdir(journal()));   // in its place, something no line can go into
    QSignalSpy failed(run, &BatchRun::journalFailed);
    record(written.mid(12));
    QCOMPARE(failed.count(), 1);
    QVERIFY(!run->isRunning());
    QCOMPARE(setUp(QStringLiteral("300101")), QString());
    QCOMPARE(sent, QStringList());
    QVERIFY(QDir().rmdir(journal()));
}

QTEST_GUILESS_MAIN(TestSettingsBatchRun)
#include "tst_settings_batchrun.moc"
