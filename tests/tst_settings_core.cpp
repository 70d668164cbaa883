// The settings string and the settings record items, without any widget.

#include "settings/core_batchjournal.h"
#include "settings/core_settingsecho.h"
#include "settings/core_settingsfile.h"
#include "settings/core_settingsstring.h"
#include "settings/core_terminalsettings.h"

#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

Q_DECLARE_METATYPE(SettingsForm)
Q_DECLARE_METATYPE(SettingsField)
Q_DECLARE_METATYPE(TerminalSettings)

namespace {

using F = SettingsField;

// A page with every text empty, every box unchecked, every list at its first entry and the
// CAN controls disabled.
SettingsForm emptyPage()
{
    SettingsForm f;
    f[F::AccessPassword] = QStringLiteral("482915");
    f.in0 = f.in1 = f.in2 = QStringLiteral("No");
    f.oneWireText = QStringLiteral("1Wire");
    return f;
}

const char emptyBody[] = "#1=,#2=,,#4=#5=,,,#6=0,,#7=,,#8=#9=N,N,N#11=0,30#15=0,0";

// The values set, each as "objectName=value" (the CAN parameters as "canParamsGroup=2,4"),
// sorted.
QStringList valuesSet(const TerminalSettings &s)
{
    QStringList out;
    for (const SettingsTextField &row : settingsTextFields()) {
        if (s[row.field])
            out << QLatin1String(row.objectName) + QLatin1Char('=') + *s[row.field];
    }
    for (const SettingsChoiceRow &row : settingsChoices()) {
        if (s[row.choice])
            out << QLatin1String(row.objectName) + QLatin1Char('=') + *s[row.choice];
    }
    if (s.canParams) {
        QStringList codes;
        for (int code : *s.canParams)
            codes << QString::number(code);
        out << QStringLiteral("canParamsGroup=") + codes.join(QLatin1Char(','));
    }
    out.sort();
    return out;
}

} // namespace

class TestSettingsCore : public QObject
{
    Q_OBJECT

private slots:
    void body_data();
    void body();
    void settingsStringPutsPasswordAndMarkerFirst();
    void inputCodes_data();
    void inputCodes();
    void split_data();
    void split();
    void recordTextStopsAtNul();
    void modeLetters_data();
    void modeLetters();
    void firmwareWarning_data();
    void firmwareWarning();
    void unsafeValue_data();
    void unsafeValue();
    void textFieldTable();
    void recordLimit_data();
    void recordLimit();
    void tooLongNamesTheLongest_data();
    void tooLongNamesTheLongest();
    void echoCheck_data();
    void echoCheck();
    void journalPath_data();
    void journalPath();
    void journalLineKeepsItsColumns();
    void journalOpened_data();
    void journalOpened();
    void settingsRoundTrip_data();
    void settingsRoundTrip();
    void readRecord_data();
    void readRecord();
    void fileValues_data();
    void fileValues();
};

