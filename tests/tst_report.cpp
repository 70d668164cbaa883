// The installation report: the check list judged from the records, the report file with the
// pages as shown and the secrets masked, the PDF looked at as a picture, the action of the
// window, and a report of the simulated terminal.
#include "charts/chartspanel.h"
#include "report/core_installationchecks.h"
#include "report/installationreport.h"
#include "report/pagesnapshot.h"
#include "testutil.h"
#include "tst_status_util.h"

#include <QAction>
#include <QGroupBox>
#include <QProcess>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

Q_DECLARE_METATYPE(InstallationCheck)
Q_DECLARE_METATYPE(CheckResult)

namespace {

// The records of a terminal installed as it should be: identity, fix, server link, supply,
// settings (with secrets), the configured inputs, a fuel sensor, a 1-Wire sensor, CAN data.
const QByteArrayList goodInstallation = {
    "DI=31;0;70",
    "DN=201745",
    "MN=866104023456789",
    "PB=12450;4100",
    "GS=9;0;140;9;90",
    "GK=55.751244;37.618423",
    "MS=7",
    "ML=30;250;01",
    "APN=internet.mts.ru;mts;SECRET3",
    "ST=#1=track.example.org,20332#2=internet.mts.ru,mts,SECRET1#4=4711#5=300,15,20,60"
    "#6=0,60,10#7=internet.beeline.ru,beeline,SECRET2#8=#9=D,A,N#10=2,3,4,5,6,7,8,#11=7,30"
    "#12=113#15=0,0",
    "ID0=1",
    "IA1=12.5",
    "LLS=1;3;1500;21",
    "OWT=0;28FF6A1B63160317;21.5",
    "C#=113;51200;12",
};

// The window with the report's questions answered by the test.
class ReportWindow : public MainWindow
{
public:
    QString fileName;
    QString note;
    bool noteGiven = true;
    int fileAsked = 0;
    int noteAsked = 0;
    QStringList opened;   // the reports "Открыть" was pressed for

protected:
    QString reportFileName() override
    {
        ++fileAsked;
        return fileName;
    }
    QString reportNote(bool *ok) override
    {
        ++noteAsked;
        *ok = noteGiven;
        return note;
    }
    QString reportVehicle(const QString &, bool *ok) override
    {
        *ok = true;
        return QString();
    }
    void openReport(const QString &file) override { opened << file; }
};

// The text of each page of a PDF, by pdftotext; empty when poppler-utils are not there.
QStringList pdfPageTexts(const QString &file)
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    QStringList pages;
    if (pdftotext.isEmpty())
        return pages;
    for (int page = 1;; ++page) {
        QProcess p;
        p.start(pdftotext, {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                            QString::number(page), file, QStringLiteral("-")});
        if (!p.waitForFinished(20000) || p.exitCode() != 0)
            break;
        pages << QString::fromUtf8(p.readAllStandardOutput());
    }
    return pages;
}

InstallationChecks checksAfter(const QByteArrayList &lines)
{
    InstallationChecks checks;
    for (const QByteArray &line : lines) {
        const RecordLine r = recordLine(line);
        checks.observe(classifyRecord(r.name), r);
    }
    return checks;
}

QAction *reportActionOf(MainWindow &w)
{
    return w.findChild<QAction *>(QStringLiteral("reportAction"));
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The share of pixels that are not white.
double inkShare(const QImage &image)
{
    const QImage img = image.convertToFormat(QImage::Format_RGB32);
    qint64 ink = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qGray(img.pixel(x, y)) < 200)
                ++ink;
    return double(ink) / double(qMax(1, img.width() * img.height()));
}

// A few minutes of records on the charts' own clock, a round every 2 s.
void feedMinutes(MainWindow &w, qint64 &clock, int minutes)
{
    for (int s = 0; s < minutes * 60; s += 2) {
        clock += 2000;
        const int wave = (s / 2) % 60;
        feed(w, QStringLiteral("PB=%1;4100").arg(12400 + wave * 10).toLatin1());
        feed(w, QStringLiteral("ML=%1;250;01").arg(18 + wave / 10).toLatin1());
        feed(w, QStringLiteral("GS=%1;%2;140;%3;90").arg(8 + wave / 15).arg(wave).arg(9).toLatin1());
        feed(w, QStringLiteral("LLS=1;3;%1;21").arg(1500 - s / 4).toLatin1());
        feed(w, QStringLiteral("CH=%1").arg(800 + wave * 20).toLatin1());
    }
}

} // namespace

