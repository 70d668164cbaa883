// "Станция настройки…": the provisioning station's dock, started and stopped from the tool bar.
#include "mainwindow/mainwindow.h"
#include "ui_mainwindow.h"

#include "link/terminalsession.h"
#include "portdialog/settingsdialog.h"
#include "settings/settingspage.h"
#include "station/provisionstation.h"
#include "station/stationpanel.h"

#include <QDir>
#include <QDockWidget>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

#include <memory>

void MainWindow::setUpStation()
{
    stationDock = new QDockWidget(tr("Станция настройки"), this);
    stationDock->setObjectName(QStringLiteral("stationDock"));
    stationDock->setAllowedAreas(Qt::BottomDockWidgetArea | Qt::TopDockWidgetArea);
    stationPanel = new StationPanel(stationDock);
    stationDock->setWidget(stationPanel);
    addDockWidget(Qt::BottomDockWidgetArea, stationDock);
    stationDock->hide();
    // The first time it shows, the dock takes the height of its table's four rows and leaves
    // the rest to the pages; the user's own height (or the last run's) stays.
    connect(stationDock, &QDockWidget::visibilityChanged, this, [this](bool shown) {
        if (!shown || stationDockSized)
            return;
        stationDockSized = true;
        resizeDocks({stationDock}, {stationDock->minimumSizeHint().height()}, Qt::Vertical);
    });

    stationAction = new QAction(QIcon(QStringLiteral(":/images/png/station.png")),
                                tr("Станция настройки…"), this);
    stationAction->setObjectName(QStringLiteral("stationAction"));
    stationAction->setCheckable(true);
    stationAction->setToolTip(tr("Станция настройки: записать файл настроек на все "
                                 "подключённые терминалы сразу"));
    ui->mainToolBar->insertAction(ui->actionTaho, stationAction);

    ProvisionStation *station = stationPanel->station();
    connect(stationAction, &QAction::triggered, this, &MainWindow::toggleStation);
    connect(station, &ProvisionStation::runningChanged, stationAction, &QAction::setChecked);
    connect(stationPanel, &StationPanel::stopRequested, station, &ProvisionStation::stop);
    connect(stationPanel, &StationPanel::firmwareUpdateRequested, this,
            &MainWindow::updateStationFirmware);
    // terminals still at work when the journal failed fail with it: one box says it for all
    auto journalBoxOpen = std::make_shared<bool>(false);
    connect(station, &ProvisionStation::journalFailed, this,
            [this, journalBoxOpen](const QString &path, const QString &error) {
                if (*journalBoxOpen)
                    return;
                *journalBoxOpen = true;
                QMessageBox::critical(
                    this, tr("Станция настройки"),
                    tr("Не удалось записать журнал %1: %2. Станция настройки остановлена.")
                        .arg(QDir::toNativeSeparators(path), error));
                *journalBoxOpen = false;
            });
    // the port list says which port the window holds and which ones the station uses
    settingsDialog->setPortUse([this, station](const QString &port) {
        if ((session->isOpen() || session->isWaiting())
            && session->connectedPort().portName == port)
            return tr("это окно");
        if (station->isRunning()) {
            for (const StationRow &row : station->rows())
                if (row.present && row.port == port)
                    return tr("станция настройки");
        }
        return QString();
    });
    connect(session, &TerminalSession::opened, this, &MainWindow::updateStationExclusion);
    connect(session, &TerminalSession::closed, this, &MainWindow::updateStationExclusion);
    connect(session, &TerminalSession::waiting, this, &MainWindow::updateStationExclusion);
}

void MainWindow::updateStationExclusion()
{
    const bool holds = session->isOpen() || session->isWaiting();
    stationPanel->station()->setExcludedPort(holds ? session->connectedPort().portName
                                                   : QString());
}

void MainWindow::toggleStation(bool on)
{
    ProvisionStation *station = stationPanel->station();
    if (!on) {
        station->stop();
        return;
    }
    // unchecked until it has really started
    stationAction->setChecked(false);
    const QString title = tr("Станция настройки");
    const QString file = QFileDialog::getOpenFileName(
        this, tr("Станция настройки: файл настроек"), QString(),
        tr("Файлы настроек (*.json);;Все файлы (*)"));
    if (file.isEmpty())
        return;
    SettingsFile read;
    if (!settingsPage->readSettingsFile(file, &read))
        return;
    bool ok = false;
    const QString password = QInputDialog::getText(this, title, tr("Пароль доступа терминалов:"),
                                                   QLineEdit::Password, QString(), &ok);
    if (!ok)
        return;
    if (password.isEmpty()) {
        QMessageBox::information(this, title, tr("Требуется указать пароль доступа"));
        return;
    }
    updateStationExclusion();
    QString error;
    if (!station->start(read, file, password, &error)) {
        QMessageBox::critical(this, title,
                              tr("Не удалось открыть журнал %1: %2")
                                  .arg(QDir::toNativeSeparators(station->journalPath()), error));
        return;
    }
    stationDock->show();
    stationDock->raise();
}

void MainWindow::updateStationFirmware()
{
    const QString file = askFirmwareFile();
    if (file.isEmpty())
        return;
    // one question for all of them: each terminal goes into its loader in turn
    int terminals = 0;
    for (const StationRow &row : stationPanel->station()->rows())
        terminals += row.present ? 1 : 0;
    const auto answer = QMessageBox::question(
        this, tr("Станция настройки"),
        tr("Обновить ПО всех подключённых терминалов таблицы (%1) файлом %2?\n"
           "Терминалы обновляются по одному; каждый уходит в загрузчик и возвращается "
           "с новой версией.")
            .arg(terminals)
            .arg(QDir::toNativeSeparators(file)),
        QMessageBox::Yes | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer != QMessageBox::Yes)
        return;
    QString error;
    if (!stationPanel->station()->startFirmwareUpdate(file, &error))
        QMessageBox::information(this, tr("Станция настройки"),
                                 tr("Обновление ПО не начато: %1").arg(error));
}
