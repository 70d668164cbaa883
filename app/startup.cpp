#include "app/startup.h"

#include "app/styleloader.h"

#include <QApplication>
#include <QKeySequence>
#include <QLocale>
#include <QStyleFactory>
#include <QTranslator>

void setUpApplication(QApplication &app, QTranslator &translator)
{
    StyleLoader::attach(QKeySequence(QStringLiteral("F5")));
    if (QStyle *fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(fusion);

    // The translation named after the program and the locale is loaded first; the
    // interface translation then replaces it, so the interface always comes up in the
    // language of "terminal_ru".
    translator.load(QCoreApplication::applicationName() + QLatin1Char('_') + QLocale::system().name());
    app.installTranslator(&translator);
    translator.load(QStringLiteral("terminal_ru"));
    app.installTranslator(&translator);
}