class TestReport : public QObject
{
    Q_OBJECT

private slots:
    void checkList_data();
    void checkList();
    void newConnectionForgets();
    void settingsOfReconnectedTerminal_data();
    void settingsOfReconnectedTerminal();
    void packPages_data();
    void packPages();
    void savedReportOffersToOpen();
    void groupsAsShown();
    void reportFile_data();
    void reportFile();
    void actionAndQuestions();
    void unwritableFileWarns();
    void simulatedTerminalPasses();
};

void TestReport::checkList_data()
{
    using C = InstallationCheck;
    using R = CheckResult;
    QTest::addColumn<QByteArrayList>("records");
    QTest::addColumn<InstallationCheck>("check");
    QTest::addColumn<CheckResult>("result");
    QTest::addColumn<QString>("detail");   // a part of the detail

    QTest::newRow("fix: nothing seen") << QByteArrayList{"GK=55.7;37.6"} << C::GnssFix << R::NotSeen << "GS";
    QTest::newRow("fix arrives") << QByteArrayList{"GS=2", "GS=7"} << C::GnssFix << R::Passed
                                 << "наибольшее 7, последнее 7";
    QTest::newRow("fix of 4 is enough") << QByteArrayList{"GS=4"} << C::GnssFix << R::Passed << "4";
    QTest::newRow("fix lost later") << QByteArrayList{"GS=8", "GS=0"} << C::GnssFix << R::Passed
                                    << "наибольшее 8, последнее 0";
    QTest::newRow("negative satellites: no count") << QByteArrayList{"GS=5", "GS=-2"} << C::GnssFix
                                                    << R::Passed << "последнее 5";
    QTest::newRow("fuel level up to a NUL: no number")
        << QByteArrayList{QByteArray("LLS=1;3;1500\0;21", 16)} << C::FuelSensors << R::Failed
        << "ДУТ 3: нет ответа";
    QTest::newRow("too few satellites") << QByteArrayList{"GS=3", "GS=x"} << C::GnssFix << R::Failed
                                        << "наибольшее 3";
    QTest::newRow("registered") << QByteArrayList{"MS=1", "MS=2"} << C::GsmRegistered << R::Passed
                                << "Пройдена";
    QTest::newRow("searching only") << QByteArrayList{"MS=1"} << C::GsmRegistered << R::Failed
                                    << "Поиск";
    QTest::newRow("gprs checking only") << QByteArrayList{"MS=3"} << C::GprsActive << R::Failed
                                        << "Проверка";
    QTest::newRow("gprs active") << QByteArrayList{"MS=4", "MS=1"} << C::GprsActive << R::Passed
                                 << "последнее 1";
    QTest::newRow("server answers") << QByteArrayList{"MS=5", "MS=6", "MS=7"} << C::ServerAnswering
                                    << R::Passed << "Получен";
    QTest::newRow("no server answer") << QByteArrayList{"MS=5", "MS=6"} << C::ServerAnswering
                                      << R::Failed << "Ожидание";
    QTest::newRow("modem state out of range") << QByteArrayList{"MS=9", "MS=-1"} << C::ServerAnswering
                                              << R::NotSeen << "MS";
    QTest::newRow("voltage within range") << QByteArrayList{"PB=12450;4100", "PB=13800"}
                                          << C::SupplyVoltage << R::Passed << "наибольшее 13.80 В";
    QTest::newRow("voltage at the limits") << QByteArrayList{"PB=9000", "PB=32000"}
                                           << C::SupplyVoltage << R::Passed << "наименьшее 9.00 В";
    QTest::newRow("voltage sags once") << QByteArrayList{"PB=12450", "PB=8999", "PB=12400"}
                                       << C::SupplyVoltage << R::Failed << "вне пределов 1 из 3";
    QTest::newRow("voltage too high") << QByteArrayList{"PB=32001"} << C::SupplyVoltage
                                      << R::Failed << "32.00 В";
    QTest::newRow("no supply reading") << QByteArrayList{"PB=;4100", "PB=abc"} << C::SupplyVoltage
                                       << R::NotSeen << "PB";
    QTest::newRow("configured inputs seen") << QByteArrayList{"ST=#9=D,A,N", "ID0=0", "IA1=12.5"}
                                            << C::Inputs << R::Passed << "IN0 (Discrete), IN1 (ADC)";
    QTest::newRow("configured input missing")
        << QByteArrayList{"ID0=1", "ST=#9=D,A,D", "IA3=1"} << C::Inputs << R::Failed
        << "нет данных: IN1 (ADC), IN2 (Discrete)";
    QTest::newRow("input modes unknown") << QByteArrayList{"ID0=1", "ST=#1=srv,1"} << C::Inputs
                                         << R::NotSeen << "получены: IN0";
    QTest::newRow("no input configured") << QByteArrayList{"ST=#9=N,N,O"} << C::Inputs << R::Passed
                                         << "ни один";
    QTest::newRow("fuel sensor answers") << QByteArrayList{"LLS=1;3;1500;21"} << C::FuelSensors
                                         << R::Passed << "ДУТ 3: 1500";
    QTest::newRow("empty tank") << QByteArrayList{"LLS=1;2;0;18"} << C::FuelSensors << R::Passed
                                << "ДУТ 2: 0";
    QTest::newRow("fuel sensor comes back") << QByteArrayList{"LLS=1;0;;14", "LLS=1;0;800;14"}
                                            << C::FuelSensors << R::Passed << "ДУТ 0: 800";
    QTest::newRow("fuel sensor silent") << QByteArrayList{"LLS=1;0;1500;14", "LLS=1;1;-1;0"}
                                        << C::FuelSensors << R::Failed << "ДУТ 1: нет ответа";
    QTest::newRow("fuel sensors expected") << QByteArrayList{"ST=#11=5,30", "LLS=1;7;1500;14"}
                                           << C::FuelSensors << R::Failed << "RS485";
    QTest::newRow("no fuel sensor") << QByteArrayList{"ST=#11=0,30"} << C::FuelSensors
                                    << R::NotSeen << "LLS";
    QTest::newRow("thermometer answers") << QByteArrayList{"OWT=0;28FF6A1B63160317;21.5"}
                                         << C::OneWire << R::Passed << "термодатчик 0: 21.5";
    QTest::newRow("thermometer without address")
        << QByteArrayList{"OWT=1;28FF1C2D64160422;20", "OWT=0;0000000000000000;85"} << C::OneWire
        << R::Failed << "термодатчик 0: нет ответа";
    QTest::newRow("key read") << QByteArrayList{"OWK=0;01A2F3B4000000C7", "OWK=0;"} << C::OneWire
                              << R::Passed << "ключ 01A2F3B4000000C7";
    QTest::newRow("no key put to the reader") << QByteArrayList{"OWK=0;0000000000000000", "OWK=1;5"}
                                              << C::OneWire << R::NotSeen << "OWT";
    QTest::newRow("CAN valid") << QByteArrayList{"C#=113;120;3"} << C::CanData << R::Passed
                               << "120 / 3";
    QTest::newRow("CAN only invalid") << QByteArrayList{"C#=113;120;3", "C#=113;0;57"}
                                      << C::CanData << R::Failed << "0 / 57";
    QTest::newRow("CAN adapter silent") << QByteArrayList{"ST=#11=7,30", "CH=800"} << C::CanData
                                        << R::Failed << "KVA-CAN";
    QTest::newRow("no CAN") << QByteArrayList{"CH=800"} << C::CanData << R::NotSeen << "C#";
}

