#pragma once

#include "link/framing.h"
#include "link/recordrouter.h"
#include "portdialog/portlist.h"

#include <QByteArray>
#include <QMainWindow>
#include <QSerialPort>
#include <QString>

class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QTranslator;
class QDockWidget;
class PortWatcher;
class SettingsDialog;
class SettingsPage;
class Terminal;

namespace Ui {
class MainWindow;
}

// The device model code of the connected terminal: 0 while unknown (at start and after
// every port close), otherwise the model code of the last identity record.
extern unsigned int deviceModelCode;

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    void setLanguage(const QString &code);

    // Every complete record line from the terminal ends up here.
    void dispatchRecord(const QByteArray &name, const QByteArray &field1, const QByteArray &field2,
                        const QByteArray &field3, const QByteArray &field4, const QByteArray &field5);

    // For tests and tools.
    QSerialPort *serialPort() const { return serial; }
    Terminal *terminalPanel() const { return terminal; }
    SettingsDialog *portSettingsDialog() const { return settingsDialog; }
    QTabWidget *tabs() const { return tabWidget; }
    const LineFramer &framing() const { return framer; }

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
    void set_settings();
    void get_settings();
    void activate_can_set_slot(int index);
    void SendCmd(QString cmd_str);
    void set_in2cb_changed(QString);
    void handletabChanged(int);
    void on_actionTaho_triggered();
    void on_actionGoToSite_triggered(bool);

