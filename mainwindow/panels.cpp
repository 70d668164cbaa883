// "Панели" on the tool bar: the window's docks to show and hide, where a new user finds them
// (the tool bar's context menu lists them too); and the tool tips of the tool bar's buttons
// that had only their text.
#include "mainwindow/mainwindow.h"
#include "ui_mainwindow.h"

#include <QDockWidget>
#include <QMenu>
#include <QToolButton>

void MainWindow::setUpPanelsAction()
{
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("panelsMenu"));
    // filled when it opens: every dock of the window, ticked when shown
    connect(menu, &QMenu::aboutToShow, this, [this, menu] {
        menu->clear();
        for (QDockWidget *dock : findChildren<QDockWidget *>(QString(), Qt::FindDirectChildrenOnly))
            menu->addAction(dock->toggleViewAction());
    });
    auto *panelsAction = new QAction(QIcon(QStringLiteral(":/images/png/panels.png")),
                                     tr("Панели"), this);
    panelsAction->setObjectName(QStringLiteral("panelsAction"));
    panelsAction->setToolTip(tr("Панели: показать или скрыть лог, графики, станцию настройки и реестр установок"));
    panelsAction->setMenu(menu);
    ui->mainToolBar->insertAction(ui->actionGoToSite, panelsAction);
    if (auto *button = qobject_cast<QToolButton *>(ui->mainToolBar->widgetForAction(panelsAction)))
        button->setPopupMode(QToolButton::InstantPopup);

    ui->actionGoToSite->setToolTip(tr("Открыть сайт производителя терминалов"));
    ui->actionRussian->setToolTip(tr("Русский язык интерфейса (со следующего запуска)"));
    ui->actionENGLISH->setToolTip(tr("Английский язык интерфейса (со следующего запуска)"));
}