void TestReport::checkList()
{
    QFETCH(QByteArrayList, records);
    QFETCH(InstallationCheck, check);
    QFETCH(CheckResult, result);
    QFETCH(QString, detail);
    const CheckOutcome outcome = checksAfter(records).evaluate(check);
    QCOMPARE(outcome.check, check);
    QVERIFY2(outcome.result == result, qPrintable(InstallationChecks::resultText(outcome.result)
                                                  + QLatin1String(": ") + outcome.detail));
    QVERIFY2(outcome.detail.contains(detail), qPrintable(outcome.detail));
}

// The checks judge one connection: a new one starts from nothing, in the window as well.
void TestReport::newConnectionForgets()
{
    Pty pty;
    ReportWindow w;
    connectTo(w, pty.slavePath);
    feedAll(w, goodInstallation);
    const InstallationChecks &seen = w.installationReport()->checks();
    for (const CheckOutcome &o : seen.evaluate())
        QVERIFY2(o.result == CheckResult::Passed, qPrintable(InstallationChecks::checkName(o.check)));
    w.closeSerialPort();
    connectTo(w, pty.slavePath);
    QVERIFY(w.serialPort()->isOpen());
    for (const CheckOutcome &o : seen.evaluate())
        QVERIFY2(o.result == CheckResult::NotSeen, qPrintable(InstallationChecks::checkName(o.check)));
    QCOMPARE(w.installationReport()->collect(QString()).settingsReadAt.isValid(), false);
}