void TestSettingsCore::body_data()
{
    QTest::addColumn<SettingsForm>("form");
    QTest::addColumn<QString>("body");

    QTest::newRow("all empty") << emptyPage() << QString::fromLatin1(emptyBody);

    SettingsForm f = emptyPage();
    f[F::Server] = "srv.example";
    f[F::Port] = "20144";
    f[F::Apn1] = "apn";
    f[F::Login1] = "log";
    f[F::Password1] = "pw";
    f[F::Pin1] = "1111";
    f[F::Distance] = "500";
    f[F::Angle] = "15";
    f[F::SpeedChange] = "20";
    f[F::Timer] = "120";
    f.sleep = true;
    f[F::SleepTime] = "60";
    f[F::WorkTime] = "10";
    f[F::Apn2] = "a2";
    f[F::Login2] = "l2";
    f[F::Password2] = "p2";
    f[F::Pin2] = "2222";
    f.roaming1 = true;
    QTest::newRow("values in their places")
        << f
        << "#1=srv.example,20144#2=apn,log,pw#4=1111#5=500,15,20,120#6=1,60,10#7=a2,l2,p2"
           "#8=2222#9=N,N,N#11=0,30#15=1,0";

    f = emptyPage();
    f.roaming2 = true;
    QTest::newRow("roaming SIM2 only") << f
                                       << "#1=,#2=,,#4=#5=,,,#6=0,,#7=,,#8=#9=N,N,N#11=0,30#15=0,1";

    f = emptyPage();
    f.in2 = "Discrete";
    QTest::newRow("IN2 Discrete ends item 9 with a comma")
        << f << "#1=,#2=,,#4=#5=,,,#6=0,,#7=,,#8=#9=N,N,D,#11=0,30#15=0,0";

    f = emptyPage();
    f.in0 = "Pulse";
    f.in1 = "ADC";
    f.in2 = "OUT1";
    QTest::newRow("Pulse written as C, OUT1 without comma")
        << f << "#1=,#2=,,#4=#5=,,,#6=0,,#7=,,#8=#9=C,A,O#11=0,30#15=0,0";

    f = emptyPage();
    f.in0 = "Chassis ground";
    f.in1 = "Discrete";
    f.in2 = "Frequency";
    QTest::newRow("G, D, F") << f << "#1=,#2=,,#4=#5=,,,#6=0,,#7=,,#8=#9=G,D,F,#11=0,30#15=0,0";

    f = emptyPage();
    f.in1 = "Pulse"; // IN1 has no code for Pulse
    QTest::newRow("text without code appends nothing")
        << f << "#1=,#2=,,#4=#5=,,,#6=0,,#7=,,#8=#9=N,N#11=0,30#15=0,0";

    f = emptyPage();
    f.newPasswordOn = true;
    QTest::newRow("item 3 empty between 2 and 4")
        << f << "#1=,#2=,,#3=#4=#5=,,,#6=0,,#7=,,#8=#9=N,N,N#11=0,30#15=0,0";
    f[F::NewPassword] = "777";
    QTest::newRow("item 3 with the new password")
        << f << "#1=,#2=,,#3=777#4=#5=,,,#6=0,,#7=,,#8=#9=N,N,N#11=0,30#15=0,0";
    f.newPasswordOn = false;
    QTest::newRow("item 3 absent while unchecked") << f << QString::fromLatin1(emptyBody);

    f = emptyPage();
    f.canParamsOn = true;
    QTest::newRow("item 10 alone when no box is checked")
        << f << "#1=,#2=,,#4=#5=,,,#6=0,,#7=,,#8=#9=N,N,N#10=#11=0,30#15=0,0";
    f.canParams[13] = true;
    f.canParams[0] = true;
    f.canParams[4] = true;
    QTest::newRow("item 10 codes in order, each with a comma")
        << f << "#1=,#2=,,#4=#5=,,,#6=0,,#7=,,#8=#9=N,N,N#10=1,5,14,#11=0,30#15=0,0";
    f.canParamsOn = false;
    QTest::newRow("item 10 absent while the group is disabled")
        << f << QString::fromLatin1(emptyBody);

    f = emptyPage();
    f.canProgramOn = true;
    QTest::newRow("item 12 empty") << f
                                   << "#1=,#2=,,#4=#5=,,,#6=0,,#7=,,#8=#9=N,N,N#11=0,30#12=#15=0,0";
    f[F::CanProgram] = "105";
    QTest::newRow("item 12 after item 11")
        << f << "#1=,#2=,,#4=#5=,,,#6=0,,#7=,,#8=#9=N,N,N#11=0,30#12=105#15=0,0";
    f.canProgramOn = false;
    QTest::newRow("item 12 absent while disabled") << f << QString::fromLatin1(emptyBody);

    f = emptyPage();
    f.rs485Index = 1;
    f.oneWireText = "Discrete";
    QTest::newRow("LLS and Discrete") << f
                                      << "#1=,#2=,,#4=#5=,,,#6=0,,#7=,,#8=#9=N,N,N#11=5,29#15=0,0";
    f.rs485Index = 2;
    f.oneWireText = "DISCRETE";
    QTest::newRow("KVA-CAN, 1-Wire text ignoring case")
        << f << "#1=,#2=,,#4=#5=,,,#6=0,,#7=,,#8=#9=N,N,N#11=7,29#15=0,0";
    f.oneWireText = "1wire";
    QTest::newRow("1wire lower case") << f
                                      << "#1=,#2=,,#4=#5=,,,#6=0,,#7=,,#8=#9=N,N,N#11=7,30#15=0,0";
    f.oneWireText = "Дискретный";
    QTest::newRow("other 1-Wire text adds nothing")
        << f << "#1=,#2=,,#4=#5=,,,#6=0,,#7=,,#8=#9=N,N,N#11=7#15=0,0";

    f = emptyPage();
    f.canParamsOn = true;
    f.canParams[1] = true;
    f.canProgramOn = true;
    f[F::CanProgram] = "7";
    f.newPasswordOn = true;
    f[F::NewPassword] = "1";
    QTest::newRow("items 3, 10 and 12 together")
        << f << "#1=,#2=,,#3=1#4=#5=,,,#6=0,,#7=,,#8=#9=N,N,N#10=2,#11=0,30#12=7#15=0,0";
}

void TestSettingsCore::body()
{
    QFETCH(SettingsForm, form);
    QFETCH(QString, body);
    QCOMPARE(buildSettingsBody(form), body);
}

