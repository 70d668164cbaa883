// Settings files on the settings page: page -> file -> page for every kind of field, files the
// page refuses (and then stays as it was), skipped keys, another model, the marks of the loaded
// values that differ from the terminal, and saving that fails without leaving anything behind.

#include "link/framing.h"
#include "settings/settingspage.h"
#include "settings_testutil.h"
#include "testutil.h"

#include <QCheckBox>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

namespace {

// The page with the file names given by the test instead of the file dialogs.
class ScriptedPage : public SettingsPage
{
public:
    QString next;

protected:
    QString askSaveFileName() override { return next; }
    QString askLoadFileName() override { return next; }
};

void click(ScriptedPage &page, const char *button, const QString &path)
{
    page.next = path;
    page.findChild<QPushButton *>(QLatin1String(button))->click();
}

void st(SettingsPage &page, const QByteArray &text)
{
    page.decodeST(decodeSettingsRecord(RecordLine{"ST", {text, {}, {}, {}, {}}}));
}

QByteArray settingsFile(const QByteArray &fields, const QByteArray &model = "KVT3")
{
    return R"({"format": "kvt-logger-settings", "version": 1, "terminal": {"model": ")" + model
           + R"("}, "fields": {)" + fields + "}}";
}

} // namespace

class TestSettingsFiles : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    QString path(const char *name) const { return dir.filePath(QLatin1String(name)); }
    void write(const QString &file, const QByteArray &bytes)
    {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

private slots:
    void roundTrip_data();
    void roundTrip();
    void refusedFile_data();
    void refusedFile();
    void unknownKeysAndOtherModel();
    void manyUnknownKeys();
    void largeFile_data();
    void largeFile();
    void loadedValuesMarked();
    void failedSaveLeavesNothing_data();
    void failedSaveLeavesNothing();
};

void TestSettingsFiles::roundTrip_data()
{
    QTest::addColumn<QStringList>("page");
    QTest::addColumn<QString>("key");      // one key of the file and its value there, as JSON
    QTest::addColumn<QByteArray>("json");

    QStringList texts;
    for (const SettingsFileField &f : settingsFileFields()) {
        if (f.kind == SettingsFileFieldKind::Text)
            texts << f.name + QStringLiteral("=") + f.name.left(qMin(f.maxLength, 6));
    }
    texts << "monitoringServerEdit=мониторинг.рф" << "simPin1Edit=12345678";
    QTest::newRow("text fields") << texts << "monitoringServerEdit"
                                 << QByteArray("\"мониторинг.рф\"");
    QTest::newRow("check boxes") << QStringList{"sleepCheck=1", "roaming1Check=0", "roaming2Check=1"}
                                 << "roaming2Check" << QByteArray("true");
    QTest::newRow("lists by their codes")
        << QStringList{"in0Combo=Pulse", "in1Combo=ADC", "in2Combo=OUT1", "rs485Combo=KVA-CAN",
                       "oneWireCombo=Discrete"}
        << "in0Combo" << QByteArray("\"C\"");
    QTest::newRow("other list entries")
        << QStringList{"in0Combo=Chassis ground", "in1Combo=Discrete", "in2Combo=Frequency",
                       "rs485Combo=LLS-совместимые у-ва ", "oneWireCombo=1Wire"}
        << "rs485Combo" << QByteArray("\"5\"");
    QTest::newRow("CAN parameters as codes")
        << QStringList{"canParamCheck1=1", "canParamCheck7=1", "canParamCheck14=1"}
        << "canParamsGroup" << QByteArray("[1,7,14]");
}

