// The settings writer without a window: the lines it sends, and how every write ends, with
// a line that records what is sent and settings records fed in by hand.

#include "settings/core_settingswriter.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

// A terminal set to KVA-CAN with a few values; the settings record reports them back.
TerminalSettings someSettings()
{
    SettingsForm f;
    f[SettingsField::AccessPassword] = QStringLiteral("482915");
    f[SettingsField::Server] = QStringLiteral("srv");
    f[SettingsField::Port] = QStringLiteral("80");
    f[SettingsField::CanProgram] = QStringLiteral("105");
    f.in0 = f.in1 = f.in2 = QStringLiteral("No");
    f.oneWireText = QStringLiteral("1Wire");
    f.rs485Index = 2;
    f.canParamsOn = f.canProgramOn = true;
    f.canParams[1] = true;
    return settingsFromForm(f);
}

const char someBody[] = "#1=srv,80#2=,,#4=#5=,,,#6=0,,#7=,,#8=#9=N,N,N#10=2,#11=7,30#12=105#15=0,0";

} // namespace

class TestSettingsWriter : public QObject
{
    Q_OBJECT

private:
    QStringList sent;
    SettingsWriter *writer = nullptr;
    void report(const QString &text) { writer->settingsReported(readTerminalSettings(text)); }

private slots:
    void init()
    {
        sent.clear();
        writer = new SettingsWriter([this](const QString &line) { sent << line; });
        writer->setTimeout(200);
    }
    void cleanup() { delete writer; }

    void outcome_data();
    void outcome();
    void laterRecordsAreChecked();
    void nothingCheckedBeforeAWrite();
    void newTerminalEndsTheWait();
    void aNewWriteReplacesTheOneWaiting();
};

void TestSettingsWriter::outcome_data()
{
    QTest::addColumn<QString>("answer"); // null: no settings record at all
    QTest::addColumn<WriteOutcome>("outcome");
    QTest::addColumn<QStringList>("differing");
    const QString body = QString::fromLatin1(someBody);
    QTest::newRow("as written") << body << WriteOutcome::Confirmed << QStringList();
    QTest::newRow("items backwards, items of its own")
        << "#14=1#15=0,0#12=105#11=7,30#10=2#9=N,N,N#8=#7=,,#6=0,,#5=,,,#4=#2=,,#1=srv,80"
        << WriteOutcome::Confirmed << QStringList();
    QTest::newRow("a value changed") << QString(body).replace("#1=srv,80", "#1=srv,81")
                                     << WriteOutcome::NotConfirmed
                                     << QStringList{"monitoringPortEdit"};
    QTest::newRow("an item left out") << QString(body).remove("#12=105")
                                      << WriteOutcome::NotConfirmed
                                      << QStringList{"canProgramEdit"};
    QTest::newRow("a CAN code missing") << QString(body).replace("#10=2,", "#10=")
                                        << WriteOutcome::NotConfirmed
                                        << QStringList{"canParamsGroup"};
    QTest::newRow("no answer") << QString() << WriteOutcome::NoAnswer << QStringList();
}

void TestSettingsWriter::outcome()
{
    QFETCH(QString, answer);
    QFETCH(WriteOutcome, outcome);
    QFETCH(QStringList, differing);
    QSignalSpy finished(writer, &SettingsWriter::finished);
    writer->write(someSettings());
    // the settings string, then the request whose answer confirms it
    QCOMPARE(sent, (QStringList{QStringLiteral("482915*SETP*") + someBody, ">D 15;0"}));
    QVERIFY(writer->isWaiting());
    if (!answer.isNull())
        report(answer);
    else
        QVERIFY(finished.wait(1000));
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).value<WriteOutcome>(), outcome);
    QCOMPARE(finished.at(0).at(1).toStringList(), differing);
    QVERIFY(!writer->isWaiting());
    // the wait is over: no second outcome, whatever comes
    QTest::qWait(300);
    report(QString::fromLatin1(someBody));
    QCOMPARE(finished.count(), 1);
    QCOMPARE(sent.size(), 2);
}

// A record after the write's end is checked all the same; it ends nothing.
void TestSettingsWriter::laterRecordsAreChecked()
{
    QSignalSpy checked(writer, &SettingsWriter::checked);
    writer->write(someSettings());
    report(QString::fromLatin1(someBody));
    report(QStringLiteral("#1=other,80"));
    report(QString::fromLatin1(someBody));
    QCOMPARE(checked.count(), 3);
    QCOMPARE(checked.at(0).at(0).toBool(), true);
    QCOMPARE(checked.at(1).at(0).toBool(), false);
    QCOMPARE(checked.at(2).at(0).toBool(), true);
}

void TestSettingsWriter::nothingCheckedBeforeAWrite()
{
    QSignalSpy checked(writer, &SettingsWriter::checked);
    QSignalSpy finished(writer, &SettingsWriter::finished);
    report(QString::fromLatin1(someBody));
    writer->requestSettings();
    QCOMPARE(sent, QStringList{">D 15;0"});
    QCOMPARE(checked.count() + finished.count(), 0);
}

// The terminal went and another came: the write waiting ends unanswered at once, and the
// records of the new terminal are not checked against it.
void TestSettingsWriter::newTerminalEndsTheWait()
{
    QSignalSpy checked(writer, &SettingsWriter::checked);
    QSignalSpy finished(writer, &SettingsWriter::finished);
    writer->write(someSettings());
    writer->terminalConnected();
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).value<WriteOutcome>(), WriteOutcome::NoAnswer);
    report(QString::fromLatin1(someBody));
    QTest::qWait(300);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(checked.count(), 0);
}

void TestSettingsWriter::aNewWriteReplacesTheOneWaiting()
{
    QSignalSpy finished(writer, &SettingsWriter::finished);
    TerminalSettings first = someSettings();
    first[SettingsField::Server] = QStringLiteral("first");
    writer->write(first);
    writer->write(someSettings());
    QCOMPARE(sent.size(), 4);
    // checked against the second only, and ended once
    report(QString::fromLatin1(someBody));
    QTest::qWait(300);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).value<WriteOutcome>(), WriteOutcome::Confirmed);
}

QTEST_GUILESS_MAIN(TestSettingsWriter)
#include "tst_settings_writer.moc"
