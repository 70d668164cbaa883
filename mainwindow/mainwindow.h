#pragma once

#include "link/framing.h"

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
    QTabWidget *tabWidget = nullptr;
    QTranslator *translator = nullptr;

    // framing state and buffers of the record lines
    LineFramer framer;
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
    QLineEdit *firmwareVersionEdit = nullptr;
    // END status members

    // ---- settings page widgets (settings/)
    // BEGIN settings members
    QComboBox *rs485Combo = nullptr;
    // END settings members
};
