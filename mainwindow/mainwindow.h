#pragma once

#include "link/framing.h"
#include "link/recordrouter.h"

#include <QByteArray>
#include <QMainWindow>
#include <QSerialPort>
#include <QString>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QTranslator;
class QDockWidget;
class ChartsPanel;
class SettingsDialog;
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
    ChartsPanel *chartsPanel() const { return charts; }

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
    void routeRecords();

    // ---- pages (one builder each)
    QWidget *buildStatusPage();
    QWidget *buildSensorPanel();
    QWidget *buildSettingsPage();

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
    // settings record
    void decodeST(const RecordLine &r);

    Ui::MainWindow *ui;

    QSerialPort *serial = nullptr;
    SettingsDialog *settingsDialog = nullptr;
    Terminal *terminal = nullptr;
    QDockWidget *logDock = nullptr;
    ChartsPanel *charts = nullptr;
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

    // ---- settings page widgets (settings/)
    // BEGIN settings members
    void fillSmsFunctionLists();
    void refreshSettingsPage();
    // the text of the row label of a settings page field (for messages)
    QString settingsRowLabel(QWidget *field) const;

    // the body of the last settings string written, checked against the next "ST" record
    QString lastWrittenSettings;

    QWidget *settingsPage = nullptr;
    // column 1
    QLineEdit *monitoringServerEdit = nullptr;
    QLineEdit *monitoringPortEdit = nullptr;
    QLineEdit *simPin1Edit = nullptr;
    QCheckBox *roaming1Check = nullptr;
    QLineEdit *apn1Edit = nullptr;
    QLineEdit *login1Edit = nullptr;
    QLineEdit *password1Edit = nullptr;
    QLineEdit *simPin2Edit = nullptr;
    QCheckBox *roaming2Check = nullptr;
    QLineEdit *apn2Edit = nullptr;
    QLineEdit *login2Edit = nullptr;
    QLineEdit *password2Edit = nullptr;
    QCheckBox *sleepCheck = nullptr;
    QLineEdit *workTimeEdit = nullptr;
    QLineEdit *sleepTimeEdit = nullptr;
    QLineEdit *angleEdit = nullptr;
    QLineEdit *speedChangeEdit = nullptr;
    QLineEdit *distanceEdit = nullptr;
    QLineEdit *timerEdit = nullptr;
    // column 2
    QComboBox *rs232Combo = nullptr;
    QComboBox *rs485Combo = nullptr;
    QComboBox *oneWireCombo = nullptr;
    QLineEdit *canProgramEdit = nullptr;
    QComboBox *in0Combo = nullptr;
    QComboBox *in1Combo = nullptr;
    QLabel *in2Label = nullptr;
    QComboBox *in2Combo = nullptr;
    QComboBox *in3Combo = nullptr;
    QComboBox *in4Combo = nullptr;
    QComboBox *in5Combo = nullptr;
    QComboBox *in6Combo = nullptr;
    QComboBox *in7Combo = nullptr;
    QLineEdit *phone1Edit = nullptr;
    QLineEdit *phone2Edit = nullptr;
    QLineEdit *phone3Edit = nullptr;
    QLineEdit *phone4Edit = nullptr;
    QLineEdit *phone5Edit = nullptr;
    QComboBox *smsFunction1Combo = nullptr;
    QComboBox *smsFunction2Combo = nullptr;
    QComboBox *smsFunction3Combo = nullptr;
    QComboBox *smsFunction4Combo = nullptr;
    QComboBox *smsFunction5Combo = nullptr;
    // column 3
    QLineEdit *accessPasswordEdit = nullptr;
    QCheckBox *newPasswordCheck = nullptr;
    QLineEdit *newPasswordEdit = nullptr;
    QPushButton *readSettingsButton = nullptr;
    QLabel *writeStatusLabel = nullptr;
    QPushButton *writeSettingsButton = nullptr;
    QGroupBox *canParamsGroup = nullptr;
    QCheckBox *canParamCheck1 = nullptr;
    QCheckBox *canParamCheck2 = nullptr;
    QCheckBox *canParamCheck3 = nullptr;
    QCheckBox *canParamCheck4 = nullptr;
    QCheckBox *canParamCheck5 = nullptr;
    QCheckBox *canParamCheck6 = nullptr;
    QCheckBox *canParamCheck7 = nullptr;
    QCheckBox *canParamCheck8 = nullptr;
    QCheckBox *canParamCheck9 = nullptr;
    QCheckBox *canParamCheck10 = nullptr;
    QCheckBox *canParamCheck11 = nullptr;
    QCheckBox *canParamCheck12 = nullptr;
    QCheckBox *canParamCheck13 = nullptr;
    QCheckBox *canParamCheck14 = nullptr;
    // the CAN parameter box of code 1 to 14, nullptr for any other code
    QCheckBox *canParamBox(int code) const;
    // END settings members
};
