#pragma once
// The installation register in the window: the dock "Реестр установок" with its tool bar
// action, the status bar's section ("Реестр: нет связи, в очереди N") and the events of the
// window's features. The window places it and hands it what it watches; the controller does
// the rest.

#include "register/registerdatabase.h"
#include "register/registerrecorder.h"
#include "report/core_installationchecks.h"
#include "status/core_identity.h"

#include <QHash>
#include <QObject>
#include <QString>

#include <memory>

class BatchSetup;
class FirmwareUpdate;
class ProvisionStation;
class QAction;
class QDockWidget;
class QLabel;
class QMainWindow;
class QStatusBar;
class QTimer;
class QToolBar;
class RegisterPanel;
class RegisterSearch;
class SettingsPage;
class StationPanel;
class TerminalSession;

class RegisterController : public QObject
{
    Q_OBJECT

public:
    // The dock (hidden at first) goes into `window`, its action into `toolBar` before `before`
    // (at the end without one), the queue's state into `statusBar`.
    RegisterController(QMainWindow *window, QToolBar *toolBar, QAction *before, QStatusBar *statusBar);
    ~RegisterController() override;

    RegisterRecorder *recorder() const { return rec.get(); }
    RegisterPanel *panel() const { return registerPanel; }
    QDockWidget *dock() const { return registerDock; }
    QAction *action() const;
    // The status bar's text of the register (empty while nothing waits).
    QString statusText() const;

    // `connected`: the first identity of each terminal of the run, once its serial number is
    // known, with its IMEI when that comes within imeiWait() (else without).
    void watchSession(TerminalSession *session);
    void setImeiWait(int ms) { imeiWaitMs = ms; }
    int imeiWait() const { return imeiWaitMs; }
    // `settings-written`: the outcome of each write of the settings page.
    void watchSettingsPage(SettingsPage *page, TerminalSession *session);
    // `provisioned`: each journal line of batch set-up, on the window's port, with the vehicle
    // of the banner's field (remembered for the terminal; the field is emptied when the next
    // terminal comes).
    void watchBatchSetup(BatchSetup *batch, TerminalSession *session);
    // `provisioned` (and `firmware-updated`): each journal line of the station; `connected`
    // for each terminal it meets; "Указать ТС…" on a row.
    void watchStation(StationPanel *panel);
    // The vehicle of the station's row `row`: remembered for its terminal's serial number (for
    // the next one on that port while it has none yet), and so on its later events.
    void setStationVehicle(int row, const QString &vehicle);
    // `firmware-updated`: from which version to which, and how it ended.
    void watchFirmwareUpdate(FirmwareUpdate *update, TerminalSession *session);
    // `report-saved`: the file, the checks' results and the vehicle (remembered for the
    // terminal).
    void recordReport(const QString &fileName, const QString &vehicle, TerminalSession *session,
                      const QVector<CheckOutcome> &checks);

    // The vehicle last given for the terminal.
    QString vehicleFor(const QString &serialNumber) const;

    // The dock's search (an empty text: the latest events), in the search's own thread; the
    // first page is shown when it comes. A server that does not answer: "Реестр: нет связи…"
    // and the events still waiting here.
    void search(const QString &text);

    // Sets where the register is ("Реестр установок": a libpq URI, a file, or empty for the
    // default file) and the engineer's name (empty: the login name), keeps them in the
    // window's settings and records there from now on. False with the reason for a location
    // that cannot be read.
    bool applySettings(const QString &location, const QString &engineer, QString *error);

private:
    void showState(int queued, bool reachable);
    void startRecorder();
    void askSettings();
    void searchAnswered(bool ok, const QString &error);
    // New events here or on the server: the dock's search again, its first page, soon (the
    // events of a burst together); a hidden dock searches when it is shown.
    void refreshSoon();
    void askStationVehicle(StationPanel *panel, int row);
    // The identity of the terminal on the session's port: what the session knows now, the
    // rest from what the same terminal told before (its identity is cleared while the line
    // is lost and reopened, and read again a moment later).
    TerminalIdentity identityOf(TerminalSession *session);

    std::unique_ptr<RegisterRecorder> rec;
    std::unique_ptr<RegisterSearch> searcher;   // the dock's own thread and connection
    ProvisionStation *station = nullptr;
    QHash<QString, TerminalIdentity> knownIdentities;   // by port, the last terminal on it
    QHash<QString, QString> portVehicles;      // station ports whose terminal has no serial yet
    int imeiWaitMs = 3000;
    QDockWidget *registerDock;
    RegisterPanel *registerPanel;
    QLabel *stateLabel;
    QString settingError;
    bool searched = false;
    bool stale = false;         // events recorded since the dock's last search
    QTimer *refreshTimer;
};