void TestSettingsCore::settingsStringPutsPasswordAndMarkerFirst()
{
    SettingsForm f = emptyPage();
    f[F::AccessPassword] = QStringLiteral(" 12 ");
    QCOMPARE(buildSettingsString(f), QStringLiteral(" 12 *SETP*") + QLatin1String(emptyBody));
}

void TestSettingsCore::inputCodes_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("code");
    QTest::newRow("IN0 No") << 0 << "No" << "N,";
    QTest::newRow("IN0 Frequency") << 0 << "Frequency" << "F,";
    QTest::newRow("IN0 no OUT1") << 0 << "OUT1" << "";
    QTest::newRow("IN0 case-sensitive") << 0 << "pulse" << "";
    QTest::newRow("IN1 ADC") << 1 << "ADC" << "A,";
    QTest::newRow("IN1 no Frequency") << 1 << "Frequency" << "";
    QTest::newRow("IN2 No without comma") << 2 << "No" << "N";
    QTest::newRow("IN2 Pulse") << 2 << "Pulse" << "C,";
    QTest::newRow("IN2 no ADC") << 2 << "ADC" << "";
    QTest::newRow("no line 3") << 3 << "No" << "";
}

void TestSettingsCore::inputCodes()
{
    QFETCH(int, line);
    QFETCH(QString, text);
    QFETCH(QString, code);
    QCOMPARE(inputWriteCode(line, text), code);
}

void TestSettingsCore::split_data()
{
    QTest::addColumn<QString>("text");
    // per part: "number|hasValues|value1/value2/..." joined by " ; "
    QTest::addColumn<QString>("parts");

    QTest::newRow("empty text is one empty part") << "" << "0|0|";
    QTest::newRow("leading empty part") << "#1=h,80#4=12" << "0|0| ; 1|1|h/80 ; 4|1|12";
    QTest::newRow("no leading #") << "1=h,80#4=12" << "1|1|h/80 ; 4|1|12";
    QTest::newRow("empty parts and values") << "##2=,,#" << "0|0| ; 0|0| ; 2|1|// ; 0|0|";
    QTest::newRow("empty values text is one empty value") << "#8=" << "0|0| ; 8|1|";
    QTest::newRow("no = at all") << "#5" << "0|0| ; 5|0|";
    QTest::newRow("second = ends the values")
        << "#2=apn=more,x" << "0|0| ; 2|1|apn";
    QTest::newRow("number not a number") << "#x=1,2" << "0|0| ; 0|1|1/2";
    QTest::newRow("values kept as received") << "#7= a , b ,c" << "0|0| ; 7|1| a / b /c";
    QTest::newRow("leading zeros") << "#010=1" << "0|0| ; 10|1|1";
}

void TestSettingsCore::split()
{
    QFETCH(QString, text);
    QFETCH(QString, parts);
    QStringList got;
    for (const SettingsItem &i : splitSettingsItems(text))
        got << QStringLiteral("%1|%2|%3").arg(i.number).arg(int(i.hasValues)).arg(
            i.values.join(QLatin1Char('/')));
    QCOMPARE(got.join(QStringLiteral(" ; ")), parts);
    // a part without "=" has no values at all, not one empty value
    for (const SettingsItem &i : splitSettingsItems(text)) {
        if (!i.hasValues)
            QVERIFY(i.values.isEmpty());
    }
}

void TestSettingsCore::recordTextStopsAtNul()
{
    QCOMPARE(settingsRecordText(QByteArray("#1=a,b\0#4=9", 11)), QStringLiteral("#1=a,b"));
    QCOMPARE(settingsRecordText(QByteArray("#2=сеть,x,y")), QStringLiteral("#2=сеть,x,y"));
}

void TestSettingsCore::modeLetters_data()
{
    QTest::addColumn<QString>("letter");
    QTest::addColumn<QString>("entry");
    QTest::newRow("A") << "A" << "ADC";
    QTest::newRow("N") << "N" << "No";
    QTest::newRow("D") << "D" << "Discrete";
    QTest::newRow("P") << "P" << "Pulse";
    QTest::newRow("F") << "F" << "Frequency";
    QTest::newRow("G") << "G" << "Chassis ground";
    QTest::newRow("O") << "O" << "OUT1";
    QTest::newRow("C, as Pulse is written") << "C" << "Pulse";
    QTest::newRow("lower case") << "p" << QString();
    QTest::newRow("whole value only") << "PP" << QString();
    QTest::newRow("empty") << "" << QString();
}

void TestSettingsCore::modeLetters()
{
    QFETCH(QString, letter);
    QFETCH(QString, entry);
    const QString got = inputEntryForModeLetter(letter);
    QCOMPARE(got, entry);
    QCOMPARE(got.isNull(), entry.isNull());
}

