#include "mainwindow/mainwindow.h"
#include "ui_mainwindow.h"

#include "charts/chartspanel.h"
#include "link/commands.h"
#include "link/terminalsession.h"
#include "mainwindow/panels.h"
#include "mainwindow/statusbartext.h"
#include "portdialog/settingsdialog.h"
#include "replay/replaybar.h"
#include "replay/replaycontroller.h"
#include "register/registercontroller.h"
#include "report/installationreport.h"
#include "settings/batchsetup.h"
#include "settings/core_settingswriter.h"
#include "settings/settingspage.h"
#include "station/stationpanel.h"
#include "status/fieldtext.h"
#include "status/statuspage.h"
#include "terminal/terminal.h"

#include <QAbstractSpinBox>
#include <QCloseEvent>
#include <QSettings>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QTabWidget>

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow)
{
    Q_INIT_RESOURCE(images);
    ui->setupUi(this);
    setWindowFlags(Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint
                   | Qt::WindowCloseButtonHint);

    new QHBoxLayout(ui->scrollAreaWidgetContents);

    tabWidget = new QTabWidget;
    tabWidget->setObjectName(QStringLiteral("tabWidget"));
    statusPage = new StatusPage;
    tabWidget->addTab(statusPage, tr("Параметры устройства"));
    settingsPage = new SettingsPage;
    tabWidget->addTab(settingsPage, tr("Настройки"));
    tabWidget->setTabEnabled(tabWidget->indexOf(settingsPage), false);
    tabWidget->setMovable(true);
    ui->scrollAreaWidgetContents->layout()->addWidget(tabWidget);
    connect(tabWidget, &QTabWidget::tabBarClicked, this, &MainWindow::handletabChanged);
    // The window's scroll area takes the height of the page shown, not of the tallest page:
    // the settings page scrolls under its own write bar, which stays in view.
    const auto sizeTabsToCurrent = [this](int current) {
        for (int i = 0; i < tabWidget->count(); ++i) {
            const auto policy = i == current ? QSizePolicy::Preferred : QSizePolicy::Ignored;
            tabWidget->widget(i)->setSizePolicy(policy, policy);
        }
    };
    connect(tabWidget, &QTabWidget::currentChanged, this, sizeTabsToCurrent);
    sizeTabsToCurrent(tabWidget->currentIndex());

    logDock = new QDockWidget(tr("Log"), this);
    logDock->setObjectName(QStringLiteral("logDock"));
    logDock->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    terminal = new Terminal(logDock);
    terminal->setObjectName(QStringLiteral("terminal"));
    logDock->setWidget(terminal);
    addDockWidget(Qt::LeftDockWidgetArea, logDock);
    logDock->hide();

    session = new TerminalSession(this);
    settingsDialog = new SettingsDialog;
    charts = ChartsPanel::addDockTo(this);
    // The charts dock opens about as wide as the log: wider, it would leave the status page a
    // single column at 1366 pixels. Once, the first time it is shown; the user's own width (or
    // the one remembered from the last run) stays.
    if (auto *chartsDock = qobject_cast<QDockWidget *>(charts->parentWidget())) {
        connect(chartsDock, &QDockWidget::visibilityChanged, this, [this, chartsDock](bool shown) {
            if (!shown || chartsDockSized)
                return;
            chartsDockSized = true;
            resizeDocks({chartsDock}, {360}, Qt::Horizontal);
        });
    }
    routeRecords();
    charts->registerTaps(session->router());
    report = new InstallationReport(statusPage, settingsPage, charts, this);
    report->registerTaps(session->router());

    ui->actionConnect->setEnabled(true);
    ui->actionDisconnect->setEnabled(false);
    ui->actionConfigure->setEnabled(true);
    ui->actionClear->setEnabled(false);
    ui->actionSendPacket->setEnabled(false);
    ui->actionClearMem->setEnabled(false);
    ui->actionRestart_Device->setEnabled(false);
    ui->actionUpdate_FW_Local->setEnabled(false);
    ui->actionUpdate_FW_WEB->setEnabled(false);
    ui->actionUpdate_Settings_WEB->setEnabled(false);
    ui->actionTaho->setEnabled(false);
    ui->actionGoToSite->setEnabled(true);
    setUpLanguageActions();
    setUpReportAction();

    connect(ui->actionConnect, &QAction::triggered, this, &MainWindow::openSerialPort);
    connect(ui->actionDisconnect, &QAction::triggered, this, &MainWindow::disconnectByUser);
    connect(ui->actionConfigure, &QAction::triggered, settingsDialog, &QWidget::show);
    connect(ui->actionClear, &QAction::triggered, this, &MainWindow::clearAll);
    connect(ui->actionRestart_Device, &QAction::triggered, this, &MainWindow::restart_device);
    connect(ui->actionSendPacket, &QAction::triggered, this, &MainWindow::send_packet);
    connect(ui->actionClearMem, &QAction::triggered, this, &MainWindow::clear_ext_mem);
    connect(ui->actionUpdate_FW_Local, &QAction::triggered, this, &MainWindow::update_FW_local);
    connect(ui->actionUpdate_FW_WEB, &QAction::triggered, this, &MainWindow::update_FW_WEB);
    connect(ui->actionUpdate_Settings_WEB, &QAction::triggered, this,
            &MainWindow::update_settings_WEB);
    connect(settingsPage, &SettingsPage::readRequested, this, &MainWindow::get_settings);
    connect(settingsPage, &SettingsPage::writeRequested, this, &MainWindow::set_settings);
    // the page's writes and batch set-up's go out as the window's commands
    settingsPage->settingsWriter()->setSendLine([this](const QString &line) { SendCmd(line); });
    connect(settingsDialog, &SettingsDialog::connectToSerialPort, this,
            &MainWindow::openSerialPort);
    connectSession();
    connect(terminal, &Terminal::sendCmdSignal, this, &MainWindow::SendCmd);
    connect(statusPage, &StatusPage::statusMessage, this,
            [this](const QString &text) { ui->statusBar->showMessage(text); });
    connect(statusPage, &StatusPage::tachographAvailable, ui->actionTaho, &QAction::setEnabled);
    auto *recordingLabel = new QLabel;
    recordingLabel->setObjectName(QStringLiteral("recordingLabel"));
    ui->statusBar->addPermanentWidget(recordingLabel);
    connect(terminal, &Terminal::recordingStatusChanged, recordingLabel, &QLabel::setText);
    // what the program's own features report (settings files, the report) stays in a section
    // of its own: the per-chunk and modem-state messages would wipe it within a second
    noticeLabel = new NoticeLabel;
    noticeLabel->setObjectName(QStringLiteral("noticeLabel"));
    ui->statusBar->addPermanentWidget(noticeLabel);
    StatusMessageElider::attach(ui->statusBar, noticeLabel);
    connect(settingsPage, &SettingsPage::statusMessage, this, &MainWindow::showNotice);
    settingsPage->setIdentitySource([this] { return statusPage->identity(); });
    setUpBatchSetup();
    setUpStation();
    // "Открыть запись…" and the replay bar above the tabs
    // the log, the charts and the report stamp what they show with the session's time: the
    // recorded time while a recording plays
    const auto now = [s = session] { return s->now(); };
    terminal->setClock(now);
    charts->setClock(now);
    report->setClock(now);

    replay = new ReplayController(session, this, this);
    replay->setLog(terminal);
    replay->setReport(report);
    replay->setResetPages([this] { clearFields(tabWidget); });
    ui->verticalLayout->insertWidget(0, replay->bar());
    ui->mainToolBar->insertAction(ui->actionClear, replay->openAction());

    setUpPanelsAction(this, ui);
    registerController = new RegisterController(this, ui->mainToolBar, ui->actionTaho, ui->statusBar);
    registerController->watchSession(session);
    registerController->watchSettingsPage(settingsPage, session);
    registerController->watchBatchSetup(batch, session);
    registerController->watchStation(stationPanel);

    restartTitle = tr("Перезагрузка устройства");
    restartDoneText = tr("Устройство перезагружено\r\n");
    portClosedText = tr("COM порт закрыт");
    usbUpdateText = tr("Скопируйте файл ПО на съемный диск KVT_loader\r\n");
}

