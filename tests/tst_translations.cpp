// Every English text the main window shows must have its Russian translation, and the
// start-up translation must behave as the program relies on.
#include "app/startup.h"
#include "status/core_codes.h"

#include <QDirIterator>
#include <QRegularExpression>
#include <QTranslator>
#include <QtTest>

namespace {
struct Literal
{
    QString context;
    QString text;
    bool operator==(const Literal &o) const { return context == o.context && text == o.text; }
};

QString unescaped(QString lit)
{
    lit.replace(QLatin1String("\\r"), QLatin1String("\r"));
    lit.replace(QLatin1String("\\n"), QLatin1String("\n"));
    lit.replace(QLatin1String("\\\""), QLatin1String("\""));
    return lit;
}

// The translatable literals of the sources under the given folders (single-literal calls),
// each with its translation context: tr("...") and QT_TR_NOOP("...") take the class of the
// function they stand in (the last "Class::function(" defined above them, `fallback` before
// any), QT_TRANSLATE_NOOP("Context", "...") names its own.
QVector<Literal> trLiterals(const QStringList &folders, const QString &fallback)
{
    QVector<Literal> found;
    const QString literal = QStringLiteral("\"((?:[^\"\\\\]|\\\\.)*)\"");
    const QRegularExpression call(QStringLiteral("\\b(?:tr|QT_TR_NOOP)\\(\\s*") + literal
                                  + QStringLiteral("\\s*\\)"));
    const QRegularExpression explicitContext(QStringLiteral("\\bQT_TRANSLATE_NOOP\\(\\s*\"(\\w+)\"\\s*,\\s*")
                                             + literal + QStringLiteral("\\s*\\)"));
    const QRegularExpression definition(QStringLiteral("^(?:[A-Za-z_][^;{}()\\n]*[\\s*&])?(\\w+)::~?\\w+\\("),
                                        QRegularExpression::MultilineOption);
    for (const QString &folder : folders) {
        QDirIterator it(QStringLiteral(KVT_SOURCE_DIR "/") + folder, {"*.cpp"}, QDir::Files);
        while (it.hasNext()) {
            QFile f(it.next());
            if (!f.open(QIODevice::ReadOnly))
                continue;
            const QString text = QString::fromUtf8(f.readAll());
            QVector<QPair<int, QString>> classes; // where each definition starts, its class
            for (auto m = definition.globalMatch(text); m.hasNext();) {
                const auto d = m.next();
                classes.append({int(d.capturedStart()), d.captured(1)});
            }
            for (auto m = call.globalMatch(text); m.hasNext();) {
                const auto c = m.next();
                QString context = fallback;
                for (const auto &d : classes) {
                    if (d.first < c.capturedStart())
                        context = d.second;
                }
                const Literal lit{context, unescaped(c.captured(1))};
                if (!found.contains(lit))
                    found << lit;
            }
            for (auto m = explicitContext.globalMatch(text); m.hasNext();) {
                const auto c = m.next();
                const Literal lit{c.captured(1), unescaped(c.captured(2))};
                if (!found.contains(lit))
                    found << lit;
            }
        }
    }
    return found;
}

bool isEnglish(const QString &s)
{
    bool letters = false;
    for (QChar c : s) {
        if (c.script() == QChar::Script_Cyrillic)
            return false;
        letters = letters || c.isLetter();
    }
    return letters;
}
} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void englishMainWindowTextsHaveRussian();
    void russianSourcesHaveEnglish();
    void codeTableTextsHaveEnglish();
    void shownTexts_data();
    void shownTexts();
};

void TestTranslations::englishMainWindowTextsHaveRussian()
{
    QTranslator ru;
    QVERIFY(ru.load(QStringLiteral("terminal_ru"), QStringLiteral(KVT_BUILD_DIR)));
    const QVector<Literal> texts =
        trLiterals({"mainwindow", "link", "status", "settings", "report"}, QStringLiteral("MainWindow"));
    QVERIFY(texts.contains({"MainWindow", "Connected to %1 : %2, %3, %4, %5, %6"}));
    QVERIFY(texts.contains({"SettingsPage", "Only for KVT3.1    IN2"}));
    QStringList missing;
    for (const Literal &t : texts)
        if (isEnglish(t.text)
            && ru.translate(qPrintable(t.context), t.text.toUtf8().constData()).isEmpty())
            missing << t.context + QLatin1String("::") + t.text;
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1String(" | "))));
    QCOMPARE(ru.translate("MainWindow", "Disconnected").isEmpty(), false);
}