void TestSettingsFiles::roundTrip()
{
    QFETCH(QStringList, page);
    QFETCH(QString, key);
    QFETCH(QByteArray, json);

    ScriptedPage from;
    from.setIdentitySource([] { return TerminalIdentity{"KVT3", "201745", "866104023456789", "0.70"}; });
    for (const QString &a : page)
        setPageValue(&from, a);
    setPageValue(&from, "accessPasswordEdit=secret-one");
    setPageValue(&from, "newPasswordCheck=1");
    setPageValue(&from, "newPasswordEdit=secret-two");
    const QString file = path("roundtrip.json");
    ModalCloser closer;
    click(from, "saveProfileButton", file);

    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QVERIFY(!bytes.contains("secret"));
    const QJsonObject root = QJsonDocument::fromJson(bytes).object();
    QCOMPARE(root.value("format").toString(), QStringLiteral("kvt-logger-settings"));
    QCOMPARE(root.value("version").toInt(), 1);
    QCOMPARE(root.value("terminal").toObject().value("serialNumber").toString(), QStringLiteral("201745"));
    QVERIFY(QDateTime::fromString(root.value("saved").toString(), Qt::ISODate).isValid());
    const QJsonObject fields = root.value("fields").toObject();
    QCOMPARE(fields.size(), settingsFileFields().size());
    QVERIFY(!fields.contains("accessPasswordEdit") && !fields.contains("newPasswordEdit")
            && !fields.contains("newPasswordCheck"));
    QCOMPARE(QJsonDocument(QJsonArray{fields.value(key)}).toJson(QJsonDocument::Compact),
             "[" + json + "]");

    ScriptedPage to;
    setPageValue(&to, "accessPasswordEdit=mine");
    click(to, "loadProfileButton", file);
    QCOMPARE(closer.texts, QStringList());
    QCOMPARE(to.values(), from.values());
    // the passwords are the page's own
    QCOMPARE(to.findChild<QLineEdit *>("accessPasswordEdit")->text(), QStringLiteral("mine"));
    QVERIFY(!to.findChild<QCheckBox *>("newPasswordCheck")->isChecked());
}

void TestSettingsFiles::refusedFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("field");   // the row label the message names, if any
    QTest::addColumn<QString>("detail");

    const QByteArray port = "\"monitoringPortEdit\": \"999\", ";
    QTest::newRow("not JSON") << QByteArray("{\"format\": ") << "" << "не является файлом настроек";
    QTest::newRow("another format")
        << QByteArray(R"({"format": "other", "version": 1, "fields": {"monitoringPortEdit": "9"}})")
        << "" << "не является файлом настроек";
    QTest::newRow("a newer version")
        << settingsFile(port + "\"sleepCheck\": true").replace("\"version\": 1", "\"version\": 2")
        << "" << "формат 2";
    QTest::newRow("semicolon in a text") << settingsFile(port + R"("apn1Edit": "a;b")") << "APN1"
                                         << "«;»";
    QTest::newRow("item start in a text")
        << settingsFile(port + R"("monitoringServerEdit": "x#4=1")") << "Сервер" << "«#»";
    QTest::newRow("longer than the field") << settingsFile(port + R"("simPin1Edit": "123456789")")
                                           << "ПИН1" << "8";
    QTest::newRow("check box as text") << settingsFile(port + R"("sleepCheck": "yes")")
                                       << "Уходить в сон" << "";
    QTest::newRow("a code the list does not have") << settingsFile(port + R"("in1Combo": "P")")
                                                   << "IN1" << "«P»";
    QTest::newRow("a CAN code out of range")
        << settingsFile(port + R"("canParamsGroup": [1, 15])") << "Параметры CAN" << "15";
    QTest::newRow("a 5,000-character password")
        << settingsFile(port + "\"password1Edit\": \"" + QByteArray(5000, 'p') + "\"")
        << "Пароль1" << "32";
    QTest::newRow("NUL in a text") << settingsFile(port + R"("apn1Edit": "a\u0000b")") << "APN1"
                                   << "«\\x00»";
    QTest::newRow("a lone surrogate") << settingsFile(port + R"("login2Edit": "a\ud800")")
                                      << "Логин2" << "«\\uD800»";
    QTest::newRow("the marker in a text")
        << settingsFile(port + R"("monitoringServerEdit": "a*SETP*b")") << "Сервер" << "«*SETP*»";
    QTest::newRow("CR in a text") << settingsFile(port + R"("apn2Edit": "a\rb")") << "APN2"
                                  << "«\\r»";
    QTest::newRow("CR in a code") << settingsFile(port + R"("in0Combo": "C\r")") << "IN0"
                                  << "«C\\r»";
    QTest::newRow("a huge list code") << settingsFile(port + R"("rs485Combo": 1e300)") << "RS485"
                                      << "«1e+300»";
    QTest::newRow("a long CAN code, in full")
        << settingsFile(port + R"("canParamsGroup": [12345678])") << "Параметры CAN"
        << "«12345678»";
}

