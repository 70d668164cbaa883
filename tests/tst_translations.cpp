// Every English text the main window shows must have its Russian translation and every
// Russian text its English one, each in the context of the class that shows it.
#include "app/startup.h"

#include <QDirIterator>
#include <QRegularExpression>
#include <QTranslator>
#include <QtTest>

namespace {
// One tr("...") literal of the sources and its translation context: the class of the member
// function it is written in.
struct TrCall
{
    QString context;
    QString text;
    bool operator==(const TrCall &o) const { return context == o.context && text == o.text; }
};

// The tr("...") literals of the sources under the given folders (single-literal calls).
QList<TrCall> trLiterals(const QStringList &folders)
{
    QList<TrCall> found;
    const QRegularExpression call(QStringLiteral("\\btr\\(\\s*\"((?:[^\"\\\\]|\\\\.)*)\"\\s*\\)"));
    // a member function definition starts at the beginning of a line: "... Class::name("
    const QRegularExpression definition(QStringLiteral("^(?=[^\\s#/]).*?\\b(\\w+)::~?\\w+\\s*\\("),
                                        QRegularExpression::MultilineOption);
    for (const QString &folder : folders) {
        QDirIterator it(QStringLiteral(KVT_SOURCE_DIR "/") + folder, {"*.cpp"}, QDir::Files);
        while (it.hasNext()) {
            QFile f(it.next());
            if (!f.open(QIODevice::ReadOnly))
                continue;
            const QString text = QString::fromUtf8(f.readAll());
            QList<QPair<int, QString>> classes;   // where each definition starts, its class
            auto d = definition.globalMatch(text);
            while (d.hasNext()) {
                const auto m = d.next();
                classes.append({m.capturedStart(), m.captured(1)});
            }
            auto m = call.globalMatch(text);
            while (m.hasNext()) {
                const auto match = m.next();
                QString context = QStringLiteral("<outside a member function of %1>")
                                      .arg(f.fileName());
                for (const auto &c : classes)
                    if (c.first < match.capturedStart())
                        context = c.second;
                QString lit = match.captured(1);
                lit.replace(QLatin1String("\\r"), QLatin1String("\r"));
                lit.replace(QLatin1String("\\n"), QLatin1String("\n"));
                lit.replace(QLatin1String("\\\""), QLatin1String("\""));
                if (!found.contains({context, lit}))
                    found.append({context, lit});
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
};

void TestTranslations::englishMainWindowTextsHaveRussian()
{
    QTranslator ru;
    QVERIFY(ru.load(QStringLiteral("terminal_ru"), QStringLiteral(KVT_BUILD_DIR)));
    const QList<TrCall> texts = trLiterals({"mainwindow", "link", "status", "settings"});
    QVERIFY(texts.contains({"MainWindow", "Connected to %1 : %2, %3, %4, %5, %6"}));
    QVERIFY(texts.contains({"StatusPage", "!!! MS= %1 !!!"}));
    QVERIFY(texts.contains({"SensorPanel", "IN4_U Выход"}));
    QStringList missing;
    for (const TrCall &t : texts)
        if (isEnglish(t.text)
            && ru.translate(t.context.toUtf8().constData(), t.text.toUtf8().constData()).isEmpty())
            missing << t.context + QLatin1Char(':') + t.text;
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1String(" | "))));
    QCOMPARE(ru.translate("MainWindow", "Disconnected").isEmpty(), false);
}

void TestTranslations::russianSourcesHaveEnglish()
{
    QTranslator en;
    QVERIFY(en.load(QStringLiteral("terminal_en"), QStringLiteral(KVT_BUILD_DIR)));
    QStringList missing;
    for (const TrCall &t : trLiterals({"mainwindow", "link", "status", "settings", "terminal"}))
        if (!isEnglish(t.text) && t.text.trimmed().size() > 0
            && en.translate(t.context.toUtf8().constData(), t.text.toUtf8().constData()).isEmpty())
            missing << t.context + QLatin1Char(':') + t.text;
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1String(" | "))));
}

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