// The sections come from the widgets: form rows, grids with their header, bars, check boxes,
// and the secrets masked.
void TestReport::groupsAsShown()
{
    Pty pty;
    ReportWindow w;
    connectTo(w, pty.slavePath);
    feedAll(w, goodInstallation);
    const ReportContent c = w.installationReport()->collect(QStringLiteral("note"));

    auto section = [](const QVector<ReportSection> &sections, const QString &title) {
        for (const ReportSection &s : sections)
            if (s.title == title)
                return s;
        return ReportSection();
    };
    const ReportSection general = section(c.status, QStringLiteral("Общая информация"));
    QCOMPARE(general.rows.size(), 10);
    QCOMPARE(general.rows.at(0), (QStringList{"Модель", "KVT3"}));
    QCOMPARE(general.rows.at(3), (QStringList{"Версия ПО", "0.70"}));
    const ReportSection gsm = section(c.status, QStringLiteral("GSM"));
    QVERIFY(gsm.rows.contains({"Уровень сигнала", "96%"}));
    QVERIFY(gsm.rows.contains({"APN пароль", maskedText()}));
    QVERIFY(gsm.rows.contains({"Ответ от сервера", "Получен"}));
    const ReportSection fuel = section(c.status, QStringLiteral("Датчики уровня топлива (RS232/RS485)"));
    QVERIFY(fuel.headerRow);
    QCOMPARE(fuel.rows.at(0), (QStringList{"", "Уровень", "Температура"}));
    QCOMPARE(fuel.rows.at(4), (QStringList{"ДУТ 3", "1500", "21"}));
    QCOMPARE(fuel.rows.size(), 8);
    // every group of the page, the sensor panel's included, in reading order
    QStringList titles;
    for (const ReportSection &s : c.status)
        titles << s.title;
    QCOMPARE(titles.mid(0, 5), (QStringList{"Общая информация", "Статусы устройства", "Питание",
                                            "GSM", "GPS / ГЛОНАСС"}));
    QVERIFY(titles.contains(QStringLiteral("Данные с CAN шины")));
    QCOMPARE(c.status.size(), w.findChild<QGroupBox *>(QStringLiteral("statusPage"))
                                  ->findChildren<QGroupBox *>().size());

    // the settings as read: the CAN parameter boxes (box left, caption right), lists, secrets
    QVERIFY(c.settingsReadAt.isValid());
    const ReportSection can = section(c.settings, QStringLiteral("Параметры CAN"));
    QVERIFY(can.rows.contains({"Полный пробег", "да"}));
    QVERIFY(can.rows.contains({"Security flags", "нет"}));
    const ReportSection sim1 = section(c.settings, QStringLiteral("Сим карта 1"));
    QVERIFY(sim1.rows.contains({"APN1", "internet.mts.ru"}));
    QVERIFY(sim1.rows.contains({"Пароль1", maskedText()}));
    QVERIFY(sim1.rows.contains({"ПИН1", maskedText()}));
    QVERIFY(section(c.settings, QStringLiteral("Интерфейсы")).rows.contains({"RS485", "KVA-CAN"}));
    QCOMPARE(section(c.settings, QStringLiteral("Записать")).rows.size(), 0);

    // what the page shows after the read does not change the settings as read
    w.findChild<QLineEdit *>(QStringLiteral("apn1Edit"))->setText(QStringLiteral("edited"));
    const ReportContent later = w.installationReport()->collect(QString());
    QVERIFY(section(later.settings, QStringLiteral("Сим карта 1")).rows.contains({"APN1", "internet.mts.ru"}));
}