void TestSettingsFiles::refusedFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, field);
    QFETCH(QString, detail);

    ScriptedPage page;
    setPageValue(&page, "monitoringPortEdit=20144");
    setPageValue(&page, "in1Combo=ADC");
    const SettingsValues before = page.values();
    const QString file = path("refused.json");
    write(file, bytes);
    ModalCloser closer;
    click(page, "loadProfileButton", file);

    QCOMPARE(closer.texts.size(), 1);
    const QString text = closer.texts.first();
    QVERIFY2(text.contains(QDir::toNativeSeparators(file)), qPrintable(text));
    if (!field.isEmpty())
        QVERIFY2(text.contains("«" + field + "»"), qPrintable(text));
    QVERIFY2(text.contains(detail), qPrintable(text));
    QVERIFY2(text.contains("Настройки не загружены"), qPrintable(text));
    QVERIFY2(!text.contains(QLatin1Char('\r')) && !text.contains(QChar(0)), qPrintable(text));
    QCOMPARE(page.values(), before);
}

void TestSettingsFiles::unknownKeysAndOtherModel()
{
    ScriptedPage page;
    page.setIdentitySource([] { return TerminalIdentity{"KVT3", "1", "2", "0.70"}; });
    const QString file = path("other-model.json");
    write(file, settingsFile(R"("phoneBook": ["1"], "monitoringPortEdit": "777", "x": 1)", "KVT2"));
    const SettingsValues before = page.values();
    {
        ModalCloser no(QMessageBox::No);
        click(page, "loadProfileButton", file);
        QCOMPARE(no.texts.size(), 2);
        QVERIFY(no.texts.at(0).contains("phoneBook, x"));
        QVERIFY(no.texts.at(1).contains("KVT2") && no.texts.at(1).contains("KVT3"));
    }
    QCOMPARE(page.values(), before);
    {
        ModalCloser yes(QMessageBox::Yes);
        click(page, "loadProfileButton", file);
        QCOMPARE(yes.texts.size(), 2);
    }
    QCOMPARE(page.findChild<QLineEdit *>("monitoringPortEdit")->text(), QStringLiteral("777"));
}

void TestSettingsFiles::manyUnknownKeys()
{
    ScriptedPage page;
    QByteArray keys;
    for (int k = 0; k < 5000; ++k)
        keys += "\"k" + QByteArray::number(k) + "\": 1, ";
    const QString file = path("unknown.json");
    write(file, settingsFile(keys + R"("a\rb": 1, "monitoringPortEdit": "777")"));
    ModalCloser closer;
    click(page, "loadProfileButton", file);
    // ten keys (in the file's sorted order) escaped, then how many more
    QCOMPARE(closer.texts.size(), 1);
    QVERIFY(closer.texts.first().contains(
        "a\\rb, k0, k1, k10, k100, k1000, k1001, k1002, k1003, k1004 … и ещё 4991."));
    QCOMPARE(page.findChild<QLineEdit *>("monitoringPortEdit")->text(), QStringLiteral("777"));
}

// A file over 1 MiB is refused by its size, before anything of it is read.
void TestSettingsFiles::largeFile_data()
{
    QTest::addColumn<qint64>("size");
    QTest::addColumn<bool>("loaded");
    QTest::newRow("1 MiB") << qint64(1 << 20) << true;
    QTest::newRow("2 MiB") << qint64(2 << 20) << false;
    QTest::newRow("4 GiB, sparse: never read") << (qint64(4) << 30) << false;
}

