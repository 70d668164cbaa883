#include "app/translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QSettings>
#include <QTranslator>

#ifndef KVT_DATA_DIR
#define KVT_DATA_DIR ""
#endif

const char *const RussianLanguage = "ru";
const char *const EnglishLanguage = "en";

namespace {
const char *const LanguageKey = "language";
// the language the application's translators were loaded for, kept by the application
const char *const RunningLanguageProperty = "kvtInterfaceLanguage";
} // namespace

QStringList translationFolders()
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    QStringList folders{QDir::currentPath(), exeDir,
                        QDir::cleanPath(exeDir + QStringLiteral("/../share/kvt-logger"))};
    const QString installed = QStringLiteral(KVT_DATA_DIR);
    if (!installed.isEmpty())
        folders << QDir::cleanPath(installed);
    folders.removeDuplicates();
    return folders;
}

QString findTranslation(const QString &baseName, const QStringList &folders)
{
    const QString fileName = baseName + QStringLiteral(".qm");
    for (const QString &folder : folders) {
        const QFileInfo file(QDir(folder), fileName);
        if (file.isFile())
            return file.absoluteFilePath();
    }
    return QString();
}

QString savedLanguage()
{
    const QString code = QSettings().value(QLatin1String(LanguageKey)).toString();
    return code == QLatin1String(EnglishLanguage) ? code : QString::fromLatin1(RussianLanguage);
}

void saveLanguage(const QString &code)
{
    QSettings().setValue(QLatin1String(LanguageKey), code);
}

QString interfaceLanguage()
{
    const QVariant code =
        QCoreApplication::instance()
            ? QCoreApplication::instance()->property(RunningLanguageProperty)
            : QVariant();
    return code.isValid() ? code.toString() : QString::fromLatin1(RussianLanguage);
}

void setInterfaceLanguage(const QString &code)
{
    if (QCoreApplication *app = QCoreApplication::instance())
        app->setProperty(RunningLanguageProperty, code);
}

bool loadInterfaceTranslation(QTranslator &translator, const QString &code)
{
    const QString path = findTranslation(QStringLiteral("terminal_") + code, translationFolders());
    return !path.isEmpty() && translator.load(path);
}

bool loadQtTranslation(QTranslator &translator, const QString &code)
{
    const QStringList folders{
        QLibraryInfo::location(QLibraryInfo::TranslationsPath),
        QCoreApplication::applicationDirPath() + QStringLiteral("/translations")};
    // windeployqt gathers Qt's translations into one "qt_<code>" file
    const QStringList names{QStringLiteral("qtbase_") + code, QStringLiteral("qt_") + code};
    for (const QString &folder : folders)
        for (const QString &name : names)
            if (translator.load(name, folder))
                return true;
    return false;
}
