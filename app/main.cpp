#include "app/startup.h"
#include "mainwindow/mainwindow.h"

#include <QApplication>
#include <QTranslator>

int main(int argc, char *argv[])
{
    auto *app = new QApplication(argc, argv);
    auto *translator = new QTranslator;
    setUpApplication(*app, *translator);

    auto *window = new MainWindow;
    window->setWindowFlags(Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint
                           | Qt::WindowCloseButtonHint);
    // the size, place and docks of the last run, or maximized the first time
    if (window->restoreWindowLayout())
        window->show();
    else
        window->showMaximized();

    const int code = app->exec();
    delete window;
    delete translator;
    delete app;
    return code;
}