void TestSettingsFiles::largeFile()
{
    QFETCH(qint64, size);
    QFETCH(bool, loaded);
    const QString file = path("large.json");
    const QByteArray json = settingsFile(R"("monitoringPortEdit": "777")");
    write(file, json + QByteArray(int(qMin(size, qint64(2 << 20))) - json.size(), ' '));
    QVERIFY(QFile::resize(file, size));
    ScriptedPage page;
    ModalCloser closer;
    QElapsedTimer t;
    t.start();
    click(page, "loadProfileButton", file);
    QVERIFY(loaded || t.elapsed() < 500);
    QCOMPARE(page.findChild<QLineEdit *>("monitoringPortEdit")->text() == "777", loaded);
    QCOMPARE(closer.texts, loaded ? QStringList() : QStringList{"Файл " + QDir::toNativeSeparators(file)
             + " больше 1 МиБ: это слишком много для файла настроек. Настройки не загружены."});
}

void TestSettingsFiles::loadedValuesMarked()
{
    ScriptedPage page;
    st(page, "#1=a,80#5=300,15,20,60#10=2,3,");
    const QString file = path("marks.json");
    click(page, "saveProfileButton", file);
    // the terminal reports other values now
    st(page, "#1=b,80#5=300,15,20,90#10=2,");
    QSignalSpy status(&page, &SettingsPage::statusMessage);
    click(page, "loadProfileButton", file);
    QCOMPARE(page.markedFields(),
             (QStringList{"canParamCheck3", "monitoringServerEdit", "timerEdit"}));
    QVERIFY(page.findChild<QWidget *>("timerEdit")->property("differsFromTerminal").toBool());
    QCOMPARE(status.count(), 1);
    QVERIFY2(status.first().first().toString().endsWith(": 3"),
             qPrintable(status.first().first().toString()));
    // the next read ends the marks
    st(page, "#1=b,80");
    QCOMPARE(page.markedFields(), QStringList());
    QVERIFY(!page.findChild<QWidget *>("timerEdit")->property("differsFromTerminal").toBool());
}

void TestSettingsFiles::failedSaveLeavesNothing_data()
{
    QTest::addColumn<bool>("fullDisk");   // else the name is taken by a folder
    QTest::addColumn<QString>("reason");
    QTest::newRow("name taken by a folder") << false << "";
    QTest::newRow("full disk") << true << "File too large";
}

// The failure names the file and the reason; the file that was there stays as it was and
// nothing is left beside it.
void TestSettingsFiles::failedSaveLeavesNothing()
{
    QFETCH(bool, fullDisk);
    QFETCH(QString, reason);
    ScriptedPage page;
    QTemporaryDir target;
    const QString file = target.filePath("taken.json");
    const QByteArray before = settingsFile(R"("apn1Edit": "before")");
    if (fullDisk)
        write(file, before);
    else
        QVERIFY(QDir(target.path()).mkdir("taken.json"));
    QSignalSpy said(&page, &SettingsPage::statusMessage);
    ModalCloser closer;
    {
        std::optional<FileSizeLimit> limit;
        if (fullDisk)
            limit.emplace(64);
        click(page, "saveProfileButton", file);
    }
    QCOMPARE(closer.texts.size(), 1);
    QVERIFY2(closer.texts.first().contains(QDir::toNativeSeparators(file)),
             qPrintable(closer.texts.first()));
    QVERIFY2(closer.texts.first().contains(reason), qPrintable(closer.texts.first()));
    QCOMPARE(said.count(), 0);
    QCOMPARE(QDir(target.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden),
             QStringList{"taken.json"});
    if (fullDisk) {
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
    }
}

QTEST_MAIN(TestSettingsFiles)
#include "tst_settings_files.moc"