void TestTranslations::russianSourcesHaveEnglish()
{
    QTranslator en;
    QVERIFY(en.load(QStringLiteral("terminal_en"), QStringLiteral(KVT_BUILD_DIR)));
    const QVector<Literal> texts =
        trLiterals({"mainwindow", "link", "status", "settings", "report"}, QStringLiteral("MainWindow"))
        + trLiterals({"terminal"}, QStringLiteral("Terminal"));
    // the captions of the settings page's free-text fields come from the field table
    QVERIFY(texts.contains({"SettingsPage", "Прграмма CAN"}));
    // the report's texts: its window action, its document, its check list and its yes and no
    for (const Literal &report : {Literal{"MainWindow", "Отчёт…"}, Literal{"ReportDocument", "Проверки"},
                                  Literal{"InstallationChecks", "Данные CAN валидны"},
                                  Literal{"InstallationReport", "да"}})
        QVERIFY2(texts.contains(report), qPrintable(report.text));
    QStringList missing;
    for (const Literal &t : texts)
        if (!isEnglish(t.text) && t.text.trimmed().size() > 0
            && en.translate(qPrintable(t.context), t.text.toUtf8().constData()).isEmpty())
            missing << t.context + QLatin1String("::") + t.text;
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1String(" | "))));
}

void TestTranslations::shownTexts_data()
{
    QTest::addColumn<QString>("context");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("russian");
    QTest::addColumn<QString>("english");
    // misspelt Russian sources stay as they are in the code and read correctly in Russian
    QTest::newRow("modem link") << "StatusPage" << "Свзяь с модемом" << "Связь с модемом"
                                << "Modem link";
    // texts the English interface showed in Russian
    QTest::newRow("password") << "SettingsPage" << "Пароль" << "Пароль" << "Password";
    // machine words of the lists read in Russian in the Russian interface
    QTest::newRow("input off") << "SettingsPage" << "No" << "Нет" << "No";
    QTest::newRow("command file filter") << "Terminal" << "Text File (*.txt);;All Files (*.*)"
                                         << "Текстовые файлы (*.txt);;Все файлы (*.*)"
                                         << "Text File (*.txt);;All Files (*.*)";
    QTest::newRow("batch failure") << "BatchSetup"
                                   << "Подключите следующий терминал или переподключите этот, "
                                      "чтобы повторить."
                                   << "Подключите следующий терминал или переподключите этот, "
                                      "чтобы повторить."
                                   << "Connect the next terminal, or reconnect this one to try again.";
}

// What each interface shows for a source text (an English source's own text counts in English)
void TestTranslations::shownTexts()
{
    QFETCH(QString, context);
    QFETCH(QString, source);
    QFETCH(QString, russian);
    QFETCH(QString, english);
    QTranslator ru, en;
    QVERIFY(ru.load(QStringLiteral("terminal_ru"), QStringLiteral(KVT_BUILD_DIR)));
    QVERIFY(en.load(QStringLiteral("terminal_en"), QStringLiteral(KVT_BUILD_DIR)));
    const QByteArray text = source.toUtf8();
    QCOMPARE(ru.translate(qPrintable(context), text.constData()), russian);
    QCOMPARE(en.translate(qPrintable(context), text.constData()), english);
}

// The texts of the code tables are shown through the translation as well; the translation
// tools only find them when they are marked where they are written.
void TestTranslations::codeTableTextsHaveEnglish()
{
    QStringList texts;
    for (unsigned int state = 0; state < 4; ++state)
        texts << QString::fromUtf8(taskStateText(state));
    QList<quint32> words{0u, ~0u};
    for (int bit = 0; bit < 32; ++bit)
        words << (1u << bit);
    for (quint32 word : words)
        for (const CodeText &t : deviceStatusTexts(word))
            if (t.translated)
                texts << QString::fromUtf8(t.text);
    for (unsigned int state = 0; state < 8; ++state)
        for (const CodeText &t : *modemStateTexts(state))
            if (t.translated)
                texts << QString::fromUtf8(t.text);
    for (const char *caption : securityFlagCaptions)
        texts << QString::fromUtf8(caption);
    for (const char *caption : lampFlagCaptions)
        texts << QString::fromUtf8(caption);
    for (char type : {'D', 'I', 'F', 'A'})
        texts << QString::fromUtf8(inputTypeText(type));
    texts.removeDuplicates();

    QTranslator en;
    QVERIFY(en.load(QStringLiteral("terminal_en"), QStringLiteral(KVT_BUILD_DIR)));
    QStringList missing;
    for (const QString &t : texts) {
        // shown by the status page or by its sensor panel
        const QByteArray source = t.toUtf8();
        if (!isEnglish(en.translate("StatusPage", source.constData()))
            && !isEnglish(en.translate("SensorPanel", source.constData())))
            missing << t;
    }
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1String(" | "))));
}

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
