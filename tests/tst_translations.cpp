// Every English text the main window shows must have its Russian translation, and the
// start-up translation must behave as the program relies on.
#include "app/startup.h"
#include "status/core_codes.h"

#include <QDirIterator>
#include <QRegularExpression>
#include <QTranslator>
#include <QtTest>

namespace {
// The tr("...") literals of the sources under the given folders (single-literal calls).
QStringList trLiterals(const QStringList &folders)
{
    QStringList found;
    const QRegularExpression call(QStringLiteral("\\btr\\(\\s*\"((?:[^\"\\\\]|\\\\.)*)\"\\s*\\)"));
    for (const QString &folder : folders) {
        QDirIterator it(QStringLiteral(KVT_SOURCE_DIR "/") + folder, {"*.cpp"}, QDir::Files);
        while (it.hasNext()) {
            QFile f(it.next());
            if (!f.open(QIODevice::ReadOnly))
                continue;
            const QString text = QString::fromUtf8(f.readAll());
            auto m = call.globalMatch(text);
            while (m.hasNext()) {
                QString lit = m.next().captured(1);
                lit.replace(QLatin1String("\\r"), QLatin1String("\r"));
                lit.replace(QLatin1String("\\n"), QLatin1String("\n"));
                lit.replace(QLatin1String("\\\""), QLatin1String("\""));
                found << lit;
            }
        }
    }
    found.removeDuplicates();
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
};

void TestTranslations::englishMainWindowTextsHaveRussian()
{
    QTranslator ru;
    QVERIFY(ru.load(QStringLiteral("terminal_ru"), QStringLiteral(KVT_BUILD_DIR)));
    const QStringList texts = trLiterals({"mainwindow", "link", "status", "settings"});
    QVERIFY(texts.contains(QStringLiteral("Connected to %1 : %2, %3, %4, %5, %6")));
    QStringList missing;
    for (const QString &t : texts)
        if (isEnglish(t) && ru.translate("MainWindow", t.toUtf8().constData()).isEmpty())
            missing << t;
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1String(" | "))));
    QCOMPARE(ru.translate("MainWindow", "Disconnected").isEmpty(), false);
}

void TestTranslations::russianSourcesHaveEnglish()
{
    QTranslator en;
    QVERIFY(en.load(QStringLiteral("terminal_en"), QStringLiteral(KVT_BUILD_DIR)));
    QStringList missing;
    for (const QString &t : trLiterals({"mainwindow", "link", "status", "settings"}))
        if (!isEnglish(t) && t.trimmed().size() > 0
            && en.translate("MainWindow", t.toUtf8().constData()).isEmpty())
            missing << t;
    for (const QString &t : trLiterals({"terminal"}))
        if (!isEnglish(t) && en.translate("Terminal", t.toUtf8().constData()).isEmpty())
            missing << t;
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1String(" | "))));
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
        const QString shown = en.translate("MainWindow", t.toUtf8().constData());
        if (!isEnglish(shown))
            missing << t;
    }
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1String(" | "))));
}

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
