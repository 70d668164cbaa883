#pragma once

#include "link/devicemodel.h"
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
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTranslator;
class QDockWidget;
class SettingsDialog;
class StatusPage;
class Terminal;

namespace Ui {
class MainWindow;
}

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
    void routeRecords();

    // ---- pages (one builder each)
    QWidget *buildSettingsPage();

    // ---- record decoders, one per record name (link/dispatch.cpp routes to them)
    void decodeRD(const RecordLine &r);
    // settings record
    void decodeST(const RecordLine &r);

    Ui::MainWindow *ui;

    QSerialPort *serial = nullptr;
    SettingsDialog *settingsDialog = nullptr;
    Terminal *terminal = nullptr;
    QDockWidget *logDock = nullptr;
    QTabWidget *tabWidget = nullptr;
    QTranslator *translator = nullptr;
    StatusPage *statusPage = nullptr;

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