void MainWindow::showNotice(const QString &text)
{
    // shortened to its room as it is drawn (in the path's middle); the whole text in the tool tip
    noticeLabel->setNotice(text);
}

QString MainWindow::notice() const
{
    return noticeLabel->toolTip();
}

MainWindow::~MainWindow()
{
    delete settingsDialog;
    delete ui;
}

namespace {
const char geometryKey[] = "mainWindow/geometry";
const char stateKey[] = "mainWindow/state";
} // namespace

bool MainWindow::restoreWindowLayout()
{
    const QSettings settings;
    const QByteArray geometry = settings.value(QLatin1String(geometryKey)).toByteArray();
    if (geometry.isEmpty() || !restoreGeometry(geometry))
        return false;
    restoreState(settings.value(QLatin1String(stateKey)).toByteArray());
    chartsDockSized = true;
    stationDockSized = true;
    return true;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    QSettings settings;
    settings.setValue(QLatin1String(geometryKey), saveGeometry());
    settings.setValue(QLatin1String(stateKey), saveState());
    QMainWindow::closeEvent(event);
}

// "Серийная настройка…" in the tool bar, next to the settings update, and its banner above the
// tabs, where it stays in sight on both pages and while no terminal is connected.
void MainWindow::setUpBatchSetup()
{
    batch = new BatchSetup(settingsPage, this);
    batch->setIdentitySource([this] { return statusPage->identity(); });
    batch->setPortSource([this] { return session->connectedPort().systemLocation; });
    batch->registerTaps(session->router());
    ui->verticalLayout->insertWidget(0, batch->banner());

    batchSetupAction = new QAction(QIcon(QStringLiteral(":/images/png/batch.png")),
                                   tr("Серийная настройка…"), this);
    batchSetupAction->setObjectName(QStringLiteral("batchSetupAction"));
    batchSetupAction->setCheckable(true);
    batchSetupAction->setToolTip(tr("Серийная настройка: записать файл настроек на каждый "
                                    "подключаемый терминал"));
    ui->mainToolBar->insertAction(ui->actionTaho, batchSetupAction);

    connect(batchSetupAction, &QAction::triggered, this, &MainWindow::toggleBatchSetup);
    connect(batch, &BatchSetup::runningChanged, batchSetupAction, &QAction::setChecked);
    connect(batch, &BatchSetup::identityRequested, this, &MainWindow::update_dev_info);
    connect(this, &MainWindow::connected, batch, &BatchSetup::terminalConnected);
}

