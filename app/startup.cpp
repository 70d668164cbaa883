#include "app/startup.h"

#include "app/styleloader.h"
#include "app/translations.h"

#include <QApplication>
#include <QKeySequence>
#include <QStyleFactory>
#include <QTranslator>

void setUpApplication(QApplication &app, QTranslator &translator)
{
    QCoreApplication::setOrganizationName(QStringLiteral("KVT"));
    QCoreApplication::setApplicationName(QStringLiteral("kvt-logger"));

    StyleLoader *loader = StyleLoader::attach(QKeySequence(QStringLiteral("F5")));
    if (QStyle *fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(fusion);
    // the look chosen with F5 the last time, over the style's own
    loader->applySavedLook();

    const QString language = savedLanguage();
    setInterfaceLanguage(language);

    // Qt's own texts (standard buttons, file dialogs) in the interface language; installed
    // first, so the program's translation wins where both know a text.
    auto *qtTranslator = app.findChild<QTranslator *>(QStringLiteral("qtTranslator"));
    if (!qtTranslator) {
        qtTranslator = new QTranslator(&app);
        qtTranslator->setObjectName(QStringLiteral("qtTranslator"));
    }
    QCoreApplication::removeTranslator(qtTranslator);
    if (loadQtTranslation(*qtTranslator, language))
        QCoreApplication::installTranslator(qtTranslator);

    // A missing file leaves the texts as written in the source.
    QCoreApplication::removeTranslator(&translator);
    if (!loadInterfaceTranslation(translator, language))
        translator.load(QString());
    QCoreApplication::installTranslator(&translator);
}
