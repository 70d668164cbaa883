#include "mainwindow/mainwindow.h"

#include <QCoreApplication>
#include <QTranslator>

void MainWindow::setLanguage(const QString &code)
{
    if (translator)
        QCoreApplication::removeTranslator(translator);
    // the previous translator stays a child of the window until it is destroyed
    translator = new QTranslator(this);
    translator->load(QStringLiteral("terminal_") + code);
    QCoreApplication::installTranslator(translator);
}

void MainWindow::lang_task_ru()
{
    setLanguage(QStringLiteral("ru"));
}