// Settings read from a terminal earlier in the run count after a reconnection while that
// terminal's serial number is the one reported again, never for another terminal.
void TestReport::settingsOfReconnectedTerminal_data()
{
    QTest::addColumn<QByteArrayList>("first");    // the first connection
    QTest::addColumn<QByteArrayList>("second");   // after the reconnection
    QTest::addColumn<CheckResult>("inputs");
    QTest::addColumn<bool>("settingsShown");
    QTest::addColumn<QString>("apn");   // APN1 in the report's settings, when shown

    const QByteArray settings = "ST=#2=internet.mts.ru,mts,SECRET1#9=D,A,N";
    QTest::newRow("same terminal") << QByteArrayList{"DN=201745", settings}
                                   << QByteArrayList{"DN=201745", "ID0=1", "IA1=12"}
                                   << CheckResult::Passed << true << "internet.mts.ru";
    QTest::newRow("another terminal") << QByteArrayList{"DN=201745", settings}
                                      << QByteArrayList{"DN=201999", "ID0=1", "IA1=12"}
                                      << CheckResult::NotSeen << false << "";
    QTest::newRow("no serial number now") << QByteArrayList{"DN=201745", settings}
                                          << QByteArrayList{"ID0=1", "IA1=12"}
                                          << CheckResult::NotSeen << false << "";
    QTest::newRow("read again: the new settings count")
        << QByteArrayList{"DN=201745", settings}
        << QByteArrayList{"DN=201745", "ST=#2=internet.beeline.ru,b,x#9=N,N,D", "ID0=1"}
        << CheckResult::Failed << true << "internet.beeline.ru";
}

void TestReport::settingsOfReconnectedTerminal()
{
    QFETCH(QByteArrayList, first);
    QFETCH(QByteArrayList, second);
    QFETCH(CheckResult, inputs);
    QFETCH(bool, settingsShown);
    QFETCH(QString, apn);
    Pty pty;
    ReportWindow w;
    connectTo(w, pty.slavePath);
    feedAll(w, first);
    w.closeSerialPort();
    connectTo(w, pty.slavePath);
    QVERIFY(w.serialPort()->isOpen());
    feedAll(w, second);

    const CheckOutcome outcome = w.installationReport()->checks().evaluate(InstallationCheck::Inputs);
    QVERIFY2(outcome.result == inputs, qPrintable(outcome.detail));
    const ReportContent c = w.installationReport()->collect(QString());
    QCOMPARE(c.settingsReadAt.isValid(), settingsShown);
    QCOMPARE(c.settings.isEmpty(), !settingsShown);
    if (settingsShown) {
        bool found = false;
        for (const ReportSection &section : c.settings)
            found = found || section.rows.contains({QStringLiteral("APN1"), apn});
        QVERIFY2(found, qPrintable(apn));
    }
    QCOMPARE(ReportDocument::html(c, QString()).contains(QStringLiteral("настройки не читались")),
             !settingsShown);
}

// Blocks as "F<height>" (the whole width), "K<height>" (a heading kept with what follows)
// and "H<height>" (a group in a column), on pages 1000 high with a gap of 10; each place as
// "page:column:top".
void TestReport::packPages_data()
{
    QTest::addColumn<QString>("blocks");
    QTest::addColumn<QString>("places");
    QTest::newRow("groups fill both columns before a new page")
        << "F100 K20 H400 H400 H400 H400 H400"
        << "0:-1:0 0:-1:110 0:0:140 0:1:140 0:0:550 0:1:550 1:0:0";
    QTest::newRow("a heading goes with its group to the next page")
        << "F900 K50 H200" << "0:-1:0 1:-1:0 1:0:60";
    QTest::newRow("what follows groups goes under the taller column")
        << "H300 H500 F100 K20 H100" << "0:0:0 0:1:0 0:-1:510 0:-1:620 0:0:650";
    QTest::newRow("a group with no room lets a smaller one go first")
        << "F600 H500 H100 H300" << "0:-1:0 1:0:0 0:0:610 0:1:610";
    QTest::newRow("a block taller than a page runs on")
        << "F2500 F100 H100" << "0:-1:0 2:-1:510 2:0:620";
}