private:
    void setConnectedActions(bool connected);
    void handleLineHangUp();
    void writeRaw(const char *command);
    // the user's own disconnect: no waiting for the terminal to come back
    void disconnectByUser();
    // the line went away (hang-up, restart): wait for the same port to come back
    void waitForTerminal();
    bool openPort(bool reconnecting);
    qint64 writeToPort(const QByteArray &bytes);
    void routeRecords();

    // ---- pages (one builder each)
    QWidget *buildStatusPage();
    QWidget *buildSensorPanel();

    // ---- record decoders, one per record name (link/dispatch.cpp routes to them)
    // identity and state records
    void decodeDI(const RecordLine &r);
    void decodeDN(const RecordLine &r);
    void decodeDF(const RecordLine &r);
    void decodeMN(const RecordLine &r);
    void decodeTW(const RecordLine &r);
    void decodeRW(const RecordLine &r);
    void decodeDS(const RecordLine &r);
    void decodePB(const RecordLine &r);
    // radio and positioning records
    void decodeGK(const RecordLine &r);
    void decodeGS(const RecordLine &r);
    void decodeMS(const RecordLine &r);
    void decodeML(const RecordLine &r);
    void decodeAPN(const RecordLine &r);
    void decodeMO(const RecordLine &r);
    void decodeMD(const RecordLine &r);
    void decodeSMS(const RecordLine &r);
    void decodeRD(const RecordLine &r);
    // sensor and CAN records
    void decodeCanProgram(const RecordLine &r);      // C#
    void decodeCanEngineHours(const RecordLine &r);  // CA, CB
    void decodeCanMileage(const RecordLine &r);      // CC, CD
    void decodeCanFuelUsed(const RecordLine &r);     // CE, CF
    void decodeCG(const RecordLine &r);
    void decodeCR(const RecordLine &r);
    void decodeCH(const RecordLine &r);
    void decodeCI(const RecordLine &r);
    void decodeCJ(const RecordLine &r);
    void decodeCP(const RecordLine &r);
    void decodeCS(const RecordLine &r);
    void decodeCanAxle(int axle, const RecordLine &r); // CK..CO, axle 1..5
    void decodeCU(const RecordLine &r);
    void decodeCV(const RecordLine &r);
    void decodeLLS(const RecordLine &r);
    void decodeOWT(const RecordLine &r);
    void decodeOWK(const RecordLine &r);
    void decodeOutput(const RecordLine &r);  // O14, O15, O24, O25
    void decodeInput(const RecordLine &r);   // I + type letter + digit

    Ui::MainWindow *ui;

    QSerialPort *serial = nullptr;
    SettingsDialog *settingsDialog = nullptr;
    Terminal *terminal = nullptr;
    QDockWidget *logDock = nullptr;
    QTabWidget *tabWidget = nullptr;
    QTranslator *translator = nullptr;

    // framing state and buffers of the record lines
    LineFramer framer;
    RecordRouter router;
    quint8 &frameState = framer.frameState;
    QByteArray &recordName = framer.recordName;
    QByteArray &recordField1 = framer.recordField1;
    QByteArray &recordField2 = framer.recordField2;
    QByteArray &recordField3 = framer.recordField3;
    QByteArray &recordField4 = framer.recordField4;
    QByteArray &recordField5 = framer.recordField5;

    // set while the current line is hung up, so the hang-up is handled once
    bool lineHungUp = false;
    PortWatcher *portWatcher = nullptr;
    PortEntry connectedPort;     // the port of the last successful open
    int connectionCount = 0;     // successful opens so far

    QString restartTitle;
    QString restartDoneText;
    QString portClosedText;
    QString usbUpdateText;

    // ---- status page widgets (status/)
    // BEGIN status members
    void formatStatusPage(QWidget *page, QWidget *statusColumns);
    void formatSensorPanel();
    int widestInputCaption() const;
    QAction *tachographAction() const;
    void showCanValue(QLineEdit *field, const QByteArray &value, double divisor);
    void setInputRow(int row, const QString &caption, const QString &state);

    // status page: five groups in two columns, the sensor panel to their right
    QGroupBox *generalInfoGroup = nullptr;
    QGroupBox *deviceStatusGroup = nullptr;
    QGroupBox *powerGroup = nullptr;
    QGroupBox *gsmGroup = nullptr;
    QGroupBox *gnssGroup = nullptr;
    // "Общая информация"
    QLineEdit *modelEdit = nullptr;
    QLineEdit *serialNumberEdit = nullptr;
    QLineEdit *imeiEdit = nullptr;
    QLineEdit *firmwareVersionEdit = nullptr;
    QLineEdit *deviceTimeEdit = nullptr;
    QLineEdit *runTimeEdit = nullptr;
    QLineEdit *settingsTaskEdit = nullptr;
    QLineEdit *firmwareTaskEdit = nullptr;
    QLineEdit *packetsWrittenEdit = nullptr;
    QLineEdit *packetsSentEdit = nullptr;
    // "Статусы устройства"
    QLineEdit *internalMemoryEdit = nullptr;
    QLineEdit *externalMemoryEdit = nullptr;
    QLineEdit *clockEdit = nullptr;
    QLineEdit *accelerometerEdit = nullptr;
    QLineEdit *gnssStateEdit = nullptr;
    QLineEdit *gsmStateEdit = nullptr;
    QLineEdit *sim1Edit = nullptr;
    QLineEdit *pin1Edit = nullptr;
    QLineEdit *sim2Edit = nullptr;
    QLineEdit *pin2Edit = nullptr;
    // "Питание"
    QLineEdit *externalVoltageEdit = nullptr;
    QLineEdit *batteryVoltageEdit = nullptr;
    // "GSM"
    QLineEdit *operatorEdit = nullptr;
    QLineEdit *mccEdit = nullptr;
    QLineEdit *mncEdit = nullptr;
    QLineEdit *apnEdit = nullptr;
    QLineEdit *apnLoginEdit = nullptr;
    QLineEdit *apnPasswordEdit = nullptr;
    QProgressBar *signalLevelBar = nullptr;
    QLineEdit *serverEdit = nullptr;
    QLineEdit *modemLinkEdit = nullptr;
    QLineEdit *networkRegistrationEdit = nullptr;
    QLineEdit *gprsServiceEdit = nullptr;
    QLineEdit *serverConnectionEdit = nullptr;
    QLineEdit *serverReplyEdit = nullptr;
    QLineEdit *tcpCountEdit = nullptr;
    QLineEdit *smsInEdit = nullptr;
    QLineEdit *smsOutEdit = nullptr;
    // "GPS / ГЛОНАСС"
    QLineEdit *latitudeEdit = nullptr;
    QLineEdit *longitudeEdit = nullptr;
    QLineEdit *altitudeEdit = nullptr;
    QLineEdit *courseEdit = nullptr;
    QLineEdit *speedEdit = nullptr;
    QLineEdit *satellitesEdit = nullptr;
    QLineEdit *hdopEdit = nullptr;

    // sensor and CAN panel
    QWidget *sensorPanel = nullptr;
    QGroupBox *inputsGroup = nullptr;
    QGroupBox *fuelSensorsGroup = nullptr;
    QGroupBox *oneWireGroup = nullptr;
    QGroupBox *canDataGroup = nullptr;
    QGroupBox *securityFlagsGroup = nullptr;
    QGroupBox *lampFlagsGroup = nullptr;
    QLabel *inputLabel0 = nullptr;
    QLabel *inputLabel1 = nullptr;
    QLabel *inputLabel2 = nullptr;
    QLabel *inputLabel3 = nullptr;
    QLabel *inputLabel4 = nullptr;
    QLabel *inputLabel5 = nullptr;
    QLabel *inputLabel6 = nullptr;
    QLabel *inputLabel7 = nullptr;
    QLineEdit *inputEdit0 = nullptr;
    QLineEdit *inputEdit1 = nullptr;
    QLineEdit *inputEdit2 = nullptr;
    QLineEdit *inputEdit3 = nullptr;
    QLineEdit *inputEdit4 = nullptr;
    QLineEdit *inputEdit5 = nullptr;
    QLineEdit *inputEdit6 = nullptr;
    QLineEdit *inputEdit7 = nullptr;
    QLineEdit *llsLevelEdit0 = nullptr;
    QLineEdit *llsLevelEdit1 = nullptr;
    QLineEdit *llsLevelEdit2 = nullptr;
    QLineEdit *llsLevelEdit3 = nullptr;
    QLineEdit *llsLevelEdit4 = nullptr;
    QLineEdit *llsLevelEdit5 = nullptr;
    QLineEdit *llsLevelEdit6 = nullptr;
    QLineEdit *llsTempEdit0 = nullptr;
    QLineEdit *llsTempEdit1 = nullptr;
    QLineEdit *llsTempEdit2 = nullptr;
    QLineEdit *llsTempEdit3 = nullptr;
    QLineEdit *llsTempEdit4 = nullptr;
    QLineEdit *llsTempEdit5 = nullptr;
    QLineEdit *llsTempEdit6 = nullptr;
    QLineEdit *thermoAddressEdit0 = nullptr;
    QLineEdit *thermoAddressEdit1 = nullptr;
    QLineEdit *thermoAddressEdit2 = nullptr;
    QLineEdit *thermoAddressEdit3 = nullptr;
    QLineEdit *thermoAddressEdit4 = nullptr;
    QLineEdit *thermoAddressEdit5 = nullptr;
    QLineEdit *thermoTempEdit0 = nullptr;
    QLineEdit *thermoTempEdit1 = nullptr;
    QLineEdit *thermoTempEdit2 = nullptr;
    QLineEdit *thermoTempEdit3 = nullptr;
    QLineEdit *thermoTempEdit4 = nullptr;
    QLineEdit *thermoTempEdit5 = nullptr;
    QLineEdit *keyIdEdit = nullptr;
    QLineEdit *canDataProgramEdit = nullptr;
    QLineEdit *canDataValidEdit = nullptr;
    QLineEdit *engineHoursEdit = nullptr;
    QLineEdit *mileageEdit = nullptr;
    QLineEdit *fuelUsedEdit = nullptr;
    QLabel *fuelLevelLabel = nullptr;
    QLineEdit *fuelLevelEdit = nullptr;
    QLineEdit *engineRpmEdit = nullptr;
    QLineEdit *engineTempEdit = nullptr;
    QLineEdit *vehicleSpeedEdit = nullptr;
    QLineEdit *axleLoad1Edit = nullptr;
    QLineEdit *axleLoad2Edit = nullptr;
    QLineEdit *axleLoad3Edit = nullptr;
    QLineEdit *axleLoad4Edit = nullptr;
    QLineEdit *axleLoad5Edit = nullptr;
    QLineEdit *pedalPositionEdit = nullptr;
    QLineEdit *engineLoadEdit = nullptr;
    QLineEdit *adBlueLevelEdit = nullptr;
    QLineEdit *securityStateEdit = nullptr;
    QLineEdit *alarmControllersEdit = nullptr;
    QList<QRadioButton *> securityFlagButtons;
    QList<QRadioButton *> lampFlagButtons;
    // END status members

    // ---- pages
    SettingsPage *settingsPage = nullptr;
};