void MainWindow::toggleBatchSetup(bool on)
{
    if (!on) {
        batch->stop();
        return;
    }
    // unchecked until it has really started
    batchSetupAction->setChecked(false);
    const QString file = settingsPage->askBatchFileName();
    if (file.isEmpty())
        return;
    const QString password = settingsPage->askBatchPassword();
    if (password.isNull())
        return;
    batch->start(file, password, session->isOpen());
}

void MainWindow::setConnectedActions(bool connected)
{
    ui->actionConnect->setEnabled(!connected);
    ui->actionDisconnect->setEnabled(connected);
    ui->actionConfigure->setEnabled(!connected);
    ui->actionClear->setEnabled(true);
    ui->actionSendPacket->setEnabled(connected);
    ui->actionClearMem->setEnabled(connected);
    ui->actionRestart_Device->setEnabled(connected);
    ui->actionUpdate_FW_Local->setEnabled(connected);
    ui->actionUpdate_FW_WEB->setEnabled(connected);
    ui->actionUpdate_Settings_WEB->setEnabled(connected);
    if (!connected)
        ui->actionTaho->setEnabled(false);
}

void MainWindow::clearAll()
{
    clearFields(this);
    writeRaw(Command::identity);
    writeRaw(Command::status);
}

// Empties the log and the fields under `scope`: the whole window for the clear command; only
// the pages when a recording starts again from its beginning, so that the docks' own choices
// (the log's auto-scroll, the register's search) stay as the user left them.
void MainWindow::clearFields(QWidget *scope)
{
    statusPage->fieldBatch().flush();   // values still on their way are older than the clearing
    statusPage->fieldBatch().clearStale();
    terminal->clearConsole();
    for (QLineEdit *edit : scope->findChildren<QLineEdit *>()) {
        // the editors inside list and number boxes belong to those boxes, which keep their
        // values
        QWidget *owner = edit->parentWidget();
        if (qobject_cast<QComboBox *>(owner) || qobject_cast<QAbstractSpinBox *>(owner))
            continue;
        clearField(edit);
    }
    for (QRadioButton *button : scope->findChildren<QRadioButton *>())
        button->setChecked(false);
    for (QCheckBox *box : scope->findChildren<QCheckBox *>())
        box->setCheckState(Qt::Unchecked);
}

QSerialPort *MainWindow::serialPort() const
{
    return session->serialPort();
}

const LineFramer &MainWindow::framing() const
{
    return session->framing();
}

RecordRouter &MainWindow::recordRouter()
{
    return session->router();
}