void TestSettingsCore::firmwareWarning_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<bool>("warn");
    QTest::newRow("0.24") << "0.24" << true;
    QTest::newRow("0.249") << "0.249" << true;
    QTest::newRow("-1") << "-1" << true;
    QTest::newRow("0") << "0" << true;
    QTest::newRow("-0.001") << "-0.001" << true;
    QTest::newRow("0.25") << "0.25" << false;
    QTest::newRow("0.64") << "0.64" << false;
    QTest::newRow("1") << "1" << false;
    QTest::newRow("huge") << "3e30" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("not a number") << "v0.1" << false;
    QTest::newRow("comma decimal") << "0,1" << false;
}

void TestSettingsCore::firmwareWarning()
{
    QFETCH(QString, version);
    QFETCH(bool, warn);
    QCOMPARE(firmwareVersionNeedsWarning(version), warn);
}

void TestSettingsCore::unsafeValue_data()
{
    QTest::addColumn<SettingsForm>("form");
    QTest::addColumn<bool>("found");
    QTest::addColumn<SettingsField>("field");
    QTest::addColumn<QChar>("character");

    QTest::newRow("all empty") << emptyPage() << false << SettingsField::Server << QChar();

    SettingsForm f = emptyPage();
    f[F::Password1] = "a,b";
    QTest::newRow("comma in APN password") << f << true << SettingsField::Password1 << QChar(',');
    f = emptyPage();
    f[F::Server] = "x#4=9";
    QTest::newRow("hash in server") << f << true << SettingsField::Server << QChar('#');
    f = emptyPage();
    f[F::Apn2] = "a=b";
    QTest::newRow("= in APN2") << f << true << SettingsField::Apn2 << QChar('=');
    f = emptyPage();
    f[F::Login2] = "l\r";
    QTest::newRow("CR in login2") << f << true << SettingsField::Login2 << QChar('\r');
    f = emptyPage();
    f[F::Timer] = "1\n";
    QTest::newRow("LF in timer") << f << true << SettingsField::Timer << QChar('\n');
    f = emptyPage();
    f[F::AccessPassword] = "48,2915";
    QTest::newRow("access password") << f << true << SettingsField::AccessPassword << QChar(',');
    f = emptyPage();
    f[F::Pin2] = "1#";
    f[F::Server] = "s=";
    QTest::newRow("first in string order") << f << true << SettingsField::Server << QChar('=');
    f = emptyPage();
    f[F::Port] = "=#";
    QTest::newRow("first character of the value") << f << true << SettingsField::Port << QChar('=');
    f = emptyPage();
    f[F::NewPassword] = "1,2";
    QTest::newRow("unwritten new password is not checked")
        << f << false << SettingsField::Server << QChar();
    f.newPasswordOn = true;
    QTest::newRow("written new password") << f << true << SettingsField::NewPassword << QChar(',');
    f = emptyPage();
    f[F::CanProgram] = "#";
    QTest::newRow("unwritten CAN program is not checked")
        << f << false << SettingsField::Server << QChar();
    f.canProgramOn = true;
    QTest::newRow("written CAN program") << f << true << SettingsField::CanProgram << QChar('#');
    f = emptyPage();
    f[F::Apn1] = "a;b";
    QTest::newRow("semicolon, the record's field separator")
        << f << true << SettingsField::Apn1 << QChar(';');
    f = emptyPage();
    f[F::Apn1] = QStringLiteral("a:b *SETP ü\t😀");
    f[F::Server] = "s*SETP";
    QTest::newRow("other characters pass") << f << false << SettingsField::Server << QChar();
    f = emptyPage();
    f[F::Apn1] = QStringLiteral("a") + QChar(0) + "b";
    QTest::newRow("NUL, the end of the record's text")
        << f << true << SettingsField::Apn1 << QChar(0);
    f = emptyPage();
    f[F::Login1] = QStringLiteral("ab") + QChar(0xD83D);
    QTest::newRow("a lone high surrogate") << f << true << F::Login1 << QChar(0xD83D);
    f = emptyPage();
    f[F::Server] = "a*SETP*b";
    QTest::newRow("the marker in a value") << f << true << F::Server << QChar('*');
    f = emptyPage();
    f[F::AccessPassword] = "48*SETP";
    QTest::newRow("a password making a marker early")
        << f << true << F::AccessPassword << QChar('*');
}

void TestSettingsCore::unsafeValue()
{
    QFETCH(SettingsForm, form);
    QFETCH(bool, found);
    QFETCH(SettingsField, field);
    QFETCH(QChar, character);
    const auto got = findUnsafeValue(form);
    QCOMPARE(got.has_value(), found);
    if (found) {
        QCOMPARE(int(got->field), int(field));
        QCOMPARE(got->character, character);
    }
}

