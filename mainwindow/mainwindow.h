#pragma once

#include "link/framing.h"
#include "link/portlist.h"
#include "link/recordrouter.h"
#include "mainwindow/statusbartext.h"

#include <QByteArray>
#include <QMainWindow>
#include <QPointer>
#include <QSerialPort>
#include <QString>
#include <QTime>

class BatchSetup;
class RegisterController;
class StationPanel;
class QAction;
class QMessageBox;
class QDockWidget;
class QTabWidget;
class QLabel;
class QTranslator;
class ChartsPanel;
class InstallationReport;
class PortWatcher;
class ReplayController;
class SettingsDialog;
class SettingsPage;
class StatusPage;
class Terminal;
class TerminalSession;

namespace Ui {
class MainWindow;
}

// The frame: tool bar, tabs, status bar and log dock, the serial link and the device
// actions. The pages own their widgets and decode their own records; the window routes the
// records to them and keeps the slots the rest of the program connects to.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    void setLanguage(const QString &code);

    // Puts back the size, place and docks of the last run; false when there is nothing to
    // put back (the first run).
    bool restoreWindowLayout();

    // Every complete record line from the terminal ends up here.
    void dispatchRecord(const QByteArray &name, const QByteArray &field1, const QByteArray &field2,
                        const QByteArray &field3, const QByteArray &field4, const QByteArray &field5);

    // Where the port dialog and the reconnection list the ports (the machine's serial ports
    // unless given).
    void setPortSource(const PortSource &source);

    // For tests and tools.
    TerminalSession *terminalSession() const { return session; }
    QSerialPort *serialPort() const;
    Terminal *terminalPanel() const { return terminal; }
    SettingsDialog *portSettingsDialog() const { return settingsDialog; }
    QTabWidget *tabs() const { return tabWidget; }
    const LineFramer &framing() const;
    ChartsPanel *chartsPanel() const { return charts; }
    InstallationReport *installationReport() const { return report; }
    BatchSetup *batchSetup() const { return batch; }
    StationPanel *provisioningStation() const { return stationPanel; }
    ReplayController *replayController() const { return replay; }
    RegisterController *installationRegister() const { return registerController; }
    RecordRouter &recordRouter();
    // The last message of the program's own features (settings files, the report), which the
    // status bar keeps in a section of its own.
    QString notice() const;

signals:
    // A terminal's port was opened, by the user or by the reconnection after a hang-up.
    void connected();

public slots:
    void openSerialPort();
    void closeSerialPort();
    qint64 writeData(QByteArray data);
    void readData();
    void clearAll();
    void handleError(QSerialPort::SerialPortError error);
    void Delay_sec(int sec);
    void update_dev_info();
    void restart_device();
    void send_packet();
    void clear_ext_mem();
    void update_FW_local();
    void update_FW_WEB();
    void update_settings_WEB();
    void lang_task_ru();
    void lang_task_en();
    void set_settings();
    void get_settings();
    void activate_can_set_slot(int index);
    void SendCmd(QString cmd_str);
    void set_in2cb_changed(QString);
    void handletabChanged(int);
    void on_actionTaho_triggered();
    void on_actionGoToSite_triggered(bool);
    // "Отчёт…": asks where to and for the engineer's note, then writes the installation report.
    void saveReport();

protected:
    // The file the report goes to (a ".pdf" name gives PDF, any other HTML); empty: not saved.
    virtual QString reportFileName();
    // The firmware file for an update over USB, starting in `folder`; empty: none (the
    // engineer copies it by hand).
    virtual QString firmwareFileName(const QString &folder);
    // The same, starting in the folder the last firmware file came from, which it remembers.
    QString askFirmwareFile();
    // The engineer's note for the report; *ok false when the user gave none and cancelled.
    virtual QString reportNote(bool *ok);
    // The vehicle the terminal is in (plate or garage number, may stay empty), offering the
    // one given last for it; *ok false when the user cancelled.
    virtual QString reportVehicle(const QString &remembered, bool *ok);
    // Opens a saved report in the program the desktop has for it.
    virtual void openReport(const QString &fileName);
    void closeEvent(QCloseEvent *event) override;

private:
    void setConnectedActions(bool connected);
    void clearFields(QWidget *scope);
    void showNotice(const QString &text);
    void setUpBatchSetup();
    void toggleBatchSetup(bool on);
    void setUpStation();
    void toggleStation(bool on);
    // the port the window holds or waits for is not the station's
    void updateStationExclusion();
    // the station's "Обновить ПО…": one file for every terminal of its table
    void updateStationFirmware();
    void setUpLanguageActions();
    void setUpReportAction();
    void writeRaw(const char *command);
    void routeRecords();
    void connectSession();
    // what the window shows of the line: opened (also by the reconnection), closed, a chunk
    void lineOpened(const QString &portName);
    void showDisconnected();
    void chunkReceived(const QByteArray &data, qint64 msecsSinceEpoch);
    // The restart notice, one a restart; closes itself when the terminal is back. thenLetGo:
    // after it, the line is closed and waited for (unless the terminal already went).
    void showRestartNotice(const QString &text, bool thenLetGo);
    void terminalRestarted(bool reported);

    // the user's own disconnect: no waiting for the terminal to come back
    void disconnectByUser();

    Ui::MainWindow *ui;

    TerminalSession *session = nullptr;
    SettingsDialog *settingsDialog = nullptr;
    Terminal *terminal = nullptr;
    QDockWidget *logDock = nullptr;
    ChartsPanel *charts = nullptr;
    InstallationReport *report = nullptr;
    QAction *reportAction = nullptr;
    NoticeLabel *noticeLabel = nullptr;
    bool chartsDockSized = false;   // the charts dock got its first width
    bool stationDockSized = false;  // the station's dock got its first height
    QTabWidget *tabWidget = nullptr;
    QTranslator *translator = nullptr;
    StatusPage *statusPage = nullptr;
    SettingsPage *settingsPage = nullptr;
    BatchSetup *batch = nullptr;
    QAction *batchSetupAction = nullptr;
    StationPanel *stationPanel = nullptr;
    QDockWidget *stationDock = nullptr;
    QAction *stationAction = nullptr;
    ReplayController *replay = nullptr;
    RegisterController *registerController = nullptr;
    QPointer<QMessageBox> openRestartNotice;

    ChunkStatusText chunkStatus;   // the status bar's text for each chunk

    QString restartTitle;
    QString restartDoneText;
    QString portClosedText;
    QString usbUpdateText;
};
