// Start-up: where the translations are found, the style and translations it installs, and the
// interface language the user chose, remembered between runs.
#include "app/startup.h"
#include "app/translations.h"
#include "settings/settingspage.h"
#include "testutil.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QDockWidget>
#include <QSettings>
#include <QStandardPaths>
#include <QStyle>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

class TestLanguage : public QObject
{
    Q_OBJECT

private:
    QTranslator translator;

    static QString cancelButtonText()
    {
        QMessageBox box(QMessageBox::Question, QString(), QString(),
                        QMessageBox::Yes | QMessageBox::Cancel);
        return box.button(QMessageBox::Cancel)->text();
    }
    static QAction *action(MainWindow &w, const char *name)
    {
        return w.findChild<QAction *>(QString::fromLatin1(name));
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QSettings().clear();
    }
    void cleanupTestCase() { QSettings().clear(); }

    void searchOrder_data();
    void searchOrder();
    void foldersSearched();
    void startUpLoadsTranslationsAndFusion();
    void languageChoiceRemembered();
    void choosingTheShownLanguageSaysNothing();
    void listsInInterfaceLanguage_data();
    void listsInInterfaceLanguage();
};

void TestLanguage::searchOrder_data()
{
    // which of the current folder, the executable's folder and the data folder hold the file
    QTest::addColumn<QString>("holders");
    QTest::addColumn<int>("found");
    QTest::newRow("current folder only") << "cwd" << 0;
    QTest::newRow("beside the executable only") << "exe" << 1;
    QTest::newRow("data folder only") << "data" << 2;
    QTest::newRow("current folder before the executable's") << "cwd exe" << 0;
    QTest::newRow("executable's before the data folder") << "exe data" << 1;
    QTest::newRow("current folder before the data folder") << "cwd data" << 0;
    QTest::newRow("everywhere") << "cwd exe data" << 0;
    QTest::newRow("nowhere") << "" << -1;
    // "cwd/": a folder of the file's name in the current folder
    QTest::newRow("a folder of the same name is no file") << "cwd/ exe" << 1;
}

void TestLanguage::searchOrder()
{
    QFETCH(QString, holders);
    QFETCH(int, found);
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QStringList names{"cwd", "exe", "data"};
    QStringList folders;
    for (const QString &name : names) {
        QVERIFY(QDir(root.path()).mkdir(name));
        folders << root.filePath(name);
        if (holders.split(' ').contains(name))
            QVERIFY(QFile::copy(QStringLiteral(KVT_BUILD_DIR "/terminal_ru.qm"),
                                root.filePath(name + "/terminal_ru.qm")));
        if (holders.split(' ').contains(name + '/'))
            QVERIFY(QDir(root.filePath(name)).mkdir("terminal_ru.qm"));
    }
    const QString path = findTranslation(QStringLiteral("terminal_ru"), folders);
    QCOMPARE(path, found < 0 ? QString() : folders.at(found) + "/terminal_ru.qm");
    if (found >= 0) {
        QTranslator t;
        QVERIFY(t.load(path));
    }
}

void TestLanguage::foldersSearched()
{
    const QStringList folders = translationFolders();
    QVERIFY(folders.size() >= 3);
    QCOMPARE(folders.at(0), QDir::currentPath());
    QCOMPARE(folders.at(1), QCoreApplication::applicationDirPath());
    // the installed data folder itself, not only the one beside the executable
    QCOMPARE(folders.last(), QDir::cleanPath(QStringLiteral(KVT_INSTALLED_DATA_DIR)));

    // a translation in the current folder is found wherever the program lies
    QTemporaryDir elsewhere;
    QVERIFY(QFile::copy(QStringLiteral(KVT_BUILD_DIR "/terminal_en.qm"),
                        elsewhere.filePath("terminal_en.qm")));
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(elsewhere.path()));
    QTranslator t;
    const bool loaded = loadInterfaceTranslation(t, QStringLiteral("en"));
    QDir::setCurrent(before);
    QVERIFY(loaded);
    QCOMPARE(t.translate("MainWindow", "Параметры устройства"), QStringLiteral("Device parameters"));
}

void TestLanguage::startUpLoadsTranslationsAndFusion()
{
    QSettings().clear();
    setUpApplication(*qApp, translator);
    QCOMPARE(QCoreApplication::organizationName(), QStringLiteral("KVT"));
    QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("kvt-logger"));
    QCOMPARE(QApplication::style()->objectName().toLower(), QStringLiteral("fusion"));
    QVERIFY(!translator.isEmpty());
    QCOMPARE(QCoreApplication::translate("MainWindow", "Disconnected"), QStringLiteral("Отключено"));
    // Qt's own buttons speak Russian too
    QCOMPARE(cancelButtonText(), QStringLiteral("Отмена"));

    MainWindow w;
    QStringList docks;
    for (QDockWidget *d : w.findChildren<QDockWidget *>())
        docks << d->windowTitle();
    QVERIFY2(docks.contains(QStringLiteral("Лог")), qPrintable(docks.join(',')));
    QVERIFY(action(w, "actionRussian")->isChecked());
    QVERIFY(!action(w, "actionENGLISH")->isChecked());
}

