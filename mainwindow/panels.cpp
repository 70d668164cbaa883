// "Панели" on the tool bar: the window's docks to show and hide, where a new user finds them
// (the tool bar's context menu lists them too); and the tool tips of the tool bar's buttons
// that had only their text.
#include "mainwindow/panels.h"
#include "mainwindow/mainwindow.h"
#include "ui_mainwindow.h"

#include <QDockWidget>
#include <QMenu>
#include <QToolButton>

void setUpPanelsAction(QMainWindow *window, Ui::MainWindow *ui)
{
    auto *menu = new QMenu(window);
    menu->setObjectName(QStringLiteral("panelsMenu"));
    // filled when it opens: every dock of the window, ticked when shown
    QObject::connect(menu, &QMenu::aboutToShow, window, [window, menu] {
        menu->clear();
        for (QDockWidget *dock :
             window->findChildren<QDockWidget *>(QString(), Qt::FindDirectChildrenOnly))
            menu->addAction(dock->toggleViewAction());
    });
    auto *panelsAction = new QAction(QIcon(QStringLiteral(":/images/png/panels.png")),
                                     MainWindow::tr("Панели"), window);
    panelsAction->setObjectName(QStringLiteral("panelsAction"));
    panelsAction->setToolTip(MainWindow::tr("Панели: показать или скрыть лог, графики, станцию настройки и реестр установок"));
    panelsAction->setMenu(menu);
    ui->mainToolBar->insertAction(ui->actionGoToSite, panelsAction);
    if (auto *button = qobject_cast<QToolButton *>(ui->mainToolBar->widgetForAction(panelsAction)))
        button->setPopupMode(QToolButton::InstantPopup);

    ui->actionGoToSite->setToolTip(MainWindow::tr("Открыть сайт производителя терминалов"));
    ui->actionRussian->setToolTip(MainWindow::tr("Русский язык интерфейса (со следующего запуска)"));
    ui->actionENGLISH->setToolTip(MainWindow::tr("Английский язык интерфейса (со следующего запуска)"));
}
