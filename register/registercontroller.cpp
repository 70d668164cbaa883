#include "register/registercontroller.h"

#include "firmware/firmwareupdate.h"
#include "link/core_terminalidentity.h"
#include "link/terminalsession.h"
#include "register/registerpanel.h"
#include "register/registersearch.h"
#include "settings/batchsetup.h"
#include "settings/core_batchrun.h"
#include "settings/core_settingsecho.h"
#include "settings/core_terminaloutcome.h"
#include "settings/settingspage.h"
#include "station/provisionstation.h"
#include "station/stationpanel.h"

#include <QAction>
#include <QDir>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDockWidget>
#include <QFormLayout>
#include <QFileInfo>
#include <QInputDialog>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QMetaEnum>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>

namespace {

QString portOf(TerminalSession *session)
{
    return session->connectedPort().portName;
}

// What the server's search would find among the events still queued here.
QVector<RegisterEvent> matching(const QVector<RegisterEvent> &events, const QString &text)
{
    if (text.isEmpty())
        return events;
    QVector<RegisterEvent> found;
    for (const RegisterEvent &e : events) {
        if (e.serialNumber == text || e.imei == text || e.vehicle == text || e.engineer == text)
            found.append(e);
    }
    return found;
}

} // namespace

RegisterController::RegisterController(QMainWindow *window, QToolBar *toolBar, QAction *before,
                                       QStatusBar *statusBar)
    : QObject(window),
      registerDock(new QDockWidget(tr("Реестр установок"), window)),
      registerPanel(new RegisterPanel(registerDock)),
      stateLabel(new QLabel),
      refreshTimer(new QTimer(this))
{
    refreshTimer->setSingleShot(true);
    refreshTimer->setInterval(200);
    connect(refreshTimer, &QTimer::timeout, this, [this] {
        if (registerDock->isVisible())
            search(registerPanel->model()->searchText());
    });
    registerDock->setObjectName(QStringLiteral("registerDock"));
    registerDock->setWidget(registerPanel);
    window->addDockWidget(Qt::BottomDockWidgetArea, registerDock);
    registerDock->hide();
    QAction *toggle = registerDock->toggleViewAction();
    toggle->setObjectName(QStringLiteral("registerAction"));
    toggle->setIcon(window->style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    toggle->setToolTip(tr("Реестр установок: история терминалов, кто, когда и что с ними делал"));
    if (toolBar)
        toolBar->insertAction(before, toggle);

    stateLabel->setObjectName(QStringLiteral("registerStatusLabel"));
    statusBar->addPermanentWidget(stateLabel);
    startRecorder();
    connect(registerPanel, &RegisterPanel::searchRequested, this, &RegisterController::search);
    connect(registerPanel->model(), &RegisterTableModel::searchFinished, this,
            &RegisterController::searchAnswered);
    connect(registerPanel, &RegisterPanel::settingsRequested, this, &RegisterController::askSettings);
    // the first look at the dock shows the latest events
    connect(registerDock, &QDockWidget::visibilityChanged, this, [this](bool shown) {
        if (shown && !searched)
            search(QString());
        else if (shown && stale)
            search(registerPanel->model()->searchText());
    });
}

RegisterController::~RegisterController() = default;

void RegisterController::startRecorder()
{
    settingError.clear();
    registerPanel->model()->setSource(nullptr);
    rec = std::make_unique<RegisterRecorder>(registerLocation(&settingError));
    searcher = std::make_unique<RegisterSearch>(rec->location());
    registerPanel->model()->setSource(searcher.get());
    connect(rec.get(), &RegisterRecorder::syncFinished, this,
            [this](int queued, bool reachable) { showState(queued, reachable); });
    connect(rec.get(), &RegisterRecorder::recorded, this, &RegisterController::refreshSoon);
    connect(rec.get(), &RegisterRecorder::eventsSent, this, &RegisterController::refreshSoon);
    connect(rec.get(), &RegisterRecorder::recordFailed, this, [this](const QString &error) {
        registerPanel->setState(tr("Событие не записано в реестр: %1").arg(error), true);
    });
    showState(rec->queuedCount(), true);
}

bool RegisterController::applySettings(const QString &location, const QString &engineer,
                                       QString *error)
{
    RegisterLocation where;
    if (!parseRegisterLocation(location, &where, error))
        return false;
    QSettings settings(QStringLiteral("KVT"), QStringLiteral("kvt-logger"));
    settings.setValue(QLatin1String(RegisterSettingKey), location.trimmed());
    settings.setValue(QStringLiteral("engineer"), engineer.trimmed());
    settings.sync();
    registerPanel->model()->clear();
    startRecorder();
    if (registerDock->isVisible())
        search(registerPanel->searchEdit()->text());
    return true;
}

void RegisterController::askSettings()
{
    auto *window = registerDock->window();
    const QSettings settings(QStringLiteral("KVT"), QStringLiteral("kvt-logger"));
    QDialog dialog(window);
    dialog.setObjectName(QStringLiteral("registerSettingsDialog"));
    dialog.setWindowTitle(tr("Реестр установок"));
    auto *location = new QLineEdit(settings.value(QLatin1String(RegisterSettingKey)).toString());
    location->setObjectName(QStringLiteral("registerLocationEdit"));
    location->setPlaceholderText(tr("пусто: файл %1").arg(QDir::toNativeSeparators(
        registerDataFolder() + QStringLiteral("/register.sqlite"))));
    location->setMinimumWidth(420);
    auto *engineer = new QLineEdit(settings.value(QStringLiteral("engineer")).toString());
    engineer->setObjectName(QStringLiteral("registerEngineerEdit"));
    engineer->setPlaceholderText(tr("пусто: имя входа в систему"));
    auto *form = new QFormLayout(&dialog);
    form->addRow(tr("Реестр установок:"), location);
    auto *hint = new QLabel(tr("Файл SQLite или сервер PostgreSQL: postgresql://пользователь@сервер:порт/база "
                               "(папка сокета: ?host=/путь). Пароль сервера берётся из ~/.pgpass "
                               "или PGPASSWORD и здесь не хранится."));
    hint->setWordWrap(true);
    form->addRow(hint);
    if (!qEnvironmentVariableIsEmpty("KVT_REGISTER"))
        form->addRow(new QLabel(tr("Сейчас действует переменная KVT_REGISTER: %1")
                                    .arg(qEnvironmentVariable("KVT_REGISTER"))));
    form->addRow(tr("Инженер:"), engineer);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    while (dialog.exec() == QDialog::Accepted) {
        QString error;
        if (applySettings(location->text(), engineer->text(), &error))
            return;
        QMessageBox::warning(window, tr("Реестр установок"),
                             tr("Реестр не изменён: %1").arg(error));
    }
}

QAction *RegisterController::action() const
{
    return registerDock->toggleViewAction();
}

QString RegisterController::statusText() const
{
    return stateLabel->text();
}

void RegisterController::showState(int queued, bool reachable)
{
    // only what needs the engineer's eye: events that wait for a server that does not answer
    stateLabel->setText(!reachable && queued > 0 ? tr("Реестр: нет связи, в очереди %1").arg(queued)
                                                 : QString());
}

void RegisterController::refreshSoon()
{
    stale = true;
    if (searched && registerDock->isVisible() && !refreshTimer->isActive())
        refreshTimer->start();
}

void RegisterController::search(const QString &text)
{
    searched = true;
    stale = false;
    refreshTimer->stop();
    registerPanel->setState(tr("Реестр: поиск…"), false);
    registerPanel->model()->search(text);
}

void RegisterController::searchAnswered(bool ok, const QString &error)
{
    if (ok) {
        QString where = tr("Реестр: %1").arg(rec->location().describe());
        if (!settingError.isEmpty())
            where += QStringLiteral(" (") + tr("настройка не используется: %1").arg(settingError)
                     + QLatin1Char(')');
        registerPanel->setState(where, !settingError.isEmpty());
        return;
    }
    if (!rec->location().isServer()) {
        registerPanel->model()->clear();
        registerPanel->setState(tr("Реестр %1 не отвечает: %2")
                                    .arg(rec->location().describe(), error.simplified()),
                                true);
        return;
    }
    // what was done here meanwhile is still to be seen: the events that wait for the server
    const QVector<RegisterEvent> waiting = matching(rec->queuedEvents(RegisterTableModel::PageSize),
                                                    registerPanel->model()->searchText());
    registerPanel->model()->showEvents(waiting);
    registerPanel->setState(tr("Реестр: нет связи, в очереди %1; показаны события, ждущие отправки (%2). "
                               "%3 не отвечает: %4")
                                .arg(rec->queuedNow())
                                .arg(waiting.size())
                                .arg(rec->location().describe(), error.simplified()),
                            true);
}

TerminalIdentity RegisterController::identityOf(TerminalSession *session)
{
    const TerminalIdentity now = shownIdentity(session->identity());
    TerminalIdentity &known = knownIdentities[portOf(session)];
    const auto differ = [](const QString &a, const QString &b) { return !a.isEmpty() && !b.isEmpty() && a != b; };
    if (differ(now.serialNumber, known.serialNumber) || differ(now.imei, known.imei))
        known = TerminalIdentity();   // another terminal on that port
    for (auto field : {&TerminalIdentity::model, &TerminalIdentity::serialNumber, &TerminalIdentity::imei,
                       &TerminalIdentity::firmwareVersion}) {
        if (!(now.*field).isEmpty())
            known.*field = now.*field;
    }
    return known;
}

QString RegisterController::vehicleFor(const QString &serialNumber) const
{
    return rec->vehicleFor(serialNumber);
}

void RegisterController::watchSession(TerminalSession *session)
{
    // recorded once the serial number is known, with the IMEI when it comes a moment later: a
    // terminal that never tells its IMEI is recorded without one
    auto *imeiWait = new QTimer(this);
    imeiWait->setSingleShot(true);
    const auto identified = [this, session] {
        const TerminalIdentity terminal = shownIdentity(session->identity());
        if (!terminal.serialNumber.isEmpty())
            rec->terminalIdentified(terminal, portOf(session));
    };
    connect(imeiWait, &QTimer::timeout, this, identified);
    connect(session, &TerminalSession::identityChanged, this, [this, session, imeiWait, identified] {
        identityOf(session);   // kept for the events while the line is opened again
        const TerminalIdentity terminal = shownIdentity(session->identity());
        if (terminal.serialNumber.isEmpty()) {
            imeiWait->stop();
        } else if (!terminal.imei.isEmpty()) {
            imeiWait->stop();
            identified();
        } else if (!imeiWait->isActive()) {
            imeiWait->start(imeiWaitMs);
        }
    });
}

void RegisterController::watchSettingsPage(SettingsPage *page, TerminalSession *session)
{
    connect(page, &SettingsPage::writeFinished, this,
            [this, session](WriteOutcome outcome, const QStringList &differing) {
                RegisterEvent e = newRegisterEvent(QString::fromLatin1(RegisterKind::SettingsWritten),
                                                   identityOf(session));
                e.port = portOf(session);
                e.result = terminalOutcomeCode(terminalOutcomeOfWrite(outcome));
                e.details = QJsonObject{{QStringLiteral("differing"), QJsonArray::fromStringList(differing)}};
                rec->record(e);
            });
}

void RegisterController::watchBatchSetup(BatchSetup *batch, TerminalSession *session)
{
    QLineEdit *vehicle = batch->vehicleEdit();
    auto usedFor = std::make_shared<QString>();   // the terminal the field's vehicle went with
    connect(batch->run(), &BatchRun::journalLineWritten, this, [this, session, vehicle, usedFor](const QString &line) {
        rec->journalLineWritten(line, portOf(session), vehicle->text().trimmed());
        *usedFor = shownIdentity(session->identity()).serialNumber;
    });
    // given once the line is written: for the terminal's later events (its report)
    connect(vehicle, &QLineEdit::editingFinished, this, [this, session, vehicle] {
        const QString serial = shownIdentity(session->identity()).serialNumber;
        if (!serial.isEmpty() && !vehicle->text().trimmed().isEmpty())
            rec->rememberVehicle(serial, vehicle->text().trimmed());
    });
    // the next terminal goes into another vehicle
    connect(session, &TerminalSession::identityChanged, vehicle, [session, vehicle, usedFor] {
        const QString serial = shownIdentity(session->identity()).serialNumber;
        if (!usedFor->isEmpty() && !serial.isEmpty() && serial != *usedFor) {
            vehicle->clear();
            usedFor->clear();
        }
    });
}

void RegisterController::watchStation(StationPanel *panel)
{
    station = panel->station();
    connect(station, &ProvisionStation::journalLineWritten, this,
            [this](const QString &port, const QString &line) {
                rec->journalLineWritten(line, port, portVehicles.take(port));
            });
    connect(station, &ProvisionStation::rowChanged, this, [this](int row) {
        const StationRow &r = station->rows().at(row);
        if (r.serialNumber.isEmpty())
            return;
        if (portVehicles.contains(r.port))
            rec->rememberVehicle(r.serialNumber, portVehicles.take(r.port));
        // the station reads the identity whole: past reading, a terminal without an IMEI has none
        const bool identityRead = r.stage != BatchRun::Stage::Waiting && r.stage != BatchRun::Stage::Reading;
        if (!r.imei.isEmpty() || identityRead)
            rec->terminalIdentified(TerminalIdentity{QString(), r.serialNumber, r.imei, r.firmware}, r.port);
    });
    connect(panel, &StationPanel::vehicleRequested, this,
            [this, panel](int row) { askStationVehicle(panel, row); });
}

void RegisterController::askStationVehicle(StationPanel *panel, int row)
{
    if (row < 0 || row >= station->rows().size())
        return;
    const StationRow &r = station->rows().at(row);
    const QString now = r.serialNumber.isEmpty() ? portVehicles.value(r.port) : rec->vehicleFor(r.serialNumber);
    bool ok = false;
    const QString terminal = r.serialNumber.isEmpty() ? r.port : r.serialNumber;
    const QString vehicle = QInputDialog::getText(panel->window(), tr("Указать ТС"),
                                                  tr("Госномер или гаражный номер ТС для терминала %1:").arg(terminal),
                                                  QLineEdit::Normal, now, &ok);
    if (ok)
        setStationVehicle(row, vehicle);
}

void RegisterController::setStationVehicle(int row, const QString &vehicle)
{
    if (!station || row < 0 || row >= station->rows().size() || vehicle.trimmed().isEmpty())
        return;
    const StationRow &r = station->rows().at(row);
    if (r.serialNumber.isEmpty())
        portVehicles.insert(r.port, vehicle.trimmed());
    else
        rec->rememberVehicle(r.serialNumber, vehicle.trimmed());
}

void RegisterController::watchFirmwareUpdate(FirmwareUpdate *update, TerminalSession *session)
{
    const TerminalIdentity before = identityOf(session);
    const QString port = portOf(session);
    connect(update, &FirmwareUpdate::finished, this,
            [this, update, before, port](FirmwareUpdate::Outcome outcome, const QString &text) {
                RegisterEvent e = newRegisterEvent(QString::fromLatin1(RegisterKind::FirmwareUpdated), before);
                e.port = port;
                if (!update->versionAfter().isEmpty())
                    e.firmware = update->versionAfter();
                e.result = outcome == FirmwareUpdate::Outcome::Updated ? QStringLiteral("firmware-updated")
                                                                       : QStringLiteral("firmware-failed");
                e.details = QJsonObject{
                    {QStringLiteral("from"), update->versionBefore().isEmpty() ? before.firmwareVersion
                                                                                : update->versionBefore()},
                    {QStringLiteral("to"), update->versionAfter()},
                    {QStringLiteral("outcome"),
                     QString::fromLatin1(QMetaEnum::fromType<FirmwareUpdate::Outcome>().valueToKey(int(outcome)))},
                    {QStringLiteral("text"), text}};
                rec->record(e);
            });
}

void RegisterController::recordReport(const QString &fileName, const QString &vehicle,
                                      TerminalSession *session, const QVector<CheckOutcome> &checks)
{
    RegisterEvent e = newRegisterEvent(QString::fromLatin1(RegisterKind::ReportSaved), identityOf(session));
    e.port = portOf(session);
    e.vehicle = vehicle.trimmed();
    e.result = QStringLiteral("saved");
    QJsonArray list;
    for (const CheckOutcome &c : checks) {
        const char *result = c.result == CheckResult::Passed   ? "passed"
                             : c.result == CheckResult::Failed ? "failed"
                                                               : "not-seen";
        list.append(QJsonObject{{QStringLiteral("check"), InstallationChecks::checkName(c.check)},
                                {QStringLiteral("result"), QLatin1String(result)},
                                {QStringLiteral("detail"), c.detail}});
    }
    e.details = QJsonObject{{QStringLiteral("path"), QDir::toNativeSeparators(QFileInfo(fileName).absoluteFilePath())},
                            {QStringLiteral("checks"), list}};
    rec->record(e);
}