void TestReport::packPages()
{
    QFETCH(QString, blocks);
    QFETCH(QString, places);
    QVector<PdfBlock> list;
    for (const QString &b : blocks.split(QLatin1Char(' ')))
        list.append({b.midRef(1).toDouble(), b.startsWith(QLatin1Char('H')),
                     b.startsWith(QLatin1Char('K'))});
    QStringList got;
    for (const PdfPlace &p : ReportDocument::packPages(list, 1000, 10))
        got << QStringLiteral("%1:%2:%3").arg(p.page).arg(p.column).arg(p.top);
    QCOMPARE(got.join(QLatin1Char(' ')), places);
}

// The saved report's box names the file and opens it on "Открыть".
void TestReport::savedReportOffersToOpen()
{
    QTemporaryDir dir;
    Pty pty;
    ReportWindow w;
    connectTo(w, pty.slavePath);
    w.fileName = dir.filePath(QStringLiteral("opened.html"));
    ModalCloser presser;
    presser.buttonName = QStringLiteral("openReportButton");
    reportActionOf(w)->trigger();
    QCOMPARE(presser.texts.size(), 1);
    QVERIFY2(presser.texts.first().contains(QDir::toNativeSeparators(w.fileName)),
             qPrintable(presser.texts.first()));
    QCOMPARE(w.opened, QStringList{w.fileName});
}

void TestReport::reportFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("html") << "report.html";
    QTest::newRow("pdf") << "report.PDF";
}