// Two rows on one value of an item would write one of them over the other; a row out of
// place in the table would be read back into the wrong field.
void TestSettingsCore::textFieldTable()
{
    QSet<QString> names;
    QSet<QPair<int, int>> places;
    for (size_t k = 0; k < settingsTextFieldCount; ++k) {
        const SettingsTextField &row = settingsTextFields()[k];
        const QString name = QString::fromLatin1(row.objectName);
        QCOMPARE(size_t(row.field), k);
        QVERIFY2(row.item >= 0 && row.item <= lastSettingNumber && row.value >= 1, row.objectName);
        QVERIFY2(!names.contains(name), row.objectName);
        QVERIFY2(!places.contains({row.item, row.value}), row.objectName);
        QVERIFY2(row.maxLength > 0, row.objectName);
        names.insert(name);
        places.insert({row.item, row.value});
    }
    // the values that are not free text: the sleep flag, item 11, the two roaming flags
    for (const QPair<int, int> &taken : {qMakePair(6, 1), qMakePair(11, 1), qMakePair(11, 2),
                                         qMakePair(15, 1), qMakePair(15, 2)})
        QVERIFY(!places.contains(taken));
    for (int item : {9, 10})
        QVERIFY(settingsItemTextFields(item).isEmpty());
}

// What settingsBodyFits lets through reaches the program through the line framing even with
// the reserve filled by items of the terminal's own; what it refuses would not.
void TestSettingsCore::recordLimit_data()
{
    QTest::addColumn<SettingsForm>("form");
    QTest::addColumn<bool>("fits");
    SettingsForm f = emptyPage();
    f.newPasswordOn = f.canParamsOn = f.canProgramOn = f.sleep = true;
    f.canParams.fill(true);
    for (const SettingsTextField &row : settingsTextFields())
        f[row.field] = QString(row.maxLength, QChar(0x20AC)); // "€", 3 bytes in UTF-8
    QTest::newRow("every field at its limit") << f << true;
    f = emptyPage();
    const int rest = buildSettingsBody(f).toUtf8().size();
    f[F::Apn1] = QString(settingsBodyMaxBytes - rest, QLatin1Char('a'));
    QTest::newRow("at the limit") << f << true;
    f[F::Apn1] += QLatin1Char('a');
    QTest::newRow("one byte over") << f << false;
}

void TestSettingsCore::recordLimit()
{
    QFETCH(SettingsForm, form);
    QFETCH(bool, fits);
    const QString body = buildSettingsBody(form);
    QCOMPARE(settingsBodyFits(body), fits);
    const QByteArray own = "#14=" + QByteArray(settingsRecordReserve - 4, '1');
    QByteArray reported;
    LineFramer().feed(">ST=" + body.toUtf8() + own + "\r\n",
                      [&](const RecordLine &r) { reported = r.field[0]; });
    QCOMPARE(reported == body.toUtf8() + own, fits);
}

// Settings too long for the record name the field that takes the most; of several equally
// long ones, the first written.
void TestSettingsCore::tooLongNamesTheLongest_data()
{
    QTest::addColumn<QList<int>>("lengths");   // of APN 1, login 1 and APN 2
    QTest::addColumn<int>("named");            // the field named: 0 APN 1, 1 login 1, 2 APN 2
    const int half = settingsBodyMaxBytes / 2;
    QTest::newRow("two equally long") << QList<int>{half, 0, half} << 0;
    QTest::newRow("three equally long") << QList<int>{half, half, half} << 0;
    QTest::newRow("a longer one last") << QList<int>{half, half, half + 1} << 2;
    QTest::newRow("a longer one between") << QList<int>{half, half + 1, half} << 1;
}

void TestSettingsCore::tooLongNamesTheLongest()
{
    QFETCH(QList<int>, lengths);
    QFETCH(int, named);
    const F fields[] = {F::Apn1, F::Login1, F::Apn2};
    SettingsForm f = emptyPage();
    f[F::AccessPassword] = QStringLiteral("482915");
    for (int i = 0; i < 3; ++i)
        f[fields[i]] = QString(lengths.at(i), QLatin1Char('a'));
    const QString refusal = settingsRefusal(settingsFromForm(f));
    QVERIFY2(refusal.contains(QStringLiteral("«%1»").arg(settingsTextLabel(fields[named]))),
             qPrintable(refusal));
}

