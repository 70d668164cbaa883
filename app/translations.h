#pragma once
// Where the program finds its translations and which interface language the user chose.

#include <QString>
#include <QStringList>

class QTranslator;

// The interface languages: Russian (the default) and English.
extern const char *const RussianLanguage;
extern const char *const EnglishLanguage;

// The folders searched for the program's own translation files, in this order: the current
// folder, the folder of the executable, the data folder beside it (../share/kvt-logger) and
// the installed data folder.
QStringList translationFolders();

// The path of the first "<baseName>.qm" found in the folders, in their order; empty when none
// holds it.
QString findTranslation(const QString &baseName, const QStringList &folders);

// The language the user chose (QSettings key "language"): "ru" or "en"; "ru" when nothing or
// something unknown was saved.
QString savedLanguage();
void saveLanguage(const QString &code);

// The language the running program's interface was built in ("ru" until start-up says
// otherwise); the application object keeps it.
QString interfaceLanguage();
void setInterfaceLanguage(const QString &code);

// Loads the program's translation "terminal_<code>" from the first folder that holds it.
bool loadInterfaceTranslation(QTranslator &translator, const QString &code);

// Loads Qt's own translation of the standard dialogs and buttons ("qtbase_<code>") from Qt's
// translations folder, or from the "translations" folder beside the executable (where
// windeployqt puts it).
bool loadQtTranslation(QTranslator &translator, const QString &code);