void TestReport::reportFile()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    Pty pty;
    ReportWindow w;
    connectTo(w, pty.slavePath);
    qint64 clock = 1700000000000;
    w.chartsPanel()->setClock([&clock] { return clock; });
    feedAll(w, goodInstallation);
    feedMinutes(w, clock, 6);
    w.fileName = dir.filePath(name);
    w.note = QStringLiteral("Газель А123ВС, <под панелью> & реле блокировки");
    {
        ModalCloser closer;
        reportActionOf(w)->trigger();
        QCOMPARE(closer.texts.size(), 1);
        QVERIFY2(closer.texts.first().contains(w.fileName), qPrintable(closer.texts.first()));
    }
    QVERIFY(w.opened.isEmpty());
    QCOMPARE(w.noteAsked, 1);
    QVERIFY2(w.statusBar()->currentMessage().contains(QStringLiteral("Отчёт сохранён")),
             qPrintable(w.statusBar()->currentMessage()));
    const QByteArray bytes = readAll(w.fileName);

    QString text;
    if (name.endsWith(QLatin1String(".html"))) {
        text = QString::fromUtf8(bytes);
        QVERIFY(text.contains(QStringLiteral("&lt;под панелью&gt; &amp; реле")));
        QVERIFY(text.contains(QStringLiteral("<img src=\"data:image/png;base64,")));
        QVERIFY(text.contains(QStringLiteral(">Спутники</td><td>")));
        QVERIFY(text.contains(QStringLiteral("Регистрация в сети GSM</td><td class=\"passed\"")));
    } else {
        QVERIFY(bytes.startsWith("%PDF"));
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
        if (pdftoppm.isEmpty() || pdftotext.isEmpty())
            QSKIP("poppler-utils (pdftoppm, pdftotext) are not installed");
        QProcess toText;
        toText.start(pdftotext, {w.fileName, QStringLiteral("-")});
        QVERIFY(toText.waitForFinished(20000));
        text = QString::fromUtf8(toText.readAllStandardOutput());

        // the first page as a picture: there, and not blank
        const QString prefix = dir.filePath(QStringLiteral("page"));
        QCOMPARE(QProcess::execute(pdftoppm, {QStringLiteral("-r"), QStringLiteral("80"),
                                              QStringLiteral("-png"), w.fileName, prefix}),
                 0);
        const QStringList pages = QDir(dir.path()).entryList({QStringLiteral("page*.png")},
                                                             QDir::Files, QDir::Name);
        QVERIFY2(pages.size() >= 2, qPrintable(pages.join(QLatin1Char(' '))));
        for (int i = 0; i < pages.size(); ++i)
            QImage(dir.filePath(pages.at(i)))
                .save(QStringLiteral(KVT_BUILD_DIR "/report-page%1.png").arg(i + 1));
        const QImage first(dir.filePath(pages.first()));
        QVERIFY(!first.isNull());
        QVERIFY2(inkShare(first) > 0.02, qPrintable(QString::number(inkShare(first))));
        // the page with the charts has their colours
        const QImage last(dir.filePath(pages.last()));
        QVERIFY2(inkShare(last) > 0.02, qPrintable(QString::number(inkShare(last))));
        QVERIFY(text.contains(QStringLiteral("<под панелью> & реле")));

        // each group's table on one page: its title and every caption of its rows
        const QStringList pageTexts = pdfPageTexts(w.fileName);
        QCOMPARE(pageTexts.size(), pages.size());
        const ReportContent c = w.installationReport()->collect(QString());
        int checked = 0;
        for (const ReportSection &section : c.status + c.settings) {
            QVector<int> titlePages;
            for (int p = 0; p < pageTexts.size(); ++p)
                if (pageTexts.at(p).split(QLatin1Char('\n')).contains(section.title))
                    titlePages << p;
            if (titlePages.size() != 1 || section.rows.isEmpty())
                continue;   // a title that is also the text of a field says nothing
            // (a long caption may wrap in its cell; "fl" may come out as a ligature)
            const QString page = pageTexts.at(titlePages.first())
                                     .simplified()
                                     .replace(QChar(0xFB02), QLatin1String("fl"))
                                     .replace(QChar(0xFB01), QLatin1String("fi"));
            for (const QStringList &cells : section.rows)
                if (!cells.first().trimmed().isEmpty())
                    QVERIFY2(page.contains(cells.first().simplified()),
                             qPrintable(section.title + QLatin1String(": ") + cells.first()));
            ++checked;
        }
        QVERIFY2(checked >= 15, qPrintable(QString::number(checked)));
        // the pages before the last are filled (the page number at the foot aside)
        for (int i = 0; i + 1 < pages.size(); ++i) {
            const QImage page = QImage(dir.filePath(pages.at(i))).convertToFormat(QImage::Format_RGB32);
            int lowest = 0;
            for (int y = 0; y < page.height() * 88 / 100; ++y)
                for (int x = 0; x < page.width(); ++x)
                    if (qGray(page.pixel(x, y)) < 200)
                        lowest = y;
            QVERIFY2(lowest > page.height() / 2,
                     qPrintable(QStringLiteral("page %1 ends at %2 of %3").arg(i + 1).arg(lowest).arg(page.height())));
        }
    }
    for (const char *shown : {"Отчёт об установке терминала 201745", "KVT3", "866104023456789",
                              "0.70", "Общая информация", "Статусы устройства", "GPS / ГЛОНАСС",
                              "Данные с CAN шины", "Сим карта 2", "internet.beeline.ru",
                              "Пройдено", "Внешнее напряжение от 9 до 32 В", "********"})
        QVERIFY2(text.contains(QString::fromUtf8(shown)), shown);
    // (the picture's data, letters and digits at random, is no place to look for them)
    text.remove(QRegularExpression(QStringLiteral("data:image/png;base64,[A-Za-z0-9+/=]+")));
    for (const char *secret : {"SECRET1", "SECRET2", "SECRET3", "482915", "4711"})
        QVERIFY2(!text.contains(QLatin1String(secret)), secret);
}