void TestSettingsCore::echoCheck_data()
{
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("reported");
    QTest::addColumn<QStringList>("differing");

    const QString body = QString::fromLatin1(emptyBody);
    QTest::newRow("as written") << body << body << QStringList();
    QTest::newRow("items in reverse order")
        << body << "#15=0,0#11=0,30#9=N,N,N#8=#7=,,#6=0,,#5=,,,#4=#2=,,#1=," << QStringList();
    QTest::newRow("items of the terminal's own around them")
        << body << "#0=x#14=1" + body + "#20=a" << QStringList();
    QTest::newRow("a value changed") << "#1=srv,80" << "#1=srv,81"
                                     << QStringList{"monitoringPortEdit"};
    QTest::newRow("an item missing") << "#1=a,1#4=1234" << "#1=a,1" << QStringList{"simPin1Edit"};
    QTest::newRow("nothing reported")
        << "#1=,#15=0,0" << ""
        << QStringList{"monitoringServerEdit", "monitoringPortEdit", "roaming1Check",
                       "roaming2Check"};
    QTest::newRow("an empty value left out") << "#1=a," << "#1=a" << QStringList();
    QTest::newRow("a value left out") << "#7=a,b,c" << "#7=a,b" << QStringList{"password2Edit"};
    QTest::newRow("values added after the written ones") << "#11=0" << "#11=0,30" << QStringList();
    QTest::newRow("the new password is never reported")
        << "#2=a,b,c#3=secret#4=1" << "#2=a,b,c#4=1" << QStringList();
    QTest::newRow("CAN codes in another order") << "#10=2,14," << "#10=14,2" << QStringList();
    QTest::newRow("a CAN code missing") << "#10=2,14," << "#10=2," << QStringList{"canParamsGroup"};
    QTest::newRow("Pulse reported as P") << "#9=C,N,C," << "#9=P,N,P" << QStringList();
    QTest::newRow("an input mode changed") << "#9=C,N,D," << "#9=C,N,F," << QStringList{"in2Combo"};
    QTest::newRow("the last of an item reported twice counts")
        << "#4=1" << "#4=1#4=2" << QStringList{"simPin1Edit"};
}

void TestSettingsCore::echoCheck()
{
    QFETCH(QString, written);
    QFETCH(QString, reported);
    QFETCH(QStringList, differing);
    const EchoCheck check = checkSettingsEcho(written, reported);
    QCOMPARE(differingFieldNames(check), differing);
    QCOMPARE(check.confirmed(), differing.isEmpty());
}

void TestSettingsCore::journalPath_data()
{
    QTest::addColumn<QString>("settingsFile");
    QTest::addColumn<QString>("journal");
    QTest::newRow("one suffix") << "/bench/fleet.json" << "/bench/fleet.journal.tsv";
    QTest::newRow("dots in the name") << "/bench/fleet.v2.json" << "/bench/fleet.v2.journal.tsv";
}

void TestSettingsCore::journalPath()
{
    QFETCH(QString, settingsFile);
    QFETCH(QString, journal);
    QCOMPARE(batchJournalPath(settingsFile), journal);
}

void TestSettingsCore::journalLineKeepsItsColumns()
{
    const TerminalIdentity t{"KVT\t3", "2017\r\n45", "8661\t04", "0.70"};
    const QString line = batchJournalLine(QDateTime(QDate(2026, 3, 14), QTime(9, 5, 7)), t,
                                          QStringLiteral("не подтверждено:\tAPN"),
                                          QStringLiteral("/dev/tty\tACM0"),
                                          TerminalOutcome::NotConfirmed);
    QCOMPARE(line.split(QLatin1Char('\t')),
             (QStringList{"2026-03-14 09:05:07", "KVT 3", "2017  45", "8661 04", "0.70",
                          "не подтверждено: APN", "/dev/tty ACM0", "not-confirmed\n"}));
}

// Ready for a run: a new journal gets its column names, an old one keeps its bytes, its last
// line ended.
void TestSettingsCore::journalOpened_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    const QByteArray header = batchJournalHeader().toUtf8();
    QTest::newRow("new") << QByteArray() << header;
    QTest::newRow("old") << header + "x\n" << header + "x\n";
    QTest::newRow("old, its last line cut") << QByteArray("x") << QByteArray("x\n");
}