void TestLanguage::languageChoiceRemembered()
{
    QSettings().clear();
    setUpApplication(*qApp, translator);
    {
        MainWindow w;
        ModalCloser closer;
        action(w, "actionENGLISH")->trigger();
        // the notice is written in the language chosen
        QCOMPARE(closer.texts, QStringList{"The interface language changes when the program "
                                           "is started again."});
        QVERIFY(action(w, "actionENGLISH")->isChecked());
        QVERIFY(!action(w, "actionRussian")->isChecked());
        // the running window keeps its language
        QCOMPARE(w.tabs()->tabText(0), QStringLiteral("Параметры устройства"));
    }
    QCOMPARE(QSettings().value("language").toString(), QStringLiteral("en"));

    // the next start comes up in English, Qt's buttons included
    setUpApplication(*qApp, translator);
    QCOMPARE(interfaceLanguage(), QStringLiteral("en"));
    QCOMPARE(cancelButtonText(), QStringLiteral("Cancel"));
    {
        MainWindow w;
        QCOMPARE(w.tabs()->tabText(0), QStringLiteral("Device parameters"));
        QVERIFY(action(w, "actionENGLISH")->isChecked());
        ModalCloser closer;
        action(w, "actionRussian")->trigger();
        QCOMPARE(closer.texts,
                 QStringList{"Язык интерфейса изменится после перезапуска программы."});
    }
    setUpApplication(*qApp, translator);
    QCOMPARE(QCoreApplication::translate("MainWindow", "Параметры устройства"),
             QStringLiteral("Параметры устройства"));
    QCOMPARE(cancelButtonText(), QStringLiteral("Отмена"));
}

void TestLanguage::choosingTheShownLanguageSaysNothing()
{
    QSettings().clear();
    setUpApplication(*qApp, translator);
    MainWindow w;
    ModalCloser closer;
    action(w, "actionRussian")->trigger();
    QTest::qWait(60);
    QVERIFY(closer.texts.isEmpty());
    QCOMPARE(QSettings().value("language").toString(), QStringLiteral("ru"));

    // English chosen, then Russian again before a restart: nothing to restart for
    action(w, "actionENGLISH")->trigger();
    action(w, "actionRussian")->trigger();
    QCOMPARE(closer.texts.size(), 1);
    QCOMPARE(savedLanguage(), QStringLiteral("ru"));
}

void TestLanguage::listsInInterfaceLanguage_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("IN2, Russian") << "ru" << "in2Combo"
                                  << QStringList{"Нет", "Дискретный", "Импульсный", "Частотный",
                                                 "OUT1"};
    QTest::newRow("IN2, English") << "en" << "in2Combo"
                                  << QStringList{"No", "Discrete", "Pulse", "Frequency", "OUT1"};
    QTest::newRow("RS232, English") << "en" << "rs232Combo"
                                    << QStringList{"Not used", "External CANLOG", "LLS fuel level sensor",
                                                   "Photo camera", "Iridium"};
    QTest::newRow("SMS functions, English")
        << "en" << "smsFunction3Combo"
        << QStringList{"INFO SMS", "GEO SMS",   "Speaker On",     "Microphone On",
                       "Restart",  "Update FW", "Update Settings"};
}

// The settings page's lists speak the interface language, and what they write does not
// depend on it: the entries are kept by their place in the list.
void TestLanguage::listsInInterfaceLanguage()
{
    QFETCH(QString, language);
    QFETCH(QString, name);
    QFETCH(QStringList, entries);
    QSettings().clear();
    saveLanguage(language);
    setUpApplication(*qApp, translator);
    SettingsPage page;
    auto *list = page.findChild<QComboBox *>(name);
    QVERIFY(list);
    QStringList shown;
    for (int i = 0; i < list->count(); ++i)
        shown << list->itemText(i);
    QCOMPARE(shown, entries);

    // IN2 "Discrete" in either language: written as "D", and the row says who has it
    auto *in2 = page.findChild<QComboBox *>(QStringLiteral("in2Combo"));
    in2->setCurrentIndex(1);
    QCOMPARE(page.shownSettings().code(SettingsChoice::In2), QStringLiteral("D"));
    QCOMPARE(page.findChild<QLabel *>(QStringLiteral("in2Label"))->text(),
             language == QLatin1String("ru") ? QStringLiteral("Только для KVT3.1    IN2")
                                             : QStringLiteral("Only for KVT3.1    IN2"));
    in2->setCurrentIndex(4);
    QCOMPARE(page.shownSettings().code(SettingsChoice::In2), QStringLiteral("O"));
    QCOMPARE(page.findChild<QLabel *>(QStringLiteral("in2Label"))->text(), QStringLiteral("IN2"));
    QSettings().clear();
    setUpApplication(*qApp, translator);
}

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