// Disabled until a terminal was connected, then enabled for the rest of the run; a question
// given up writes nothing.
void TestReport::actionAndQuestions()
{
    QTemporaryDir dir;
    Pty pty;
    ReportWindow w;
    QAction *action = reportActionOf(w);
    QVERIFY(action);
    QCOMPARE(action->text(), QStringLiteral("Отчёт…"));
    QVERIFY(!action->isEnabled());
    QVERIFY(w.findChild<QToolBar *>(QStringLiteral("mainToolBar"))->actions().contains(action));
    w.saveReport();
    QCOMPARE(w.fileAsked, 0);

    connectTo(w, pty.slavePath);
    QVERIFY(action->isEnabled());
    w.fileName.clear();
    action->trigger();
    QCOMPARE(w.fileAsked, 1);
    QCOMPARE(w.noteAsked, 0);

    w.fileName = dir.filePath(QStringLiteral("cancelled.html"));
    w.noteGiven = false;
    action->trigger();
    QCOMPARE(w.noteAsked, 1);
    QVERIFY(!QFile::exists(w.fileName));

    w.closeSerialPort();
    QVERIFY(action->isEnabled());
    w.noteGiven = true;
    ModalCloser closer;
    action->trigger();
    QVERIFY(QFile::exists(w.fileName));
    QCOMPARE(closer.titles, QStringList{QStringLiteral("Отчёт об установке")});
}

void TestReport::unwritableFileWarns()
{
    Pty pty;
    ReportWindow w;
    connectTo(w, pty.slavePath);
    for (const char *name : {"/nonexistent-folder/report.pdf", "/nonexistent-folder/report.html"}) {
        w.fileName = QString::fromLatin1(name);
        ModalCloser closer;
        reportActionOf(w)->trigger();
        QTRY_COMPARE(closer.titles.size(), 1);
        QCOMPARE(closer.titles.first(), QStringLiteral("Отчёт об установке"));
        QVERIFY2(closer.texts.first().contains(w.fileName), qPrintable(closer.texts.first()));
        QVERIFY(!w.statusBar()->currentMessage().contains(QStringLiteral("сохранён")));
    }
    // a full disk: the report that was there stays as it was, nothing is left beside it
    QTemporaryDir dir;
    for (const char *name : {"report.pdf", "report.html"}) {
        w.fileName = dir.filePath(QLatin1String(name));
        QFile old(w.fileName);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("the report saved before");
        old.close();
        ModalCloser closer;
        {
            FileSizeLimit limit(1024);
            reportActionOf(w)->trigger();
        }
        QTRY_COMPARE(closer.titles.size(), 1);
        QVERIFY2(closer.texts.first().contains(w.fileName)
                     && closer.texts.first().contains(QStringLiteral("File too large")),
                 qPrintable(closer.texts.first()));
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("the report saved before"));
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             (QStringList{"report.html", "report.pdf"}));
    QVERIFY(w.opened.isEmpty());
}

// A terminal that works as it should passes every check, its settings read through the page.
void TestReport::simulatedTerminalPasses()
{
#ifndef KVT_SIM_PATH
    QSKIP("the terminal simulator is built on POSIX systems only");
#else
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("port"));
    QProcess sim;
    QVERIFY(startSimulator(sim, link, {QStringLiteral("--rate"), QStringLiteral("100")}));

    ReportWindow w;
    w.show();
    connectTo(w, link);
    QVERIFY(w.serialPort()->isOpen());
    w.get_settings();
    const InstallationChecks &checks = w.installationReport()->checks();
    auto failing = [&checks] {
        QStringList names;
        for (const CheckOutcome &o : checks.evaluate())
            if (o.result != CheckResult::Passed)
                names << InstallationChecks::checkName(o.check) + QLatin1String(": ") + o.detail;
        return names.join(QLatin1String(" | "));
    };
    QTRY_COMPARE_WITH_TIMEOUT(failing(), QString(), 8000);
    w.fileName = dir.filePath(QStringLiteral("sim.html"));
    w.note = QStringLiteral("simulator");
    ModalCloser closer;
    reportActionOf(w)->trigger();
    const QString html = QString::fromUtf8(readAll(w.fileName));
    QCOMPARE(html.count(QStringLiteral("<td class=\"passed\"")), installationCheckCount);
    QVERIFY(html.contains(QStringLiteral("201745")));
    QVERIFY(html.contains(QStringLiteral("track.example.org")));
    sim.terminate();
    sim.waitForFinished(3000);
#endif
}

QTEST_MAIN(TestReport)
#include "tst_report.moc"