void TestSettingsCore::journalOpened()
{
    QFETCH(QByteArray, before);
    QTemporaryDir dir;
    QFile f(dir.filePath(QStringLiteral("j.tsv")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(before);
    f.close();
    QString error;
    QVERIFY2(openBatchJournal(f.fileName(), &error), qPrintable(error));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QTEST(f.readAll(), "after");
}

// Settings -> settings string -> the record of a terminal that stored them -> settings: every
// value the record reports comes back as written, and the write check confirms it.
void TestSettingsCore::settingsRoundTrip_data()
{
    QTest::addColumn<TerminalSettings>("written");
    QTest::addColumn<bool>("reversed");            // the terminal reports its items backwards
    QTest::addColumn<QStringList>("reportedAs");   // "from|to": how it words a reported value
    QTest::addColumn<bool>("confirmed");           // the check compares the words exactly

    // CAN off: nothing of item 10 or 12 is written or reported
    TerminalSettings s = settingsFromForm(emptyPage());
    s[F::CanProgram].reset();
    QTest::newRow("a new page") << s << false << QStringList() << true;

    SettingsForm f = emptyPage();
    int k = 0;
    for (const SettingsTextField &row : settingsTextFields())
        f[row.field] = QStringLiteral("v%1 ü€ ").arg(++k);
    f[F::CanProgram] = "105";
    f.newPasswordOn = f.sleep = f.roaming2 = f.canParamsOn = f.canProgramOn = true;
    f.in0 = "Pulse";
    f.in1 = "ADC";
    f.in2 = "OUT1";
    f.rs485Index = 2;
    f.oneWireText = "Discrete";
    f.canParams[0] = f.canParams[4] = f.canParams[13] = true;
    s = settingsFromForm(f);
    QTest::newRow("every value, KVA-CAN") << s << false << QStringList() << true;
    QTest::newRow("items backwards") << s << true << QStringList() << true;
    QTest::newRow("Pulse reported as P")
        << s << true << QStringList{"#9=C,A,O|#9=P,A,O"} << true;
    QTest::newRow("numbers with leading zeros")
        << s << false << QStringList{"#11=7,29|#11=007,029", "#15=0,1|#15=00,01"} << false;

    f = emptyPage();
    f.in2 = "Frequency";
    f.rs485Index = 1;
    s = settingsFromForm(f);
    s[F::CanProgram].reset();
    QTest::newRow("LLS, IN2 Frequency") << s << false << QStringList() << true;
}

void TestSettingsCore::settingsRoundTrip()
{
    QFETCH(TerminalSettings, written);
    QFETCH(bool, reversed);
    QFETCH(QStringList, reportedAs);
    QFETCH(bool, confirmed);
    const QString body = buildSettingsBody(written);
    QCOMPARE(buildSettingsString(written), written.text(F::AccessPassword) + "*SETP*" + body);

    // the terminal's record: every item written but the new password, and items of its own
    QStringList items;
    for (const QString &item : body.split(QLatin1Char('#'), Qt::SkipEmptyParts)) {
        if (!item.startsWith(QLatin1String("3=")))
            items << QLatin1Char('#') + item;
    }
    if (reversed)
        std::reverse(items.begin(), items.end());
    QString text = QStringLiteral("#13=1,2") + items.join(QString()) + QStringLiteral("#14=1");
    for (const QString &change : reportedAs)
        text.replace(change.section(QLatin1Char('|'), 0, 0), change.section(QLatin1Char('|'), 1));
    QByteArray field;
    LineFramer().feed(">ST=" + text.toUtf8() + "\r\n",
                      [&](const RecordLine &r) { field = r.field[0]; });
    const TerminalSettings read = readTerminalSettings(settingsRecordText(field));

    QStringList expected = valuesSet(written);
    for (const QString &password : {"accessPasswordEdit=", "newPasswordEdit="})
        expected.erase(std::remove_if(expected.begin(), expected.end(),
                                      [&](const QString &v) { return v.startsWith(password); }),
                       expected.end());
    QCOMPARE(valuesSet(read), expected);
    QCOMPARE(checkSettingsEcho(written, read).confirmed(), confirmed);
    // written again with the passwords and the choice of items, they make the same string
    TerminalSettings again = read;
    again[F::AccessPassword] = written[F::AccessPassword];
    again[F::NewPassword] = written[F::NewPassword];
    again.newPasswordOn = written.newPasswordOn;
    again.canParamsOn = written.canParamsOn;
    again.canProgramOn = written.canProgramOn;
    QCOMPARE(buildSettingsString(again), buildSettingsString(written));
}

// What a settings record reports, as the settings page shows it, however the record is made.
void TestSettingsCore::readRecord_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<QStringList>("values");
    const QString none = QStringLiteral("canParamsGroup=");
    QTest::newRow("empty") << QByteArray() << QStringList{none};
    QTest::newRow("items 1 and 4")
        << QByteArray("#1=h,80#4=12")
        << QStringList{none, "monitoringPortEdit=80", "monitoringServerEdit=h", "simPin1Edit=12"};
    QTest::newRow("items with too few values are skipped whole")
        << QByteArray("#1=h#2=a,b#5=1,2,3#6=1,5#9=D,D#11#15=1") << QStringList{none};
    QTest::newRow("a later item sets again") << QByteArray("#4=1#4=2#4=")
                                             << QStringList{none, "simPin1Edit="};
    QTest::newRow("a later short item changes nothing")
        << QByteArray("#5=1,2,3,4#5=9")
        << QStringList{"angleEdit=2", none, "distanceEdit=1", "speedChangeEdit=3", "timerEdit=4"};
    QTest::newRow("sleep: a later 0 does not turn it off")
        << QByteArray("#6=x,5,10#6=0,6,11")
        << QStringList{none, "sleepCheck=1", "sleepTimeEdit=6", "workTimeEdit=11"};
    QTest::newRow("sleep off")
        << QByteArray("#6=0,,")
        << QStringList{none, "sleepCheck=0", "sleepTimeEdit=", "workTimeEdit="};
    QTest::newRow("P is Pulse; letters a list lacks, lower case and others skipped")
        << QByteArray("#9=P,P,G#9=n,X,O,D") << QStringList{none, "in0Combo=C", "in2Combo=O"};
    QTest::newRow("CAN codes of every item 10, in range, once")
        << QByteArray("#10=4,x,15,0,-2#10=2,4,") << QStringList{"canParamsGroup=2,4"};
    QTest::newRow("RS485 other numbers are 0, 1-Wire only 29 and 30")
        << QByteArray("#11=3,31") << QStringList{none, "rs485Combo=0"};
    QTest::newRow("RS485 not a number, 1-Wire with a leading zero")
        << QByteArray("#11=x,029") << QStringList{none, "oneWireCombo=29"};
    QTest::newRow("CAN program zero") << QByteArray("#12=0") << QStringList{none};
    QTest::newRow("CAN program not a number") << QByteArray("#12=12a") << QStringList{none};
    QTest::newRow("CAN program as received") << QByteArray("#12=007")
                                             << QStringList{"canProgramEdit=007", none};
    QTest::newRow("roaming flags each on its own")
        << QByteArray("#15=2,x") << QStringList{none, "roaming1Check=1"};
    QTest::newRow("items 0, 3, 13, 20 and a number that is none")
        << QByteArray("#0=q,r#3=999#13=a#20=x#x=1,2#-4=5") << QStringList{none};
    QTest::newRow("a second = ends the values")
        << QByteArray("#1=h,80=x#2=apn=x,y,z")
        << QStringList{none, "monitoringPortEdit=80", "monitoringServerEdit=h"};
    QTest::newRow("the text ends at NUL") << QByteArray("#4=1\0#8=2", 9)
                                          << QStringList{none, "simPin1Edit=1"};
    QTest::newRow("bytes that are not UTF-8")
        << QByteArray("\xff\xfe#4=\xc3") << QStringList{none, QStringLiteral("simPin1Edit=\uFFFD")};
    QTest::newRow("no leading #, blanks kept")
        << QByteArray("1= h , 80 ")
        << QStringList{none, "monitoringPortEdit= 80 ", "monitoringServerEdit= h "};
}

void TestSettingsCore::readRecord()
{
    QFETCH(QByteArray, record);
    QFETCH(QStringList, values);
    values.sort();
    const TerminalSettings read = readTerminalSettings(settingsRecordText(record));
    QCOMPARE(valuesSet(read), values);
    // nothing the record reports is a password, nor written unless asked for
    QVERIFY(!read.newPasswordOn && !read.canParamsOn && !read.canProgramOn);
}

void TestSettingsCore::fileValues_data()
{
    QTest::addColumn<SettingsValues>("file");
    QTest::addColumn<SettingsValues>("back");

    SettingsValues whole;
    for (const SettingsFileField &f : settingsFileFields()) {
        switch (f.kind) {
        case SettingsFileFieldKind::Text: whole.insert(f.name, f.name.left(f.maxLength)); break;
        case SettingsFileFieldKind::Check: whole.insert(f.name, f.name.size() % 2 == 0); break;
        case SettingsFileFieldKind::List: whole.insert(f.name, f.codes.last()); break;
        case SettingsFileFieldKind::CodeList: whole.insert(f.name, QVariantList{3, 14}); break;
        }
    }
    QTest::newRow("every field") << whole << whole;
    QTest::newRow("P is taken for C")
        << SettingsValues{{"in0Combo", "P"}, {"in2Combo", "P"}}
        << SettingsValues{{"in0Combo", "C"}, {"in2Combo", "C"}};
    QTest::newRow("unknown codes and keys, and the passwords, are skipped")
        << SettingsValues{{"rs485Combo", "9"}, {"in1Combo", "C"}, {"x", "1"},
                          {"accessPasswordEdit", "482915"}, {"newPasswordEdit", "1"}}
        << SettingsValues{};
    QTest::newRow("CAN codes 1 to 14, ascending")
        << SettingsValues{{"canParamsGroup", QVariantList{14, 0, 3, 15, 3}}}
        << SettingsValues{{"canParamsGroup", QVariantList{3, 14}}};
}

void TestSettingsCore::fileValues()
{
    QFETCH(SettingsValues, file);
    QFETCH(SettingsValues, back);
    const TerminalSettings s = settingsFromValues(file);
    QCOMPARE(settingsValues(s), back);
    // what a file does not hold is not set
    QCOMPARE(valuesSet(s).size(), back.size());
}

QTEST_GUILESS_MAIN(TestSettingsCore)
#include "tst_settings_core.moc"
